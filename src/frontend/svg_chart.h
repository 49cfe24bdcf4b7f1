#pragma once
// Draws an audiogram chart as a standalone SVG document: frequency on a logarithmic axis
// across the top, hearing level growing downwards, the customary symbols per ear, route
// and masking, and a legend of the symbols shown.

#include <string>
#include <string_view>

#include "frontend/audiogram_chart.h"

namespace audiogram::frontend {

// Where a frequency and a level land in the chart's user units. One octave spans as much
// as 20 dB, the proportion audiograms are drawn in.
struct ChartGeometry {
    static constexpr double kPlotLeft = 80;
    static constexpr double kPlotTop = 80;
    static constexpr double kOctaveWidth = 80;
    static constexpr double kUnitsPerDecibel = kOctaveWidth / 20;
    static constexpr double kPlotWidth = 6 * kOctaveWidth;  // 125 to 8000 Hz
    static constexpr double kPlotHeight = (kHighestLevel - kLowestLevel) * kUnitsPerDecibel;

    static double X(double frequency);
    static double Y(double levelDecibels);
};

// The id of the symbol definition a mark is drawn with, e.g. "right-air-masked".
std::string SymbolId(const ChartMark& mark);

std::string RenderAudiogramSvg(const AudiogramChart& chart, std::string_view title);

}  // namespace audiogram::frontend
