// Whole documents of built records: what carries no data, full curves, the extension bytes
// and the 100 record; the documents are in golden/document.txt. (The section order and what
// each field writes are in the round trip's golden file of the import tests.)
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document_test_support.h"
#include "records/missing_value.h"
#include "support/golden.h"
#include "support/scoped_program_data.h"

namespace audiogram::testing {
namespace {

// For every test of this program: the dispatcher's text rules read the process's
// configuration, which stays at its defaults here whatever the machine holds.
[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedProcessConfiguration);

constexpr std::int16_t M = MissingValue;

std::string CurvesAndPoints() {
    const struct {
        std::string_view what;
        std::function<void(Record200Builder&)> build;
    } cases[] = {
        {"unused slot with points",
         [](auto& r) {
             r.Curve(Section::ToneThreshold, 0).Point(0, {1000, 1});
         }},
        {"used curve whose first point is the end mark", [](auto& r) { Use(r, Section::Stenger); }},
        {"used curve with only zero frequencies",
         [](auto& r) {
             Use(r, Section::UncomfortableLevel).Point(0, {0, 100}).Point(1, {0, 200});
         }},
        {"a zero frequency between two points is skipped",
         [](auto& r) {
             Use(r, Section::ToneThreshold, 5).Point(0, {250}).Point(1, {0, 10}).Point(2, {500});
         }},
        {"single speech point without a stimulus level",
         [](auto& r) { Use(r, Section::SpeechMostComfortableLevel, 11); }},
        {"single speech point with both levels 0",
         [](auto& r) {
             Use(r, Section::SpeechUncomfortableLevel).Point(0, {0, 0, 100, 4});
         }},
        {"a used curve's points after the end mark are not read",
         [](auto& r) { Use(r, Section::MostComfortableLevel).Point(0, {125}).Point(2, {8000}); }},
        {"full curves have no end mark",
         [](auto& r) {
             for (std::size_t i = 0; i < 192; ++i) {
                 const auto n = static_cast<std::int16_t>(i);
                 Use(r, Section::AlternateBinauralLoudnessBalance)
                     .Point(i, {static_cast<std::int16_t>(100 + n)});
                 if (i < 50)
                     Use(r, Section::Decay, 1).Point(i, {static_cast<std::int16_t>(1000 + n), 0, M, M, 0, 0});
             }
         }},
    };
    std::string documents = NamedExport("empty record", Record200Builder());
    for (const auto& c : cases) {
        Record200Builder record;
        c.build(record);
        documents += NamedExport(c.what, record);
    }
    return documents;
}

// The extension bytes close the root as base64, from a 200 record and through a 100 record.
std::string ExtensionBytes() {
    Record200Builder record;
    record.ToneAverage(record200::tone_average::kLeftEar1, 1);
    std::string documents;
    for (const std::vector<std::uint8_t>& bytes : std::vector<std::vector<std::uint8_t>>{
             {0x41}, {0x41, 0x42}, {0x41, 0x42, 0x43}, {0xFB, 0xFF, 0x00, 0x10}}) {
        documents += NamedExport(std::to_string(bytes.size()) + " extension bytes", record, bytes);
    }
    Record100Builder record100;
    record100.Curve(Section::ToneThreshold, 2).Stimulus(meas_cond::kSignalType, 2).Point(0, {4000});
    return documents +
           NamedExport("100 record", record100.ToBlob(std::vector<std::uint8_t>{0xFF}), kDataStandard100);
}

TEST(DocumentExport, DocumentsMatchTheirGoldenFile) {
    EXPECT_TRUE(MatchesGolden("document.txt", CurvesAndPoints() + ExtensionBytes()));
}

}  // namespace
}  // namespace audiogram::testing
