// The model of built records, as inspect renders it in text and JSON (golden/model.txt):
// curves with ear, route, masking and transducer, conditions and points with their units,
// notes and tone-average frequencies in hertz; then what each point means, and the
// export's comments with the paths of their elements.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/inspect_output.h"
#include "frontend/inspect_report.h"
#include "model/export_problems.h"
#include "model/read_audiogram.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "support/golden.h"

namespace audiogram::model {
namespace {

// Two tone curves, a speech curve, notes and two masks.
Record200Builder Sample() {
    Record200Builder record;
    record.Curve(Section::ToneThreshold, 3)
        .Pair(meas_cond::kSignalType, 2, 4)                    // PureTone, NarrowBandNoise
        .Stimulus(meas_cond::kSignalOutput, 12)                // InsertPhoneRight
        .Stimulus(meas_cond::kTransducerType, 2)               // TDH39
        .Stimulus(meas_cond::kOnTime, 250)                     // 0.250 s
        .Point(0, {1000, 255, 0, 0, 1})                        // masker frequency 0: unmasked
        .Point(1, {0, 999, 0, 0, 1})                           // without data: skipped
        .Point(2, {2000, -55, 2000, 400, 3})                   // masked, no response
        .Point(3, {4000, 300, MissingValue, MissingValue, 5})  // did not test
        .EndPoints(4);
    record.Curve(Section::ToneThreshold, 5)
        .Pair(meas_cond::kSignalType, 2, 1)        // no masking signal applied
        .Stimulus(meas_cond::kSignalOutput, 7)     // BoneConductorBinaural
        .Stimulus(meas_cond::kTransducerType, 99)  // not in its table
        .Point(0, {500, 100, 500, 300, 99});       // masker overruled; status not in its table
    record.Curve(Section::SpeechDiscrimination, 0)
        .Stimulus(meas_cond::kSignalType, 5)
        .Point(0, {400, 0, 8850, 25});
    record.Note(audiogram::NotesBlock::Speech, record200::notes::kTestMethod, u"Freiburg")
        .ToneAverage(record200::tone_average::kRightEar1, ToneAverageMask({500, 1000, 2000}))
        .ToneAverage(record200::tone_average::kLeftEar2, 0x4000 | ToneAverageMask({125}));  // User2
    return record;
}

// The sample, then one curve of each special test: their units, scales and meanings differ.
std::vector<Record200Builder> Records() {
    std::vector<Record200Builder> records{Sample()};
    // a braced list's array lives only as long as the call it is passed to, so never in a table
    const auto add = [&records](Section section, std::initializer_list<std::int16_t> point) {
        records.emplace_back().Curve(section, 0).Stimulus(meas_cond::kSiSiParameter, 50).Point(0, point);
    };
    add(Section::Decay, {1000, 455, 0, 0, 150, 300});
    add(Section::DifferenceLimenIntensity, {1000, 455, 0, 0, 15, 3});
    add(Section::DifferenceLimenFrequency, {1000, 455, 0, 0, 15, 1});
    add(Section::ShortIncrementSensitivityIndex, {1000, 455, 0, 0, 15, 20, 19});
    return records;
}

TEST(AudiogramModel, InspectShowsWhatTheModelReads) {
    std::string shown;
    for (const Record200Builder& record : Records()) {
        const frontend::InspectReport report =
            frontend::MakeInspectReport("record", kDataStandard200, record200::kSize, 0, record.Bytes());
        shown += frontend::RenderInspectText(report) + frontend::RenderInspectJson(report);
    }
    EXPECT_TRUE(testing::MatchesGolden("model.txt", shown));
}

// Frequency, level, masker, status, then masked, tested and response, of every point
// (golden/points.txt).
TEST(AudiogramModel, PointsKnowWhetherTheyAreMaskedTestedAndAnswered) {
    std::string shown;
    const auto number = [](std::optional<double> value) { return value ? std::to_string(*value) : "-"; };
    for (const Record200Builder& record : Records()) {
        const Audiogram audiogram = *ReadAudiogram(record.Bytes());
        for (const CurveSection& section : audiogram.sections) {
            for (const Curve& curve : section.curves) {
                for (const Point& p : curve.points) {
                    shown += number(p.frequencyHz) + " " + number(p.levelDb) + " " +
                             number(p.maskingFrequencyHz) + " " + number(p.maskingLevelDb) + " " +
                             p.status.value_or("-") + " " + std::to_string(p.masked) +
                             std::to_string(p.tested) + std::to_string(p.response) + "\n";
                }
            }
        }
    }
    EXPECT_TRUE(testing::MatchesGolden("points.txt", shown));
}

TEST(AudiogramModel, AnInputShorterThanARecordIsNoAudiogram) {
    const Record200Builder record;
    EXPECT_EQ(ReadAudiogram(ByteSpan(record.Bytes()).first(record200::kSize - 1)), std::nullopt);
}

TEST(ExportProblems, EachCommentGetsThePathOfTheElementItStandsIn) {
    const std::string document =
        "<?xml version=\"1.0\"?>\r\n<Root>\r\n\t<ToneThresholdAudiogram>\r\n\t\t<AudMeasurementConditions>\r\n"
        "\t\t</AudMeasurementConditions>\r\n\t\t<TonePoints>\r\n\t\t\t<StimulusFrequency>500</StimulusFrequency>"
        "\r\n\t\t</TonePoints>\r\n\t\t<TonePoints>\r\n\t\t\t<!--TonePointStatus had an invalid value 7 -->\r\n"
        "\t\t</TonePoints>\r\n\t</ToneThresholdAudiogram>\r\n\t<ToneThresholdAudiogram>\r\n"
        "\t\t<!--SignalType1 had an invalid value 99 -->\r\n\t</ToneThresholdAudiogram>\r\n"
        "\t<!--top level -->\r\n</Root>\r\n";
    std::vector<std::string> shown;
    for (const Problem& problem : ExportProblems(document))
        shown.push_back(problem.where + ": " + problem.text);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "ToneThresholdAudiogram[1]/TonePoints[2]: TonePointStatus had an invalid value 7",
                         "ToneThresholdAudiogram[2]: SignalType1 had an invalid value 99", ": top level"}));
}

}  // namespace
}  // namespace audiogram::model
