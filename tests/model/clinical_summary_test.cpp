// The clinical summary of built records, as inspect writes it in one JSON line per case
// (golden/summary.txt, worked out by hand once): which threshold counts at a frequency, when
// an average is a lower bound or not given, the grade of the better ear and its limits, the
// unilateral rule, the record's own averages and the air-bone gaps.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/inspect_output.h"
#include "frontend/inspect_report.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "support/golden.h"

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

std::vector<TestPoint> Four(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
    return {{500, a}, {1000, b}, {2000, c}, {4000, d}};
}

constexpr TestPoint NoResponse(std::int16_t frequency, std::int16_t levelTenths) {
    return {frequency, levelTenths, false, kNoResponse};
}

struct SummaryCase {
    std::string name;
    std::vector<TestCurve> curves;
};

std::vector<SummaryCase> Cases() {
    std::vector<SummaryCase> cases = {
        {"normal hearing", {{kAirRight, Four(100, 50, 100, 150)}, {kAirLeft, Four(50, 50, 100, 100)}}},
        {"mild and symmetric: equal averages name both ears",
         {{kAirRight, Four(250, 300, 350, 400)}, {kAirLeft, Four(300, 300, 350, 350)}}},
        {"unilateral: better ear normal, worse ear at 35 dB",
         {{kAirRight, Four(100, 100, 150, 150)}, {kInsertLeft, Four(300, 350, 400, 350)}}},
        {"worse ear just below 35 dB is not unilateral",
         {{kAirRight, Four(100, 100, 150, 150)}, {kAirLeft, Four(345, 345, 345, 345)}}},
        {"no response counts at its level and makes the average a lower bound",
         {{kAirRight, {{500, 700}, {1000, 800}, {2000, 900}, NoResponse(4000, 1000)}},
          {kAirLeft, Four(600, 700, 800, 900)}}},
        {"a better ear known as a lower bound gives a lower-bound grade",
         {{kAirRight, {{500, 1000}, {1000, 1100}, NoResponse(2000, 1200), NoResponse(4000, 1200)}},
          {kAirLeft, {{500, 1100}, NoResponse(1000, 1200), NoResponse(2000, 1200), NoResponse(4000, 1200)}}}},
        {"at equal averages the exact one is the better ear",
         {{kAirRight, {{500, 300}, {1000, 300}, {2000, 300}, NoResponse(4000, 300)}},
          {kAirLeft, Four(300, 300, 300, 300)}}},
        {"a better ear below 20 dB only as a lower bound is not called unilateral",
         {{kAirRight, {{500, 100}, {1000, 100}, {2000, 100}, NoResponse(4000, 100)}},
          {kAirLeft, Four(500, 500, 500, 500)}}},
        {"a missing frequency gives no average and no grade",
         {{kAirRight, {{500, 100}, {1000, 100}, {2000, 100}, {4000, 100, false, kDidNotTest}}},
          {kAirLeft, Four(100, 100, 100, 100)}}},
        {"the masked threshold wins wherever it stands; among unmasked ones the first stays",
         {{kAirRight, Four(100, 100, 100, 100)},
          {kAirRight, {{1000, 500, true}, {500, 300}}},
          {kAirRight, {{1000, 900}}},
          {kAirLeft, Four(100, 100, 100, 100)}}},
        {"bone, sound field and comfort levels are no air thresholds",
         {{kBoneRight, Four(0, 0, 0, 0)},
          {kFieldRight, Four(0, 0, 0, 0)},
          {kAirRight, Four(0, 0, 0, 0), Section::MostComfortableLevel},
          {kAirLeft, Four(0, 0, 0, 0)}}},
        {"air-bone gaps where both routes have a threshold that responded; masked bone wins",
         {{kAirRight, {{500, 250}, {1000, 300}, {2000, 400}, NoResponse(4000, 1200)}},
          {kBoneRight, {{500, 100}, {1000, 350}, NoResponse(2000, 700), {4000, 300}, {8000, 200}}},
          {kBoneRight, {{500, 155, true}}}}},
    };
    // Each grade begins at its limit: a tenth of a decibel below it is still the grade before.
    for (const std::int16_t l :
         std::initializer_list<std::int16_t>{199, 200, 349, 350, 499, 500, 649, 650, 799, 800, 949, 950}) {
        cases.push_back({"grade limit " + std::to_string(l),
                         {{kAirRight, Four(l, l, l, l)}, {kAirLeft, Four(1200, 1200, 1200, 1200)}}});
    }
    return cases;
}

Record200Builder Build(const std::vector<TestCurve>& curves) {
    Record200Builder record;
    std::size_t slot = 0;
    for (const TestCurve& c : curves) {
        CurveWriter curve = record.Curve(c.section, slot++);
        curve.Pair(meas_cond::kSignalType, kPureTone, kNarrowBandNoise)
            .Stimulus(meas_cond::kSignalOutput, c.output);
        std::size_t index = 0;
        for (const TestPoint& p : c.points) {
            const std::int16_t masker = p.masked ? p.frequency : 0;
            curve.Point(index++, {p.frequency, p.levelTenths, masker,
                                  static_cast<std::int16_t>(p.masked ? 400 : 0), p.status});
        }
    }
    return record;
}

std::string SummaryLine(const std::string& name, const Record200Builder& record) {
    const frontend::InspectReport report =
        frontend::MakeInspectReport(name, kDataStandard200, record200::kSize, 0, record.Bytes());
    return frontend::RenderInspect(report, frontend::InspectView::Summary, frontend::InspectFormat::JsonLine);
}

TEST(ClinicalSummary, AveragesGradesGapsAndTheUnilateralRule) {
    std::string lines;
    for (const SummaryCase& c : Cases()) lines += SummaryLine(c.name, Build(c.curves));
    // The record's own frequencies: an average per mask of the ear, a missing one named, user
    // frequencies (no hertz) left out; PTA4 stays on its four frequencies.
    Record200Builder record =
        Build({{kAirRight, {{500, 100}, {1000, 200}, {2000, 300}, {3000, 600}, {4000, 400}}}});
    record.ToneAverage(record200::tone_average::kRightEar1, ToneAverageMask({500, 1000, 2000}))
        .ToneAverage(record200::tone_average::kRightEar2, ToneAverageMask({1000, 3000, 8000}))
        .ToneAverage(record200::tone_average::kLeftEar1,
                     static_cast<std::uint16_t>(ToneAverageMask({500, 1000}) | kUser1));
    lines += SummaryLine("the record's own frequencies", record);
    EXPECT_TRUE(testing::MatchesGolden("summary.txt", lines));
}

}  // namespace
}  // namespace audiogram::model
