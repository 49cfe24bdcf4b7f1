#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch_convert.h"
#include "input_detection.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "temp_folder.h"

namespace audiogram::tool {
namespace {

using test::TempFolder;
using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes Record200() {
    Record200Builder record;
    record.Curve(Section::ToneThreshold, 0).Stimulus(meas_cond::kSignalOutput, 3).Point(0, {1000, 250});
    return record.ToBlob();
}

Bytes Record100() {
    Record100Builder record;
    record.Curve(Section::ToneThreshold, 1).Stimulus(meas_cond::kSignalOutput, 2).Point(0, {500, 100});
    return record.ToBlob();
}

struct DetectionCase {
    const char* name;
    Bytes bytes;
    std::optional<DataStandard> expected;
};

Bytes Filled(std::size_t size, std::string_view start = {}) {
    Bytes bytes(size, 0);
    std::copy(start.begin(), start.end(), bytes.begin());
    return bytes;
}

class Detection : public testing::TestWithParam<DetectionCase> {};

TEST_P(Detection, FollowsTheDocumentThenSizeRules) {
    EXPECT_EQ(DetectDataStandard(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Detection,
    testing::Values(DetectionCase{"Document", Text("<?xml version=\"1.0\"?><a/>"), kDataStandard500},
                    DetectionCase{"ByteOrderMarkAndWhiteSpace", Text("\xEF\xBB\xBF \r\n\t<a/>"), kDataStandard500},
                    DetectionCase{"DocumentTextBeatsRecordSize", Filled(19472, "\n<"), kDataStandard500},
                    DetectionCase{"Record100BySize", Filled(19472), kDataStandard100},
                    DetectionCase{"Record200BySize", Filled(36128), kDataStandard200},
                    DetectionCase{"Record100WithExtension", Filled(19473), std::nullopt},
                    DetectionCase{"Record200OneByteShort", Filled(36127), std::nullopt},
                    DetectionCase{"Empty", Bytes{}, std::nullopt},
                    DetectionCase{"ByteOrderMarkAlone", Text("\xEF\xBB\xBF"), std::nullopt},
                    DetectionCase{"TextBeforeTheBracket", Text("x<a/>"), std::nullopt},
                    DetectionCase{"SecondByteOrderMark", Text("\xEF\xBB\xBF\xEF\xBB\xBF<a/>"), std::nullopt},
                    DetectionCase{"FormFeedIsNoXmlSpace", Text("\f<a/>"), std::nullopt}),
    [](const testing::TestParamInfo<DetectionCase>& param) { return param.param.name; });

BatchOptions Options(const TempFolder& folder, std::optional<DataStandard> from, DataStandard to) {
    BatchOptions options;
    options.from = from;
    options.to = to;
    options.inputs = {(folder.Path() / "in").string()};
    options.outDir = folder.Path() / "out";
    options.jobs = 2;
    return options;
}

TEST(Batch, FolderWithGoodAndBadFilesConvertsTheGoodAndReportsTheBad) {
    TempFolder folder;
    folder.Write("in/right.ds200", Record200());
    folder.Write("in/left.ds100", Record100());
    folder.Write("in/short.ds200", Bytes(36127, 1));
    folder.Write("in/notes.txt", Text("not an input"));
    std::ostringstream messages;
    const BatchSummary summary = RunBatch(Options(folder, kDataStandard200, kDataStandard100), messages, false);

    EXPECT_EQ(summary.converted, 1u);  // left.ds100 is not taken: --from 200 takes only .ds200 files
    EXPECT_EQ(summary.failed, 1u);
    EXPECT_EQ(summary.skipped, 0u);
    // only complete outputs, no temporary files, nothing for the failed input
    EXPECT_EQ(folder.Files(folder.Path() / "out"), std::vector<std::string>{"right.ds100"});
    EXPECT_EQ(TempFolder::Read(folder.Path() / "out/right.ds100").size(), 19472u);
    const std::string text = messages.str();
    EXPECT_NE(text.find("short.ds200': the input is shorter than a data standard 200 record (0x8004051C)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("audconv: 1 converted, 1 failed, 0 skipped in "), std::string::npos) << text;
}

TEST(Batch, AutoDetectionRefusesAmbiguousSizesAndSkipsInputsAlreadyInTheTarget) {
    TempFolder folder;
    folder.Write("in/a.ds200", Record200());
    folder.Write("in/b.ds100", Record100());
    Bytes withExtension = Record100();
    withExtension.push_back(7);
    folder.Write("in/c.ds100", withExtension);
    std::ostringstream messages;
    const BatchSummary summary = RunBatch(Options(folder, std::nullopt, kDataStandard100), messages, false);

    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.failed, 1u);
    EXPECT_EQ(summary.skipped, 1u);
    EXPECT_EQ(folder.Files(folder.Path() / "out"), std::vector<std::string>{"a.ds100"});
    const std::string text = messages.str();
    EXPECT_NE(text.find("c.ds100': cannot tell the data standard: not a document and 19473 bytes"), std::string::npos);
    EXPECT_NE(text.find("give it with --from (0x8004051C)"), std::string::npos) << text;
    EXPECT_NE(text.find("skipped '" + (folder.Path() / "in/b.ds100").string() + "': it is already data standard 100"),
              std::string::npos)
        << text;
}

TEST(Batch, ExistingOutputsAreSkippedUntouchedUnlessForced) {
    TempFolder folder;
    folder.Write("in/a.ds200", Record200());
    const auto existing = folder.Write("out/a.ds100", Text("keep me"));
    BatchOptions options = Options(folder, kDataStandard200, kDataStandard100);
    std::ostringstream messages;

    BatchSummary summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.skipped, 1u);
    EXPECT_EQ(summary.failed, 0u);
    EXPECT_EQ(TempFolder::Read(existing), Text("keep me"));
    EXPECT_NE(messages.str().find("exists (--force replaces it)"), std::string::npos);

    options.force = true;
    summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(TempFolder::Read(existing).size(), 19472u);
}

TEST(Batch, RecursiveWalkMirrorsSubfoldersUnderTheOutputFolder) {
    TempFolder folder;
    folder.Write("in/top.ds200", Record200());
    folder.Write("in/2019/march/deep.ds200", Record200());
    BatchOptions options = Options(folder, std::nullopt, kDataStandard100);
    std::ostringstream messages;

    EXPECT_EQ(RunBatch(options, messages, false).converted, 1u);
    options.recursive = true;
    const BatchSummary summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.skipped, 1u);  // top.ds100 from the first run
    EXPECT_EQ(folder.Files(folder.Path() / "out"), (std::vector<std::string>{"2019/march/deep.ds100", "top.ds100"}));
}

TEST(Batch, OutputNamesReplaceKnownSuffixesAndKeepOtherNamesWhole) {
    TempFolder folder;
    const auto record = folder.Write("in/x.ds200", Record200());
    const auto plain = folder.Write("in/x.bin", Record200());
    const auto document = folder.Write("in/other/x.xml", Text("<a/>"));
    BatchOptions options = Options(folder, std::nullopt, kDataStandard100);
    options.inputs = {record.string(), plain.string(), document.string()};
    const std::vector<BatchJob> jobs = PlanBatch(options);
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].output, options.outDir / "x.ds100");
    EXPECT_EQ(jobs[1].output, options.outDir / "x.bin.ds100");
    // two inputs with one output: the later one is refused instead of replacing the first
    EXPECT_EQ(jobs[2].output, options.outDir / "x.ds100");
    EXPECT_NE(jobs[2].conflict.find("is already the output of"), std::string::npos);
    EXPECT_TRUE(jobs[0].conflict.empty());
}

TEST(Batch, ParallelRunGivesEveryFileItsOwnResult) {
    TempFolder folder;
    for (int i = 0; i < 24; ++i) {
        folder.Write("in/r" + std::to_string(i) + ".ds200", i % 4 == 3 ? Bytes(10, 0) : Record200());
    }
    BatchOptions options = Options(folder, kDataStandard200, kDataStandard100);
    options.jobs = 6;
    options.quiet = true;
    std::ostringstream messages;
    const BatchSummary summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.converted, 18u);
    EXPECT_EQ(summary.failed, 6u);
    EXPECT_EQ(folder.Files(folder.Path() / "out").size(), 18u);
    // quiet: the six failure lines and nothing else
    const std::string text = messages.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.find("converted"), std::string::npos);
}

TEST(Batch, MissingInputFailsOnItsOwnLine) {
    TempFolder folder;
    BatchOptions options = Options(folder, kDataStandard100, kDataStandard200);
    options.inputs = {(folder.Path() / "absent.ds100").string()};
    std::ostringstream messages;
    EXPECT_EQ(RunBatch(options, messages, false).failed, 1u);
    EXPECT_NE(messages.str().find("absent.ds100': cannot open"), std::string::npos) << messages.str();
    EXPECT_NE(messages.str().find("(0x80004005)"), std::string::npos);
}

TEST(Batch, SummaryLineCarriesCountsSecondsAndRate) {
    EXPECT_EQ(SummaryLine({3, 1, 2, 0.5, 2'000'000}), "3 converted, 1 failed, 2 skipped in 0.50 s (4.0 MB/s)");
    EXPECT_EQ(SummaryLine({}), "0 converted, 0 failed, 0 skipped in 0.00 s (0.0 MB/s)");
}

}  // namespace
}  // namespace audiogram::tool
