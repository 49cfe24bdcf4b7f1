// Batch conversion planned and run in process: detection, naming, skipping, forcing,
// failures reported per file, and the summary.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch_convert.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "tool_harness.h"

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

BatchOptions Options(const TempFolder& folder, std::optional<DataStandard> from, DataStandard to) {
    return {.from = from, .to = to, .inputs = {(folder.Path() / "in").string()}, .outDir = folder.Path() / "out", .jobs = 2};
}

TEST(Batch, GoodFilesAreConvertedAndEachBadOneIsReportedOnItsOwnLine) {
    TempFolder folder;
    folder.Write("in/right.ds200", Record200());
    folder.Write("in/left.ds100", Record100());  // not taken: --from 200 takes only .ds200 files
    folder.Write("in/short.ds200", Bytes(36127, 1));
    folder.Write("in/notes.txt", Text("not an input"));
    BatchOptions options = Options(folder, kDataStandard200, kDataStandard100);
    options.inputs.push_back((folder.Path() / "absent.ds200").string());
    std::ostringstream messages;
    const BatchSummary summary = RunBatch(options, messages, false);

    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.failed, 2u);
    EXPECT_EQ(summary.skipped, 0u);
    // only complete outputs, no temporary files, nothing for the failed inputs
    EXPECT_EQ(TempFolder::Files(options.outDir), std::vector<std::string>{"right.ds100"});
    EXPECT_EQ(testing::ReadFileText(options.outDir / "right.ds100").size(), 19472u);
    const std::string text = messages.str();
    EXPECT_NE(text.find("short.ds200': 36127 bytes is shorter than a data standard 200 record (36128 bytes) (0x8004051C)\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("absent.ds200': cannot open"), std::string::npos) << text;
    EXPECT_NE(text.find("(0x80004005)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("audconv: 1 converted, 2 failed, 0 skipped in "), std::string::npos) << text;
}

TEST(Batch, AutoDetectionRefusesAmbiguousSizesAndSkipsInputsAlreadyInTheTarget) {
    TempFolder folder;
    folder.Write("in/a.ds200", Record200());
    folder.Write("in/b.ds100", Record100());
    Bytes withExtension = Record100();
    withExtension.push_back(7);
    folder.Write("in/c.ds100", withExtension);
    std::ostringstream messages;
    BatchOptions options = Options(folder, std::nullopt, kDataStandard100);
    options.verbosity = Verbosity::Verbose;
    const BatchSummary summary = RunBatch(options, messages, false);

    EXPECT_EQ(summary.converted, 1u);
    EXPECT_EQ(summary.failed, 1u);
    EXPECT_EQ(summary.skipped, 1u);
    EXPECT_EQ(TempFolder::Files(folder.Path() / "out"), std::vector<std::string>{"a.ds100"});
    const std::string text = messages.str();
    EXPECT_NE(text.find("c.ds100': cannot tell the data standard: not a document and 19473 bytes"), std::string::npos);
    EXPECT_NE(text.find("give it with --from (0x8004051C)"), std::string::npos) << text;
    EXPECT_NE(text.find("skipped '" + (folder.Path() / "in/b.ds100").string() + "': it is already data standard 100"),
              std::string::npos)
        << text;
}

TEST(Batch, ExistingOutputsWaitForForceAndRecursiveWalksMirrorSubfolders) {
    TempFolder folder;
    folder.Write("in/top.ds200", Record200());
    folder.Write("in/2019/march/deep.ds200", Record200());
    const auto existing = folder.Write("out/top.ds100", std::string("keep me"));
    BatchOptions options = Options(folder, std::nullopt, kDataStandard100);
    options.verbosity = Verbosity::Verbose;
    std::ostringstream messages;

    BatchSummary summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.converted + summary.failed, 0u);
    EXPECT_EQ(summary.skipped, 1u);
    EXPECT_EQ(testing::ReadFileText(existing), "keep me");
    EXPECT_NE(messages.str().find("exists (--force replaces it)"), std::string::npos) << messages.str();
    options.recursive = true;
    options.force = true;
    summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.converted, 2u);
    EXPECT_EQ(TempFolder::Files(options.outDir), (std::vector<std::string>{"2019/march/deep.ds100", "top.ds100"}));
    EXPECT_EQ(testing::ReadFileText(existing).size(), 19472u);
}

TEST(Batch, OutputNamesReplaceKnownSuffixesAndNeverCollide) {
    TempFolder folder;
    BatchOptions options = Options(folder, std::nullopt, kDataStandard100);
    options.inputs = {folder.Write("in/x.ds200", Record200()).string(), folder.Write("in/x.bin", Record200()).string(),
                      folder.Write("in/other/x.xml", Text("<a/>")).string()};
    const std::vector<BatchJob> jobs = PlanBatch(options);
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].output, options.outDir / "x.ds100");
    EXPECT_TRUE(jobs[0].conflict.empty());
    EXPECT_EQ(jobs[1].output, options.outDir / "x.bin.ds100");
    // two inputs with one output: the later one is refused instead of replacing the first
    EXPECT_EQ(jobs[2].output, options.outDir / "x.ds100");
    EXPECT_NE(jobs[2].conflict.find("is already the output of"), std::string::npos);
}

TEST(Batch, ParallelRunGivesEveryFileItsOwnResultAndQuietShowsOnlyFailures) {
    TempFolder folder;
    for (int i = 0; i < 24; ++i) folder.Write("in/r" + std::to_string(i) + ".ds200", i % 4 == 3 ? Bytes(10, 0) : Record200());
    BatchOptions options = Options(folder, kDataStandard200, kDataStandard100);
    options.jobs = 6;
    options.verbosity = Verbosity::Quiet;
    std::ostringstream messages;
    const BatchSummary summary = RunBatch(options, messages, false);
    EXPECT_EQ(summary.converted, 18u);
    EXPECT_EQ(summary.failed, 6u);
    EXPECT_EQ(TempFolder::Files(options.outDir).size(), 18u);
    const std::string text = messages.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.find("converted"), std::string::npos);
}

TEST(Batch, SummaryLineCarriesCountsSecondsAndRate) {
    EXPECT_EQ(SummaryLine({3, 1, 2, 0.5, 2'000'000}), "3 converted, 1 failed, 2 skipped in 0.50 s (4.0 MB/s)");
    EXPECT_EQ(SummaryLine({}), "0 converted, 0 failed, 0 skipped in 0.00 s (0.0 MB/s)");
}

}  // namespace
}  // namespace audiogram::tool
