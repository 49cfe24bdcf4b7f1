#pragma once
// The curve types of the 200 record: measurement conditions, then a fixed point array.

#include <cstddef>

#include "records/meas_cond_layout.h"
#include "records/point_layouts.h"

namespace audiogram {

struct CurveLayout {
    PointKind points;
    std::size_t pointCount;
    std::size_t size;  // of the whole curve in the 200 record

    constexpr std::size_t PointSize() const { return audiogram::PointSize(points); }
    constexpr std::size_t PointsOffset() const { return meas_cond::kSize; }
    constexpr std::size_t PointsSize() const { return pointCount * PointSize(); }
    constexpr std::size_t PointOffset(std::size_t index) const { return PointsOffset() + index * PointSize(); }
};

constexpr bool CurveAddsUp(const CurveLayout& curve) {
    return curve.PointsOffset() + curve.PointsSize() == curve.size;
}

inline constexpr CurveLayout kToneCurve{PointKind::Tone, 24, 446};
inline constexpr CurveLayout kLoudnessBalanceCurve{PointKind::Tone, 192, 2126};
inline constexpr CurveLayout kSpeechCurve{PointKind::Speech, 24, 398};
inline constexpr CurveLayout kSpeechLevelCurve{PointKind::Speech, 1, 214};
inline constexpr CurveLayout kDecayCurve{PointKind::Decay, 50, 806};
inline constexpr CurveLayout kDifferenceLimenCurve{PointKind::DifferenceLimen, 24, 494};
inline constexpr CurveLayout kSiSiCurve{PointKind::SiSi, 24, 542};

static_assert(CurveAddsUp(kToneCurve) && CurveAddsUp(kLoudnessBalanceCurve) && CurveAddsUp(kSpeechCurve) &&
              CurveAddsUp(kSpeechLevelCurve) && CurveAddsUp(kDecayCurve) &&
              CurveAddsUp(kDifferenceLimenCurve) && CurveAddsUp(kSiSiCurve));

}  // namespace audiogram
