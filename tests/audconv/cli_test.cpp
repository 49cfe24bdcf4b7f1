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

TEST_F(Cli, InspectShowsTheSampleAsTextAndAsJson) {
    const ShellResult text = Run("inspect " + Sample("full-audiogram.ds200"));
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("Data standard: 200\n"), std::string::npos);
    EXPECT_NE(text.out.find("ToneThresholdAudiogram, slot 0\n"), std::string::npos);

    const ShellResult json =
        test::RunShell(kAudconv + " inspect --json --from 100 " + Sample("speech-with-extension.ds100") +
                           " | jq -e '.dataStandard == 100 and .extensionBytes == 32 and "
                           "(.sections | map(.name) | index(\"SpeechDiscriminationAudiogram\") != null)'",
                       folder_.Path());
    EXPECT_EQ(json.exitCode, 0) << json.out << json.err;

    const ShellResult missing = Run("inspect " + At("absent.ds200"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

TEST_F(Cli, PlotWritesAWellFormedChart) {
    EXPECT_EQ(Run("plot " + Sample("full-audiogram.ds200") + " -o " + At("chart.svg")).exitCode, 0);
    EXPECT_EQ(test::RunShell("xmllint --noout " + At("chart.svg"), folder_.Path()).exitCode, 0);
    const ShellResult toStdout = Run("plot --title 'Left & right' " + Sample("left-right-thresholds.ds100"));
    EXPECT_NE(toStdout.out.find("<title>Left &amp; right</title>"), std::string::npos);
}

TEST_F(Cli, HelpListsEveryCommandAndEveryOptionWithItsDefault) {
    const std::pair<std::string, std::vector<std::string>> kCommands[] = {
        {"", {"convert", "inspect", "plot", "help"}},
        {"convert", {"-o,--output", "--out-dir", "-r,--recursive", "-f,--force", "--strict", "-j,--jobs", "-q,--quiet",
                     "-v,--verbose"}},
        {"inspect", {"--from", "--json", "-q,--quiet", "-v,--verbose"}},
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
