// The tidy tables: CSV quoting, one row per point with empty cells for what a point does not
// have, and one summary row per ear.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/csv_text.h"
#include "frontend/point_table.h"
#include "frontend/summary_table.h"
#include "model/read_audiogram.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"

namespace audiogram::frontend {
namespace {

TEST(CsvField, QuotesOnlyFieldsThatNeedItAndKeepsThemUtf8) {
    const struct {
        const char *text, *field;
    } kCases[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"return\r", "\"return\r\""},
        {"caf\xc3\xa9 \xff", "caf\xc3\xa9 \xEF\xBF\xBD"},
    };
    for (const auto& c : kCases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
    const std::vector<std::string> fields{"a", "", "b,c"};
    EXPECT_EQ(CsvLine(fields), "a,,\"b,c\"\n");
}

std::vector<std::string> PointLines(const Record200Builder& record) {
    std::vector<std::string> lines;
    for (const PointRow& row : PointRows("in, \"1\".ds200", *model::ReadAudiogram(record.Bytes()))) {
        lines.push_back(CsvLine(PointCells(row)));
    }
    return lines;
}

TEST(PointTable, OneRowPerUsedPointWithEmptyCellsForWhatItLacks) {
    constexpr std::int16_t kAirRight = 3, kBoneLeft = 5, kNarrowBandNoise = 4, kTdh39 = 2;
    Record200Builder record;
    record.Curve(Section::ToneThreshold, 3)
        .Pair(meas_cond::kSignalType, 2, kNarrowBandNoise)
        .Stimulus(meas_cond::kSignalOutput, kAirRight)
        .Stimulus(meas_cond::kTransducerType, 99)  // not in its table: no transducer
        .Point(0, {1000, 255, MissingValue, MissingValue, 1})
        .Point(1, {0, 999, 0, 0, 1})          // without data: no row
        .Point(2, {2000, -55, 2000, 400, 3})  // masked, no response
        .Point(3, {4000, 0, 0, 0, 1});        // 0 dB is a level; a 0 Hz masker is none
    record.Curve(Section::ToneThreshold, 7)
        .Stimulus(meas_cond::kSignalOutput, kBoneLeft)
        .Stimulus(meas_cond::kTransducerType, kTdh39)
        .Point(0, {500, 100, MissingValue, MissingValue, MissingValue});  // no status: an empty cell
    record.Curve(Section::SpeechDiscrimination, 0)
        .Stimulus(meas_cond::kSignalOutput, kAirRight)
        .Point(0, {400, 0, 8850, 25});
    const std::vector<std::string> expected = {
        "\"in, \"\"1\"\".ds200\",ToneThresholdAudiogram,3,right,air,false,,1000,25.5,,,Normal,true\n",
        "\"in, "
        "\"\"1\"\".ds200\",ToneThresholdAudiogram,3,right,air,true,,2000,-5.5,2000,40,NoResponse,false\n",
        "\"in, \"\"1\"\".ds200\",ToneThresholdAudiogram,3,right,air,false,,4000,0,,,Normal,true\n",
        "\"in, \"\"1\"\".ds200\",ToneThresholdAudiogram,7,left,bone,false,TDH39,500,10,,,,true\n",
        "\"in, \"\"1\"\".ds200\",SpeechDiscriminationAudiogram,0,right,air,false,,,40,,,,true\n",
    };
    EXPECT_EQ(PointLines(record), expected);
}

TEST(SummaryTable, OneRowPerEarWithTheFilesVerdictOnBoth) {
    model::ClinicalSummary summary;
    summary.ears[0].pta4 = {{500, 1000, 2000, 4000}, 42.5, true, {}};
    summary.ears[0].recordAverages = {{"RightEar2", {{500, 1000, 2000}, 28.0 + 1.0 / 3, false, {}}},
                                      {"RightEar1", {{1000}, 20.0, false, {}}}};
    summary.ears[1].pta4 = {{500, 1000, 2000, 4000}, std::nullopt, false, {500, 4000}};
    summary.betterEar = model::Ear::Left;
    summary.grade = model::Grade::ModeratelySevere;
    summary.unilateral = true;
    std::vector<std::string> lines;
    for (const SummaryRow& row : SummaryRows("a.xml", summary)) lines.push_back(CsvLine(SummaryCells(row)));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "a.xml,right,42.5,true,,28.333,500 1000 2000,left,moderately severe,true\n",
                         "a.xml,left,,false,500 4000,,,left,moderately severe,true\n",
                     }));
    model::ClinicalSummary empty;
    EXPECT_EQ(CsvLine(SummaryCells(SummaryRows("b", empty)[1])), "b,left,,false,,,,,,false\n");
}

}  // namespace
}  // namespace audiogram::frontend
