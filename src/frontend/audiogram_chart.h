#pragma once
// The pure-tone audiogram of a 200 record as marks on a chart: which ear, which route,
// masked or not, responded or not, at which frequency and hearing level. The drawing
// itself is the SVG renderer's.

#include <cstddef>
#include <vector>

#include "model/audiogram.h"

namespace audiogram::frontend {

using model::Ear;
using model::Route;

enum class MarkKind { Threshold, MostComfortable, Uncomfortable };

struct ChartMark {
    MarkKind kind;
    Ear ear;      // Right, Left or Both
    Route route;  // Air, Bone or SoundField
    bool masked;
    bool noResponse;
    int frequency;        // hertz
    double levelDb;       // decibels HL
    std::size_t curve;    // index of the curve among all charted curves; air points of one curve are joined
};

struct AudiogramChart {
    std::vector<ChartMark> marks;
    std::size_t offChart = 0;       // points whose frequency or level lies outside the axes
    std::size_t withoutRoute = 0;   // points of curves whose signal output names no ear and route
    std::size_t notTested = 0;      // points marked DidNotTest or CouldNotTest, or without a level
};

// Frequency axis from 125 to 8000 Hz, hearing level axis from -10 to 120 dB HL.
inline constexpr int kLowestFrequency = 125;
inline constexpr int kHighestFrequency = 8000;
inline constexpr int kLowestLevel = -10;
inline constexpr int kHighestLevel = 120;

// The marks of the tone threshold, most comfortable and uncomfortable level curves.
AudiogramChart CollectAudiogramChart(const model::Audiogram& audiogram);

}  // namespace audiogram::frontend
