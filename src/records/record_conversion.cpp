#include "records/record_conversion.h"

#include <algorithm>
#include <cassert>

#include "records/empty_record.h"
#include "records/record100_layout.h"

namespace audiogram {
namespace {

void CopyBlock(ByteSpan from, std::size_t fromOffset, MutableByteSpan to, std::size_t toOffset,
               std::size_t size) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(fromOffset), size,
                to.begin() + static_cast<std::ptrdiff_t>(toOffset));
}

}  // namespace

void ConvertRecord100to200(ByteSpan record100, MutableByteSpan record200) {
    MakeEmptyRecord200(record200);
    CopyCurves100to200(record100, record200);
}

// Every curve slot of the 200 record that a 100 curve fills is overwritten whole, except
// for the parts of the measurement conditions that data standard 100 lacks; the empty
// record has those in their default state. The tone threshold slots 6 to 17, the notes and
// the masks keep the empty record's values.
void CopyCurves100to200(ByteSpan record100, MutableByteSpan record200) {
    assert(record100.size() >= record100::kSize && record200.size() >= record200::kSize);
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
