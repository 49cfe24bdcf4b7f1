#include "model/clinical_summary.h"

#include <cmath>
#include <map>
#include <span>

namespace audiogram::model {
namespace {

// A threshold in tenths of a decibel, so that sums and differences stay exact.
struct Threshold {
    int tenths;
    bool noResponse;
    bool masked;
};

using Thresholds = std::map<int, Threshold>;  // by frequency in hertz

struct EarThresholds {
    Thresholds air;
    Thresholds bone;
};

// The masked threshold wins over an unmasked one at the same frequency; otherwise the first
// in record order stays.
void Keep(Thresholds& thresholds, int frequency, const Threshold& threshold) {
    const auto [kept, inserted] = thresholds.emplace(frequency, threshold);
    if (!inserted && threshold.masked && !kept->second.masked) kept->second = threshold;
}

// The air and bone thresholds of one ear from the tone threshold curves; points not tested
// are no thresholds.
EarThresholds ThresholdsOf(const Audiogram& audiogram, Ear ear) {
    EarThresholds thresholds;
    for (const CurveSection& section : audiogram.sections) {
        if (section.section != Section::ToneThreshold) continue;
        for (const Curve& curve : section.curves) {
            if (curve.ear != ear || (curve.route != Route::Air && curve.route != Route::Bone)) continue;
            Thresholds& route = curve.route == Route::Air ? thresholds.air : thresholds.bone;
            for (const Point& point : curve.points) {
                if (!point.tested || !point.frequencyHz || !point.levelDb) continue;
                Keep(route, static_cast<int>(*point.frequencyHz),
                     {static_cast<int>(std::lround(*point.levelDb * 10)), !point.response, point.masked});
            }
        }
    }
    return thresholds;
}

Average AverageOf(const Thresholds& air, std::span<const int> frequencies) {
    Average average{{frequencies.begin(), frequencies.end()}, std::nullopt, false, {}};
    int sum = 0;
    for (const int frequency : frequencies) {
        const auto found = air.find(frequency);
        if (found == air.end()) {
            average.missingHz.push_back(frequency);
            continue;
        }
        sum += found->second.tenths;
        average.lowerBound = average.lowerBound || found->second.noResponse;
    }
    if (average.missingHz.empty() && !frequencies.empty()) {
        average.db = static_cast<double>(sum) / (10.0 * static_cast<double>(frequencies.size()));
    }
    return average;
}

// A no-response threshold is only the audiometer's limit, so it gives no gap.
std::vector<AirBoneGap> GapsOf(const EarThresholds& thresholds) {
    std::vector<AirBoneGap> gaps;
    for (const auto& [frequency, air] : thresholds.air) {
        const auto bone = thresholds.bone.find(frequency);
        if (bone == thresholds.bone.end() || air.noResponse || bone->second.noResponse) continue;
        gaps.push_back({frequency, air.tenths / 10.0, bone->second.tenths / 10.0,
                        static_cast<double>(air.tenths - bone->second.tenths) / 10.0});
    }
    return gaps;
}

EarSummary SummarizeEar(const Audiogram& audiogram, Ear ear) {
    const EarThresholds thresholds = ThresholdsOf(audiogram, ear);
    EarSummary summary{ear, AverageOf(thresholds.air, kPta4FrequenciesHz), {}, GapsOf(thresholds)};
    for (const ToneAverageFrequencies& mask : audiogram.toneAverage) {
        if (mask.ear != ear || mask.frequenciesHz.empty()) continue;
        summary.recordAverages.push_back({mask.name, AverageOf(thresholds.air, mask.frequenciesHz)});
    }
    return summary;
}

// The lower limits of the grades, from the highest down.
struct GradeLimit {
    double fromDb;
    Grade grade;
};

constexpr std::array kGradeLimits = {
    GradeLimit{95, Grade::Complete}, GradeLimit{80, Grade::Profound},         GradeLimit{65, Grade::Severe},
    GradeLimit{50, Grade::ModeratelySevere}, GradeLimit{35, Grade::Moderate}, GradeLimit{20, Grade::Mild},
};

constexpr double kNormalBelowDb = 20;
constexpr double kUnilateralWorseFromDb = 35;

Grade GradeOf(double db) {
    for (const GradeLimit& limit : kGradeLimits) {
        if (db >= limit.fromDb) return limit.grade;
    }
    return Grade::Normal;
}

// The better ear has the lower PTA4. At equal values an exact average is better than a
// lower bound, whose true value may be higher.
void GradeBetterEar(ClinicalSummary& summary) {
    const Average& right = summary.ears[0].pta4;
    const Average& left = summary.ears[1].pta4;
    if (!right.db || !left.db) return;
    const Average* better = &right;
    const Average* worse = &left;
    if (*left.db < *right.db || (*left.db == *right.db && right.lowerBound && !left.lowerBound)) {
        std::swap(better, worse);
        summary.betterEar = Ear::Left;
    } else if (*left.db == *right.db && left.lowerBound == right.lowerBound) {
        summary.betterEar = Ear::Both;
    } else {
        summary.betterEar = Ear::Right;
    }
    summary.grade = GradeOf(*better->db);
    summary.gradeLowerBound = better->lowerBound;
    // a better ear known only as a lower bound may not be below 20 dB at all
    summary.unilateral = *better->db < kNormalBelowDb && !better->lowerBound && *worse->db >= kUnilateralWorseFromDb;
}

}  // namespace

ClinicalSummary Summarize(const Audiogram& audiogram) {
    ClinicalSummary summary;
    summary.ears = {SummarizeEar(audiogram, Ear::Right), SummarizeEar(audiogram, Ear::Left)};
    GradeBetterEar(summary);
    return summary;
}

std::string_view GradeName(Grade grade) {
    switch (grade) {
        case Grade::Normal: return "normal";
        case Grade::Mild: return "mild";
        case Grade::Moderate: return "moderate";
        case Grade::ModeratelySevere: return "moderately severe";
        case Grade::Severe: return "severe";
        case Grade::Profound: return "profound";
        case Grade::Complete: return "complete";
    }
    return "normal";
}

}  // namespace audiogram::model
