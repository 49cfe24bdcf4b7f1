#include "frontend/audiogram_chart.h"

#include <array>

namespace audiogram::frontend {
namespace {

struct ChartedSection {
    Section section;
    MarkKind kind;
};

constexpr std::array kChartedSections = {
    ChartedSection{Section::ToneThreshold, MarkKind::Threshold},
    ChartedSection{Section::MostComfortableLevel, MarkKind::MostComfortable},
    ChartedSection{Section::UncomfortableLevel, MarkKind::Uncomfortable},
};

const model::CurveSection* Find(const model::Audiogram& audiogram, Section section) {
    for (const model::CurveSection& found : audiogram.sections) {
        if (found.section == section) return &found;
    }
    return nullptr;
}

bool OnChart(double frequency, double level) {
    return frequency >= kLowestFrequency && frequency <= kHighestFrequency && level >= kLowestLevel &&
           level <= kHighestLevel;
}

}  // namespace

AudiogramChart CollectAudiogramChart(const model::Audiogram& audiogram) {
    AudiogramChart chart;
    std::size_t curveIndex = 0;
    for (const ChartedSection& charted : kChartedSections) {
        const model::CurveSection* section = Find(audiogram, charted.section);
        if (!section) continue;
        for (const model::Curve& curve : section->curves) {
            if (curve.ear == Ear::None || curve.route == Route::Other) {
                chart.withoutRoute += curve.points.size();
                continue;
            }
            for (const model::Point& point : curve.points) {
                if (!point.tested) {
                    ++chart.notTested;
                } else if (!point.frequencyHz || !OnChart(*point.frequencyHz, *point.levelDb)) {
                    ++chart.offChart;
                } else {
                    chart.marks.push_back({charted.kind, curve.ear, curve.route, point.masked, !point.response,
                                           static_cast<int>(*point.frequencyHz), *point.levelDb, curveIndex});
                }
            }
            ++curveIndex;
        }
    }
    return chart;
}

}  // namespace audiogram::frontend
