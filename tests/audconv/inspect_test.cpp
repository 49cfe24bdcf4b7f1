#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect_output.h"
#include "inspect_report.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "shell.h"
#include "temp_folder.h"

namespace audiogram::tool {
namespace {

using test::RunShell;
using test::TempFolder;

// A record with one tone curve in slot 3, one speech curve in slot 0, notes and masks.
Record200Builder SampleRecord() {
    Record200Builder record;
    record.Curve(Section::ToneThreshold, 3)
        .Pair(meas_cond::kSignalType, 2, 4)              // PureTone, NarrowBandNoise
        .Stimulus(meas_cond::kSignalOutput, 3)           // AirConductorRight
        .Stimulus(meas_cond::kTransducerType, 99)        // not in its table
        .Stimulus(meas_cond::kOnTime, 250)               // 0.250 s
        .Text(meas_cond::kTransducerDescription, u"TDH \"39\"")
        .Point(0, {1000, 255, MissingValue, MissingValue, 1})
        .Point(1, {0, 999, 0, 0, 1})                     // without data: skipped
        .Point(2, {2000, -55, 2000, 400, 3})
        .EndPoints(3);
    record.Curve(Section::SpeechDiscrimination, 0).Stimulus(meas_cond::kSignalOutput, 10).Point(0, {400, 0, 8850, 25});
    record.Note(NotesBlock::Tone, record200::notes::kAudiometerMakeModel, u"Model \x01 <A>")
        .Note(NotesBlock::Tone, record200::notes::kAudiometerLastCalibration, u"2009-05-01T10:30:00")
        .Note(NotesBlock::Tone, record200::notes::kAudiometerLastCalibrationTimeZone, u"+01:00")
        .ToneAverage(record200::tone_average::kRightEar1, ToneAverageMask({500, 1000, 2000}));
    return record;
}

InspectReport Describe(const Record200Builder& record) {
    InspectReport report;
    report.file = "sample \"one\".ds200";
    report.standard = 200;
    report.size = 36128;
    report.extensionBytes = 0;
    DescribeRecord(record.Bytes(), report);
    return report;
}

TEST(InspectReport, ShowsUsedCurvesWithConditionsInWordsAndScaledPoints) {
    const InspectReport report = Describe(SampleRecord());
    ASSERT_EQ(report.sections.size(), 2u);
    const SectionReport& tone = report.sections[0];
    EXPECT_EQ(tone.name, "ToneThresholdAudiogram");
    ASSERT_EQ(tone.curves.size(), 1u);
    const CurveReport& curve = tone.curves[0];
    EXPECT_EQ(curve.slot, 3u);

    std::vector<std::string> conditions;
    for (const NamedValue& value : curve.conditions) {
        conditions.push_back(value.name + "=" + value.value.text + (value.unit.empty() ? "" : " " + value.unit));
    }
    EXPECT_EQ(conditions, (std::vector<std::string>{
                              "StimulusSignalType=PureTone", "MaskingSignalType=NarrowBandNoise",
                              "StimulusSignalOutput=AirConductorRight", "StimulusTransducerType=99",
                              "TransducerDescription=TDH \"39\"", "StimulusOnTime=0.250 s"}));
    EXPECT_EQ(curve.conditions[3].value.kind, ReportValue::Kind::InvalidCode);

    EXPECT_EQ(curve.pointIndexes, (std::vector<std::size_t>{0, 2}));
    ASSERT_EQ(curve.points.size(), 2u);
    EXPECT_EQ(curve.points[0][1].text, "25.5");
    EXPECT_EQ(curve.points[0][2].kind, ReportValue::Kind::Missing);
    EXPECT_EQ(curve.points[1][1].text, "-5.5");
    EXPECT_EQ(curve.points[1][4].text, "NoResponse");

    const SectionReport& speech = report.sections[1];
    EXPECT_EQ(speech.name, "SpeechDiscriminationAudiogram");
    EXPECT_EQ(speech.columns[2].name, "ScorePercent");
    EXPECT_EQ(speech.columns[2].unit, "%");
    EXPECT_EQ(speech.curves[0].points[0][2].text, "88.50");

    ASSERT_EQ(report.notes.size(), 1u);
    EXPECT_EQ(report.notes[0].name, "ToneNotes");
    EXPECT_EQ(report.notes[0].fields[1].name, "AudiometerLastCalibration");
    EXPECT_EQ(report.notes[0].fields[1].value.text, "2009-05-01T10:30:00+01:00");
    ASSERT_EQ(report.toneAverage.size(), 4u);
    EXPECT_EQ(report.toneAverage[2].name, "RightEar1");
    EXPECT_EQ(report.toneAverage[2].frequencies, (std::vector<std::string>{"500", "1000", "2000"}));
}

TEST(InspectText, AlignsThePointTableAndMarksMissingValues) {
    const std::string text = RenderInspectText(Describe(SampleRecord()));
    EXPECT_NE(text.find("ToneThresholdAudiogram, slot 3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    StimulusTransducerType:  99 (not in its table)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    StimulusOnTime:          0.250 s\n"), std::string::npos) << text;
    // numbers are right-aligned under their headers; a missing value is "-"
    EXPECT_NE(text.find("     #  StimulusFrequency [Hz]  StimulusLevel [dB]  MaskingFrequency [Hz]  MaskingLevel [dB]  "
                        "TonePointStatus\n"
                        "     0                    1000                25.5                      -                  -  "
                        "Normal\n"
                        "     2                    2000                -5.5                   2000               40.0  "
                        "NoResponse\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    AudiometerMakeModel:        Model ? <A>\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    RightEar1:  500 1000 2000\n"), std::string::npos) << text;
}

// The JSON is parsed back by the tools scripts use and checked field by field.
TEST(InspectJson, ParsesWithJsonToolAndJqAndCarriesTheReport) {
    TempFolder folder;
    InspectReport report = Describe(SampleRecord());
    report.problems = {{"ToneThresholdAudiogram[1]/TonePoints[2]", "TonePointStatus had an invalid value 7"}};
    const std::vector<std::uint8_t> json = [&] {
        const std::string text = RenderInspectJson(report);
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }();
    const std::string file = test::Quote(folder.Write("report.json", json).string());

    EXPECT_EQ(RunShell("python3 -m json.tool " + file, folder.Path()).exitCode, 0);
    const char* kChecks[] = {
        R"(.file == "sample \"one\".ds200" and .dataStandard == 200 and .size == 36128 and .extensionBytes == 0)",
        R"([.sections[].name] == ["ToneThresholdAudiogram", "SpeechDiscriminationAudiogram"])",
        R"(.sections[0].curves[0].slot == 3)",
        R"(.sections[0].curves[0].conditions.StimulusSignalOutput == "AirConductorRight")",
        R"(.sections[0].curves[0].conditions.StimulusTransducerType == 99)",
        R"(.sections[0].curves[0].conditions.StimulusOnTime == 0.25)",
        R"(.sections[0].curves[0].conditions.TransducerDescription == "TDH \"39\"")",
        R"([.sections[0].curves[0].points[] | .index] == [0, 2])",
        R"(.sections[0].curves[0].points[0] | .StimulusLevel == 25.5 and .MaskingFrequency == null)",
        R"(.sections[0].curves[0].points[1] | .StimulusLevel == -5.5 and .TonePointStatus == "NoResponse")",
        R"(.sections[1].curves[0].points[0].ScorePercent == 88.5)",
        R"(.notes.ToneNotes.AudiometerMakeModel == "Model \u0001 <A>")",
        R"(.notes.ToneNotes.AudiometerLastCalibration == "2009-05-01T10:30:00+01:00")",
        R"(.notes | has("SpeechNotes") | not)",
        R"(.toneAverageFrequencies == {"LeftEar1": [], "LeftEar2": [], "RightEar1": ["500", "1000", "2000"], "RightEar2": []})",
        R"(.problems == [{"where": "ToneThresholdAudiogram[1]/TonePoints[2]", "text": "TonePointStatus had an invalid value 7"}])",
    };
    for (const char* check : kChecks) {
        EXPECT_EQ(RunShell("jq -e " + test::Quote(check) + " " + file, folder.Path()).exitCode, 0) << check;
    }
}

TEST(InspectJson, EmptyRecordAndHostileTextsStayValidJson) {
    TempFolder folder;
    Record200Builder record;
    record.Note(NotesBlock::Speech, record200::notes::kTestMethod, u"\"\\\t\x1f\xD800 end");
    InspectReport report = Describe(record);
    report.file = "bad\xff name";
    const std::string text = RenderInspectJson(report);
    const std::string file =
        test::Quote(folder.Write("report.json", std::vector<std::uint8_t>(text.begin(), text.end())).string());
    EXPECT_EQ(RunShell("jq -e '.sections == [] and .problems == [] and (.notes.SpeechNotes.TestMethod | "
                       "startswith(\"\\\"\\\\\\t\\u001f\"))' " + file,
                       folder.Path())
                  .exitCode,
              0)
        << text;
}

TEST(ExportProblems, EachCommentGetsThePathOfTheElementItStandsIn) {
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<TORVAAudiometricStandard  ConvertedFromDataStandard=\"200\" Version=\"500\" xmlns=\"x\">\r\n"
        "\t<ToneThresholdAudiogram>\r\n"
        "\t\t<AudMeasurementConditions>\r\n"
        "\t\t\t<StimulusSignalType>PureTone</StimulusSignalType>\r\n"
        "\t\t</AudMeasurementConditions>\r\n"
        "\t\t<TonePoints>\r\n"
        "\t\t\t<StimulusFrequency>500</StimulusFrequency>\r\n"
        "\t\t</TonePoints>\r\n"
        "\t\t<TonePoints>\r\n"
        "\t\t\t<!--TonePointStatus had an invalid value 7, using default instead -->\r\n"
        "\t\t\t<TonePointStatus>Normal</TonePointStatus>\r\n"
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
}  // namespace audiogram::tool
