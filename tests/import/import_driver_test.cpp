// The walk over the root's children: slots, surplus elements, the elements that end the
// walk, failures, and the dispatcher's 500 to 200 and 500 to 100 steps.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/convert500to200.h"
#include "import_test_support.h"
#include "records/missing_value.h"
#include "records/record100_layout.h"
#include "service/blob_dispatcher.h"
#include "support/case_names.h"

namespace audiogram {
namespace {

using test::BytesOf;
using test::Document;
using test::Import;

std::string TonePoint(int frequency, std::string_view pointsName = "TonePoints") {
    const std::string points(pointsName);
    return "<" + points + "><StimulusFrequency>" + std::to_string(frequency) + "</StimulusFrequency></" +
           points + ">";
}

// A curve section of `points` tone points with the frequencies from `firstFrequency` on.
std::string ToneSection(std::string_view name, int firstFrequency, int points = 1) {
    const std::string_view pointsName = name == "StengerAudiogram" ? "StengerPoints"
                                        : name == "AlternateBinauralLoudnessBalanceAudiogram"
                                            ? "AlternateBinauralLoudnessBalancePoints"
                                            : "TonePoints";
    std::string section = "<" + std::string(name) + ">";
    for (int i = 0; i < points; ++i) section += TonePoint(firstFrequency + i, pointsName);
    return section + "</" + std::string(name) + ">";
}

std::int16_t FirstFrequency(const test::ImportResult& result, std::size_t curveOffset,
                            std::size_t point = 0) {
    return result.I16(curveOffset + kToneCurve.PointOffset(point));
}

bool EqualsEmptyRecord(const test::ImportResult& result, std::size_t from = 0,
                       std::size_t to = record200::kSize) {
    const auto empty = test::EmptyRecord();
    return std::equal(result.record->begin() + static_cast<std::ptrdiff_t>(from),
                      result.record->begin() + static_cast<std::ptrdiff_t>(to),
                      empty->begin() + static_cast<std::ptrdiff_t>(from));
}

struct StatusCase {
    const char* name;
    std::string document;
    std::int32_t status;
    bool emptyRecord;
};

const std::vector<StatusCase> kStatusCases = {
    {"EmptyRootGivesTheEmptyRecord", Document(""), 0, true},
    {"EmptyRootWithoutAttributes",
     "<?xml version=\"1.0\"?><TORVAAudiometricStandard></TORVAAudiometricStandard>", 0, true},
    {"RootWithoutAttributesBeforeAChildFails",
     "<TORVAAudiometricStandard><ToneNotes></ToneNotes></TORVAAudiometricStandard>", -1, false},
    {"EmptyDocumentFails", "", -1, false},
    {"DeclarationAloneFails", "<?xml version=\"1.0\"?>\r\n", -1, false},
    {"TruncatedInsideASectionFails",
     test::OpenDocument("<ToneThresholdAudiogram><TonePoints><StimulusLevel>1"), -1, false},
    {"MissingRootEndTagFails", test::OpenDocument("<ToneNotes></ToneNotes>"), -1, false},
    {"LeafWithAttributeFails",
     Document("<SpeechDiscriminationAudiogram><SpeechDiscriminationPoints><ScorePercent unit=\"%\">50"
              "</ScorePercent></SpeechDiscriminationPoints></SpeechDiscriminationAudiogram>"),
     -1, false},
    {"EmptySectionsUseSlotsButChangeNothing",
     Document("<ToneThresholdAudiogram></ToneThresholdAudiogram><ToneNotes/>"), 0, true},
    {"SelfClosingPrivateDataIsNoElement", Document("<PrivateAudiogramData/>"), 0, true},
};

class ImportStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(ImportStatusTest, EndsWithStatus) {
    const auto result = Import(GetParam().document);
    EXPECT_EQ(result.status, GetParam().status);
    if (GetParam().emptyRecord) {
        EXPECT_TRUE(EqualsEmptyRecord(result));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportStatusTest, ::testing::ValuesIn(kStatusCases), testing::CaseName{});

TEST(ImportDriverTest, RepeatedSectionsFillSlotsInDocumentOrder) {
    const auto result = Import(Document(
        ToneSection("ToneThresholdAudiogram", 100) + "<ToneThresholdAudiogram></ToneThresholdAudiogram>" +
        ToneSection("MostComfortableLevel", 300) + ToneSection("ToneThresholdAudiogram", 200)));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(FirstFrequency(result, 0 * 446), 100);
    EXPECT_EQ(FirstFrequency(result, 1 * 446), MissingValue);  // the empty section used slot 1
    EXPECT_EQ(FirstFrequency(result, 2 * 446), 200);
    EXPECT_EQ(FirstFrequency(result, 8028), 300);
}

TEST(ImportDriverTest, SurplusSectionsAreReadAndIgnored) {
    std::string body;
    for (int slot = 0; slot < 20; ++slot) body += ToneSection("ToneThresholdAudiogram", 1000 + slot);
    for (int slot = 0; slot < 3; ++slot)
        body += ToneSection("DecayAudiogram", 10 + slot);  // wrong points: ignored
    body += "<ToneNotes><TestMethod>after</TestMethod></ToneNotes>";
    const auto result = Import(Document(body));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(FirstFrequency(result, 17 * 446), 1017);
    EXPECT_TRUE(EqualsEmptyRecord(result, 18 * 446, 19012));  // nothing beyond the 18 slots
    EXPECT_EQ(result.Text(record200::kToneNotesOffset, record200::notes::kTestMethod), u"after");
}

TEST(ImportDriverTest, SurplusPointsAreReadAndIgnored) {
    const auto result = Import(Document(ToneSection("ToneThresholdAudiogram", 1, 30) +
                                        ToneSection("AlternateBinauralLoudnessBalanceAudiogram", 1, 200) +
                                        ToneSection("ToneThresholdAudiogram", 500)));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(FirstFrequency(result, 0, 23), 24);
    EXPECT_EQ(FirstFrequency(result, 446), 500);  // slot 1's points start afresh
    EXPECT_TRUE(EqualsEmptyRecord(result, 446, 446 + meas_cond::kSize));
    EXPECT_EQ(result.I16(13380 + kLoudnessBalanceCurve.PointOffset(191)), 192);
    EXPECT_TRUE(EqualsEmptyRecord(result, 15506, 19012));  // the Stenger curve after it
}

TEST(ImportDriverTest, SingleSlotSectionsAreOverwritten) {
    const auto result =
        Import(Document(ToneSection("StengerAudiogram", 100, 3) + ToneSection("StengerAudiogram", 900)));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(FirstFrequency(result, 15506, 0), 900);
    EXPECT_EQ(FirstFrequency(result, 15506, 1), 101);  // the second element had one point only
}

TEST(ImportDriverTest, KeysOfTheToneThresholdSectionAreIgnored) {
    const auto result =
        Import(Document("<ToneThresholdAudiogram><PrimaryKey>12</PrimaryKey>" + TonePoint(250) +
                        "<ForeignKey>x</ForeignKey></ToneThresholdAudiogram>"));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(FirstFrequency(result, 0), 250);
    EXPECT_TRUE(EqualsEmptyRecord(result, 446, record200::kSize));
}

TEST(ImportDriverTest, PrivateDataAndUnknownRootChildrenEndTheWalk) {
    for (const char* element : {"<PrivateAudiogramData>QUJD</PrivateAudiogramData>", "<Extra>1</Extra>",
                                "<Extra a=\"1\"><Inner>2</Inner></Extra>"}) {
        const auto result = Import(Document(ToneSection("StengerAudiogram", 100) + std::string(element) +
                                            "<ToneNotes><TestMethod>lost</TestMethod></ToneNotes>"));
        EXPECT_EQ(result.status, 0) << element;
        EXPECT_EQ(FirstFrequency(result, 15506), 100) << element;
        EXPECT_EQ(result.Count(record200::kToneNotesOffset, record200::notes::kTestMethod), 0) << element;
    }
    // Nothing after the element is read, not even a broken rest.
    EXPECT_EQ(Import(Document("<PrivateAudiogramData>QQ==</PrivateAudiogramData><ToneNotes><Te")).status, 0);
    EXPECT_EQ(Import(test::OpenDocument("<PrivateAudiogramData>QQ==")).status, -1);
}

TEST(ImportDriverTest, UnknownElementsInsideSectionsAreSkipped) {
    const auto result = Import(Document(
        "<ToneThresholdAudiogram><Comment lang=\"en\">see <b>chart</b></Comment>"
        "<AudMeasurementConditions><Vendor><Id>7</Id></Vendor><StimulusSignalType>Warble</StimulusSignalType>"
        "</AudMeasurementConditions><TonePoints><Extra/><Note>x</Note><StimulusFrequency>750</"
        "StimulusFrequency>"
        "</TonePoints></ToneThresholdAudiogram>"
        "<ToneThresholdAudiogram>" +
        TonePoint(125) + "</ToneThresholdAudiogram>"));
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.I16(meas_cond::kSignalType), 3);
    EXPECT_EQ(FirstFrequency(result, 0), 750);
    EXPECT_EQ(FirstFrequency(result, 446), 125);
}

TEST(ImportDriverTest, NulEndsTheDocument) {
    std::string document = Document(ToneSection("StengerAudiogram", 100));
    document.push_back('\0');
    document += "<garbage";
    EXPECT_EQ(Import(document).status, 0);
    std::string cut = Document(ToneSection("StengerAudiogram", 100));
    cut[cut.find("</Stenger")] = '\0';
    EXPECT_EQ(Import(cut).status, -1);
}

TEST(ImportDispatchTest, DocumentsBecome200And100Records) {
    std::string document = Document(ToneSection("ToneThresholdAudiogram", 1000) +
                                    "<PrivateAudiogramData>QUJD</PrivateAudiogramData>");
    Blob record200;
    ASSERT_EQ(
        ConvertDataBlob(kDataStandard200, kDataStandard500,
                        MutableByteSpan(reinterpret_cast<std::uint8_t*>(document.data()), document.size()),
                        record200),
        kStatusOk);
    ASSERT_EQ(record200.size(), record200::kSize);  // the private data never comes back as extension bytes
    EXPECT_EQ(LoadI16(record200, kToneCurve.PointOffset(0)), 1000);

    Blob record100;
    ASSERT_EQ(
        ConvertDataBlob(kDataStandard100, kDataStandard500,
                        MutableByteSpan(reinterpret_cast<std::uint8_t*>(document.data()), document.size()),
                        record100),
        kStatusOk);
    EXPECT_EQ(record100.size(), record100::kSize);
}

TEST(ImportDispatchTest, FailedImportsGiveEFailAndNoResult) {
    for (std::string document :
         {std::string(), std::string("<TORVAAudiometricStandard><ToneNotes>"), Document("<ToneNotes>")}) {
        const MutableByteSpan bytes(reinterpret_cast<std::uint8_t*>(document.data()), document.size());
        Blob result{1, 2, 3};
        EXPECT_EQ(ConvertDataBlob(kDataStandard200, kDataStandard500, bytes, result), kStatusFail);
        EXPECT_EQ(result, (Blob{1, 2, 3}));
        EXPECT_EQ(ConvertDataBlob(kDataStandard100, kDataStandard500, bytes, result), kStatusFail);
        EXPECT_EQ(result, (Blob{1, 2, 3}));
    }
}

}  // namespace
}  // namespace audiogram
