// The clinical summary against averages worked out by hand: which threshold counts at a
// frequency, when an average is a lower bound or not given, the grade of the better ear,
// the unilateral rule and the air-bone gaps.

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "model/clinical_summary.h"
#include "model/read_audiogram.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"

namespace audiogram::model {
namespace {

// Signal output, signal type and point status codes as the record stores them.
constexpr std::int16_t kAirRight = 3, kAirLeft = 2, kInsertLeft = 11, kBoneRight = 6, kFieldRight = 9;
constexpr std::int16_t kPureTone = 2, kNarrowBandNoise = 4;
constexpr std::int16_t kNormal = 1, kNoResponse = 3, kDidNotTest = 5;
constexpr std::uint16_t kUser1 = 0x2000;  // a frequency bit without hertz

struct TestPoint {
    std::int16_t frequency;
    std::int16_t levelTenths;
    bool masked = false;
    std::int16_t status = kNormal;
};

struct TestCurve {
    std::int16_t output;
    std::vector<TestPoint> points;
    Section section = Section::ToneThreshold;
};

struct SummaryCase {
    const char* name;
    std::vector<TestCurve> curves;
    std::optional<double> rightPta4, leftPta4;
    bool rightLowerBound, leftLowerBound;
    std::vector<int> rightMissing;
    std::optional<Ear> betterEar;
    std::optional<Grade> grade;
    bool gradeLowerBound, unilateral;
};

std::vector<TestPoint> Four(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
    return {{500, a}, {1000, b}, {2000, c}, {4000, d}};
}

const SummaryCase kCases[] = {
    {"normal hearing", {{kAirRight, Four(100, 50, 100, 150)}, {kAirLeft, Four(50, 50, 100, 100)}},
     10.0, 7.5, false, false, {}, Ear::Left, Grade::Normal, false, false},
    {"mild and symmetric: equal averages name both ears",
     {{kAirRight, Four(250, 300, 350, 400)}, {kAirLeft, Four(300, 300, 350, 350)}},
     32.5, 32.5, false, false, {}, Ear::Both, Grade::Mild, false, false},
    {"unilateral: better ear normal, worse ear at 35 dB",
     {{kAirRight, Four(100, 100, 150, 150)}, {kInsertLeft, Four(300, 350, 400, 350)}},
     12.5, 35.0, false, false, {}, Ear::Right, Grade::Normal, false, true},
    {"worse ear just below 35 dB is not unilateral",
     {{kAirRight, Four(100, 100, 150, 150)}, {kAirLeft, Four(345, 345, 345, 345)}},
     12.5, 34.5, false, false, {}, Ear::Right, Grade::Normal, false, false},
    {"no response counts at its level and makes the average a lower bound",
     {{kAirRight, {{500, 700}, {1000, 800}, {2000, 900}, {4000, 1000, false, kNoResponse}}},
      {kAirLeft, Four(600, 700, 800, 900)}},
     85.0, 75.0, true, false, {}, Ear::Left, Grade::Severe, false, false},
    {"a better ear known as a lower bound gives a lower-bound grade",
     {{kAirRight, {{500, 1000}, {1000, 1100}, {2000, 1200, false, kNoResponse}, {4000, 1200, false, kNoResponse}}},
      {kAirLeft, {{500, 1100}, {1000, 1200, false, kNoResponse}, {2000, 1200, false, kNoResponse},
                  {4000, 1200, false, kNoResponse}}}},
     112.5, 117.5, true, true, {}, Ear::Right, Grade::Complete, true, false},
    {"at equal averages the exact one is the better ear",
     {{kAirRight, {{500, 300}, {1000, 300}, {2000, 300}, {4000, 300, false, kNoResponse}}},
      {kAirLeft, Four(300, 300, 300, 300)}},
     30.0, 30.0, true, false, {}, Ear::Left, Grade::Mild, false, false},
    {"a better ear below 20 dB only as a lower bound is not called unilateral",
     {{kAirRight, {{500, 100}, {1000, 100}, {2000, 100}, {4000, 100, false, kNoResponse}}},
      {kAirLeft, Four(500, 500, 500, 500)}},
     10.0, 50.0, true, false, {}, Ear::Right, Grade::Normal, true, false},
    {"a missing frequency gives no average and no grade",
     {{kAirRight, {{500, 100}, {1000, 100}, {2000, 100}, {4000, 100, false, kDidNotTest}}},
      {kAirLeft, Four(100, 100, 100, 100)}},
     std::nullopt, 10.0, false, false, {4000}, std::nullopt, std::nullopt, false, false},
    {"the masked threshold wins wherever it stands; among unmasked ones the first stays",
     {{kAirRight, Four(100, 100, 100, 100)}, {kAirRight, {{1000, 500, true}, {500, 300}}}, {kAirRight, {{1000, 900}}},
      {kAirLeft, Four(100, 100, 100, 100)}},
     20.0, 10.0, false, false, {}, Ear::Left, Grade::Normal, false, false},
    {"bone, sound field and comfort levels are no air thresholds",
     {{kBoneRight, Four(0, 0, 0, 0)}, {kFieldRight, Four(0, 0, 0, 0)},
      {kAirRight, Four(0, 0, 0, 0), Section::MostComfortableLevel}, {kAirLeft, Four(0, 0, 0, 0)}},
     std::nullopt, 0.0, false, false, {500, 1000, 2000, 4000}, std::nullopt, std::nullopt, false, false},
};

Record200Builder Build(const std::vector<TestCurve>& curves) {
    Record200Builder record;
    std::size_t slot = 0;
    for (const TestCurve& c : curves) {
        CurveWriter curve = record.Curve(c.section, slot++);
        curve.Pair(meas_cond::kSignalType, kPureTone, kNarrowBandNoise).Stimulus(meas_cond::kSignalOutput, c.output);
        std::size_t index = 0;
        for (const TestPoint& p : c.points) {
            const std::int16_t masker = p.masked ? p.frequency : 0;
            curve.Point(index++, {p.frequency, p.levelTenths, masker, static_cast<std::int16_t>(p.masked ? 400 : 0),
                                  p.status});
        }
    }
    return record;
}

TEST(ClinicalSummary, AveragesGradesAndTheUnilateralRuleAgreeWithHandWork) {
    for (const SummaryCase& c : kCases) {
        const ClinicalSummary summary = Summarize(*ReadAudiogram(Build(c.curves).Bytes()));
        const Average& right = summary.ears[0].pta4;
        const Average& left = summary.ears[1].pta4;
        EXPECT_EQ(right.db, c.rightPta4) << c.name;
        EXPECT_EQ(left.db, c.leftPta4) << c.name;
        EXPECT_EQ(right.lowerBound, c.rightLowerBound) << c.name;
        EXPECT_EQ(left.lowerBound, c.leftLowerBound) << c.name;
        EXPECT_EQ(right.missingHz, c.rightMissing) << c.name;
        EXPECT_EQ(summary.betterEar, c.betterEar) << c.name;
        EXPECT_EQ(summary.grade, c.grade) << c.name;
        EXPECT_EQ(summary.gradeLowerBound, c.gradeLowerBound) << c.name;
        EXPECT_EQ(summary.unilateral, c.unilateral) << c.name;
    }
}

// Each grade begins at its limit: a tenth of a decibel below it is still the grade before.
TEST(ClinicalSummary, GradesChangeAtTheirLimits) {
    const struct {
        std::int16_t levelTenths;
        Grade grade;
    } kLimits[] = {
        {199, Grade::Normal},   {200, Grade::Mild},     {349, Grade::Mild},
        {350, Grade::Moderate}, {499, Grade::Moderate}, {500, Grade::ModeratelySevere},
        {649, Grade::ModeratelySevere}, {650, Grade::Severe}, {799, Grade::Severe},
        {800, Grade::Profound}, {949, Grade::Profound}, {950, Grade::Complete},
    };
    for (const auto& limit : kLimits) {
        const std::int16_t l = limit.levelTenths;
        const Record200Builder record = Build({{kAirRight, Four(l, l, l, l)}, {kAirLeft, Four(1200, 1200, 1200, 1200)}});
        EXPECT_EQ(Summarize(*ReadAudiogram(record.Bytes())).grade, limit.grade) << l;
    }
}

// The record's own frequencies: an average per mask of the ear, a missing one named, user
// frequencies (no hertz) left out; PTA4 stays on its four frequencies.
TEST(ClinicalSummary, TheRecordsOwnFrequenciesGiveAnAverageOfTheirOwn) {
    Record200Builder record = Build({{kAirRight, {{500, 100}, {1000, 200}, {2000, 300}, {3000, 600}, {4000, 400}}}});
    record.ToneAverage(record200::tone_average::kRightEar1, ToneAverageMask({500, 1000, 2000}))
        .ToneAverage(record200::tone_average::kRightEar2, ToneAverageMask({1000, 3000, 8000}))
        .ToneAverage(record200::tone_average::kLeftEar1, static_cast<std::uint16_t>(ToneAverageMask({500, 1000}) | kUser1));
    const ClinicalSummary summary = Summarize(*ReadAudiogram(record.Bytes()));
    const EarSummary& right = summary.ears[0];
    EXPECT_EQ(right.pta4.db, 25.0);
    ASSERT_EQ(right.recordAverages.size(), 2u);
    EXPECT_EQ(right.recordAverages[0].name, "RightEar1");
    EXPECT_EQ(right.recordAverages[0].average.frequenciesHz, (std::vector<int>{500, 1000, 2000}));
    EXPECT_EQ(right.recordAverages[0].average.db, 20.0);
    EXPECT_EQ(right.recordAverages[1].average.db, std::nullopt);
    EXPECT_EQ(right.recordAverages[1].average.missingHz, std::vector<int>{8000});
    ASSERT_EQ(summary.ears[1].recordAverages.size(), 1u);  // the left ear has no thresholds at all
    EXPECT_EQ(summary.ears[1].recordAverages[0].average.missingHz, (std::vector<int>{500, 1000}));
}

TEST(ClinicalSummary, AirBoneGapsWhereBothRoutesHaveAThresholdThatResponded) {
    const Record200Builder record = Build({
        {kAirRight, {{500, 250}, {1000, 300}, {2000, 400}, {4000, 1200, false, kNoResponse}}},
        {kBoneRight, {{500, 100}, {1000, 350}, {2000, 700, false, kNoResponse}, {4000, 300}, {8000, 200}}},
        {kBoneRight, {{500, 155, true}}},  // masked bone wins
    });
    const std::vector<AirBoneGap> gaps = Summarize(*ReadAudiogram(record.Bytes())).ears[0].airBoneGaps;
    ASSERT_EQ(gaps.size(), 2u);
    EXPECT_EQ(gaps[0].frequencyHz, 500);
    EXPECT_EQ(gaps[0].boneDb, 15.5);
    EXPECT_EQ(gaps[0].gapDb, 9.5);
    EXPECT_EQ(gaps[1].frequencyHz, 1000);
    EXPECT_EQ(gaps[1].gapDb, -5.0);
}

}  // namespace
}  // namespace audiogram::model
