// The model of a built record: curves with ear, route, masking and transducer, conditions
// and points with numbers as numbers, notes, tone-average frequencies in hertz, and the
// export's comments with the paths of their elements.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/export_problems.h"
#include "model/read_audiogram.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"

namespace audiogram::model {
namespace {

// Two tone curves, a speech curve, notes and two masks.
Audiogram Sample() {
    Record200Builder record;
    record.Curve(Section::ToneThreshold, 3)
        .Pair(meas_cond::kSignalType, 2, 4)         // PureTone, NarrowBandNoise
        .Stimulus(meas_cond::kSignalOutput, 12)     // InsertPhoneRight
        .Stimulus(meas_cond::kTransducerType, 2)    // TDH39
        .Stimulus(meas_cond::kOnTime, 250)          // 0.250 s
        .Point(0, {1000, 255, 0, 0, 1})             // masker frequency 0: unmasked
        .Point(1, {0, 999, 0, 0, 1})                // without data: skipped
        .Point(2, {2000, -55, 2000, 400, 3})        // masked, no response
        .Point(3, {4000, 300, MissingValue, MissingValue, 5})  // did not test
        .EndPoints(4);
    record.Curve(Section::ToneThreshold, 5)
        .Pair(meas_cond::kSignalType, 2, 1)          // no masking signal applied
        .Stimulus(meas_cond::kSignalOutput, 7)       // BoneConductorBinaural
        .Stimulus(meas_cond::kTransducerType, 99)    // not in its table
        .Point(0, {500, 100, 500, 300, 99});          // masker overruled; status not in its table
    record.Curve(Section::SpeechDiscrimination, 0).Stimulus(meas_cond::kSignalType, 5).Point(0, {400, 0, 8850, 25});
    record.Note(audiogram::NotesBlock::Speech, record200::notes::kTestMethod, u"Freiburg")
        .ToneAverage(record200::tone_average::kRightEar1, ToneAverageMask({500, 1000, 2000}))
        .ToneAverage(record200::tone_average::kLeftEar2, 0x4000 | ToneAverageMask({125}));  // User2
    return *ReadAudiogram(record.Bytes());
}

TEST(AudiogramModel, CurvesCarryEarRouteMaskingTransducerAndConditions) {
    const Audiogram audiogram = Sample();
    ASSERT_EQ(audiogram.sections.size(), 2u);
    const CurveSection& tone = audiogram.sections[0];
    EXPECT_EQ(tone.name, "ToneThresholdAudiogram");
    EXPECT_EQ(tone.columns.back().name, "TonePointStatus");
    ASSERT_EQ(tone.curves.size(), 2u);
    const Curve& insert = tone.curves[0];
    EXPECT_EQ(insert.slot, 3u);
    EXPECT_EQ(insert.ear, Ear::Right);
    EXPECT_EQ(insert.route, Route::Air);
    EXPECT_TRUE(insert.masked);
    EXPECT_EQ(insert.transducer, "TDH39");
    ASSERT_EQ(insert.conditions.size(), 5u);
    EXPECT_EQ(insert.conditions[4].name, "StimulusOnTime");
    EXPECT_EQ(insert.conditions[4].value.number, 0.25);
    EXPECT_EQ(insert.conditions[4].value.text, "0.250");
    EXPECT_EQ(insert.conditions[4].unit, "s");
    const Curve& bone = tone.curves[1];
    EXPECT_EQ(bone.ear, Ear::Both);
    EXPECT_EQ(bone.route, Route::Bone);
    EXPECT_FALSE(bone.masked);
    EXPECT_EQ(bone.transducer, std::nullopt);
    const Curve& speech = audiogram.sections[1].curves[0];
    EXPECT_EQ(speech.ear, Ear::None);
    EXPECT_EQ(speech.route, Route::Other);
}

TEST(AudiogramModel, PointsHaveNumbersStatusMaskingAndResponse) {
    const Audiogram audiogram = Sample();
    const std::vector<Point>& points = audiogram.sections[0].curves[0].points;
    ASSERT_EQ(points.size(), 3u);
    const struct {
        std::size_t index;
        std::optional<double> frequency, level, maskingFrequency, maskingLevel;
        std::optional<std::string> status;
        bool masked, tested, response;
    } kExpected[] = {
        {0, 1000, 25.5, std::nullopt, std::nullopt, "Normal", false, true, true},
        {2, 2000, -5.5, 2000, 40.0, "NoResponse", true, true, false},
        {3, 4000, 30.0, std::nullopt, std::nullopt, "DidNotTest", false, false, false},
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].index, kExpected[i].index) << i;
        EXPECT_EQ(points[i].frequencyHz, kExpected[i].frequency) << i;
        EXPECT_EQ(points[i].levelDb, kExpected[i].level) << i;
        EXPECT_EQ(points[i].maskingFrequencyHz, kExpected[i].maskingFrequency) << i;
        EXPECT_EQ(points[i].maskingLevelDb, kExpected[i].maskingLevel) << i;
        EXPECT_EQ(points[i].status, kExpected[i].status) << i;
        EXPECT_EQ(points[i].masked, kExpected[i].masked) << i;
        EXPECT_EQ(points[i].tested, kExpected[i].tested) << i;
        EXPECT_EQ(points[i].response, kExpected[i].response) << i;
    }
    EXPECT_EQ(points[0].values[2].kind, Value::Kind::Number);  // the stored 0 stays in the values
    const Point& overruled = audiogram.sections[0].curves[1].points[0];
    EXPECT_FALSE(overruled.masked);
    EXPECT_EQ(overruled.status, std::nullopt);
    EXPECT_EQ(overruled.values[4].kind, Value::Kind::InvalidCode);
    const Point& speech = audiogram.sections[1].curves[0].points[0];
    EXPECT_EQ(speech.frequencyHz, std::nullopt);
    EXPECT_EQ(speech.levelDb, 40.0);
    EXPECT_EQ(speech.values[2].number, 88.5);
    EXPECT_TRUE(speech.response);
}

// The units, scales and meanings of the special tests' points, which differ per section.
TEST(AudiogramModel, SpecialTestPointsReadWithTheirSectionsUnitsAndScales) {
    const struct {
        Section section;
        std::initializer_list<std::int16_t> point;
        std::vector<std::string> units;
        std::string fifth;  // the value after the masking level
        std::optional<std::string> status;
    } kCases[] = {
        {Section::Decay, {1000, 455, 0, 0, 150, 300}, {"Hz", "dB", "Hz", "dB", "s", "s"}, "1.50", {}},
        {Section::DifferenceLimenIntensity, {1000, 455, 0, 0, 15, 3},
         {"Hz", "dB", "Hz", "dB", "dB", ""}, "1.5", "NoResponse"},
        {Section::DifferenceLimenFrequency, {1000, 455, 0, 0, 15, 1},
         {"Hz", "dB", "Hz", "dB", "", ""}, "0.15", "Normal"},
        {Section::ShortIncrementSensitivityIndex, {1000, 455, 0, 0, 15, 20, 19},
         {"Hz", "dB", "Hz", "dB", "dB", "", ""}, "1.5", {}},
    };
    for (const auto& test : kCases) {
        Record200Builder record;
        record.Curve(test.section, 0).Stimulus(meas_cond::kSiSiParameter, 50).Point(0, test.point);
        const Audiogram audiogram = *ReadAudiogram(record.Bytes());
        ASSERT_EQ(audiogram.sections.size(), 1u);
        const CurveSection& section = audiogram.sections[0];
        std::vector<std::string> units;
        for (const Column& column : section.columns) units.push_back(column.unit);
        EXPECT_EQ(units, test.units) << section.name;
        const Curve& curve = section.curves[0];
        ASSERT_EQ(curve.conditions.size(), 1u);
        EXPECT_EQ(curve.conditions[0].name, "StimulusSiSiParameter");
        EXPECT_EQ(curve.conditions[0].value.text, "5.0");
        EXPECT_EQ(curve.conditions[0].unit, "dB");
        const Point& point = curve.points[0];
        EXPECT_EQ(point.frequencyHz, 1000.0) << section.name;
        EXPECT_EQ(point.levelDb, 45.5) << section.name;
        EXPECT_EQ(point.values[4].text, test.fifth) << section.name;
        EXPECT_EQ(point.status, test.status) << section.name;
        EXPECT_EQ(point.response, test.status != "NoResponse") << section.name;
    }
}

TEST(AudiogramModel, NotesAndToneAverageFrequenciesInHertz) {
    const Audiogram audiogram = Sample();
    ASSERT_EQ(audiogram.notes.size(), 1u);
    EXPECT_EQ(audiogram.notes[0].name, "SpeechNotes");
    EXPECT_EQ(audiogram.notes[0].fields[0].value.text, "Freiburg");
    ASSERT_EQ(audiogram.toneAverage.size(), 4u);
    EXPECT_EQ(audiogram.toneAverage[1].name, "LeftEar2");
    EXPECT_EQ(audiogram.toneAverage[1].ear, Ear::Left);
    EXPECT_EQ(audiogram.toneAverage[1].names, (std::vector<std::string>{"125", "User2"}));
    EXPECT_EQ(audiogram.toneAverage[1].frequenciesHz, std::vector<int>{125});
    EXPECT_EQ(audiogram.toneAverage[2].ear, Ear::Right);
    EXPECT_EQ(audiogram.toneAverage[2].frequenciesHz, (std::vector<int>{500, 1000, 2000}));
}

TEST(AudiogramModel, AnInputShorterThanARecordIsNoAudiogram) {
    const Record200Builder record;
    EXPECT_EQ(ReadAudiogram(ByteSpan(record.Bytes()).first(record200::kSize - 1)), std::nullopt);
}

TEST(ExportProblems, EachCommentGetsThePathOfTheElementItStandsIn) {
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<TORVAAudiometricStandard  ConvertedFromDataStandard=\"200\" Version=\"500\" xmlns=\"x\">\r\n"
        "\t<ToneThresholdAudiogram>\r\n"
        "\t\t<AudMeasurementConditions>\r\n"
        "\t\t</AudMeasurementConditions>\r\n"
        "\t\t<TonePoints>\r\n"
        "\t\t\t<StimulusFrequency>500</StimulusFrequency>\r\n"
        "\t\t</TonePoints>\r\n"
        "\t\t<TonePoints>\r\n"
        "\t\t\t<!--TonePointStatus had an invalid value 7, using default instead -->\r\n"
        "\t\t</TonePoints>\r\n"
        "\t</ToneThresholdAudiogram>\r\n"
        "\t<ToneThresholdAudiogram>\r\n"
        "\t\t<!--SignalType1 had an invalid value 99, using default instead -->\r\n"
        "\t</ToneThresholdAudiogram>\r\n"
        "\t<!--top level -->\r\n"
        "</TORVAAudiometricStandard>\r\n";
    const std::vector<Problem> problems = ExportProblems(document);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].where, "ToneThresholdAudiogram[1]/TonePoints[2]");
    EXPECT_EQ(problems[0].text, "TonePointStatus had an invalid value 7, using default instead");
    EXPECT_EQ(problems[1].where, "ToneThresholdAudiogram[2]");
    EXPECT_EQ(problems[2].where, "");
    EXPECT_EQ(problems[2].text, "top level");
}

}  // namespace
}  // namespace audiogram::model
