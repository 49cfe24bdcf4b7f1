// Runs the built audconv as a user or a script would: one table of command lines, each run
// in a fresh work folder with a configuration folder of its own, and what it must give back:
// exit code, standard error, standard output (text or a golden file) and the files it made.

#include <gtest/gtest.h>
#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "batch_convert.h"
#include "support/case_names.h"
#include "support/golden.h"
#include "tool_harness.h"
#include "well_formed_xml.h"

namespace audiogram {
namespace {

namespace fs = std::filesystem;
using test::Quote;
using test::ShellResult;

const fs::path kRecords = AUDCONV_TEST_DIR "/records";  // records the tests run the tool on; see records/README.md
const std::string kOdd = "in, \"1\"\xff.ds200";  // a name to be quoted in CSV and JSON, with a byte that is not UTF-8

// Whether `text` matches `pattern`, in which '*' stands for any run of characters, line feeds too.
bool Matches(const std::string& text, const std::string& pattern) {
    return ::fnmatch(pattern.c_str(), text.c_str(), FNM_NOESCAPE) == 0;
}

// What --verbose adds first: the configuration's report lines for the default legal characters.
#define REPORT_LINES                                                                                                   \
    "token 9, low 9, hight -1\ntoken  10, low 10, hight -1\ntoken  13, low 13, hight -1\ntoken  32-126, low 32, "       \
    "hight 126\ntoken  133, low 133, hight -1\ntoken  160-55295, low 160, hight 55295\ntoken  57344-65333, low "       \
    "57344, hight 65333\n"
#define TIMING " in * s (* MB/s)\n"

struct RunCase {
    std::string name;
    std::string command;  // a shell line in the work folder; `audconv` is the built tool
    int exitCode;
    std::string err;  // the whole of standard error; '*' stands for any run of characters
    std::string out;  // likewise, or "golden:NAME" a checked-in file, or "same:FILE" a file of the work folder
    std::vector<std::string> made = {};  // the files the run leaves behind in the work folder
    bool permissionsApply = false;       // root runs without the capabilities that pass every permission check
};

const RunCase kRuns[] = {
    // results on standard output carry exactly the converted bytes, from a file or standard input
    {"ConvertToStandardOutput", "audconv convert --from 100 --to 200 record.ds100", 0, "", "same:expected.ds200"},
    {"DashOutputIsStandardOutput", "audconv convert --from 100 --to 200 -o - record.ds100", 0, "", "same:expected.ds200"},
    {"StandardInput", "audconv convert --from 100 --to 200 <record.ds100", 0, "", "same:expected.ds200"},
    {"DashInputIsStandardInput", "audconv convert --from 100 --to 200 - <record.ds100", 0, "", "same:expected.ds200"},
    {"LeadingPlusIsAStandard", "audconv convert --from +100 --to +200 record.ds100", 0, "", "same:expected.ds200"},
    {"RoundTripThroughAPipe", "audconv convert --from 100 --to 200 <record.ds100 | audconv convert --from 200 --to 100",
     0, "", "same:record.ds100"},
    // a binary record reaches a terminal only when -o - asks for it; script lends the terminal
    {"BinaryIsNotWrittenToATerminal", "script -qec 'audconv convert --from 100 --to 200 record.ds100' /dev/null", 1, "",
     "audconv: *is binary and is not written to a terminal; give -o FILE, or -o - to write it anyway*"},
    {"DashWritesBinaryToATerminal", "script -qec 'audconv convert --from 100 --to 200 -o - record.ds100' /dev/null", 0,
     "", "*"},
    {"Version", "audconv --version", 0, "", "audconv " AUDCONV_VERSION "\n"},
    // a failed conversion exits 1 with one line and leaves nothing behind
    {"Short100Record", "audconv convert --from 100 --to 200 short.ds100", 1, "audconv: 'short.ds100': 19471 bytes is "
     "shorter than a data standard 100 record (19472 bytes) (0x8004051C)\n", ""},
    {"RecordGivenTheOtherStandard", "audconv convert --from 200 --to 500 record.ds100", 1, "audconv: 'record.ds100': "
     "19472 bytes is shorter than a data standard 200 record (36128 bytes); it is the size of a data standard 100 *", ""},
    {"UnsupportedTarget", "audconv convert --from 100 --to 300 record.ds100", 1,
     "audconv: 'record.ds100': data standard 300 is not a target this converter writes; * (0x80040516)\n", ""},
    {"SameStandard", "audconv convert --from 200 --to 200 record.ds200", 1,
     "audconv: 'record.ds200': the input is already data standard 200; there is nothing to convert *\n", ""},
    {"UnknownSource", "audconv convert --from 300 --to 100 record.ds200", 1, "audconv: 'record.ds200': data standard "
     "300 cannot be converted to data standard 100; convert to 100 from 200 or 500 (0x8004051C)\n", ""},
    {"NegativeSourceIsPassedOn", "audconv convert --from=-1 --to 200 record.ds100", 1,
     "audconv: 'record.ds100': data standard -1 cannot be converted to data standard 200; *\n", ""},
    {"UndetectableSize", "audconv convert --from auto --to 200 short.ds100", 1, "audconv: 'short.ds100': cannot tell "
     "the data standard: not a document and 19471 bytes is the size of neither * give it with --from (0x8004051C)\n", ""},
    {"MissingInputFile", "audconv convert --from 100 --to 200 missing.ds100", 1,
     "audconv: cannot open 'missing.ds100': No such file or directory\n", ""},
    {"OutputFolderMissing", "audconv convert --from 100 --to 200 -o no/such/out.ds200 record.ds100", 1,
     "audconv: cannot write 'no/such/out.ds200': No such file or directory\n", ""},
    {"InputUnreadable", "audconv convert --from 100 --to 200 wrong/unreadable.ds100", 1,
     "audconv: cannot open 'wrong/unreadable.ds100': Permission denied\n", "", {}, true},
    {"InputIsAFolder", "audconv convert --from 100 --to 200 wrong/folder.ds100", 1,
     "audconv: cannot read 'wrong/folder.ds100': Is a directory; convert a folder with --out-dir DIR\n", ""},
    {"EmptyDocument", "audconv convert --from 500 --to 200 -o out.ds200 wrong/empty.xml", 1,
     "audconv: 'wrong/empty.xml': the input could not be read as a data standard 500 document (0x80004005)\n", ""},
    {"TruncatedDocument", "audconv convert --from 500 --to 200 -o out.ds200 wrong/truncated.xml", 1,
     "audconv: 'wrong/truncated.xml': the input could not be read as a data standard 500 document *\n", ""},
    {"AnotherDocumentIsAWarning", "audconv convert --from 500 --to 200 -o out.ds200 wrong/page.xml", 0, "audconv: "
     "warning: 'wrong/page.xml': not an audiogram document: it has the root element 'html', *\n", "", {"out.ds200"}},
    {"StrictRefusesAnotherDocument", "audconv convert --strict --from 500 --to 200 -o out.ds200 wrong/page.xml", 1,
     "audconv: 'wrong/page.xml': not an audiogram document: * (refused under --strict)\n", ""},
    {"BytesLeftBehindAreAWarning", "audconv convert --from 100 --to 200 -o out.ds200 extended.ds100", 0, "audconv: "
     "warning: 'extended.ds100': 32 extension bytes after the data standard 100 record were left behind: *\n", "",
     {"out.ds200"}},
    {"StrictRefusesBytesLeftBehind", "audconv convert --strict --from 100 --to 200 -o out.ds200 extended.ds100", 1,
     "audconv: 'extended.ds100': 32 extension bytes * (refused under --strict)\n", ""},
    {"QuietHidesWarnings", "audconv convert -q --from 100 --to 200 -o out.ds200 extended.ds100", 0, "", "",
     {"out.ds200"}},
    {"ProblemsAndTheLikelyStandardAreWarnings", "audconv convert --from 100 --to 500 -o out.xml record.ds200", 0,
     "audconv: warning: 'record.ds200': 64 problems were written into the document as comments *; see the comments in "
     "the output, which inspect also lists\naudconv: warning: 'record.ds200': the input has 36128 bytes, exactly the "
     "size of a data standard 200 record: it is likely data standard 200, not 100\n", "", {"out.xml"}},
    {"StrictRefusesTheLikelyWrongStandard", "audconv convert --strict --from 100 --to 500 record.ds200", 1,
     "audconv: 'record.ds200': 64 problems * (refused under --strict)\naudconv: 'record.ds200': the input has 36128 "
     "bytes, * (refused under --strict)\n", ""},
    // a clean run is silent; --quiet leaves only failures, --verbose adds the report lines
    {"ConvertIsSilent", "audconv convert --from 200 --to 500 -o out.xml record.ds200", 0, "", "", {"out.xml"}},
    {"ConvertVerbose", "audconv convert -v --from 200 --to 500 -o out.xml record.ds200", 0, REPORT_LINES, "",
     {"out.xml"}},
    {"QuietStillReportsAFailure", "audconv convert -q --from 200 --to 100 -o out.ds100 short.ds200", 1,
     "audconv: 'short.ds200': 36127 bytes is shorter than a data standard 200 record (36128 bytes) (0x8004051C)\n", ""},
    {"InspectVerbose", "audconv inspect --verbose --summary record.ds200", 0, REPORT_LINES, "golden:summary.txt"},
    {"BatchPrintsItsSummary", "audconv convert --from auto --to 500 --out-dir od record.ds200", 0,
     "audconv: 1 converted, 0 failed, 0 skipped" TIMING, "", {"od/record.xml"}},
    {"BatchVerboseListsEveryFile", "audconv convert -v --from auto --to 500 --out-dir od record.ds200", 0,
     REPORT_LINES "audconv: converted 'record.ds200' to 'od/record.xml'\naudconv: 1 converted, 0 failed, 0 skipped"
     TIMING, "", {"od/record.xml"}},
    {"BatchWarnsPerFile", "audconv convert --from 100 --to 200 --out-dir od extended.ds100", 0, "audconv: warning: "
     "'extended.ds100': 32 extension bytes *\naudconv: 1 converted, 0 failed, 0 skipped" TIMING, "",
     {"od/extended.ds200"}},
    {"StrictBatchCountsAFileWithFindingsAsFailed", "audconv convert --strict --from 100 --to 200 --out-dir od "
     "extended.ds100 record.ds100", 1, "audconv: 'extended.ds100': 32 extension bytes * (refused under --strict)\n"
     "audconv: 1 converted, 1 failed, 0 skipped" TIMING, "", {"od/record.ds200"}},
    {"BatchTakesOnlyTheGivenStandardAndGoesOnPastFailures", "audconv convert -j 1 --from 200 --to 100 --out-dir od in "
     "absent.ds200", 1, "audconv: 'in/short.ds200': 36127 bytes is shorter than a data standard 200 record *\n"
     "audconv: 'absent.ds200': cannot open*(0x80004005)\naudconv: 1 converted, 2 failed, 0 skipped" TIMING, "",
     {"od/right.ds100"}},
    {"BatchDetectsEachFileAndSkipsTheTargetsOwn", "audconv convert -v -j 1 --from auto --to 100 --out-dir od in", 1,
     "audconv: skipped 'in/left.ds100': it is already data standard 100\naudconv: 'in/odd.ds100': cannot tell the data "
     "standard: not a document and 19473 bytes*\naudconv: converted 'in/right.ds200' to 'od/right.ds100'\naudconv: "
     "'in/short.ds200': cannot tell*\naudconv: skipped 1 file: 1 already data standard 100\naudconv: 1 converted, 2 "
     "failed, 1 skipped" TIMING, "", {"od/right.ds100"}},
    {"BatchSummarisesSkippedFiles", "audconv convert --from auto --to 100 --out-dir od record.ds100", 0, "audconv: "
     "skipped 1 file: 1 already data standard 100; --verbose lists them\naudconv: 0 converted, 0 failed, 1 skipped"
     TIMING, ""},
    {"BatchKeepsExistingOutputs", "mkdir od && echo keep >od/record.ds100 && audconv convert -v --from 200 --to 100 "
     "--out-dir od record.ds200 && cat od/record.ds100", 0, "audconv: skipped 'record.ds200': 'od/record.ds100' "
     "exists (--force replaces it)\naudconv: skipped 1 file: 1 output exists (--force replaces it)\naudconv: 0 "
     "converted, 0 failed, 1 "
     "skipped" TIMING, "keep\n", {"od/record.ds100"}},
    {"BatchForceReplacesAndRecursiveMirrorsFolders", "mkdir od && echo old >od/right.ds100 && audconv convert -q -f -r "
     "--from 200 --to 100 --out-dir od in; echo $? $(wc -c <od/right.ds100)", 0, "audconv: 'in/short.ds200': *\n",
     "1 19472\n", {"od/right.ds100", "od/sub/deep.ds100"}},
    {"BatchHintsAtRecursive", "audconv convert --from auto --to 200 --out-dir od archive", 0, "audconv: 'archive' holds "
     "no '.ds100', '.ds200' or '.xml' file but has subfolders; --recursive converts the files in them\naudconv: 0 "
     "converted, 0 failed, 0 skipped" TIMING, ""},
    {"BatchNamesNeverCollide", "cp record.ds200 x.ds200 && cp record.ds200 x.bin && mkdir y && echo '<a/>' >y/x.xml "
     "&& audconv convert -q --from auto --to 100 --out-dir od x.ds200 x.bin y/x.xml", 1, "audconv: 'y/x.xml': its "
     "output 'od/x.ds100' is already the output of 'x.ds200'*", "",
     {"od/x.bin.ds100", "od/x.ds100", "x.bin", "x.ds200", "y/x.xml"}},
    {"ParallelBatchGivesEveryFileItsResult", "audconv convert -q -j 6 --from 200 --to 100 --out-dir ../od many "
     "2>../err; echo $? $(ls ../od | wc -l) $(wc -l <../err) $(grep -c converted ../err)", 0, "", "1 18 6 0\n"},
    {"BatchStopsAtAnOutputFolderItCannotWrite", "audconv convert -j 1 --from 100 --to 200 --out-dir record.ds200/od "
     "record.ds100 extended.ds100", 1, "audconv: 'record.ds100': cannot create the folder 'record.ds200/od': Not a "
     "directory (0x80004005); the batch stopped\naudconv: 0 converted, 1 failed, 0 skipped, 1 not tried" TIMING, ""},
    // the command line not understood: exit 2 and what is wrong
    {"NoCommand", "audconv", 2, "audconv: *a command is required: convert, inspect, plot or help*", ""},
    {"UnknownCommand", "audconv frobnicate", 2, "audconv: *unknown command 'frobnicate'*", ""},
    {"HelpOfAnUnknownCommand", "audconv help frobnicate", 2, "audconv: *unknown command 'frobnicate'*", ""},
    {"UnknownOption", "audconv convert --bogus --from 100 --to 200 record.ds100", 2, "audconv: *'--bogus'*", ""},
    {"UnknownOptionBeforeAMissingOne", "audconv convert --bogus record.ds100", 2, "audconv: *unknown option*", ""},
    {"MissingTo", "audconv convert --from 100 record.ds100", 2, "audconv: *--to is required: 100, 200 or 500*", ""},
    {"MissingFrom", "audconv convert --to 200 x", 2, "audconv: *--from is required: 100, 200, 500 or auto*", ""},
    {"StandardAbove16Bits", "audconv convert --from 32768 --to 200 x", 2, "audconv: *'32768' is not a data*", ""},
    {"StandardNotANumber", "audconv inspect --from hundred x", 2, "audconv: *'hundred' is not a data standard: use "
     "100, 200, 500 or auto*", ""},
    {"TargetNotANumber", "audconv convert --from 100 --to xml x", 2, "audconv: *'xml' is not a data standard: use 100, "
     "200 or 500*", ""},
    {"StandardInHex", "audconv convert --from 0x64 --to 200 x", 2, "audconv: *'0x64' is not a data standard*", ""},
    {"JobsNotANumber", "audconv convert --from 100 --to 200 --out-dir od -j abc x", 2, "audconv: *--jobs: 'abc' is "
     "not a number*", ""},
    {"SeveralInputsNeedAnOutputFolder", "audconv convert --from 100 --to 200 x x", 2, "audconv: *several inputs need "
     "--out-dir*", ""},
    {"ForceNeedsAnOutputFolder", "audconv convert --from 100 --to 200 --force x", 2, "audconv: *--force needs "
     "--out-dir*", ""},
    {"OutputFileOrOutputFolder", "audconv convert --from 100 --to 200 --out-dir x -o y x", 2, "audconv: *--output "
     "excludes --out-dir*", ""},
    {"QuietAndVerboseExcludeEachOther", "audconv convert -q -v --from 200 --to 500 x", 2, "audconv: *excludes*", ""},
    {"JsonOrCsv", "audconv inspect --json --csv record.ds200", 2, "audconv: *--json excludes --csv*", ""},
    // inspect: what records hold, as text, JSON, JSON Lines and CSV; a file it cannot read is one line
    {"InspectText", "audconv inspect '" + kOdd + "' record.ds200 special.ds200 extended.ds100", 1,
     "audconv: 'extended.ds100': cannot tell*\n", "golden:inspect.txt"},
    {"InspectJsonOfOneFileIsADocument", "audconv inspect --json '" + kOdd + "'", 0, "", "golden:inspect.json"},
    {"InspectJsonOfAFolderIsAnArray", "audconv inspect --json --recursive in", 1, "audconv: 'in/odd.ds100': cannot "
     "tell*\naudconv: 'in/short.ds200': cannot tell*\n", "golden:inspect-folder.json"},
    {"InspectJsonLines", "audconv inspect --from 100 --jsonl extended.ds100 absent.ds100 record.ds100", 1,
     "audconv: cannot open 'absent.ds100'*\n", "golden:inspect.jsonl"},
    {"InspectSummaryJsonLines", "audconv inspect --summary --jsonl record.ds200 special.ds200", 0, "",
     "golden:summary.jsonl"},
    {"InspectCsvTakesOnlyAFoldersOwnRecords", "audconv inspect --csv in '" + kOdd + "'", 1, "audconv: 'in/odd.ds100': "
     "cannot tell*\naudconv: 'in/short.ds200': cannot tell*\n", "golden:points.csv"},
    {"InspectSummaryCsv", "audconv inspect --csv --summary '" + kOdd + "' record.ds200 left.ds100 special.ds200", 0, "",
     "golden:summaries.csv"},
    // plot: the chart of every symbol, and of a record without a tone audiogram
    {"PlotTheChart", "audconv plot --title \"$(printf 'a<b & \"c\" \\377\\001 \\355\\240\\200')\" chart.ds200", 0,
     "", "golden:chart.svg"},
    {"PlotWithoutTitle", "audconv plot --title '' extended.ds100 --from 100", 0, "", "golden:chart-empty.svg"},
    {"PlotTitleIsTheFileName", "audconv plot left.ds100 -o chart.svg && grep '<title>' chart.svg", 0, "",
     "*<title>Audiogram: left.ds100</title>*", {"chart.svg"}},
    // the help of each command lists every option with its default; the completion offers the same options
    {"Help", "audconv --help", 0, "", "golden:help.txt"},
    {"HelpConvert", "audconv convert --help", 0, "", "golden:help-convert.txt"},
    {"HelpCommandConvert", "audconv help convert", 0, "", "golden:help-convert.txt"},
    {"HelpInspect", "audconv help inspect", 0, "", "golden:help-inspect.txt"},
    {"HelpPlot", "audconv help plot", 0, "", "golden:help-plot.txt"},
    {"CompletionOffersTheOptionsTheHelpLists", "test -f /usr/share/bash-completion/bash_completion || exit 0; for c in "
     "convert inspect plot; do audconv $c --help | sed -n 's/^ *\\(-.,\\)\\?\\(--[a-z-]*\\).*/\\2/p' | sort -u >../help; "
     "bash -c \". /usr/share/bash-completion/bash_completion; . " AUDCONV_COMPLETION "; COMP_WORDS=(audconv $c --); "
     "COMP_CWORD=2; COMP_LINE=audconv\\\\ $c\\\\ --; COMP_POINT=\\${#COMP_LINE}; _audconv; printf '%s\\n' "
     "\\${COMPREPLY[@]}\" | sort -u | diff ../help - || exit 1; done", 0, "", ""},
};

// The work folder of every run, besides the records the test builds: samples under short names,
// records that are short or of an odd size, documents that are wrong in other ways, a file
// nobody may read, a folder where a file belongs and a folder nobody may write to.
const std::string kMakeWorkFolder = "S=" + Quote(AUDCONV_SAMPLES_DIR) + " && mkdir -p archive/2024 in/sub many "
    "wrong/folder.ds100 wrong/read-only && cp \"$S/left-right-thresholds.ds100\" record.ds100 && cp \"$S/full-audiogram"
    ".ds200\" record.ds200 && cp \"$S/special-tests.ds200\" special.ds200 && cp \"$S/speech-with-extension.ds100\" "
    "extended.ds100 && for f in left.ds100 archive/2024/left.ds100 in/left.ds100; do cp record.ds100 $f; done && "
    "cp record.ds200 in/right.ds200 && cp record.ds200 in/sub/deep.ds200 && head -c 19471 record.ds100 >short.ds100 "
    "&& head -c 36127 record.ds200 >short.ds200 && cp short.ds200 in/ && { cat record.ds100; echo; } >in/odd.ds100 && "
    "echo notes >in/notes.txt && for i in $(seq 0 23); do if [ $((i % 4)) = 3 ]; then echo short; else cat "
    "record.ds200; fi >many/r$i.ds200; done && printf '<!DOCTYPE html>\\n<html><body></body></html>\\n' "
    ">wrong/page.xml && : >wrong/empty.xml && printf '<?xml version=\"1.0\"?>\\r\\n<TORVAAudiometricStandard Version="
    "\"500\">\\r\\n\\t<ToneThresholdAudiogram>' >wrong/truncated.xml && cp record.ds100 wrong/unreadable.ds100 && "
    "chmod 0 wrong/unreadable.ds100 && chmod 500 wrong/read-only";

class Audconv : public ::testing::TestWithParam<RunCase> {
protected:
    void SetUp() override {
        fs::create_directories(Work());
        ASSERT_EQ(test::RunShell("cd " + Quote(Work().string()) + " && " + kMakeWorkFolder, folder_.Path()).exitCode, 0);
        for (const std::string name : {"expected.ds200", "chart.ds200"}) fs::copy_file(kRecords / name, Work(name));
        fs::copy_file(kRecords / "inspect.ds200", Work(kOdd));
    }
    fs::path Work(const std::string& name = "") const { return folder_.Path() / "work" / name; }

    // Standard output as the row expects it: a glob, a golden file or a file of the work folder.
    void ExpectOutput(const std::string& out, const std::string& expected) const {
        if (expected.starts_with("golden:")) {
            EXPECT_TRUE(testing::MatchesGolden(expected.substr(7), out));
            EXPECT_EQ(expected.ends_with(".svg") ? testing::WellFormednessProblem(out) : "", "");
            return;
        }
        if (expected.starts_with("same:")) {
            EXPECT_TRUE(out == testing::ReadFileText(Work(expected.substr(5)))) << out.size() << " bytes";
            return;
        }
        EXPECT_TRUE(Matches(out, expected)) << out;
    }

    test::TempFolder folder_;
};

TEST_P(Audconv, GivesBackWhatTheRowSays) {
    const RunCase& row = GetParam();
    const std::vector<std::string> before = test::TempFolder::Files(Work());
    const std::string asUser = row.permissionsApply && ::geteuid() == 0
                                   ? "setpriv --bounding-set=-dac_override,-dac_read_search "
                                   : "";
    const std::string tools = fs::path(AUDCONV_PATH).parent_path().string();
    const ShellResult result = test::RunShell("cd " + Quote(Work().string()) + " && PROGRAMDATA=" +
                                                  Quote(folder_.Path().string()) + " PATH=" + Quote(tools) +
                                                  ":\"$PATH\" " + asUser + "sh -c " + Quote(row.command),
                                              folder_.Path());
    EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
    EXPECT_TRUE(Matches(result.err, row.err)) << result.err;
    ExpectOutput(result.out, row.out);
    std::vector<std::string> made;
    for (const std::string& file : test::TempFolder::Files(Work())) {
        if (std::find(before.begin(), before.end(), file) == before.end()) made.push_back(file);
    }
    EXPECT_EQ(made, row.made);
}

INSTANTIATE_TEST_SUITE_P(Runs, Audconv, ::testing::ValuesIn(kRuns), testing::CaseName());

TEST(BatchSummary, CarriesCountsSecondsAndRate) {
    EXPECT_EQ(tool::SummaryLine({3, 1, 2, 0.5, 2'000'000}), "3 converted, 1 failed, 2 skipped in 0.50 s (4.0 MB/s)");
    EXPECT_EQ(tool::SummaryLine({}), "0 converted, 0 failed, 0 skipped in 0.00 s (0.0 MB/s)");
}

}  // namespace
}  // namespace audiogram
