#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document_test_support.h"
#include "records/missing_value.h"
#include "support/scoped_program_data.h"

namespace audiogram::testing {
namespace {

// For every test of this program: documents must not depend on the machine's
// configuration, so it stays at its defaults with logging off.
[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedProcessConfiguration);

constexpr std::int16_t M = MissingValue;

std::string TonePoints(std::string_view points, int frequency) {
    return Element(2, points, Leaves(3, "StimulusFrequency=" + std::to_string(frequency)));
}

std::string Curve(std::string_view name, const std::string& points) {
    return Element(1, name, UsedConditions() + points);
}

TEST(DocumentExport, EmptyRecordGivesThreeLines) {
    EXPECT_EQ(ExportDocument(Record200Builder()), Document(""));
    EXPECT_FALSE(Xmllint("--noout", {"<a><!-- x -- y --></a>"}));  // the check itself is live
}

TEST(DocumentExport, CurvesAndPointsThatCarryNoDataLeaveNothing) {
    using Build = std::function<void(Record200Builder&)>;
    const struct {
        std::string_view what;
        Build build;
        std::string body;
    } cases[] = {
        {"unused slot with points",
         [](auto& r) { r.Curve(Section::ToneThreshold, 0).Point(0, {1000, 1}); }, ""},
        {"used curve whose first point is the end mark", [](auto& r) { Use(r, Section::Stenger); }, ""},
        {"used curve with only zero frequencies",
         [](auto& r) { Use(r, Section::UncomfortableLevel).Point(0, {0, 100}).Point(1, {0, 200}); }, ""},
        {"a zero frequency between two points is skipped",
         [](auto& r) { Use(r, Section::ToneThreshold, 5).Point(0, {250}).Point(1, {0, 10}).Point(2, {500}); },
         Curve("ToneThresholdAudiogram", TonePoints("TonePoints", 250) + TonePoints("TonePoints", 500))},
        {"single speech point without a stimulus level",
         [](auto& r) { Use(r, Section::SpeechMostComfortableLevel, 11); }, ""},
        {"single speech point with both levels 0",
         [](auto& r) { Use(r, Section::SpeechUncomfortableLevel).Point(0, {0, 0, 100, 4}); }, ""},
        {"single speech point with data",
         [](auto& r) { Use(r, Section::SpeechUncomfortableLevel, 3).Point(0, {700, M, 0}); },
         Curve("SpeechUncomfortableLevel",
               Element(2, "SpeechUncomfortablePoint", Leaves(3, "StimulusLevel=70.0|ScorePercent=0.00")))},
        {"SISI curve whose first point is the end mark",
         [](auto& r) { Use(r, Section::ShortIncrementSensitivityIndex, 1); }, ""},
        {"a used curve's points after the end mark are not read",
         [](auto& r) { Use(r, Section::MostComfortableLevel).Point(0, {125}).Point(2, {8000}); },
         Curve("MostComfortableLevel", TonePoints("TonePoints", 125))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Record200Builder record;
        c.build(record);
        EXPECT_EQ(ExportDocument(record), Document(c.body));
    }
}

TEST(DocumentExport, FullCurvesHaveNoEndMark) {
    Record200Builder record;
    CurveWriter balance = Use(record, Section::AlternateBinauralLoudnessBalance);
    CurveWriter decay = Use(record, Section::Decay, 1);
    std::string balancePoints, decayPoints;
    for (std::int16_t i = 0; i < 192; ++i) {
        balance.Point(static_cast<std::size_t>(i), {static_cast<std::int16_t>(100 + i)});
        balancePoints += TonePoints("AlternateBinauralLoudnessBalancePoints", 100 + i);
    }
    for (std::int16_t i = 0; i < 50; ++i) {
        decay.Point(static_cast<std::size_t>(i), {static_cast<std::int16_t>(1000 + i), 0, M, M, 0, 0});
        decayPoints += Element(2, "DecayPoints",
                               Leaves(3, "StimulusFrequency=" + std::to_string(1000 + i) +
                                             "|StimulusLevel=0.0|StartTime=0.00|EndTime=0.00"));
    }
    EXPECT_EQ(ExportDocument(record),
              Document(Curve("DecayAudiogram", decayPoints) +
                       Curve("AlternateBinauralLoudnessBalanceAudiogram", balancePoints)));
}

// UncomfortableLevel before MostComfortableLevel, the notes and masks before the decay
// curves, the frequency limen between the intensity limen and SISI.
TEST(DocumentExport, SectionsFollowTheDocumentOrder) {
    Record200Builder record;
    for (const Section section :
         {Section::ShortIncrementSensitivityIndex, Section::DifferenceLimenFrequency,
          Section::DifferenceLimenIntensity, Section::Decay, Section::MostComfortableLevel,
          Section::UncomfortableLevel}) {
        Use(record, section).Point(0, {1000});
    }
    record.Note(NotesBlock::Speech, record200::notes::kTestMethod, u"m")
        .ToneAverage(record200::tone_average::kLeftEar2, 0x0008);
    const std::string document = ExportDocument(record);
    std::size_t previous = 0;
    for (const std::string_view tag :
         {"\t<UncomfortableLevel>", "\t<MostComfortableLevel>", "\t<SpeechNotes>",
          "\t<FrequenciesUsedForToneAverage>", "\t<DecayAudiogram>", "\t<DifferenceLimenIntensity>",
          "\t<DifferenceLimenFrequency>", "\t<ShortIncrementSensitivityIndex>"}) {
        const std::size_t at = document.find(tag);
        ASSERT_NE(at, std::string::npos) << tag;
        EXPECT_GT(at, previous) << tag;
        previous = at;
    }
}

TEST(DocumentExport, ExtensionBytesCloseTheRootAsBase64) {
    const struct {
        std::vector<std::uint8_t> bytes;
        std::string_view text;
    } cases[] = {{{0x41}, "QQ=="}, {{0x41, 0x42}, "QUI="}, {{0x41, 0x42, 0x43}, "QUJD"},
                 {{0xFB, 0xFF, 0x00, 0x10}, "+/8AEA=="}};
    Record200Builder record;
    record.ToneAverage(record200::tone_average::kLeftEar1, 1);
    for (const auto& c : cases) {
        EXPECT_EQ(ExportDocument(record, c.bytes),
                  Document(Element(1, "FrequenciesUsedForToneAverage", Leaves(2, "LeftEar1=125")) +
                           Leaves(1, "PrivateAudiogramData=" + std::string(c.text))));
    }
}

TEST(DocumentExport, Record100GoesThroughRecord200) {
    Record100Builder record;
    record.Curve(Section::ToneThreshold, 2).Stimulus(meas_cond::kSignalType, 2).Point(0, {4000});
    Blob source = record.ToBlob(std::vector<std::uint8_t>{0xFF});
    Blob result;
    ASSERT_EQ(ConvertDataBlob(kDataStandard500, kDataStandard100, source, result), kStatusOk);
    EXPECT_EQ(std::string(result.begin(), result.end()),
              Document(Curve("ToneThresholdAudiogram", TonePoints("TonePoints", 4000)) +
                       Leaves(1, "PrivateAudiogramData=/w==")));
}

}  // namespace
}  // namespace audiogram::testing
