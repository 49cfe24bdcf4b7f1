// The value-level readers, through whole documents: each leaf lands in its field with its
// conversion, and nothing else of the record changes.

#include "import/section_readers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/calibration_split.h"
#include "import_test_support.h"
#include "records/missing_value.h"

namespace audiogram {
namespace {

using test::Document;
using test::Import;
using test::Shown;

constexpr std::size_t kToneThreshold0 = 0;
constexpr std::size_t kFirstTonePoint = meas_cond::kSize;  // of the first tone-threshold curve

std::string Leaf(std::string_view name, std::string_view text) {
    return "<" + std::string(name) + ">" + std::string(text) + "</" + std::string(name) + ">";
}

std::string ToneCurveWithConditions(std::string_view leaves) {
    return "<ToneThresholdAudiogram><AudMeasurementConditions>" + std::string(leaves) +
           "</AudMeasurementConditions></ToneThresholdAudiogram>";
}

// Every byte outside [offset, offset + size) equals the empty record's.
::testing::AssertionResult OnlyChanged(const test::ImportResult& result, std::size_t offset,
                                       std::size_t size) {
    const auto empty = test::EmptyRecord();
    for (std::size_t i = 0; i < record200::kSize; ++i) {
        if ((i < offset || i >= offset + size) && (*result.record)[i] != (*empty)[i]) {
            return ::testing::AssertionFailure() << "byte " << i << " changed";
        }
    }
    return ::testing::AssertionSuccess();
}

struct ConditionCase {
    const char* element;
    const char* text;
    std::size_t offset;
    std::int16_t expected;
};

// Every field's offset, scale and table is proven by the round trips; these rows show the
// conversions of the import itself: pair entries, names no table has, rounding.
TEST(ReadMeasurementConditionsTest, LeavesFillTheirFields) {
    using namespace meas_cond;
    const ConditionCase cases[] = {
        {"StimulusSignalType", "PureTone", kSignalType, 2},
        {"MaskingSignalType", "Bogus", kSignalType + 2,
         0},  // the table's first code, not the default state's 1
        {"MaskingdBWeighting", "dBA", kdBWeighting + 2, 2},
        {"HearingInstrument_2_Condition", "User2", kHearingInstrumentCondition + 2, 22},
        {"SpeechThresholdType", "SDT", kSpeechThresholdType, 3},
        {"MaskingOnTime", "-0.001", kOnTime + 2, -1},
        {"StimulusWarbleModulation", "7.5", kWarbleModulation, 8},
        {"StimulusWarbleModulationSize", "1.25", kWarbleModulationSize, 125},
        {"MaskingPulseModulation", "", kPulseModulation + 2, 0},
        {"MaskingPulseCycle", "x", kPulseCycle + 2, 0},
    };
    for (const ConditionCase& c : cases) {
        const auto result = Import(Document(ToneCurveWithConditions(Leaf(c.element, c.text))));
        ASSERT_EQ(result.status, 0) << c.element;
        EXPECT_EQ(result.I16(kToneThreshold0 + c.offset), c.expected) << c.element;
        EXPECT_TRUE(OnlyChanged(result, kToneThreshold0 + c.offset, 2)) << c.element;
    }
}

TEST(ReadMeasurementConditionsTest, TextsAreCutToFifteenUnits) {
    const CountedTextField field = meas_cond::kWordListName;
    const auto shortText = Import(Document(ToneCurveWithConditions(Leaf("WordListName", "List &amp; 4"))));
    EXPECT_EQ(shortText.Text(kToneThreshold0, field), u"List & 4");
    EXPECT_EQ(shortText.Count(kToneThreshold0, field), 8);

    const auto longText =
        Import(Document(ToneCurveWithConditions(Leaf("WordListName", "0123456789abcdefghij"))));
    EXPECT_EQ(longText.Text(kToneThreshold0, field), u"0123456789abcde");
    EXPECT_EQ(longText.Count(kToneThreshold0, field), 15);
    EXPECT_TRUE(OnlyChanged(longText, kToneThreshold0 + field.offset, field.Size()));
}

TEST(ReadMeasurementConditionsTest, LastLeafWinsAndKeysAreIgnored) {
    const auto result = Import(Document(
        ToneCurveWithConditions(Leaf("StimulusSignalType", "Warble") + Leaf("PrimaryKey", "7") +
                                Leaf("StimulusSignalType", "WhiteNoise") + Leaf("ForeignKey", "8"))));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.I16(meas_cond::kSignalType), 6);
    EXPECT_TRUE(OnlyChanged(result, meas_cond::kSignalType, 2));
}

struct PointCase {
    const char* section;
    const char* points;
    const char* leaf;
    const char* text;
    std::size_t pointOffset;  // of the first point of the section's first curve
    std::size_t field;
    std::int16_t expected;
};

// One row per points element; the round trips prove every field of every layout.
TEST(ReadPointTest, EveryPointsElementFillsItsLayout) {
    const PointCase cases[] = {
        {"ToneThresholdAudiogram", "TonePoints", "StimulusLevel", "42.25", 206, 2, 423},
        {"MostComfortableLevel", "TonePoints", "MaskingLevel", "-2.45", 8028 + 206, 6, -24},
        {"UncomfortableLevel", "TonePoints", "TonePointStatus", "normal", 10704 + 206, 8, 1},
        {"AlternateBinauralLoudnessBalanceAudiogram", "AlternateBinauralLoudnessBalancePoints",
         "MaskingLevel", "3.5", 13380 + 206, 6, 35},
        {"StengerAudiogram", "StengerPoints", "TonePointStatus", "CouldNotTest", 15506 + 206, 8, 6},
        {"SpeechDiscriminationAudiogram", "SpeechDiscriminationPoints", "ScorePercent", "42.50", 20624 + 206,
         4, 4250},
        {"SpeechReceptionThresholdAudiogram", "SpeechReceptionPoints", "NumberOfWords", "25", 25400 + 206, 6,
         25},
        {"SpeechMostComfortableLevel", "SpeechMostComfortablePoint", "StimulusLevel", "52", 30176 + 206, 0,
         520},
        {"SpeechUncomfortableLevel", "SpeechUncomfortablePoint", "MaskingLevel", "9", 32744 + 206, 2, 90},
        {"DecayAudiogram", "DecayPoints", "StartTime", "0.25", 19012 + 206, 8, 25},
        // ModulationSize is in tenths for intensity and in hundredths for frequency.
        {"DifferenceLimenIntensity", "DifferenceLimenIntensityPoints", "ModulationSize", "1.25", 15952 + 206,
         8, 13},
        {"DifferenceLimenFrequency", "DifferenceLimenFrequencyPoints", "ModulationSize", "1.25", 16940 + 206,
         8, 125},
        {"ShortIncrementSensitivityIndex", "ShortIncrementSensitivityIndexPoints", "NumberOfIncrements", "20",
         17928 + 206, 12, 20},
    };
    for (const PointCase& c : cases) {
        const std::string points = "<" + std::string(c.points) + ">" + Leaf(c.leaf, c.text) +
                                   Leaf("PrimaryKey", "1") + "</" + c.points + ">";
        const auto result =
            Import(Document("<" + std::string(c.section) + ">" + points + "</" + c.section + ">"));
        ASSERT_EQ(result.status, 0) << c.section << " " << c.leaf;
        EXPECT_EQ(result.I16(c.pointOffset + c.field), c.expected) << c.section << " " << c.leaf;
        EXPECT_TRUE(OnlyChanged(result, c.pointOffset + c.field, 2)) << c.section << " " << c.leaf;
    }
}

TEST(ReadPointTest, EmptyLeafStoresZeroAndSelfClosingLeavesMissing) {
    const auto result = Import(Document(
        "<ToneThresholdAudiogram><TonePoints><StimulusLevel></StimulusLevel><MaskingLevel/></TonePoints>"
        "</ToneThresholdAudiogram>"));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.I16(kFirstTonePoint + tone_point::kStimulusLevel), 0);
    EXPECT_EQ(result.I16(kFirstTonePoint + tone_point::kMaskingLevel), MissingValue);
    EXPECT_EQ(result.I16(kFirstTonePoint + tone_point::kStimulusFrequency), MissingValue);
}

struct SplitCase {
    std::u16string text, dateTime, zone;
};

TEST(SplitCalibrationTest, SeparatesTheZone) {
    const SplitCase cases[] = {
        {u"2004-03-01T10:20:00-05:00", u"2004-03-01T10:20:00", u"-05:00"},
        {u"2004-03-01T10:20:00+01:00", u"2004-03-01T10:20:00", u"+01:00"},
        {u"2004-03-01T10:20:00Z", u"2004-03-01T10:20:00Z", u""},
        {u"2004-03-01ZT10", u"2004-03-01Z", u"T10"},
        {u"2004-03-01T10:20:00", u"2004-03-01T10:20:00", u""},
        {u"2004-03-01", u"2004-03-01", u""},  // a bare date stays whole
        {u"2004-3-011", u"2004", u"-3-011"},  // not of the date form
        {u"20a4-03-01", u"20a4", u"-03-01"},
        {u"-05:00", u"-05:00", u""},  // not longer than a zone
        {u"x+05:00", u"x", u"+05:00"},
        {u"", u"", u""},
    };
    for (const SplitCase& c : cases) {
        const CalibrationParts parts = SplitCalibration(c.text);
        EXPECT_EQ(parts.dateTime, c.dateTime) << Shown(c.text);
        EXPECT_EQ(parts.zone, c.zone) << Shown(c.text);
    }
}

TEST(ReadNotesTest, TextsCalibrationAndCuts) {
    namespace n = record200::notes;
    const std::string longText(60, 'y');
    const auto result =
        Import(Document("<ToneNotes>" + Leaf("AudiometerMakeModel", "AC &lt;40&gt;") +
                        Leaf("AudiometerSerialNumber", longText) +
                        Leaf("AudiometerLastCalibration", "2009-03-17T10:30:00+01:00") +
                        Leaf("TestMethod", "TDH-39 \"set\"") + Leaf("TestReliability", "good > fair") +
                        Leaf("ForeignKey", "3") + "</ToneNotes>"));
    ASSERT_EQ(result.status, 0);
    const std::size_t tone = record200::kToneNotesOffset;
    EXPECT_EQ(result.Text(tone, n::kAudiometerMakeModel), u"AC <40>");
    EXPECT_EQ(result.Text(tone, n::kAudiometerSerialNumber), std::u16string(40, u'y'));
    EXPECT_EQ(result.Count(tone, n::kAudiometerSerialNumber), 40);
    EXPECT_EQ(result.Text(tone, n::kAudiometerLastCalibration), u"2009-03-17T10:30:00");
    EXPECT_EQ(result.Count(tone, n::kAudiometerLastCalibration), 19);
    EXPECT_EQ(result.Text(tone, n::kAudiometerLastCalibrationTimeZone), u"+01:00");
    EXPECT_EQ(result.Count(tone, n::kAudiometerLastCalibrationTimeZone), 6);
    EXPECT_EQ(result.Text(tone, n::kTestMethod), u"TDH-39 \"set\"");
    EXPECT_EQ(result.Text(tone, n::kTestReliability), u"good > fair");
    EXPECT_TRUE(OnlyChanged(result, tone, n::kSize));
}

TEST(ReadNotesTest, SecondCalibrationLeavesNothingStaleAndEmptyChangesNothing) {
    namespace n = record200::notes;
    const std::size_t speech = record200::kSpeechNotesOffset;
    const auto result =
        Import(Document("<SpeechNotes>" + Leaf("AudiometerLastCalibration", "2009-03-17T10:30:00-05:00") +
                        "</SpeechNotes>"
                        "<SpeechNotes>" +
                        Leaf("AudiometerLastCalibration", "2010-01-02") +
                        Leaf("AudiometerLastCalibration", "") + "</SpeechNotes>"));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.Text(speech, n::kAudiometerLastCalibration), u"2010-01-02");
    EXPECT_EQ(result.Count(speech, n::kAudiometerLastCalibration), 10);
    EXPECT_EQ(result.Text(speech, n::kAudiometerLastCalibrationTimeZone), u"");
    EXPECT_EQ(result.Count(speech, n::kAudiometerLastCalibrationTimeZone), 0);
}

TEST(ReadNotesTest, OverlongCalibrationPartsAreCut) {
    namespace n = record200::notes;
    const std::size_t tone = record200::kToneNotesOffset;
    const auto result = Import(
        Document("<ToneNotes>" + Leaf("AudiometerLastCalibration", "2009-03-17T10:30:00.123456789Zone12345") +
                 "</ToneNotes>"));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.Text(tone, n::kAudiometerLastCalibration), u"2009-03-17T10:30:00.1234");
    EXPECT_EQ(result.Count(tone, n::kAudiometerLastCalibration), 24);
    EXPECT_EQ(result.Text(tone, n::kAudiometerLastCalibrationTimeZone), u"one123");
    EXPECT_EQ(result.Count(tone, n::kAudiometerLastCalibrationTimeZone), 6);
    EXPECT_TRUE(OnlyChanged(result, tone, n::kSize));
}

TEST(ReadFrequencyMasksTest, LeavesCollectBitsAndEachElementStartsEmpty) {
    const std::size_t masks = record200::kToneAverageOffset;
    const auto collected = Import(
        Document("<FrequenciesUsedForToneAverage><LeftEar1>1000</LeftEar1><LeftEar1>2000</LeftEar1>"
                 "<LeftEar2>1250</LeftEar2><RightEar1></RightEar1><RightEar1/><RightEar2>User3</RightEar2>"
                 "<RightEar2>16000</RightEar2><PrimaryKey>1</PrimaryKey></FrequenciesUsedForToneAverage>"));
    ASSERT_EQ(collected.status, 0);
    EXPECT_EQ(LoadU16(*collected.record, masks + 0), 80);  // 16 | 64
    EXPECT_EQ(LoadU16(*collected.record, masks + 2), 1);   // an unknown name is "125"
    EXPECT_EQ(LoadU16(*collected.record, masks + 4), 1);   // so is an empty one
    EXPECT_EQ(LoadU16(*collected.record, masks + 6), 0x9000);

    const auto restarted = Import(Document(
        "<FrequenciesUsedForToneAverage><LeftEar1>1000</LeftEar1></FrequenciesUsedForToneAverage>"
        "<FrequenciesUsedForToneAverage><RightEar1>500</RightEar1></FrequenciesUsedForToneAverage>"));
    ASSERT_EQ(restarted.status, 0);
    EXPECT_EQ(LoadU16(*restarted.record, masks + 0), 0);
    EXPECT_EQ(LoadU16(*restarted.record, masks + 4), 4);
}

}  // namespace
}  // namespace audiogram
