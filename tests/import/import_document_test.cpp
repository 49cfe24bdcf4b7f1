// Whole documents imported through the dispatcher, each compared byte for byte with the
// empty record plus the fields the document sets. The round trips prove every field of
// every layout; these show the import's own rules: names no table has, empty and
// self-closing leaves, cuts, slots and cursors, and what ends the walk.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document_test_support.h"
#include "records/missing_value.h"

namespace audiogram::testing {
namespace {

using namespace meas_cond;
namespace n = record200::notes;
namespace t = record200::tone_average;
constexpr std::int16_t M = MissingValue;

// A curve section of `count` tone points with the frequencies from `first` on.
std::string ToneSection(std::string_view section, int first, int count = 1,
                        std::string_view points = "TonePoints") {
    std::string inner;
    for (int i = 0; i < count; ++i) {
        inner += Element(2, points, Leaves(3, "StimulusFrequency=" + std::to_string(first + i)));
    }
    return Element(1, section, inner);
}

struct DocumentCase {
    std::string_view what;
    std::string document;
    std::function<void(Record200Builder&)> expected;  // the fields it sets in the empty record
};

const DocumentCase kCases[] = {
    {"empty root", Document(""), [](auto&) {}},
    {"empty root without attributes", "<TORVAAudiometricStandard></TORVAAudiometricStandard>", [](auto&) {}},
    {"conditions: the last leaf wins, keys are ignored, an unknown name gives the table's first code, "
     "an empty leaf 0, a long text is cut",
     Document(Element(1, "ToneThresholdAudiogram",
                      Element(2, "AudMeasurementConditions",
                              Leaves(3, "StimulusSignalType=Warble|PrimaryKey=7|StimulusSignalType=PureTone|"
                                        "MaskingSignalType=Bogus|MaskingdBWeighting=dBA|MaskingOnTime=-0.001|"
                                        "MaskingPulseModulation=|WordListName=0123456789abcdefghij|"
                                        "ForeignKey=8")))),
     [](auto& r) {
         r.Curve(Section::ToneThreshold, 0).Pair(kSignalType, 2, 0).Masking(kdBWeighting, 2);
         r.Curve(Section::ToneThreshold, 0).Masking(kOnTime, -1).Masking(kPulseModulation, 0);
         r.Curve(Section::ToneThreshold, 0).Text(kWordListName, u"0123456789abcde");
     }},
    {"points: an empty leaf is 0, a self-closing one stays missing, keys are ignored",
     Document(Element(1, "ToneThresholdAudiogram",
                      Leaves(2, "PrimaryKey=12") +
                          Element(2, "TonePoints",
                                  Leaves(3, "StimulusLevel=|<MaskingLevel/>|TonePointStatus=normal|"
                                            "PrimaryKey=1")) +
                          Leaves(2, "ForeignKey=x"))),
     [](auto& r) { r.Curve(Section::ToneThreshold, 0).Point(0, {M, 0, M, M, 1}); }},
    {"notes: quotes and '>' in text, texts and calibration parts cut to their fields",
     Document(Element(1, "ToneNotes",
                      Leaves(2, "AudiometerMakeModel=AC &lt;40&gt;|TestMethod=TDH-39 \"set\"|"
                                "TestReliability=good > fair|ForeignKey=3|AudiometerSerialNumber=" +
                                    std::string(60, 'y'))) +
              Element(1, "SpeechNotes",
                      Leaves(2, "AudiometerLastCalibration=2009-03-17T10:30:00.123456789Zone12345"))),
     [](auto& r) {
         r.Note(NotesBlock::Tone, n::kAudiometerMakeModel, u"AC <40>")
             .Note(NotesBlock::Tone, n::kAudiometerSerialNumber, std::u16string(40, u'y'))
             .Note(NotesBlock::Tone, n::kTestMethod, u"TDH-39 \"set\"")
             .Note(NotesBlock::Tone, n::kTestReliability, u"good > fair")
             .Note(NotesBlock::Speech, n::kAudiometerLastCalibration, u"2009-03-17T10:30:00.1234")
             .Note(NotesBlock::Speech, n::kAudiometerLastCalibrationTimeZone, u"one123");
     }},
    {"a second calibration leaves nothing stale, an empty one changes nothing",
     Document(Element(1, "SpeechNotes", Leaves(2, "AudiometerLastCalibration=2009-03-17T10:30:00-05:00")) +
              Element(1, "SpeechNotes",
                      Leaves(2, "AudiometerLastCalibration=2010-01-02|AudiometerLastCalibration="))),
     [](auto& r) {
         r.Note(NotesBlock::Speech, n::kAudiometerLastCalibration, u"2009-03-17T10:30:00")
             .Note(NotesBlock::Speech, n::kAudiometerLastCalibrationTimeZone, u"-05:00")
             .Note(NotesBlock::Speech, n::kAudiometerLastCalibration, u"2010-01-02")
             .Note(NotesBlock::Speech, n::kAudiometerLastCalibrationTimeZone, u"");
     }},
    {"masks collect bits, unknown and empty names give 125, each element starts empty",
     Document(Element(1, "FrequenciesUsedForToneAverage", Leaves(2, "LeftEar1=500|RightEar1=500")) +
              Element(1, "FrequenciesUsedForToneAverage",
                      Leaves(2, "LeftEar1=1000|LeftEar1=2000|LeftEar2=1250|RightEar1=|<RightEar1/>|"
                                "RightEar2=User3|RightEar2=16000|PrimaryKey=1"))),
     [](auto& r) {
         r.ToneAverage(t::kLeftEar1, 80).ToneAverage(t::kLeftEar2, 1).ToneAverage(t::kRightEar1, 1)
             .ToneAverage(t::kRightEar2, 0x9000);
     }},
    {"sections fill slots in document order, empty ones too; a byte-order mark and comments pass",
     "\xEF\xBB\xBF" + Document(ToneSection("ToneThresholdAudiogram", 100) + "<!-- a > b -->" +
                               "<ToneThresholdAudiogram></ToneThresholdAudiogram><ToneNotes/>" +
                               ToneSection("MostComfortableLevel", 300) +
                               ToneSection("ToneThresholdAudiogram", 200)),
     [](auto& r) {
         r.Curve(Section::ToneThreshold, 0).Point(0, {100});
         r.Curve(Section::ToneThreshold, 2).Point(0, {200});
         r.Curve(Section::MostComfortableLevel, 0).Point(0, {300});
     }},
    {"surplus sections and points are read and ignored; each curve's points start afresh",
     [] {
         std::string body = ToneSection("ToneThresholdAudiogram", 1, 30);
         for (int slot = 1; slot < 20; ++slot) body += ToneSection("ToneThresholdAudiogram", 1000 + slot);
         // Decay curves with points of the wrong kind.
         for (int slot = 0; slot < 3; ++slot) body += ToneSection("DecayAudiogram", 10 + slot);
         return Document(body + Element(1, "ToneNotes", Leaves(2, "TestMethod=after")) +
                         ToneSection("AlternateBinauralLoudnessBalanceAudiogram", 1, 200,
                                     "AlternateBinauralLoudnessBalancePoints"));
     }(),
     [](auto& r) {
         for (std::size_t i = 0; i < 192; ++i) {
             const auto frequency = static_cast<std::int16_t>(i + 1);
             if (i < 24) r.Curve(Section::ToneThreshold, 0).Point(i, {frequency});
             const auto surplus = static_cast<std::int16_t>(1000 + i);
             if (i > 0 && i < 18) r.Curve(Section::ToneThreshold, i).Point(0, {surplus});
             r.Curve(Section::AlternateBinauralLoudnessBalance, 0).Point(i, {frequency});
         }
         r.Note(NotesBlock::Tone, n::kTestMethod, u"after");
     }},
    {"a single-slot section is overwritten point by point",
     Document(ToneSection("StengerAudiogram", 100, 3, "StengerPoints") +
              ToneSection("StengerAudiogram", 900, 1, "StengerPoints")),
     [](auto& r) { r.Curve(Section::Stenger, 0).Point(0, {900}).Point(1, {101}).Point(2, {102}); }},
    {"private data ends the walk: nothing after it is read, not even a broken rest",
     Document(ToneSection("MostComfortableLevel", 100) + Leaves(1, "PrivateAudiogramData=QUJD") +
              "<ToneNotes><TestMethod>lost</TestMethod></ToneNotes><Te"),
     [](auto& r) { r.Curve(Section::MostComfortableLevel, 0).Point(0, {100}); }},
    {"an unknown root child ends the walk",
     Document(ToneSection("MostComfortableLevel", 100) + "<Extra a=\"1\"><Inner>2</Inner></Extra>" +
              Element(1, "ToneNotes", Leaves(2, "TestMethod=lost"))),
     [](auto& r) { r.Curve(Section::MostComfortableLevel, 0).Point(0, {100}); }},
    {"unknown elements inside sections are skipped whole; an end tag may hold a space",
     Document("<ToneThresholdAudiogram><Comment lang=\"en\">see <b>chart</b> here<c/></Comment>"
              "<AudMeasurementConditions><Vendor><Id>7</Id></Vendor><StimulusSignalType>Warble"
              "</StimulusSignalType></AudMeasurementConditions><TonePoints><Extra/><Note>x</Note>"
              "<StimulusFrequency>750</StimulusFrequency></TonePoints></ToneThresholdAudiogram>"
              "<ToneNotes><TestMethod>m</TestMethod></ToneNotes >" +
              ToneSection("ToneThresholdAudiogram", 125)),
     [](auto& r) {
         r.Curve(Section::ToneThreshold, 0).Stimulus(kSignalType, 3).Point(0, {750});
         r.Curve(Section::ToneThreshold, 1).Point(0, {125});
         r.Note(NotesBlock::Tone, n::kTestMethod, u"m");
     }},
};

TEST(ImportDocument, SetsTheFieldsItCarries) {
    for (const DocumentCase& c : kCases) {
        SCOPED_TRACE(c.what);
        Record200Builder expected;
        c.expected(expected);
        const std::optional<Blob> record = Import(c.document);
        ASSERT_TRUE(record.has_value());
        EXPECT_TRUE(SameBytes(*record, expected.Bytes()));
    }
}

}  // namespace
}  // namespace audiogram::testing
