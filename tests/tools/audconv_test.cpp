// Runs the built audconv as a user or a script would: through the shell, with files,
// standard streams and exit codes.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "audconv/tool_harness.h"
#include "service/blob_dispatcher.h"
#include "support/case_names.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

namespace fs = std::filesystem;
using test::Quote;
using test::ShellResult;

constexpr std::size_t kSize100 = 19472;
constexpr std::size_t kSize200 = 36128;
const fs::path kSamples = AUDCONV_SAMPLES_DIR;

// A document that ends in the middle of its first section.
constexpr std::string_view kTruncatedDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<TORVAAudiometricStandard Version=\"500\">\r\n"
    "\t<ToneThresholdAudiogram>\r\n\t\t<AudMeasurementConditions>\r\n\t\t\t<StimulusSignalType>PureTone";

// Each case runs in a work folder holding two samples and two records one byte short, and
// the inputs and places that are wrong in other ways: empty, garbage and cut-off files, a
// file nobody may read, a folder where a file belongs and a folder nobody may write to.
class Audconv : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.Write("work/short.ds100", testing::RandomBytes(kSize100 - 1, 1));
        folder_.Write("work/short.ds200", testing::RandomBytes(kSize200 - 1, 2));
        fs::copy_file(kSamples / "left-right-thresholds.ds100", Work("record.ds100"));
        fs::copy_file(kSamples / "full-audiogram.ds200", Work("record.ds200"));
        fs::copy_file(kSamples / "speech-with-extension.ds100", Work("extended.ds100"));
        fs::create_directories(Work("archive/2024"));
        fs::copy_file(kSamples / "left-right-thresholds.ds100", Work("archive/2024/left.ds100"));
        folder_.Write("work/wrong/page.xml", std::string("<!DOCTYPE html>\n<html><body></body></html>\n"));
        folder_.Write("work/wrong/empty.xml", std::string());
        folder_.Write("work/wrong/garbage.xml", testing::RandomBytes(4000, 3));
        folder_.Write("work/wrong/truncated.xml", kTruncatedDocument);
        fs::copy_file(kSamples / "left-right-thresholds.ds100", Work("wrong/unreadable.ds100"));
        fs::permissions(Work("wrong/unreadable.ds100"), fs::perms::none);
        fs::create_directories(Work("wrong/folder.ds100"));
        fs::create_directories(Work("wrong/read-only"));
        fs::permissions(Work("wrong/read-only"), fs::perms::owner_read | fs::perms::owner_exec);
    }
    void TearDown() override { fs::permissions(Work("wrong/read-only"), fs::perms::owner_all); }

    fs::path Work(const std::string& name = "") const { return folder_.Path() / "work" / name; }

    // Runs `audconv ARGUMENTS` inside the work folder, standard input from `input`. Where
    // permissions matter, root runs without the capabilities that pass every permission
    // check (CI runs as root), as any user runs.
    ShellResult Run(const std::string& arguments, const std::string& input = "/dev/null",
                    bool permissionsApply = false) const {
        const std::string asUser = permissionsApply && ::geteuid() == 0
                                       ? "setpriv --bounding-set=-dac_override,-dac_read_search "
                                       : "";
        // a configuration folder of the test's own: the report lines are those of the defaults
        return test::RunShell("cd " + Quote(Work().string()) + " && PROGRAMDATA=" + Quote(folder_.Path().string()) +
                                  " " + asUser + Quote(AUDCONV_PATH) + " " + arguments,
                              folder_.Path(), input);
    }

    test::TempFolder folder_;
};

struct RunCase {
    std::string name;
    std::string arguments;
    int exitCode;
    std::string error;  // the whole of standard error for a failed conversion, a part of it for a usage error
    bool permissionsApply = false;
};

const RunCase kFailedRuns[] = {
    {"Short100Record", "convert --from 100 --to 200 short.ds100", 1,
     "audconv: 'short.ds100': 19471 bytes is shorter than a data standard 100 record (19472 bytes) (0x8004051C)\n"},
    {"Short200Record", "convert --from 200 --to 100 -o out.ds100 short.ds200", 1,
     "audconv: 'short.ds200': 36127 bytes is shorter than a data standard 200 record (36128 bytes) (0x8004051C)\n"},
    {"Short100RecordOnTheWayTo500", "convert --from 100 --to 500 short.ds100", 1,
     "audconv: 'short.ds100': 19471 bytes is shorter than a data standard 100 record (19472 bytes) (0x8004051C)\n"},
    {"RecordGivenTheOtherStandard", "convert --from 200 --to 500 record.ds100", 1,
     "audconv: 'record.ds100': 19472 bytes is shorter than a data standard 200 record (36128 bytes); it is the size "
     "of a data standard 100 record (0x8004051C)\n"},
    {"UnsupportedTarget", "convert --from 100 --to 300 record.ds100", 1,
     "audconv: 'record.ds100': data standard 300 is not a target this converter writes; use 100, 200 or 500 (0x80040516)\n"},
    {"SameStandard", "convert --from 200 --to 200 record.ds200", 1,
     "audconv: 'record.ds200': the input is already data standard 200; there is nothing to convert (0x8004051C)\n"},
    {"UnknownSource", "convert --from 300 --to 100 record.ds200", 1,
     "audconv: 'record.ds200': data standard 300 cannot be converted to data standard 100; convert to 100 from 200 or 500 "
     "(0x8004051C)\n"},
    {"NegativeSourceIsPassedOn", "convert --from=-1 --to 200 record.ds100", 1,
     "audconv: 'record.ds100': data standard -1 cannot be converted to data standard 200; convert to 200 from 100 or 500 "
     "(0x8004051C)\n"},
    {"UndetectableSize", "convert --from auto --to 200 short.ds100", 1,
     "audconv: 'short.ds100': cannot tell the data standard: not a document and 19471 bytes is the size of neither a 100 "
     "record (19472) nor a 200 record (36128); give it with --from (0x8004051C)\n"},
    {"MissingInputFile", "convert --from 100 --to 200 missing.ds100", 1,
     "audconv: cannot open 'missing.ds100': No such file or directory\n"},
    {"OutputFolderMissing", "convert --from 100 --to 200 -o no/such/out.ds200 record.ds100", 1,
     "audconv: cannot write 'no/such/out.ds200': No such file or directory\n"},
    {"OutputFolderReadOnly", "convert --from 100 --to 200 -o wrong/read-only/out.ds200 record.ds100", 1,
     "audconv: cannot write 'wrong/read-only/out.ds200': Permission denied\n", true},
    {"OutputNamesAFolder", "convert --from 100 --to 200 -o wrong/folder.ds100 record.ds100", 1,
     "audconv: cannot write 'wrong/folder.ds100': Is a directory\n"},
    {"InputUnreadable", "convert --from 100 --to 200 wrong/unreadable.ds100", 1,
     "audconv: cannot open 'wrong/unreadable.ds100': Permission denied\n", true},
    {"InputIsAFolder", "convert --from 100 --to 200 wrong/folder.ds100", 1,
     "audconv: cannot read 'wrong/folder.ds100': Is a directory; convert a folder with --out-dir DIR\n"},
    {"EmptyDocument", "convert --from 500 --to 200 -o out.ds200 wrong/empty.xml", 1,
     "audconv: 'wrong/empty.xml': the input could not be read as a data standard 500 document (0x80004005)\n"},
    {"GarbageDocument", "convert --from 500 --to 100 -o out.ds100 wrong/garbage.xml", 1,
     "audconv: 'wrong/garbage.xml': the input could not be read as a data standard 500 document (0x80004005)\n"},
    {"TruncatedDocument", "convert --from 500 --to 200 -o out.ds200 wrong/truncated.xml", 1,
     "audconv: 'wrong/truncated.xml': the input could not be read as a data standard 500 document (0x80004005)\n"},
    {"RecordGivenAsDocument", "convert --from 500 --to 200 -o out.ds200 record.ds200", 1,
     "audconv: 'record.ds200': the input could not be read as a data standard 500 document (0x80004005)\n"},
    {"StrictRefusesBytesLeftBehind", "convert --strict --from 100 --to 200 -o out.ds200 extended.ds100", 1,
     "audconv: 'extended.ds100': 32 extension bytes after the data standard 100 record were left behind: a data "
     "standard 200 record has no place for them (refused under --strict)\n"},
    {"StrictRefusesAnotherDocument", "convert --strict --from 500 --to 200 -o out.ds200 wrong/page.xml", 1,
     "audconv: 'wrong/page.xml': not an audiogram document: it has the root element 'html', not "
     "'TORVAAudiometricStandard', and converted into an empty record (refused under --strict)\n"},
    {"StrictRefusesTheLikelyWrongStandard", "convert --strict --from 100 --to 500 record.ds200", 1,
     "audconv: 'record.ds200': 64 problems were written into the document as comments (invalid values, inserted "
     "statuses, cut texts or dropped characters); see the comments in the output, which inspect also lists "
     "(refused under --strict)\naudconv: 'record.ds200': the input has 36128 bytes, exactly the size of a data "
     "standard 200 record: it is likely data standard 200, not 100 (refused under --strict)\n"},
    {"NoCommand", "", 2, "a command is required: convert, inspect, plot or help"},
    {"UnknownCommand", "frobnicate", 2, "unknown command 'frobnicate'"},
    {"HelpOfAnUnknownCommand", "help frobnicate", 2, "unknown command 'frobnicate'"},
    {"UnknownOption", "convert --bogus --from 100 --to 200 record.ds100", 2, "unknown option '--bogus'"},
    {"UnknownOptionBeforeAMissingOne", "convert --bogus record.ds100", 2, "unknown option '--bogus'"},
    {"MissingTo", "convert --from 100 record.ds100", 2, "--to is required: 100, 200 or 500"},
    {"MissingFrom", "convert --to 200 record.ds100", 2, "--from is required: 100, 200, 500 or auto"},
    {"StandardAbove16Bits", "convert --from 32768 --to 200 record.ds100", 2, "'32768' is not a data standard"},
    {"StandardNotANumber", "convert --from hundred --to 200 record.ds100", 2,
     "'hundred' is not a data standard: use 100, 200, 500 or auto"},
    {"TargetNotANumber", "convert --from 100 --to xml record.ds100", 2,
     "'xml' is not a data standard: use 100, 200 or 500"},
    {"StandardInHex", "convert --from 0x64 --to 200 record.ds100", 2, "'0x64' is not a data standard"},
    {"JobsNotANumber", "convert --from 100 --to 200 --out-dir od -j abc record.ds100", 2, "--jobs: 'abc' is not a number"},
    {"SeveralInputsNeedAnOutputFolder", "convert --from 100 --to 200 record.ds100 record.ds100", 2,
     "several inputs need --out-dir"},
    {"ForceNeedsAnOutputFolder", "convert --from 100 --to 200 --force record.ds100", 2,
     "--force needs --out-dir"},
    {"OutputFileOrOutputFolder", "convert --from 100 --to 200 --out-dir x -o y record.ds100", 2,
     "--output excludes --out-dir"},
};

class FailedRun : public Audconv, public ::testing::WithParamInterface<RunCase> {};

// Conversions that fail exit 1 with one line; usage errors exit 2 and say what is wrong.
// Neither leaves a result or a temporary file behind.
TEST_P(FailedRun, ExitsWithItsCodeAndWritesOnlyToStandardError) {
    const std::vector<std::string> before = test::TempFolder::Files(Work());
    const ShellResult result = Run(GetParam().arguments, "/dev/null", GetParam().permissionsApply);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
    if (GetParam().exitCode == 1) {
        EXPECT_EQ(result.err, GetParam().error);
    } else {
        EXPECT_EQ(result.err.rfind("audconv: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(GetParam().error), std::string::npos) << result.err;
    }
    EXPECT_TRUE(result.out.empty()) << result.out.size() << " bytes on standard output";
    EXPECT_EQ(test::TempFolder::Files(Work()), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedRun, ::testing::ValuesIn(kFailedRuns), testing::CaseName());

TEST_F(Audconv, VersionGoesToStandardOutput) {
    const ShellResult version = Run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "audconv " AUDCONV_VERSION "\n");
}

TEST_F(Audconv, StandardOutputCarriesExactlyTheResultBytes) {
    std::vector<std::uint8_t> record = testing::RandomBytes(kSize100, 3);
    Blob converted;
    ASSERT_EQ(ConvertDataBlob(200, 100, record, converted), kStatusOk);
    const std::string expected(converted.begin(), converted.end());
    folder_.Write("work/random.ds100", record);
    const std::string random = Work("random.ds100").string();
    const std::pair<std::string, std::string> runs[] = {
        {"convert --from 100 --to 200 random.ds100", "/dev/null"},
        {"convert --from 100 --to 200 -o - random.ds100", "/dev/null"},
        {"convert --from 100 --to 200", random},
        {"convert --from 100 --to 200 -", random}};
    for (const auto& [arguments, input] : runs) {
        const ShellResult result = Run(arguments, input);
        EXPECT_EQ(result.exitCode, 0) << arguments;
        EXPECT_TRUE(result.out == expected) << arguments << ": " << result.out.size() << " bytes";
        EXPECT_EQ(result.err, "") << arguments;
    }
}

// The configuration's report lines for the default legal characters, as --verbose shows them.
constexpr std::string_view kReportLines =
    "token 9, low 9, hight -1\ntoken  10, low 10, hight -1\ntoken  13, low 13, hight -1\n"
    "token  32-126, low 32, hight 126\ntoken  133, low 133, hight -1\ntoken  160-55295, low 160, hight 55295\n"
    "token  57344-65333, low 57344, hight 65333\n";

struct VerbosityCase {
    std::string name;
    std::string arguments;
    int exitCode;
    std::string error;                // a pattern for the whole of standard error
    std::vector<std::string> made{};  // the files the run leaves in the work folder
};

const std::string kSummary = "audconv: 1 converted, 0 failed, 0 skipped in [0-9.]+ s \\([0-9.]+ MB/s\\)\n";

const std::string kWarning = "audconv: warning: ";

const VerbosityCase kVerbosityCases[] = {
    {"ConvertIsSilent", "convert --from 200 --to 500 -o out.xml record.ds200", 0, "", {"out.xml"}},
    {"ProblemsAndTheLikelyStandardAreWarnings", "convert --from 100 --to 500 -o out.xml record.ds200", 0,
     kWarning + "'record.ds200': 64 problems were written into the document as comments .*; see the comments in "
                "the output, which inspect also lists\n" +
         kWarning + "'record.ds200': the input has 36128 bytes, exactly the size of a data standard 200 record: it "
                    "is likely data standard 200, not 100\n",
     {"out.xml"}},
    {"AnotherDocumentIsAWarning", "convert --from 500 --to 200 -o out.ds200 wrong/page.xml", 0,
     kWarning + "'wrong/page.xml': not an audiogram document: it has the root element 'html', .*\n", {"out.ds200"}},
    {"BytesLeftBehindAreAWarning", "convert --from 100 --to 200 -o out.ds200 extended.ds100", 0,
     kWarning + "'extended.ds100': 32 extension bytes .* were left behind: .*\n", {"out.ds200"}},
    {"QuietHidesWarnings", "convert -q --from 100 --to 200 -o out.ds200 extended.ds100", 0, "", {"out.ds200"}},
    {"BatchWarnsPerFile", "convert --from 100 --to 200 --out-dir od extended.ds100", 0,
     kWarning + "'extended.ds100': 32 extension bytes .*\n" + kSummary, {"od/extended.ds200"}},
    {"StrictBatchCountsAFileWithFindingsAsFailed", "convert --strict --from 100 --to 200 --out-dir od extended.ds100 "
     "record.ds100", 1, "audconv: 'extended.ds100': 32 extension bytes .* \\(refused under --strict\\)\n"
     "audconv: 1 converted, 1 failed, 0 skipped in .*\n", {"od/record.ds200"}},
    {"BatchSummarisesSkippedFiles", "convert --from auto --to 100 --out-dir od record.ds100", 0,
     "audconv: skipped 1 file: 1 already data standard 100; --verbose lists them\n"
     "audconv: 0 converted, 0 failed, 1 skipped in .*\n"},
    {"BatchHintsAtRecursive", "convert --from auto --to 200 --out-dir od archive", 0,
     "audconv: 'archive' holds no '.ds100', '.ds200' or '.xml' file but has subfolders; --recursive converts the "
     "files in them\naudconv: 0 converted, 0 failed, 0 skipped in .*\n"},
    {"BatchStopsAtAnOutputFolderItCannotWrite", "convert -j 1 --from 100 --to 200 --out-dir record.ds200/od "
     "record.ds100 extended.ds100", 1, "audconv: 'record.ds100': cannot create the folder 'record.ds200/od': Not a "
     "directory \\(0x80004005\\); the batch stopped\naudconv: 0 converted, 1 failed, 0 skipped, 1 not tried in .*\n"},
    {"ConvertQuiet", "convert -q --from 200 --to 500 -o out.xml record.ds200", 0, "", {"out.xml"}},
    {"ConvertVerbose", "convert -v --from 200 --to 500 -o out.xml record.ds200", 0, std::string(kReportLines),
     {"out.xml"}},
    {"InspectIsSilent", "inspect record.ds200", 0, ""},
    {"InspectVerbose", "inspect --verbose record.ds200", 0, std::string(kReportLines)},
    {"PlotIsSilent", "plot -o chart.svg record.ds200", 0, "", {"chart.svg"}},
    {"BatchPrintsItsSummary", "convert --from auto --to 500 --out-dir od record.ds200", 0, kSummary, {"od/record.xml"}},
    {"BatchQuiet", "convert --quiet --from auto --to 500 --out-dir od record.ds200", 0, "", {"od/record.xml"}},
    {"BatchVerboseListsEveryFile", "convert -v --from auto --to 500 --out-dir od record.ds200", 0,
     std::string(kReportLines) + "audconv: converted 'record.ds200' to 'od/record.xml'\n" + kSummary, {"od/record.xml"}},
    {"QuietStillReportsAFailure", "convert -q --from 200 --to 100 -o out.ds100 short.ds200", 1,
     "audconv: 'short.ds200': 36127 bytes is shorter than a data standard 200 record \\(36128 bytes\\) \\(0x8004051C\\)\n"},
    {"QuietAndVerboseExcludeEachOther", "convert -q -v --from 200 --to 500 -o out.xml record.ds200", 2,
     "audconv: .*excludes.*\n(.*\n)*"},
};

class Verbosity : public Audconv, public ::testing::WithParamInterface<VerbosityCase> {};

// A clean run is silent; --quiet leaves only failures, --verbose adds the report lines and
// the batch's per-file lines.
TEST_P(Verbosity, StandardErrorCarriesWhatTheLevelAsksFor) {
    const std::vector<std::string> before = test::TempFolder::Files(Work());
    const ShellResult result = Run(GetParam().arguments);
    EXPECT_EQ(result.exitCode, GetParam().exitCode);
    EXPECT_TRUE(std::regex_match(result.err, std::regex(GetParam().error))) << result.err;
    std::vector<std::string> made;
    for (const std::string& file : test::TempFolder::Files(Work())) {
        if (std::find(before.begin(), before.end(), file) == before.end()) made.push_back(file);
    }
    EXPECT_EQ(made, GetParam().made);
}

// A binary record is not written to a terminal unless -o - asks for it, as compressors do.
TEST_F(Audconv, BinaryOutputToATerminalNeedsAnExplicitDash) {
    const std::string convert = Quote(AUDCONV_PATH) + " convert --from 100 --to 200 record.ds100";
    // script gives the command a terminal and copies what reaches it to its own output
    const auto onTerminal = [&](const std::string& arguments) {
        return test::RunShell("cd " + Quote(Work().string()) + " && script -qec " + Quote(convert + arguments) +
                                  " /dev/null",
                              folder_.Path());
    };
    const ShellResult refused = onTerminal("");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.out.find("is binary and is not written to a terminal; give -o FILE, or -o - to write it anyway"),
              std::string::npos)
        << refused.out;
    const ShellResult forced = onTerminal(" -o -");
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_GE(forced.out.size(), kSize200);
}

INSTANTIATE_TEST_SUITE_P(Cases, Verbosity, ::testing::ValuesIn(kVerbosityCases), testing::CaseName());

TEST_F(Audconv, SampleRecord100RoundTripsThrough200ByteForByte) {
    ASSERT_EQ(Run("convert --from auto --to 200 -o back.ds200 record.ds100").exitCode, 0);
    ASSERT_EQ(Run("convert --from 200 --to 100 -o back.ds100 back.ds200").exitCode, 0);
    const std::string sample = testing::ReadFileText(Work("record.ds100"));
    EXPECT_EQ(testing::ReadFileText(Work("back.ds200")).size(), kSize200);
    EXPECT_TRUE(testing::ReadFileText(Work("back.ds100")) == sample);

    const ShellResult piped =
        Run("convert --from 100 --to 200 | " + Quote(AUDCONV_PATH) + " convert --from 200 --to 100",
            Work("record.ds100").string());
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_TRUE(piped.out == sample);
}

}  // namespace
}  // namespace audiogram
