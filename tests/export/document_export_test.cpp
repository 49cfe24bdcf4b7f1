#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "export_test_support.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "records/record100_layout.h"
#include "records/record_conversion.h"
#include "service/blob_dispatcher.h"

namespace audiogram::testing {
namespace {

constexpr std::int16_t M = MissingValue;

std::string TonePoint(int depth, std::string_view points, int frequency) {
    return At(depth, "<" + std::string(points) + ">") +
           At(depth + 1, "<StimulusFrequency>" + std::to_string(frequency) + "</StimulusFrequency>") +
           At(depth, "</" + std::string(points) + ">");
}

std::string Curve(std::string_view name, const std::string& points) {
    return At(1, "<" + std::string(name) + ">") + UsedConditions() + points + At(1, "</" + std::string(name) + ">");
}

TEST(DocumentExport, EmptyRecordGivesThreeLines) {
    EXPECT_EQ(ExportDocument(TestRecord().bytes), Document(""));
}

TEST(DocumentExport, BrokenDocumentsAreRefused) {
    EXPECT_NE(LintErrors({"<a><!-- x -- y --></a>"}), "");  // the check itself is live
}

struct ShapeCase {
    std::string_view what;
    std::function<void(TestRecord&)> build;
    std::string body;
};

TEST(DocumentExport, CurvesAndPointsThatCarryNoDataLeaveNothing) {
    const std::vector<ShapeCase> cases = {
        {"unused slot with points", [](TestRecord& r) { r.Point(Section::ToneThreshold, 0, 0, {1000, 1, M, M, M}); },
         ""},
        {"used curve whose first point is the end mark", [](TestRecord& r) { r.Use(Section::Stenger); }, ""},
        {"used curve with only zero frequencies",
         [](TestRecord& r) {
             r.Use(Section::UncomfortableLevel).Point(Section::UncomfortableLevel, 0, 0, {0, 100, M, M, M});
             r.Point(Section::UncomfortableLevel, 0, 1, {0, 200, M, M, M});
         },
         ""},
        {"a zero frequency between two points is skipped",
         [](TestRecord& r) {
             r.Use(Section::ToneThreshold, 5).Point(Section::ToneThreshold, 5, 0, {250, M, M, M, M});
             r.Point(Section::ToneThreshold, 5, 1, {0, 10, M, M, M}).Point(Section::ToneThreshold, 5, 2, {500, M, M, M, M});
         },
         Curve("ToneThresholdAudiogram", TonePoint(2, "TonePoints", 250) + TonePoint(2, "TonePoints", 500))},
        {"single speech point without a stimulus level",
         [](TestRecord& r) { r.Use(Section::SpeechMostComfortableLevel, 11); }, ""},
        {"single speech point with both levels 0",
         [](TestRecord& r) {
             r.Use(Section::SpeechUncomfortableLevel).Point(Section::SpeechUncomfortableLevel, 0, 0, {0, 0, 100, 4});
         },
         ""},
        {"single speech point with data",
         [](TestRecord& r) {
             r.Use(Section::SpeechUncomfortableLevel, 3).Point(Section::SpeechUncomfortableLevel, 3, 0, {700, M, 0, M});
         },
         Curve("SpeechUncomfortableLevel",
               At(2, "<SpeechUncomfortablePoint>") + At(3, "<StimulusLevel>70.0</StimulusLevel>") +
                   At(3, "<ScorePercent>0.00</ScorePercent>") + At(2, "</SpeechUncomfortablePoint>"))},
        {"SISI curve whose first point is the end mark",
         [](TestRecord& r) { r.Use(Section::ShortIncrementSensitivityIndex, 1); }, ""},
        {"a used curve's points after the end mark are not read",
         [](TestRecord& r) {
             r.Use(Section::MostComfortableLevel).Point(Section::MostComfortableLevel, 0, 0, {125, M, M, M, M});
             r.Point(Section::MostComfortableLevel, 0, 2, {8000, M, M, M, M});
         },
         Curve("MostComfortableLevel", TonePoint(2, "TonePoints", 125))},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.what);
        TestRecord record;
        c.build(record);
        EXPECT_EQ(ExportDocument(record.bytes), Document(c.body));
    }
}

TEST(DocumentExport, FullCurvesHaveNoEndMark) {
    TestRecord record;
    record.Use(Section::AlternateBinauralLoudnessBalance).Use(Section::Decay, 1);
    std::string ablb, decay;
    for (std::size_t i = 0; i < 192; ++i) {
        const auto frequency = static_cast<std::int16_t>(100 + i);
        record.Point(Section::AlternateBinauralLoudnessBalance, 0, i, {frequency, M, M, M, M});
        ablb += TonePoint(2, "AlternateBinauralLoudnessBalancePoints", frequency);
    }
    for (std::size_t i = 0; i < 50; ++i) {
        const auto frequency = static_cast<std::int16_t>(1000 + i);
        record.Point(Section::Decay, 1, i, {frequency, 0, M, M, 0, 0});
        decay += At(2, "<DecayPoints>") + At(3, "<StimulusFrequency>" + std::to_string(frequency) + "</StimulusFrequency>") +
                 At(3, "<StimulusLevel>0.0</StimulusLevel>") + At(3, "<StartTime>0.00</StartTime>") +
                 At(3, "<EndTime>0.00</EndTime>") + At(2, "</DecayPoints>");
    }
    EXPECT_EQ(ExportDocument(record.bytes),
              Document(Curve("DecayAudiogram", decay) + Curve("AlternateBinauralLoudnessBalanceAudiogram", ablb)));
}

// UncomfortableLevel before MostComfortableLevel, the notes and masks before the decay
// curves, the frequency limen between the intensity limen and SISI.
TEST(DocumentExport, SectionsFollowTheDocumentOrder) {
    TestRecord record;
    const Section sections[] = {Section::ShortIncrementSensitivityIndex, Section::DifferenceLimenFrequency,
                                Section::DifferenceLimenIntensity, Section::Decay, Section::MostComfortableLevel,
                                Section::UncomfortableLevel};
    for (const Section section : sections) record.Use(section).Point(section, 0, 0, {1000, M, M, M, M, M});
    record.Note(record200::kSpeechNotesOffset, record200::notes::kTestMethod, u"m")
        .Mask(record200::tone_average::kLeftEar2, 0x0008);
    const std::string document = ExportDocument(record.bytes);
    const std::vector<std::string_view> order = {
        "\t<UncomfortableLevel>", "\t<MostComfortableLevel>", "\t<SpeechNotes>", "\t<FrequenciesUsedForToneAverage>",
        "\t<DecayAudiogram>", "\t<DifferenceLimenIntensity>", "\t<DifferenceLimenFrequency>",
        "\t<ShortIncrementSensitivityIndex>"};
    std::size_t previous = 0;
    for (const std::string_view tag : order) {
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
    TestRecord record;
    record.Mask(record200::tone_average::kLeftEar1, 1);
    for (const auto& c : cases) {
        const std::string masks = At(1, "<FrequenciesUsedForToneAverage>") + At(2, "<LeftEar1>125</LeftEar1>") +
                                  At(1, "</FrequenciesUsedForToneAverage>");
        EXPECT_EQ(ExportDocument(record.bytes, c.bytes),
                  Document(masks + At(1, "<PrivateAudiogramData>" + std::string(c.text) + "</PrivateAudiogramData>")));
    }
}

TEST(DocumentExport, Record100GoesThroughRecord200) {
    TestRecord record;
    record.Use(Section::ToneThreshold, 2).Point(Section::ToneThreshold, 2, 0, {4000, M, M, M, M});
    Record100Bytes record100{};
    ConvertRecord200to100(record.bytes, record100);
    Blob source(record100.begin(), record100.end());
    source.push_back(0xFF);
    Blob result;
    ASSERT_EQ(ConvertDataBlob(kDataStandard500, kDataStandard100, source, result), kStatusOk);
    EXPECT_EQ(std::string(result.begin(), result.end()),
              Document(Curve("ToneThresholdAudiogram", TonePoint(2, "TonePoints", 4000)) +
                       At(1, "<PrivateAudiogramData>/w==</PrivateAudiogramData>")));
}

// Random records, from plausible to hostile: codes in and out of their tables, missing
// values, texts with escapes, "--", controls, lone surrogates and non-characters, counts
// that lie, and records of pure noise. Every document must be well-formed XML.
struct RandomRecords {
    std::mt19937 random{20240501};

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    std::int16_t Value() {
        const int pick = Int(0, 5);
        return static_cast<std::int16_t>(pick == 0 ? M : pick == 1 ? Int(-32768, 32767) : Int(0, 25));
    }
    void Text(MutableByteSpan area, CountedTextField field) {
        static constexpr char16_t kHostile[] = {u'-', u'-', u'&', u'<', u'"', 0x01, 0x1F, 0x7F, 0xD800,
                                                0xDC00, 0xFFFE, 0xFFFF, 0xFF78, u'T', u'0', 0x00E9};
        std::u16string text;
        if (Int(0, 3) == 0) text = u"2009-03-17";  // a date the dispatcher completes
        for (int i = text.empty() ? Int(0, static_cast<int>(field.UnitSlots())) : 0; i > 0; --i) {
            text += Int(0, 2) == 0 ? kHostile[Int(0, std::size(kHostile) - 1)] : static_cast<char16_t>(Int(0x20, 0x7E));
        }
        const int count = Int(0, 4) == 0 ? Int(0, 0xFFFF) : Int(0, static_cast<int>(field.capacity));
        StoreText(area, field, text, static_cast<std::uint16_t>(count));
    }

    Blob Next(bool noise) {
        TestRecord record;
        for (std::uint8_t& byte : record.bytes) byte = noise ? static_cast<std::uint8_t>(Int(0, 255)) : byte;
        for (const SectionLayout& section : record200::kCurveSections) {
            for (std::size_t slot = 0; slot < section.slots && !noise; ++slot) {
                if (Int(0, 3) != 0) continue;
                const MutableByteSpan curve = record.CurveBytes(section.section, slot);
                for (std::size_t at = 0; at < meas_cond::kTransducerDescription.offset; at += 2) {
                    if (Int(0, 2) == 0) StoreI16(curve, at, Value());
                }
                for (const CountedTextField field : {meas_cond::kTransducerDescription, meas_cond::kWordListName,
                                                     meas_cond::kHearingInstrumentDescription,
                                                     meas_cond::kAuxiliaryParameterDescription}) {
                    Text(curve, field);
                }
                const auto points = static_cast<std::size_t>(Int(0, static_cast<int>(section.curve.pointCount)));
                for (std::size_t at = section.curve.PointsOffset(); at < section.curve.PointOffset(points); at += 2) {
                    StoreI16(curve, at, Value());
                }
            }
        }
        for (const std::size_t block : {record200::kToneNotesOffset, record200::kSpeechNotesOffset}) {
            namespace n = record200::notes;
            const MutableByteSpan notes = MutableByteSpan(record.bytes).subspan(block, n::kSize);
            for (const CountedTextField field : {n::kAudiometerMakeModel, n::kAudiometerSerialNumber,
                                                 n::kAudiometerLastCalibration, n::kAudiometerLastCalibrationTimeZone,
                                                 n::kTestMethod, n::kTestReliability}) {
                if (!noise) Text(notes, field);
            }
        }
        for (std::size_t mask = 0; mask < record200::tone_average::kSize && !noise; mask += 2) {
            record.Mask(mask, static_cast<std::uint16_t>(Int(0, 2) == 0 ? Int(0, 0xFFFF) : 0));
        }
        Blob blob(record.bytes.begin(), record.bytes.end());
        for (int extra = Int(0, 5); extra > 0; --extra) blob.push_back(static_cast<std::uint8_t>(Int(0, 255)));
        return blob;
    }
};

TEST(DocumentExport, RandomRecordsGiveWellFormedDocuments) {
    RandomRecords random;
    std::vector<std::string> documents;
    for (int i = 0; i < 300; ++i) {
        Blob source = random.Next(i % 5 == 4);
        Blob result;
        ASSERT_EQ(ConvertDataBlob(kDataStandard500, kDataStandard200, source, result), kStatusOk) << i;
        documents.emplace_back(result.begin(), result.end());
        EXPECT_TRUE(documents.back().ends_with("</TORVAAudiometricStandard>\r\n")) << i;
    }
    EXPECT_EQ(LintErrors(documents), "");
}

}  // namespace
}  // namespace audiogram::testing
