// Where audconv writes: regular files replaced atomically, links followed, devices and pipes
// written directly, folders refused, and nothing the tool did not create changed. Each case
// runs as root and, where the test can drop privileges, as an ordinary user. No case aims at
// the machine's own devices or links: nodes and links are private copies in the work folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "tool_harness.h"

namespace audiogram {
namespace {

namespace fs = std::filesystem;
using test::Quote;

const std::string kNobody = "65534";

struct OutputCase {
    std::string name;
    std::string setup;    // shell lines run in the work folder first, as the runner
    std::string target;   // the name given to -o (or the output under --out-dir)
    std::string command;  // run as the runner
    int exitCode;
    std::string error;              // the whole of standard error
    std::string check = "";         // a shell test in the work folder afterwards
    bool rootOnly = false;          // only root makes device nodes
    bool permissionsApply = false;  // root runs it without the capabilities that pass permission checks
};

#define CONVERT "audconv convert --from 100 --to 200 "

const OutputCase kOutputCases[] = {
    {"RegularFileKeepsModeAndOwner", "printf old >out; chmod 640 out; chown 1234:2345 out 2>/dev/null || true", "out",
     CONVERT "-o out record.ds100", 0, "", "cmp out expected.ds200"},
    {"HardLinkedFileLeavesItsOtherNameAlone", "printf old >out; ln out other", "out", CONVERT "-o out record.ds100", 0,
     "", "cmp out expected.ds200 && test \"$(cat other)\" = old"},
    {"FailedRunKeepsTheOldFile", "printf old >out", "out", "audconv convert --from 200 --to 100 -o out short.ds200", 1,
     "audconv: 'short.ds200': 100 bytes is shorter than a data standard 200 record (36128 bytes) (0x8004051C)\n",
     "test \"$(cat out)\" = old"},
    {"LinkToAFileReplacesTheFile", "printf old >target; chmod 604 target; ln -s target out", "out",
     CONVERT "-o out record.ds100", 0, "", "test -L out && cmp target expected.ds200"},
    {"RelativeLinkChainIsReadFromEachLinksFolder", "mkdir sub; printf old >target; ln -s ../target sub/middle; "
     "ln -s middle sub/out", "sub/out", CONVERT "-o sub/out record.ds100", 0, "",
     "test -L sub/out && test -L sub/middle && cmp target expected.ds200"},
    {"DanglingLinkCreatesItsTarget", "ln -s made out", "out", CONVERT "-o out record.ds100", 0, "",
     "test -L out && cmp made expected.ds200"},
    {"LinkLoopIsRefused", "ln -s loop out; ln -s out loop", "out", CONVERT "-o out record.ds100", 1,
     "audconv: cannot write 'out': Too many levels of symbolic links\n"},
    {"FifoIsWrittenDirectly", "mkfifo out", "out", "timeout 10 cat out >got & " CONVERT "-o out record.ds100; "
     "status=$?; wait; exit $status", 0, "", "test -p out && cmp got expected.ds200"},
    // a private copy of /dev/stdout's link, so that a fault cannot replace the machine's own
    {"StandardOutputPipeIsWrittenDirectly", "ln -s /proc/self/fd/1 stdout", "stdout",
     CONVERT "-o stdout record.ds100 | cat >got", 0, "", "cmp got expected.ds200"},
    {"DeviceNodeIsWrittenDirectly", "mknod out c 1 3", "out", CONVERT "-o out record.ds100", 0, "", "", true},
    {"FullDeviceFails", "mknod out c 1 7", "out", CONVERT "-o out record.ds100", 1,
     "audconv: cannot write 'out': No space left on device\n", "", true},
    {"FolderIsRefused", "mkdir out", "out", CONVERT "-o out record.ds100", 1,
     "audconv: cannot write 'out': Is a directory\n"},
    {"ReadOnlyFolderIsRefused", "mkdir ro; chmod 555 ro", "ro/out", CONVERT "-o ro/out record.ds100", 1,
     "audconv: cannot write 'ro/out': Permission denied\n", "", false, true},
    {"PlotFollowsALink", "printf old >chart.svg; ln -s chart.svg out", "out", "audconv plot record.ds100 -o out", 0, "",
     "test -L out && grep -q '</svg>' chart.svg"},
    {"BatchFollowsALinkedOutput", "mkdir od; printf old >real.ds200; ln -s ../real.ds200 od/record.ds200",
     "od/record.ds200", CONVERT "--quiet --force --out-dir od record.ds100", 0, "",
     "test -L od/record.ds200 && cmp real.ds200 expected.ds200"},
};

void PrintTo(const std::tuple<OutputCase, bool>& param, std::ostream* out) { *out << std::get<0>(param).name; }

class OutputTarget : public ::testing::TestWithParam<std::tuple<OutputCase, bool>> {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "making device nodes and changing users needs root";
        const auto& [row, asUser] = GetParam();
        if (row.rootOnly && asUser) GTEST_SKIP() << "only root makes device nodes";
        const fs::path work = folder_.Path() / "work";
        fs::create_directories(work);
        fs::copy_file(AUDCONV_SAMPLES_DIR "/left-right-thresholds.ds100", work / "record.ds100");
        fs::copy_file(AUDCONV_TEST_DIR "/records/expected.ds200", work / "expected.ds200");
        testing::WriteFileText(work / "short.ds200", std::string(100, '\0'));
        if (!asUser) return;
        if (Shell(AsRunner() + "test -x " + Quote(AUDCONV_PATH)).exitCode != 0) {
            GTEST_SKIP() << "an ordinary user cannot reach the built tool from here";
        }
        fs::permissions(folder_.Path(), fs::perms::all);  // the user reaches the work folder
        ASSERT_EQ(Shell("chown -R " + kNobody + ":" + kNobody + " .").exitCode, 0);
    }

    // Runs `command` in the work folder as root.
    test::ShellResult Shell(const std::string& command) const {
        return test::RunShell("cd " + Quote((folder_.Path() / "work").string()) + " && " + command, folder_.Path());
    }

    std::string AsRunner() const {
        const auto& [row, asUser] = GetParam();
        if (asUser) return "setpriv --reuid=" + kNobody + " --regid=" + kNobody + " --clear-groups ";
        return row.permissionsApply ? "setpriv --bounding-set=-dac_override,-dac_read_search " : "";
    }

    // What the name is, without and with its links followed (when they lead somewhere):
    // kind, mode, owner, device.
    std::string Identity(const std::string& name) const {
        const std::string format = "-c '%F %a %u %g %t %T' " + Quote(name);
        return Shell("stat " + format + "; stat -L " + format + " 2>/dev/null").out;
    }

    test::TempFolder folder_;
};

TEST_P(OutputTarget, WritesWhereTheNamePointsAndLeavesTheNameAsItWas) {
    const OutputCase& row = std::get<0>(GetParam());
    const std::string runner = AsRunner();
    ASSERT_EQ(Shell(runner + "sh -c " + Quote(row.setup)).exitCode, 0) << row.setup;
    const std::string before = Identity(row.target);

    // the whole command runs as the runner: a pipe the tool is to reopen must be the runner's
    const test::ShellResult result = Shell("PROGRAMDATA=" + Quote(folder_.Path().string()) + " PATH=" +
                                           Quote(fs::path(AUDCONV_PATH).parent_path().string()) + ":\"$PATH\" " +
                                           runner + "sh -c " + Quote(row.command));
    EXPECT_EQ(result.exitCode, row.exitCode) << result.err;
    EXPECT_EQ(result.err, row.error);

    // a link to nothing yet gains a target; nothing else may change what the name is
    EXPECT_EQ(Identity(row.target).substr(0, before.size()), before) << "the name changed what it is";
    EXPECT_EQ(row.check.empty() ? 0 : Shell(row.check).exitCode, 0) << row.check;
    EXPECT_EQ(Shell("find . -name '*.audconv-*' | grep -q .").exitCode, 1) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputTarget, ::testing::Combine(::testing::ValuesIn(kOutputCases), ::testing::Bool()),
                         [](const auto& test) {
                             return std::get<0>(test.param).name + (std::get<1>(test.param) ? "AsUser" : "AsRoot");
                         });

}  // namespace
}  // namespace audiogram
