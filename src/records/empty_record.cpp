#include "records/empty_record.h"

#include <algorithm>
#include <cassert>

#include "records/meas_cond.h"
#include "records/missing_value.h"

namespace audiogram {
namespace {

Record200Bytes BuildEmptyRecord200() {
    Record200Bytes record{};
    for (const SectionLayout& section : record200::kCurveSections) {
        InitMeasCond(MutableByteSpan(record).subspan(section.offset, section.Size()), section.curve.size,
                     section.slots);
        for (std::size_t slot = 0; slot < section.slots; ++slot) {
            const std::size_t points = section.CurveOffset(slot) + section.curve.PointsOffset();
            for (std::size_t field = 0; field < section.curve.PointsSize(); field += 2) {
                StoreI16(record, points + field, MissingValue);
            }
        }
    }
    return record;
}

}  // namespace

const Record200Bytes& EmptyRecord200() {
    // A constant of the process, made once (the first calls of several threads wait for it).
    static const Record200Bytes empty = BuildEmptyRecord200();
    return empty;
}

void MakeEmptyRecord200(MutableByteSpan record) {
    assert(record.size() >= record200::kSize);
    const Record200Bytes& empty = EmptyRecord200();
    std::copy(empty.begin(), empty.end(), record.begin());
}

}  // namespace audiogram
