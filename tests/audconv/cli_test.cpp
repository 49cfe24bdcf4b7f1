// Runs the built audconv on the bundled samples as a user would: exit codes, where the
// output goes, and the help texts.

#include <gtest/gtest.h>

#include <string>

#include "shell.h"
#include "temp_folder.h"

namespace audiogram::tool {
namespace {

using test::Quote;
using test::RunShell;
using test::ShellResult;
using test::TempFolder;

const std::string kAudconv = Quote(AUDCONV_PATH);
const std::string kSamples = AUDCONV_SAMPLES_DIR;

std::string Sample(const std::string& name) { return Quote(kSamples + "/" + name); }

class Cli : public testing::Test {
protected:
    ShellResult Run(const std::string& arguments) { return RunShell(kAudconv + " " + arguments, folder_.Path()); }
    std::string At(const std::string& name) const { return Quote((folder_.Path() / name).string()); }

    TempFolder folder_;
};

TEST_F(Cli, SeveralInputsWithoutAnOutputFolderAreAUsageError) {
    const ShellResult result = Run("convert --from 100 --to 200 " + Sample("left-right-thresholds.ds100") + " " +
                                   Sample("speech-with-extension.ds100"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.err.find("several inputs need --out-dir"), std::string::npos) << result.err;
    EXPECT_EQ(Run("convert --from 100 --to 200 --force " + Sample("left-right-thresholds.ds100")).exitCode, 2);
    EXPECT_EQ(Run("convert --from 100 --to 200 --out-dir x -o y " + Sample("left-right-thresholds.ds100")).exitCode, 2);
}

TEST_F(Cli, BatchExitsOneWhenAFileFailedAndWritesNothingToStandardOutput) {
    folder_.Write("in/broken.ds200", std::vector<std::uint8_t>(100, 0));
    const ShellResult result = Run("convert --from auto --to 100 --out-dir " + At("out") + " " +
                                   Sample("full-audiogram.ds200") + " " + At("in/broken.ds200"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("broken.ds200': cannot tell the data standard"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("audconv: 1 converted, 1 failed, 0 skipped"), std::string::npos) << result.err;
    // not a terminal: no progress bar
    EXPECT_EQ(result.err.find('\r'), std::string::npos);
    EXPECT_EQ(folder_.Files(folder_.Path() / "out"), std::vector<std::string>{"full-audiogram.ds100"});
}

TEST_F(Cli, SingleFileFormDetectsTheSourceStandard) {
    const ShellResult result = Run("convert --from auto --to 200 -o " + At("x.ds200") + " " +
                                   Sample("left-right-thresholds.ds100"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(TempFolder::Read(folder_.Path() / "x.ds200").size(), 36128u);
    const ShellResult refused = Run("convert --from auto --to 200 " + Sample("speech-with-extension.ds100"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("give it with --from (0x8004051C)"), std::string::npos) << refused.err;
}

TEST_F(Cli, InspectShowsTheSampleAsTextAndAsJson) {
    const ShellResult text = Run("inspect " + Sample("full-audiogram.ds200"));
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("Data standard: 200\n"), std::string::npos);
    EXPECT_NE(text.out.find("ToneThresholdAudiogram, slot 0\n"), std::string::npos);

    const ShellResult json =
        RunShell(kAudconv + " inspect --json --from 100 " + Sample("speech-with-extension.ds100") +
                     " | jq -e '.dataStandard == 100 and .extensionBytes == 32 and "
                     "(.sections | map(.name) | index(\"SpeechDiscriminationAudiogram\") != null)'",
                 folder_.Path());
    EXPECT_EQ(json.exitCode, 0) << json.out << json.err;

    const ShellResult missing = Run("inspect " + At("absent.ds200"));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos);
}

TEST_F(Cli, PlotWritesAWellFormedChart) {
    const ShellResult result = Run("plot " + Sample("full-audiogram.ds200") + " -o " + At("chart.svg"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(RunShell("xmllint --noout " + At("chart.svg"), folder_.Path()).exitCode, 0);
    const ShellResult toStdout = Run("plot --title 'Left & right' " + Sample("left-right-thresholds.ds100"));
    EXPECT_NE(toStdout.out.find("<title>Left &amp; right</title>"), std::string::npos);
}

TEST_F(Cli, HelpListsEveryCommandAndEveryOptionWithItsDefault) {
    const ShellResult help = Run("--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"convert", "inspect", "plot"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    struct CommandOptions {
        const char* command;
        std::vector<std::string> options;
    };
    const CommandOptions kCommands[] = {
        {"convert", {"-o,--output", "--out-dir", "-r,--recursive", "-f,--force", "-j,--jobs", "-q,--quiet"}},
        {"inspect", {"--from", "--json"}},
        {"plot", {"-o,--output", "--from", "--title"}},
    };
    for (const CommandOptions& entry : kCommands) {
        const ShellResult result = Run(std::string(entry.command) + " --help");
        EXPECT_EQ(result.exitCode, 0);
        for (const std::string& option : entry.options) {
            const std::size_t at = result.out.find(option);
            ASSERT_NE(at, std::string::npos) << entry.command << " " << option;
            // the description of every option names its default before the next option starts
            const std::size_t next = result.out.find("\n  -", at + 1);
            EXPECT_NE(result.out.substr(at, next - at).find("default"), std::string::npos) << entry.command << " " << option;
        }
    }
}

}  // namespace
}  // namespace audiogram::tool
