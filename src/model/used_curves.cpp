#include "model/used_curves.h"

#include "records/meas_cond.h"
#include "records/missing_value.h"

namespace audiogram::model {
namespace {

// Tone, decay, difference limen and SISI points have no data when their frequency is 0;
// a speech point when both its stimulus and its masking level are 0.
bool PointHasData(PointKind kind, ByteSpan point) {
    if (kind == PointKind::Speech) {
        return LoadI16(point, speech_point::kStimulusLevel) != 0 ||
               LoadI16(point, speech_point::kMaskingLevel) != 0;
    }
    return LoadI16(point, 0) != 0;
}

}  // namespace

std::vector<UsedCurve> UsedCurves(ByteSpan record200, const SectionLayout& section) {
    std::vector<UsedCurve> curves;
    for (std::size_t slot = 0; slot < section.slots; ++slot) {
        const ByteSpan curve = record200.subspan(section.CurveOffset(slot), section.curve.size);
        if (!IsEmptyMeasCond(curve)) curves.push_back({&section, slot, curve});
    }
    return curves;
}

std::vector<UsedPoint> UsedPoints(const UsedCurve& curve) {
    const CurveLayout& layout = curve.section->curve;
    std::vector<UsedPoint> points;
    for (std::size_t index = 0; index < layout.pointCount; ++index) {
        const ByteSpan point = curve.bytes.subspan(layout.PointOffset(index), layout.PointSize());
        // every point layout keeps its end mark in the first field
        if (IsMissing(LoadI16(point, 0))) break;
        if (PointHasData(layout.points, point)) points.push_back({index, point});
    }
    return points;
}

}  // namespace audiogram::model
