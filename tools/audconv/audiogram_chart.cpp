#include "audiogram_chart.h"

#include <array>
#include <optional>

#include "record_walk.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "records/point_layouts.h"

namespace audiogram::tool {
namespace {

// Codes of the signal output list that name an ear and a route.
struct OutputRoute {
    std::int16_t code;
    Ear ear;
    Route route;
};

constexpr std::array kOutputRoutes = {
    OutputRoute{2, Ear::Left, Route::Air},            // AirConductorLeft
    OutputRoute{3, Ear::Right, Route::Air},           // AirConductorRight
    OutputRoute{4, Ear::Both, Route::Air},            // AirConductorBinaural
    OutputRoute{5, Ear::Left, Route::Bone},           // BoneConductorLeft
    OutputRoute{6, Ear::Right, Route::Bone},          // BoneConductorRight
    OutputRoute{7, Ear::Both, Route::Bone},           // BoneConductorBinaural
    OutputRoute{8, Ear::Left, Route::SoundField},     // FreeFieldLeft
    OutputRoute{9, Ear::Right, Route::SoundField},    // FreeFieldRight
    OutputRoute{10, Ear::Both, Route::SoundField},    // FreeFieldBinaural
    OutputRoute{11, Ear::Left, Route::Air},           // InsertPhoneLeft
    OutputRoute{12, Ear::Right, Route::Air},          // InsertPhoneRight
    OutputRoute{13, Ear::Both, Route::Air},           // InsertPhoneBinaural
};

constexpr std::int16_t kNoSignalApplied = 1;
constexpr std::int16_t kStatusNoResponse = 3;
constexpr std::int16_t kStatusDidNotTest = 5;
constexpr std::int16_t kStatusCouldNotTest = 6;

struct ChartedSection {
    Section section;
    MarkKind kind;
};

constexpr std::array kChartedSections = {
    ChartedSection{Section::ToneThreshold, MarkKind::Threshold},
    ChartedSection{Section::MostComfortableLevel, MarkKind::MostComfortable},
    ChartedSection{Section::UncomfortableLevel, MarkKind::Uncomfortable},
};

std::optional<OutputRoute> RouteOf(ByteSpan measCond) {
    const std::int16_t output = LoadI16(measCond, meas_cond::kSignalOutput);
    for (const OutputRoute& route : kOutputRoutes) {
        if (route.code == output) return route;
    }
    return std::nullopt;
}

// A point is masked when it records a masker (a frequency other than 0 and a level) and its
// curve does not say that no masking signal was applied; an Unknown masking signal type
// keeps the point's word. Records write 0 as the masker frequency of unmasked points.
bool IsMasked(ByteSpan measCond, ByteSpan point) {
    const std::int16_t maskingFrequency = LoadI16(point, tone_point::kMaskingFrequency);
    const bool pointHasMasker = !IsMissing(maskingFrequency) && maskingFrequency != 0 &&
                                !IsMissing(LoadI16(point, tone_point::kMaskingLevel));
    const std::int16_t maskingSignal =
        LoadI16(measCond, meas_cond::kSignalType + meas_cond::kPairEntrySize);
    return pointHasMasker && maskingSignal != kNoSignalApplied;
}

bool OnChart(int frequency, int levelTenths) {
    return frequency >= kLowestFrequency && frequency <= kHighestFrequency &&
           levelTenths >= kLowestLevel * 10 && levelTenths <= kHighestLevel * 10;
}

}  // namespace

AudiogramChart CollectAudiogramChart(ByteSpan record200) {
    AudiogramChart chart;
    std::size_t curveIndex = 0;
    for (const ChartedSection& charted : kChartedSections) {
        for (const UsedCurve& curve : UsedCurves(record200, record200::SectionOf(charted.section))) {
            const std::vector<UsedPoint> points = UsedPoints(curve);
            const std::optional<OutputRoute> route = RouteOf(curve.MeasCond());
            if (!route) {
                chart.withoutRoute += points.size();
                continue;
            }
            for (const UsedPoint& point : points) {
                const int frequency = LoadI16(point.bytes, tone_point::kStimulusFrequency);
                const std::int16_t level = LoadI16(point.bytes, tone_point::kStimulusLevel);
                const std::int16_t status = LoadI16(point.bytes, tone_point::kTonePointStatus);
                if (IsMissing(level) || status == kStatusDidNotTest || status == kStatusCouldNotTest) {
                    ++chart.notTested;
                } else if (!OnChart(frequency, level)) {
                    ++chart.offChart;
                } else {
                    chart.marks.push_back({charted.kind, route->ear, route->route,
                                           IsMasked(curve.MeasCond(), point.bytes),
                                           status == kStatusNoResponse, frequency, level, curveIndex});
                }
            }
            ++curveIndex;
        }
    }
    return chart;
}

}  // namespace audiogram::tool
