#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_support.h"
#include "records/missing_value.h"

namespace audiogram::testing {
namespace {

constexpr std::int16_t M = MissingValue;

struct PointCase {
    std::string_view what;
    Section section;
    std::vector<std::int16_t> fields;  // the leading fields of the curve's first point
    std::string_view leaves;           // inside the points element; none: the curve vanishes
};

const PointCase kPointCases[] = {
    {"tone without masking frequency drops its masking level", Section::ToneThreshold, {1000, 250, M, 400, 1},
     "StimulusFrequency=1000|StimulusLevel=25.0|TonePointStatus=Normal"},
    {"tone with every field", Section::ToneThreshold, {500, -5, 1000, 300, 3},
     "StimulusFrequency=500|StimulusLevel=-0.5|MaskingFrequency=1000|MaskingLevel=30.0|"
     "TonePointStatus=NoResponse"},
    {"tone status not in the table", Section::ToneThreshold, {1000, 0, M, M, 7},
     "StimulusFrequency=1000|StimulusLevel=0.0|"
     "<!--TonePointStatus had an invalid value 7, using default instead -->|TonePointStatus=Normal"},
    {"tone frequency 0 is no point", Section::ToneThreshold, {0, 250, 500, 300, 1}, ""},
    {"speech with only a masking level", Section::SpeechDiscrimination, {0, 10, 5000, 20},
     "StimulusLevel=0.0|MaskingLevel=1.0|ScorePercent=50.00|NumberOfWords=20"},
    {"speech score missing", Section::SpeechDiscrimination, {300, M, M, M},
     "StimulusLevel=30.0|<!--Missing ScorePct inserting 0 -->|ScorePercent=0.00"},
    {"speech score negative", Section::SpeechDiscrimination, {300, 0, -2500, 10},
     "StimulusLevel=30.0|MaskingLevel=0.0|<!--ScorePct was less than 0 -->|ScorePercent=25.00|"
     "NumberOfWords=10"},
    {"decay with missing levels and start", Section::Decay, {1000, M, 2000, M, M, 300},
     "StimulusFrequency=1000|<!--Mising Intensity1 inserting a zero -->|StimulusLevel=0.0|"
     "MaskingFrequency=2000|<!--Mising Intensity2 inserting a zero -->|MaskingLevel=0.0|"
     "<!--Missing StartTime inserting Zero -->|StartTime=0.00|EndTime=0.00"},
    {"decay with negative start and missing end", Section::Decay, {1000, 400, M, 100, -100, M},
     "StimulusFrequency=1000|StimulusLevel=40.0|<!--StartTime was less than 0 -->|StartTime=0.00|"
     "<!--Missing EndTime inserting Zero -->|EndTime=0.00"},
    {"difference limen with only a frequency", Section::DifferenceLimenIntensity, {1000, M, M, M, M, M},
     "StimulusFrequency=1000|<!--Missing Intensity1 inserting a Zero -->|StimulusLevel=0.0|"
     "<!--Missing ModulationSize inserting a Unknown -->|ModulationSize=0.0|"
     "<!--Missing DifferenceLimenIntensityPointStatus inserting a Unknown -->|"
     "DifferenceLimenIntensityPointStatus=Unknown"},
    {"frequency limen in hundredths", Section::DifferenceLimenFrequency, {1000, 200, 500, M, 125, M},
     "StimulusFrequency=1000|StimulusLevel=20.0|MaskingFrequency=500|"
     "<!--Missing Intensity2 inserting a Zero -->|MaskingLevel=0.0|ModulationSize=1.25|"
     "<!--Missing DifferenceLimenFrequencyPointStatus inserting a Unknown -->|"
     "DifferenceLimenFrequencyPointStatus=Unknown"},
    {"SISI writes missing values as they are", Section::ShortIncrementSensitivityIndex,
     {1000, M, M, 50, 10, M, 5},
     "StimulusFrequency=1000|StimulusLevel=-3276.7|MaskingLevel=5.0|ModulationSize=1.0|"
     "NumberOfAnswers=-32767|NumberOfIncrements=5"},
    {"SISI frequency 0 is no point", Section::ShortIncrementSensitivityIndex, {0, 1, 1000, 5, 1, 2, 5}, ""},
};

TEST(PointExport, EachWriterDefaultsAndComments) {
    const struct {
        Section section;
        std::string_view curve, points;
    } names[] = {
        {Section::ToneThreshold, "ToneThresholdAudiogram", "TonePoints"},
        {Section::SpeechDiscrimination, "SpeechDiscriminationAudiogram", "SpeechDiscriminationPoints"},
        {Section::Decay, "DecayAudiogram", "DecayPoints"},
        {Section::DifferenceLimenIntensity, "DifferenceLimenIntensity", "DifferenceLimenIntensityPoints"},
        {Section::DifferenceLimenFrequency, "DifferenceLimenFrequency", "DifferenceLimenFrequencyPoints"},
        {Section::ShortIncrementSensitivityIndex, "ShortIncrementSensitivityIndex",
         "ShortIncrementSensitivityIndexPoints"},
    };
    for (const PointCase& c : kPointCases) {
        SCOPED_TRACE(c.what);
        Record200Builder record;
        const MutableByteSpan point =
            Use(record, c.section).Bytes().subspan(record200::SectionOf(c.section).curve.PointOffset(0));
        for (std::size_t i = 0; i < c.fields.size(); ++i) StoreI16(point, 2 * i, c.fields[i]);
        std::string body;
        for (const auto& n : names) {
            if (n.section != c.section || c.leaves.empty()) continue;
            body = Element(1, n.curve, UsedConditions() + Element(2, n.points, Leaves(3, c.leaves)));
        }
        EXPECT_EQ(ExportDocument(record), Document(body));
    }
}

}  // namespace
}  // namespace audiogram::testing
