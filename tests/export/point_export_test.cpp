// The first point of a curve of each point layout, with its defaults and comments; the
// documents are in golden/points.txt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_support.h"
#include "records/missing_value.h"
#include "support/golden.h"

namespace audiogram::testing {
namespace {

constexpr std::int16_t M = MissingValue;

struct PointCase {
    std::string_view what;
    Section section;
    std::vector<std::int16_t> fields;  // the leading fields of the curve's first point
};

const PointCase kPointCases[] = {
    {"tone without masking frequency drops its masking level",
     Section::ToneThreshold,
     {1000, 250, M, 400, 1}},
    {"tone with every field", Section::ToneThreshold, {500, -5, 1000, 300, 3}},
    {"tone status not in the table", Section::ToneThreshold, {1000, 0, M, M, 7}},
    {"tone frequency 0 is no point", Section::ToneThreshold, {0, 250, 500, 300, 1}},
    {"speech with only a masking level", Section::SpeechDiscrimination, {0, 10, 5000, 20}},
    {"speech score missing", Section::SpeechDiscrimination, {300, M, M, M}},
    {"speech score negative", Section::SpeechDiscrimination, {300, 0, -2500, 10}},
    {"decay with missing levels and start", Section::Decay, {1000, M, 2000, M, M, 300}},
    {"decay with negative start and missing end", Section::Decay, {1000, 400, M, 100, -100, M}},
    {"difference limen with only a frequency", Section::DifferenceLimenIntensity, {1000, M, M, M, M, M}},
    {"frequency limen in hundredths", Section::DifferenceLimenFrequency, {1000, 200, 500, M, 125, M}},
    {"SISI writes missing values as they are",
     Section::ShortIncrementSensitivityIndex,
     {1000, M, M, 50, 10, M, 5}},
    {"SISI frequency 0 is no point", Section::ShortIncrementSensitivityIndex, {0, 1, 1000, 5, 1, 2, 5}},
};

TEST(PointExport, EachWriterDefaultsAndComments) {
    std::string documents;
    for (const PointCase& c : kPointCases) {
        Record200Builder record;
        const MutableByteSpan point =
            Use(record, c.section).Bytes().subspan(record200::SectionOf(c.section).curve.PointOffset(0));
        for (std::size_t i = 0; i < c.fields.size(); ++i) StoreI16(point, 2 * i, c.fields[i]);
        documents += NamedExport(c.what, record);
    }
    EXPECT_TRUE(MatchesGolden("points.txt", documents));
}

}  // namespace
}  // namespace audiogram::testing
