#pragma once
// AudiogramRecord100: 19472 bytes. The same curve sections as the 200 record in the same
// order, each curve cut to the first 68 bytes of its measurement conditions
// (MeasCondition100) followed by the unchanged point array; six tone threshold curves
// instead of eighteen; no notes and no tone-average frequencies.

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/record200_layout.h"

namespace audiogram::record100 {

inline constexpr std::size_t kSize = 19472;
inline constexpr std::size_t kMeasCondSize = meas_cond::kSize100;
// The bytes of a 200 curve that a 100 curve lacks: SpeechThresholdType and the four texts.
inline constexpr std::size_t kDroppedPerCurve = meas_cond::kSize - kMeasCondSize;

struct SectionMap {
    std::size_t offset;            // of the section in the 100 record
    std::size_t slots;             // curves in the 100 record
    SectionLayout section200;      // the matching section of the 200 record

    constexpr std::size_t CurveSize() const { return section200.curve.size - kDroppedPerCurve; }
    constexpr std::size_t CurveOffset(std::size_t slot) const { return offset + slot * CurveSize(); }
    constexpr std::size_t PointsOffset() const { return kMeasCondSize; }
    constexpr std::size_t End() const { return offset + slots * CurveSize(); }
};

using record200::SectionOf;

// The one map both conversions between 100 and 200 walk.
inline constexpr std::array kSections = {
    SectionMap{0, 6, SectionOf(Section::ToneThreshold)},
    SectionMap{1848, 6, SectionOf(Section::MostComfortableLevel)},
    SectionMap{3696, 6, SectionOf(Section::UncomfortableLevel)},
    SectionMap{5544, 1, SectionOf(Section::AlternateBinauralLoudnessBalance)},
    SectionMap{7532, 1, SectionOf(Section::Stenger)},
    SectionMap{7840, 2, SectionOf(Section::DifferenceLimenIntensity)},
    SectionMap{8552, 2, SectionOf(Section::DifferenceLimenFrequency)},
    SectionMap{9264, 2, SectionOf(Section::ShortIncrementSensitivityIndex)},
    SectionMap{10072, 2, SectionOf(Section::Decay)},
    SectionMap{11408, 12, SectionOf(Section::SpeechDiscrimination)},
    SectionMap{14528, 12, SectionOf(Section::SpeechReceptionThreshold)},
    SectionMap{17648, 12, SectionOf(Section::SpeechMostComfortableLevel)},
    SectionMap{18560, 12, SectionOf(Section::SpeechUncomfortableLevel)},
};

constexpr bool SectionsAreContiguous() {
    std::size_t expected = 0;
    for (const SectionMap& map : kSections) {
        if (map.offset != expected) return false;
        if (map.slots > map.section200.slots) return false;
        if (map.PointsOffset() + map.section200.curve.PointsSize() != map.CurveSize()) return false;
        expected = map.End();
    }
    return expected == kSize;
}

static_assert(SectionsAreContiguous());
static_assert(kDroppedPerCurve == 138);
static_assert(kSections[0].CurveSize() == 308 && kSections[3].CurveSize() == 1988 &&
              kSections[9].CurveSize() == 260 && kSections[11].CurveSize() == 76 &&
              kSections[8].CurveSize() == 668 && kSections[5].CurveSize() == 356 &&
              kSections[7].CurveSize() == 404);
// The second decay curve begins at 10740; the last speech level curve ends the record.
static_assert(kSections[8].CurveOffset(1) == 10740);
static_assert(kSections[12].CurveOffset(11) == 19396);

}  // namespace audiogram::record100

namespace audiogram {
using Record100Bytes = std::array<std::uint8_t, record100::kSize>;
}
