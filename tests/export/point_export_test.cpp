#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export_test_support.h"
#include "records/missing_value.h"

namespace audiogram::testing {
namespace {

constexpr std::int16_t M = MissingValue;

struct PointCase {
    std::string_view what;
    Section section;
    std::vector<std::int16_t> fields;
    std::vector<std::string_view> leaves;  // inside the points element; none: the curve vanishes
};

struct CurveNames {
    Section section;
    std::string_view curve, points;
};
constexpr CurveNames kNames[] = {
    {Section::ToneThreshold, "ToneThresholdAudiogram", "TonePoints"},
    {Section::SpeechDiscrimination, "SpeechDiscriminationAudiogram", "SpeechDiscriminationPoints"},
    {Section::Decay, "DecayAudiogram", "DecayPoints"},
    {Section::DifferenceLimenIntensity, "DifferenceLimenIntensity", "DifferenceLimenIntensityPoints"},
    {Section::DifferenceLimenFrequency, "DifferenceLimenFrequency", "DifferenceLimenFrequencyPoints"},
    {Section::ShortIncrementSensitivityIndex, "ShortIncrementSensitivityIndex",
     "ShortIncrementSensitivityIndexPoints"},
};

const std::vector<PointCase> kPointCases = {
    {"tone without masking frequency drops its masking level", Section::ToneThreshold, {1000, 250, M, 400, 1},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>25.0</StimulusLevel>",
      "<TonePointStatus>Normal</TonePointStatus>"}},
    {"tone with every field", Section::ToneThreshold, {500, -5, 1000, 300, 3},
     {"<StimulusFrequency>500</StimulusFrequency>", "<StimulusLevel>-0.5</StimulusLevel>",
      "<MaskingFrequency>1000</MaskingFrequency>", "<MaskingLevel>30.0</MaskingLevel>",
      "<TonePointStatus>NoResponse</TonePointStatus>"}},
    {"tone status not in the table", Section::ToneThreshold, {1000, 0, M, M, 7},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>0.0</StimulusLevel>",
      "<!--TonePointStatus had an invalid value 7, using default instead -->",
      "<TonePointStatus>Normal</TonePointStatus>"}},
    {"tone frequency 0 is no point", Section::ToneThreshold, {0, 250, 500, 300, 1}, {}},
    {"speech with only a masking level", Section::SpeechDiscrimination, {0, 10, 5000, 20},
     {"<StimulusLevel>0.0</StimulusLevel>", "<MaskingLevel>1.0</MaskingLevel>",
      "<ScorePercent>50.00</ScorePercent>", "<NumberOfWords>20</NumberOfWords>"}},
    {"speech score missing", Section::SpeechDiscrimination, {300, M, M, M},
     {"<StimulusLevel>30.0</StimulusLevel>", "<!--Missing ScorePct inserting 0 -->",
      "<ScorePercent>0.00</ScorePercent>"}},
    {"speech score negative", Section::SpeechDiscrimination, {300, 0, -2500, 10},
     {"<StimulusLevel>30.0</StimulusLevel>", "<MaskingLevel>0.0</MaskingLevel>",
      "<!--ScorePct was less than 0 -->", "<ScorePercent>25.00</ScorePercent>",
      "<NumberOfWords>10</NumberOfWords>"}},
    {"decay with missing levels and start", Section::Decay, {1000, M, 2000, M, M, 300},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<!--Mising Intensity1 inserting a zero -->",
      "<StimulusLevel>0.0</StimulusLevel>", "<MaskingFrequency>2000</MaskingFrequency>",
      "<!--Mising Intensity2 inserting a zero -->", "<MaskingLevel>0.0</MaskingLevel>",
      "<!--Missing StartTime inserting Zero -->", "<StartTime>0.00</StartTime>", "<EndTime>0.00</EndTime>"}},
    {"decay with negative start", Section::Decay, {1000, 400, M, 100, -100, 300},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>40.0</StimulusLevel>",
      "<!--StartTime was less than 0 -->", "<StartTime>0.00</StartTime>", "<EndTime>3.00</EndTime>"}},
    {"decay with missing end", Section::Decay, {1000, 400, M, M, 150, M},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>40.0</StimulusLevel>",
      "<StartTime>1.50</StartTime>", "<!--Missing EndTime inserting Zero -->", "<EndTime>0.00</EndTime>"}},
    {"difference limen with only a frequency", Section::DifferenceLimenIntensity, {1000, M, M, M, M, M},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<!--Missing Intensity1 inserting a Zero -->",
      "<StimulusLevel>0.0</StimulusLevel>", "<!--Missing ModulationSize inserting a Unknown -->",
      "<ModulationSize>0.0</ModulationSize>",
      "<!--Missing DifferenceLimenIntensityPointStatus inserting a Unknown -->",
      "<DifferenceLimenIntensityPointStatus>Unknown</DifferenceLimenIntensityPointStatus>"}},
    {"frequency limen in hundredths, status missing", Section::DifferenceLimenFrequency, {1000, 200, M, M, 125, M},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>20.0</StimulusLevel>",
      "<ModulationSize>1.25</ModulationSize>",
      "<!--Missing DifferenceLimenFrequencyPointStatus inserting a Unknown -->",
      "<DifferenceLimenFrequencyPointStatus>Unknown</DifferenceLimenFrequencyPointStatus>"}},
    {"SISI writes missing values as they are", Section::ShortIncrementSensitivityIndex, {1000, M, M, 50, 10, M, 5},
     {"<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>-3276.7</StimulusLevel>",
      "<MaskingLevel>5.0</MaskingLevel>", "<ModulationSize>1.0</ModulationSize>",
      "<NumberOfAnswers>-32767</NumberOfAnswers>", "<NumberOfIncrements>5</NumberOfIncrements>"}},
    {"SISI frequency 0 is no point", Section::ShortIncrementSensitivityIndex, {0, 100, 1000, 50, 10, 20, 5}, {}},
};

TEST(PointExport, EachWriterDefaultsAndComments) {
    for (const PointCase& c : kPointCases) {
        SCOPED_TRACE(c.what);
        TestRecord record;
        record.Use(c.section).Point(c.section, 0, 0, c.fields);
        std::string body;
        if (!c.leaves.empty()) {
            const CurveNames* names = nullptr;
            for (const CurveNames& n : kNames) {
                if (n.section == c.section) names = &n;
            }
            ASSERT_NE(names, nullptr);
            body = At(1, "<" + std::string(names->curve) + ">") + UsedConditions() +
                   At(2, "<" + std::string(names->points) + ">");
            for (const std::string_view leaf : c.leaves) body += At(3, leaf);
            body += At(2, "</" + std::string(names->points) + ">") + At(1, "</" + std::string(names->curve) + ">");
        }
        EXPECT_EQ(ExportDocument(record.bytes), Document(body));
    }
}

}  // namespace
}  // namespace audiogram::testing
