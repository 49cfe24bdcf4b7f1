#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/measurement_conditions_export.h"
#include "export_test_support.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"

namespace audiogram::testing {
namespace {

constexpr std::int16_t M = MissingValue;
using namespace meas_cond;
constexpr std::size_t kMasking = kPairEntrySize;

// The curve in slot 0 of the tone thresholds with one point, around its conditions.
std::string ToneCurve(const std::string& conditions) {
    return At(1, "<ToneThresholdAudiogram>") + conditions + At(2, "<TonePoints>") +
           At(3, "<StimulusFrequency>1000</StimulusFrequency>") + At(2, "</TonePoints>") +
           At(1, "</ToneThresholdAudiogram>");
}

TestRecord WithOnePoint() {
    TestRecord record;
    record.Point(Section::ToneThreshold, 0, 0, {1000, M, M, M, M});
    return record;
}

TEST(ConditionsExport, CodedRowsDefaultOmitOrComment) {
    TestRecord record = WithOnePoint();
    const struct {
        std::size_t offset;
        std::int16_t value;
    } fields[] = {
        {kSignalType, M},          {kSignalType + kMasking, 42},     {kSignalOutput, M},
        {kSignalOutput + kMasking, 99},                              {kdBWeighting, M},
        {kdBWeighting + kMasking, 9},                                {kPresentationType, M},
        {kTransducerType, 0},      {kTransducerType + kMasking, 1},  {kTransducerCalibrationStandard, -1},
        {kTransducerCalibrationStandard + kMasking, M},              {kHearingInstrumentCondition, 2},
        {kAuxiliary, 1},           {kAuxiliary + kMasking, 13},      {kSpeechThresholdType, 1},
    };
    for (const auto& field : fields) record.Cond(Section::ToneThreshold, 0, field.offset, field.value);

    const std::string conditions =
        At(2, "<AudMeasurementConditions>") + At(3, "<!--Missing SignalType1 inserting default -->") +
        At(3, "<StimulusSignalType>Unknown</StimulusSignalType>") +
        At(3, "<!--MaskingSignalType had an invalid value 42, using default instead -->") +
        At(3, "<MaskingSignalType>Unknown</MaskingSignalType>") +
        At(3, "<!--Missing SignalOutput1 inserting default -->") +
        At(3, "<StimulusSignalOutput>NoSignalOutput</StimulusSignalOutput>") +
        At(3, "<!--MaskingSignalOutput had an invalid value 99, using default instead -->") +
        At(3, "<MaskingSignalOutput>NoSignalOutput</MaskingSignalOutput>") +
        At(3, "<!--Missing dBWeighting1 inserting default -->") + At(3, "<StimulusdBWeighting>HL</StimulusdBWeighting>") +
        At(3, "<!--MaskingdBWeighting had an invalid value 9, using default instead -->") +
        At(3, "<MaskingdBWeighting>HL</MaskingdBWeighting>") +
        At(3, "<MaskingPresentationType>NoPresentationType</MaskingPresentationType>") +
        At(3, "<StimulusTransducerType>Unknown</StimulusTransducerType>") +
        At(3, "<!--StimulusTransducerCalibrationStandard had an invalid value -1, using default instead -->") +
        At(3, "<StimulusTransducerCalibrationStandard>NoTransducerCalibrationStandard"
              "</StimulusTransducerCalibrationStandard>") +
        At(3, "<HearingInstrument_1_Condition>UnAided</HearingInstrument_1_Condition>") +
        At(3, "<!--MaskingAuxiliary had an invalid value 13, using default instead -->") +
        At(3, "<MaskingAuxiliary>Unknown</MaskingAuxiliary>") + At(2, "</AudMeasurementConditions>");
    EXPECT_EQ(ExportDocument(record.bytes), Document(ToneCurve(conditions)));
}

TEST(ConditionsExport, NumbersAndTexts) {
    TestRecord record = WithOnePoint();
    record.Use(Section::ToneThreshold);
    const struct {
        std::size_t offset;
        std::int16_t value;
    } fields[] = {
        {kSpeechThresholdType, 2},  {kOnTime, 250},                     {kOffTime + kMasking, 0},
        {kSiSiParameter, -5},       {kWarbleModulation, -3},            {kWarbleModulationSize + kMasking, 0},
        {kFrequencyModulation, 1250}, {kAmplitudeModulation + kMasking, 5}, {kPulseModulation, 32767},
        {kPulseCycle + kMasking, 100},
    };
    for (const auto& field : fields) record.Cond(Section::ToneThreshold, 0, field.offset, field.value);
    record.CondText(Section::ToneThreshold, 0, kTransducerDescription, u"TDH9")
        .CondText(Section::ToneThreshold, 0, kHearingInstrumentDescription, u"sixteen units!!!", 16)
        .CondText(Section::ToneThreshold, 0, kWordListName, u"List", 5)  // count and text disagree
        .CondText(Section::ToneThreshold, 0, kAuxiliaryParameterDescription, u"A&B<\"C\">");

    const std::string conditions = UsedConditions({
        "<TransducerDescription>TDH9</TransducerDescription>",
        "<AuxiliaryParameterDescription>A&amp;B&lt;&quot;C&quot;&gt;</AuxiliaryParameterDescription>",
        "<SpeechThresholdType>SRT</SpeechThresholdType>",
        "<StimulusOnTime>0.250</StimulusOnTime>",
        "<MaskingOffTime>0.000</MaskingOffTime>",
        "<StimulusSiSiParameter>-0.5</StimulusSiSiParameter>",
        "<StimulusWarbleModulation>-3</StimulusWarbleModulation>",
        "<MaskingWarbleModulationSize>0.00</MaskingWarbleModulationSize>",
        "<StimulusFrequencyModulation>12.50</StimulusFrequencyModulation>",
        "<MaskingAmplitudeModulation>0.5</MaskingAmplitudeModulation>",
        "<StimulusPulseModulation>3276.7</StimulusPulseModulation>",
        "<MaskingPulseCycle>1.00</MaskingPulseCycle>",
    });
    EXPECT_EQ(ExportDocument(record.bytes), Document(ToneCurve(conditions)));
}

// A text that fills its field without a terminator ends at the field's end, not in the
// next field.
TEST(ConditionsExport, UnterminatedTextEndsAtItsField) {
    TestRecord record = WithOnePoint();
    record.Use(Section::ToneThreshold)
        .CondText(Section::ToneThreshold, 0, kTransducerDescription, u"ABCDEFGHIJKLMNOP", 15)
        .CondText(Section::ToneThreshold, 0, kHearingInstrumentDescription, u"next");
    const std::string conditions = UsedConditions({"<TransducerDescription>ABCDEFGHIJKLMNOP</TransducerDescription>",
                                                   "<HearingInstrumentDescription>next</HearingInstrumentDescription>"});
    EXPECT_EQ(ExportDocument(record.bytes), Document(ToneCurve(conditions)));
}

struct CountedTextCase {
    std::vector<std::uint16_t> units;  // u0 (the count) to u16
    std::optional<std::u16string> text;
};

TEST(ConditionsExport, ReadCountedText15) {
    const std::vector<CountedTextCase> cases = {
        {{3, 'a', 'b', 'c', 0}, u"abc"},
        {{0, 'a', 'b', 0}, std::nullopt},                     // no count, no text
        {{4, 'a', 'b', 'c', 0}, std::nullopt},                // count disagrees
        {{15, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 0}, u"abcdefghijklmno"},
        {{16, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p'}, std::nullopt},
        {{'x', 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, u"xy"},  // length in the last unit
        {{1, 0}, std::nullopt},
    };
    for (const CountedTextCase& c : cases) {
        std::vector<std::uint8_t> area(kWordListName.Size(), 0);
        for (std::size_t i = 0; i < c.units.size(); ++i) StoreU16(area, 2 * i, c.units[i]);
        EXPECT_EQ(ReadCountedText15(area, CountedTextField{0, 15}), c.text) << c.units.size();
    }
}

TEST(NotesExport, TextsAndTheCompletedToneDate) {
    namespace n = record200::notes;
    TestRecord record;
    record.Note(record200::kToneNotesOffset, n::kAudiometerMakeModel, u"AC40")
        .Note(record200::kToneNotesOffset, n::kAudiometerSerialNumber, u"S-1", 41)  // count out of range
        .Note(record200::kToneNotesOffset, n::kAudiometerLastCalibration, u"2009-03-17")
        .Note(record200::kToneNotesOffset, n::kTestMethod, u"Hughson-Westlake")
        .Note(record200::kToneNotesOffset, n::kTestReliability, u"good");
    const std::string body = At(1, "<ToneNotes>") + At(2, "<AudiometerMakeModel>AC40</AudiometerMakeModel>") +
                             At(2, "<AudiometerLastCalibration>2009-03-17T00:00:00</AudiometerLastCalibration>") +
                             At(2, "<TestMethod>Hughson-Westlake</TestMethod>") +
                             At(2, "<TestReliability>good</TestReliability>") + At(1, "</ToneNotes>");
    EXPECT_EQ(ExportDocument(record.bytes), Document(body));
}

struct DateCase {
    std::u16string_view date;
    std::u16string_view zone;
    std::uint16_t zoneCount;
    std::string_view line;  // inside SpeechNotes; empty: no element at all
};

// The speech notes are not completed by the dispatcher, so the export's own rule shows.
TEST(NotesExport, CalibrationDates) {
    const DateCase cases[] = {
        {u"2009-03-17", u"", 0, "<AudiometerLastCalibration>2009-03-17T00:00:00</AudiometerLastCalibration>"},
        {u"2009-03-17T10:30:00", u"+01:00", 6,
         "<AudiometerLastCalibration>2009-03-17T10:30:00+01:00</AudiometerLastCalibration>"},
        {u"2009-03-17Z", u"+02", 3, "<AudiometerLastCalibration>2009-03-17Z+02</AudiometerLastCalibration>"},
        {u"2009/03/17", u"", 0, "<!--Error DateOfLastCalibration DateTime string: 2009/03/17 -->"},
        {u"2009-3-17", u"", 0, "<!--Error DateOfLastCalibration DateTime string: 2009-3-17 -->"},
        {u"2009--03-17", u"", 0, "<!--Error DateOfLastCalibration DateTime string: 2009- -03-17 -->"},
        {u"2009-0\x01-17", u"", 0, "<!--Error DateOfLastCalibration DateTime string: 2009-0[1]-17 -->"},
        {u"2009-03-17", u"+01:00", 7, ""},  // zone count out of range: no leaf, no comment
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(c.line);
        TestRecord record;
        record.Note(record200::kSpeechNotesOffset, record200::notes::kAudiometerLastCalibration, c.date)
            .Note(record200::kSpeechNotesOffset, record200::notes::kAudiometerLastCalibrationTimeZone, c.zone,
                  c.zoneCount);
        const std::string body = c.line.empty() ? "" : At(1, "<SpeechNotes>") + At(2, c.line) + At(1, "</SpeechNotes>");
        EXPECT_EQ(ExportDocument(record.bytes), Document(body));
    }
}

TEST(MasksExport, EveryBitFromLowToHigh) {
    namespace t = record200::tone_average;
    TestRecord record;
    record.Mask(t::kLeftEar1, 0x0050).Mask(t::kRightEar1, 0x8001).Mask(t::kRightEar2, 0x0002);
    const std::string body =
        At(1, "<FrequenciesUsedForToneAverage>") + At(2, "<LeftEar1>1000</LeftEar1>") +
        At(2, "<LeftEar1>2000</LeftEar1>") + At(2, "<RightEar1>125</RightEar1>") + At(2, "<RightEar1>User3</RightEar1>") +
        At(2, "<RightEar2>250</RightEar2>") + At(1, "</FrequenciesUsedForToneAverage>");
    EXPECT_EQ(ExportDocument(record.bytes), Document(body));
}

}  // namespace
}  // namespace audiogram::testing
