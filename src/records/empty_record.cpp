#include "records/empty_record.h"

#include <algorithm>
#include <cassert>

#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "records/record200_layout.h"

namespace audiogram {

void MakeEmptyRecord200(MutableByteSpan record) {
    assert(record.size() >= record200::kSize);
    std::fill_n(record.begin(), record200::kSize, std::uint8_t{0});
    for (const SectionLayout& section : record200::kCurveSections) {
        InitMeasCond(record.subspan(section.offset, section.Size()), section.curve.size, section.slots);
        for (std::size_t slot = 0; slot < section.slots; ++slot) {
            const std::size_t points = section.CurveOffset(slot) + section.curve.PointsOffset();
            for (std::size_t field = 0; field < section.curve.PointsSize(); field += 2) {
                StoreI16(record, points + field, MissingValue);
            }
        }
    }
}

}  // namespace audiogram
