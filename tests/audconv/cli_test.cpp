// Runs the built audconv on the bundled samples as a user would: a batch's exit code and
// summary, inspect and plot, and the help texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "tool_harness.h"

namespace audiogram::tool {
namespace {

using test::Quote;
using test::ShellResult;

const std::string kAudconv = Quote(AUDCONV_PATH);

std::string Sample(const std::string& name) { return Quote(AUDCONV_SAMPLES_DIR "/" + name); }

class Cli : public ::testing::Test {
protected:
    ShellResult Run(const std::string& arguments) { return test::RunShell(kAudconv + " " + arguments, folder_.Path()); }
    std::string At(const std::string& name) const { return Quote((folder_.Path() / name).string()); }

    test::TempFolder folder_;
};

TEST_F(Cli, BatchExitsOneWhenAFileFailedAndWritesNothingToStandardOutput) {
    folder_.Write("in/broken.ds200", std::string(100, '\0'));
    const ShellResult result = Run("convert --from auto --to 100 --out-dir " + At("out") + " " +
                                   Sample("full-audiogram.ds200") + " " + At("in/broken.ds200"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("broken.ds200': cannot tell the data standard"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("audconv: 1 converted, 1 failed, 0 skipped"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\r'), std::string::npos);  // not a terminal: no progress bar
    EXPECT_EQ(test::TempFolder::Files(folder_.Path() / "out"), std::vector<std::string>{"full-audiogram.ds100"});
}

// inspect over many files: each run's exit status, a text its standard output (passed through
// `filter` when one is given) must hold and one its standard error must hold (empty: nothing
// expected there). "in" holds a copy of a sample one folder down, a broken record and a text
// file without a data-standard suffix.
TEST_F(Cli, InspectReadsManyFilesAndGoesOnPastTheOnesItCannotRead) {
    folder_.Write("in/sub/deep.ds200", testing::ReadFileText(AUDCONV_SAMPLES_DIR "/full-audiogram.ds200"));
    folder_.Write("in/broken.ds200", std::string(100, '\0'));
    folder_.Write("in/notes.txt", "not taken from a folder");
    const std::string full = Sample("full-audiogram.ds200"), in = At("in");
    const struct {
        std::string arguments, filter;
        int exitCode;
        std::string out, err;
    } kRuns[] = {
        {"inspect " + full, "", 0, "Data standard: 200\n", ""},
        {"inspect --from 100 --json " + Sample("speech-with-extension.ds100"), "jq -c '[.dataStandard, .extensionBytes]'", 0,
         "[100,32]\n", ""},
        // one named file is one document; several, or a folder, make an array
        {"inspect --json " + full, "jq -r type", 0, "object\n", ""},
        {"inspect --json " + full + " " + full, "jq -r 'type, length'", 0, "array\n2\n", ""},
        {"inspect --json --recursive " + in, "jq -r 'map(.file | split(\"/\") | last) | join(\" \")'", 1, "deep.ds200\n",
         "broken.ds200': cannot tell the data standard"},
        {"inspect --json " + At("absent.ds200"), "", 1, "", "cannot open"},
        // a folder without --recursive takes only its own files with a data-standard suffix
        {"inspect --csv " + in, "", 1, "file,section,slot,ear,route,masked,transducer,frequency_hz,level_db,"
                                   "masking_frequency_hz,masking_level_db,status,response\n", "broken.ds200'"},
        {"inspect --csv " + in, "wc -l", 1, "1\n", ""},
        {"inspect --jsonl " + full + " " + At("absent.ds200") + " " + full, "wc -l", 1, "2\n", "absent.ds200"},
        {"inspect --jsonl --summary " + full, "jq -c '[(.file | endswith(\"full-audiogram.ds200\")), .summary.grade]'", 0,
         "[true,\"mild\"]\n", ""},
        {"inspect --summary " + full, "", 0, "    Grade:                           mild\n", ""},
        {"inspect --summary " + full, "grep -c 'Measurement conditions'", 0, "0\n", ""},
        {"inspect --json --csv " + full, "", 2, "", "--json excludes --csv"},
    };
    for (const auto& run : kRuns) {
        const ShellResult result = Run(run.arguments + " >" + At("inspect.out"));
        const std::filesystem::path shown = folder_.Path() / "inspect.out";
        const std::string out = run.filter.empty() ? testing::ReadFileText(shown)
                                                   : test::RunShell(run.filter, folder_.Path(), shown.string()).out;
        EXPECT_EQ(result.exitCode, run.exitCode) << run.arguments << "\n" << result.err;
        EXPECT_NE(out.find(run.out), std::string::npos) << run.arguments << "\n" << out;
        EXPECT_NE(result.err.find(run.err), std::string::npos) << run.arguments << "\n" << result.err;
    }
}

// The tables of the samples, byte for byte: any change to a column, a number's form or the
// quoting shows here.
TEST_F(Cli, InspectCsvOfTheSamplesMatchesItsGoldenFile) {
    const std::string samples = " samples/full-audiogram.ds200 samples/left-right-thresholds.ds100 samples/special-tests.ds200";
    const std::pair<std::string, std::string> kTables[] = {{"--csv", "sample-points.csv"},
                                                           {"--csv --summary", "sample-summaries.csv"}};
    for (const auto& [options, golden] : kTables) {
        const ShellResult result =
            test::RunShell("cd " + Quote(AUDCONV_SAMPLES_DIR "/..") + " && " + kAudconv + " inspect " + options + samples,
                           folder_.Path());
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, testing::ReadFileText(AUDCONV_GOLDEN_DIR "/" + golden)) << options;
    }
}

TEST_F(Cli, PlotWritesAWellFormedChart) {
    EXPECT_EQ(Run("plot " + Sample("full-audiogram.ds200") + " -o " + At("chart.svg")).exitCode, 0);
    EXPECT_EQ(test::RunShell("xmllint --noout " + At("chart.svg"), folder_.Path()).exitCode, 0);
    const ShellResult toStdout = Run("plot --title 'Left & right' " + Sample("left-right-thresholds.ds100"));
    EXPECT_NE(toStdout.out.find("<title>Left &amp; right</title>"), std::string::npos);
    EXPECT_NE(Run("plot " + Sample("left-right-thresholds.ds100")).out.find("<title>Audiogram: left-right-thresholds.ds100</title>"),
              std::string::npos);
    EXPECT_EQ(Run("plot --title '' " + Sample("left-right-thresholds.ds100")).out.find("<title>"), std::string::npos);
}

TEST_F(Cli, HelpListsEveryCommandAndEveryOptionWithItsDefault) {
    const std::pair<std::string, std::vector<std::string>> kCommands[] = {
        {"", {"convert", "inspect", "plot", "help"}},
        {"convert", {"-o,--output", "--out-dir", "-r,--recursive", "-f,--force", "--strict", "-j,--jobs", "-q,--quiet",
                     "-v,--verbose"}},
        {"inspect", {"--from", "-r,--recursive", "--summary", "--json", "--jsonl", "--csv", "-q,--quiet", "-v,--verbose"}},
        {"plot", {"-o,--output", "--from", "--title", "-q,--quiet", "-v,--verbose"}},
    };
    for (const auto& [command, options] : kCommands) {
        const ShellResult help = Run(command + " --help");
        EXPECT_EQ(help.exitCode, 0);
        for (const std::string& option : options) {
            const std::size_t at = help.out.find(option);
            ASSERT_NE(at, std::string::npos) << command << " " << option;
            if (command.empty()) continue;
            // the description of every option names its default before the next option starts
            const std::size_t next = help.out.find("\n  -", at + 1);
            EXPECT_NE(help.out.substr(at, next - at).find("default"), std::string::npos) << command << " " << option;
        }
    }
}

// The long options at the start of the help's option lines.
std::set<std::string> HelpOptions(const std::string& help) {
    std::set<std::string> options;
    std::istringstream lines(help);
    const std::regex option("\\s+(-\\w,)?(--[\\w-]+).*");
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_match(line, match, option)) options.insert(match[2]);
    }
    return options;
}

// The completion offers every long option a command's help lists and no other, so the two
// cannot drift apart; `audconv help COMMAND` prints that same help.
TEST_F(Cli, CompletionOffersTheOptionsTheHelpLists) {
    if (!std::filesystem::exists("/usr/share/bash-completion/bash_completion")) {
        GTEST_SKIP() << "bash-completion is not installed";
    }
    for (const std::string command : {"convert", "inspect", "plot"}) {
        const ShellResult help = Run(command + " --help");
        EXPECT_EQ(Run("help " + command).out, help.out);
        const std::string script = "source /usr/share/bash-completion/bash_completion && source " +
                                   Quote(AUDCONV_COMPLETION) + " && COMP_WORDS=(audconv " + command +
                                   " --) && COMP_CWORD=2 && COMP_LINE=\"${COMP_WORDS[*]}\" && "
                                   "COMP_POINT=${#COMP_LINE} && _audconv && printf '%s\\n' \"${COMPREPLY[@]}\"";
        const ShellResult offered = test::RunShell("bash -c " + Quote(script), folder_.Path());
        std::set<std::string> completed;
        std::istringstream words(offered.out);
        for (std::string word; words >> word;) completed.insert(word);
        EXPECT_EQ(completed, HelpOptions(help.out)) << command;
    }
}

}  // namespace
}  // namespace audiogram::tool
