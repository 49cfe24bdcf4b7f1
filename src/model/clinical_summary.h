#pragma once
// The clinical summary of an audiogram: the pure-tone averages of each ear, the grade of
// hearing loss of the better ear, whether the loss is unilateral, and the air-bone gaps.
// The rules and their sources are in the README ("The clinical summary").

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "model/audiogram.h"

namespace audiogram::model {

// The frequencies of the four-frequency pure-tone average, whatever the record names.
inline constexpr std::array kPta4FrequenciesHz = {500, 1000, 2000, 4000};

struct Average {
    std::vector<int> frequenciesHz;  // averaged over, lowest first
    std::optional<double> db;        // none when a frequency has no threshold
    bool lowerBound = false;         // a no-response threshold counted at its level
    std::vector<int> missingHz;      // the frequencies without a threshold
};

// The average over the frequencies the record itself names for an ear.
struct RecordAverage {
    std::string name;  // the mask's name, e.g. "RightEar1"
    Average average;
};

struct AirBoneGap {
    int frequencyHz;
    double airDb;
    double boneDb;
    double gapDb;  // air minus bone
};

struct EarSummary {
    Ear ear;  // Right or Left
    Average pta4;
    std::vector<RecordAverage> recordAverages;  // one per mask of the ear that names a frequency in hertz
    std::vector<AirBoneGap> airBoneGaps;        // lowest frequency first
};

enum class Grade { Normal, Mild, Moderate, ModeratelySevere, Severe, Profound, Complete };

struct ClinicalSummary {
    std::array<EarSummary, 2> ears{EarSummary{Ear::Right, {}, {}, {}}, EarSummary{Ear::Left, {}, {}, {}}};
    std::optional<Ear> betterEar;  // Both when the two averages are the same; none without both
    std::optional<Grade> grade;    // of the better ear's PTA4
    bool gradeLowerBound = false;  // the better ear's PTA4 is a lower bound
    bool unilateral = false;       // better ear below 20 dB, worse ear 35 dB or more
};

ClinicalSummary Summarize(const Audiogram& audiogram);

// "normal", "mild", "moderate", "moderately severe", "severe", "profound", "complete".
std::string_view GradeName(Grade grade);

}  // namespace audiogram::model
