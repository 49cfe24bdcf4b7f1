#pragma once
// Walks the used curves and used points of a 200 record the way the export sees them:
// a curve slot is used when its measurement conditions are not in the default state; a
// point list ends at the first MissingValue in a point's first field, and points without
// data are skipped.

#include <cstddef>
#include <vector>

#include "records/little_endian.h"
#include "records/record200_layout.h"

namespace audiogram::model {

struct UsedCurve {
    const SectionLayout* section;
    std::size_t slot;
    ByteSpan bytes;  // the whole curve: measurement conditions, then the point array

    ByteSpan MeasCond() const { return bytes.first(meas_cond::kSize); }
};

struct UsedPoint {
    std::size_t index;  // in the curve's point array
    ByteSpan bytes;
};

// The used curves of one section in slot order. `record200` must hold at least 36128 bytes.
std::vector<UsedCurve> UsedCurves(ByteSpan record200, const SectionLayout& section);

// The used points of one curve in record order.
std::vector<UsedPoint> UsedPoints(const UsedCurve& curve);

}  // namespace audiogram::model
