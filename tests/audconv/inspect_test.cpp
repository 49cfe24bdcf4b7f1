// What inspect shows of a record: conditions in words, scaled points, notes, tone-average
// frequencies and the export's problems, as aligned text and as JSON read back by jq.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/inspect_output.h"
#include "frontend/inspect_report.h"
#include "model/read_audiogram.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "tool_harness.h"

namespace audiogram::frontend {
namespace {

// A record with one tone curve in slot 3, one speech curve in slot 0, notes and masks.
InspectReport SampleReport() {
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
        .Note(NotesBlock::Tone, record200::notes::kTestMethod, u"\"\\\t\x1f\xD800 end")
        .Note(NotesBlock::Tone, record200::notes::kAudiometerLastCalibration, u"2009-05-01T10:30:00")
        .Note(NotesBlock::Tone, record200::notes::kAudiometerLastCalibrationTimeZone, u"+01:00")
        .ToneAverage(record200::tone_average::kRightEar1, ToneAverageMask({500, 1000, 2000}));
    InspectReport report;
    report.file = "sample \"one\"\xff.ds200";
    report.standard = 200;
    report.size = 36128;
    report.extensionBytes = 0;
    report.audiogram = *model::ReadAudiogram(record.Bytes());
    report.summary = model::Summarize(report.audiogram);
    return report;
}

TEST(InspectText, ShowsConditionsInWordsAndAlignsThePointTable) {
    const std::string text = RenderInspectText(SampleReport());
    const char* kLines[] = {
        "ToneThresholdAudiogram, slot 3\n",
        "    StimulusSignalType:      PureTone\n",
        "    MaskingSignalType:       NarrowBandNoise\n",
        "    StimulusTransducerType:  99 (not in its table)\n",
        "    TransducerDescription:   TDH \"39\"\n",
        "    StimulusOnTime:          0.250 s\n",
        // numbers are right-aligned under their headers; a missing value is "-"
        "     #  StimulusFrequency [Hz]  StimulusLevel [dB]  MaskingFrequency [Hz]  MaskingLevel [dB]  TonePointStatus\n"
        "     0                    1000                25.5                      -                  -  Normal\n"
        "     2                    2000                -5.5                   2000               40.0  NoResponse\n",
        "ScorePercent [%]",
        "    AudiometerMakeModel:        Model ? <A>\n",
        "    AudiometerLastCalibration:  2009-05-01T10:30:00+01:00\n",
        "    RightEar1:  500 1000 2000\n",
        // the summary closes the report
        "    Right ear PTA4:                  not given, no threshold at 500 4000 Hz\n",
        "    Right ear average of RightEar1:  not given, no threshold at 500 Hz\n",
        "    Unilateral:                      no\n",
    };
    for (const char* line : kLines) EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
}

// The JSON is parsed back by the tools scripts use and checked field by field.
TEST(InspectJson, ParsesWithJsonToolAndJqAndCarriesTheReport) {
    test::TempFolder folder;
    InspectReport report = SampleReport();
    report.audiogram.problems = {{"ToneThresholdAudiogram[1]/TonePoints[2]", "TonePointStatus had an invalid value 7"}};
    const std::string file = test::Quote(folder.Write("report.json", RenderInspectJson(report)).string());

    EXPECT_EQ(test::RunShell("python3 -m json.tool " + file, folder.Path()).exitCode, 0);
    const char* kChecks[] = {
        R"(.file == "sample \"one\"\ufffd.ds200" and .dataStandard == 200 and .size == 36128 and .extensionBytes == 0)",
        R"([.sections[].name] == ["ToneThresholdAudiogram", "SpeechDiscriminationAudiogram"])",
        R"(.sections[0].curves[0].slot == 3)",
        R"(.sections[0].curves[0].conditions | keys_unsorted == ["StimulusSignalType", "MaskingSignalType",
           "StimulusSignalOutput", "StimulusTransducerType", "TransducerDescription", "StimulusOnTime"])",
        R"(.sections[0].curves[0].conditions | .StimulusSignalOutput == "AirConductorRight" and
           .StimulusTransducerType == 99 and .StimulusOnTime == 0.25 and .TransducerDescription == "TDH \"39\"")",
        R"([.sections[0].curves[0].points[] | .index] == [0, 2])",
        R"(.sections[0].curves[0].points[0] | .StimulusLevel == 25.5 and .MaskingFrequency == null)",
        R"(.sections[0].curves[0].points[1] | .StimulusLevel == -5.5 and .TonePointStatus == "NoResponse")",
        R"(.sections[1].curves[0].points[0].ScorePercent == 88.5)",
        R"(.notes.ToneNotes.AudiometerMakeModel == "Model \u0001 <A>")",
        R"(.notes.ToneNotes.TestMethod == "\"\\\t\u001f\ufffd end")",
        R"(.notes.ToneNotes.AudiometerLastCalibration == "2009-05-01T10:30:00+01:00")",
        R"(.notes | has("SpeechNotes") | not)",
        R"(.toneAverageFrequencies == {"LeftEar1": [], "LeftEar2": [], "RightEar1": ["500", "1000", "2000"], "RightEar2": []})",
        R"(.problems == [{"where": "ToneThresholdAudiogram[1]/TonePoints[2]", "text": "TonePointStatus had an invalid value 7"}])",
        R"(.sections[0].curves[0] | .ear == "right" and .route == "air" and .masked == true and .transducer == null)",
        R"(.toneAverageFrequenciesHz.RightEar1 == [500, 1000, 2000])",
        R"(.summary.ears[0] | .ear == "right" and .pta4.db == null and .pta4.missingHz == [500, 4000] and
           .recordAverages[0].average.missingHz == [500])",
        R"(.summary | .betterEar == null and .grade == null and .unilateral == false)",
    };
    for (const char* check : kChecks) {
        EXPECT_EQ(test::RunShell("jq -e " + test::Quote(check) + " " + file, folder.Path()).exitCode, 0) << check;
    }
}

}  // namespace
}  // namespace audiogram::frontend
