#include "records/record_conversion.h"

#include <algorithm>
#include <cassert>

#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "records/record100_layout.h"

namespace audiogram {
namespace {

// The state of a 200 record before the 100 curves are copied in: zeros, tone threshold
// points missing, every measurement condition in its default state. Only the tone
// threshold section has slots (6 to 17) that no 100 curve overwrites.
void PrepareRecord200(MutableByteSpan record200) {
    std::fill_n(record200.begin(), record200::kSize, std::uint8_t{0});
    const SectionLayout& tone = record200::SectionOf(Section::ToneThreshold);
    for (std::size_t slot = 0; slot < tone.slots; ++slot) {
        const std::size_t points = tone.CurveOffset(slot) + tone.curve.PointsOffset();
        for (std::size_t field = 0; field < tone.curve.PointsSize(); field += 2) {
            StoreI16(record200, points + field, MissingValue);
        }
    }
    for (const SectionLayout& section : record200::kCurveSections) {
        InitMeasCond(record200.subspan(section.offset, section.Size()), section.curve.size, section.slots);
    }
}

void CopyBlock(ByteSpan from, std::size_t fromOffset, MutableByteSpan to, std::size_t toOffset,
               std::size_t size) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(fromOffset), size,
                to.begin() + static_cast<std::ptrdiff_t>(toOffset));
}

}  // namespace

void ConvertRecord100to200(ByteSpan record100, MutableByteSpan record200) {
    assert(record100.size() >= record100::kSize && record200.size() >= record200::kSize);
    PrepareRecord200(record200);
    for (const record100::SectionMap& map : record100::kSections) {
        const CurveLayout& curve = map.section200.curve;
        for (std::size_t slot = 0; slot < map.slots; ++slot) {
            const std::size_t from = map.CurveOffset(slot);
            const std::size_t to = map.section200.CurveOffset(slot);
            CopyBlock(record100, from, record200, to, record100::kMeasCondSize);
            CopyBlock(record100, from + map.PointsOffset(), record200, to + curve.PointsOffset(),
                      curve.PointsSize());
        }
    }
}

void ConvertRecord200to100(ByteSpan record200, MutableByteSpan record100) {
    assert(record200.size() >= record200::kSize && record100.size() >= record100::kSize);
    for (const record100::SectionMap& map : record100::kSections) {
        const CurveLayout& curve = map.section200.curve;
        for (std::size_t slot = 0; slot < map.slots; ++slot) {
            const std::size_t from = map.section200.CurveOffset(slot);
            const std::size_t to = map.CurveOffset(slot);
            CopyBlock(record200, from, record100, to, record100::kMeasCondSize);
            CopyBlock(record200, from + curve.PointsOffset(), record100, to + map.PointsOffset(),
                      curve.PointsSize());
        }
    }
}

}  // namespace audiogram
