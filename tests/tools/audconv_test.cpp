// Runs the built audconv as a user or a script would: through the shell, with files,
// standard streams and exit codes.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "service/blob_dispatcher.h"
#include "support/case_names.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSize100 = 19472;
constexpr std::size_t kSize200 = 36128;
const fs::path kSamples = AUDCONV_SAMPLES_DIR;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string AsString(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Compares byte strings by size and first difference instead of printing records whole.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto difference = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                         << " were expected, first difference at byte "
                                         << (difference.first - actual.begin());
}

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

class Audconv : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        folder_ = fs::temp_directory_path() / ("audconv-test-" + name + "-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "work");
        // Inputs every case may name: the samples, and records one byte short.
        fs::copy_file(kSamples / "left-right-thresholds.ds100", Work("record.ds100"));
        fs::copy_file(kSamples / "full-audiogram.ds200", Work("record.ds200"));
        WriteFile(Work("short.ds100"), AsString(testing::RandomBytes(kSize100 - 1, 1)));
        WriteFile(Work("short.ds200"), AsString(testing::RandomBytes(kSize200 - 1, 2)));
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path Work(const std::string& name) const { return folder_ / "work" / name; }

    // Runs `audconv ARGUMENTS` inside the work folder, standard input from `input`.
    Outcome Run(const std::string& arguments, const std::string& input = "/dev/null") const {
        // The group's redirections reach every command of a pipeline inside `arguments`.
        const std::string command = "cd '" + (folder_ / "work").string() + "' && { '" AUDCONV_PATH "' " + arguments +
                                    "; } < " + input + " > '" + (folder_ / "out").string() + "' 2> '" +
                                    (folder_ / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(folder_ / "out"), ReadFile(folder_ / "err")};
    }

    std::set<std::string> WorkFiles() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_ / "work")) names.insert(entry.path().filename());
        return names;
    }

    fs::path folder_;
};

struct RunCase {
    std::string name;
    std::string arguments;
    int exitCode;
    std::string errorLine;  // the whole of standard error for failed conversions, else empty
};

const RunCase kFailedConversions[] = {
    {"Short100Record", "convert --from 100 --to 200 short.ds100", 1,
     "audconv: the input is shorter than a data standard 100 record (0x8004051C)\n"},
    {"Short200Record", "convert --from 200 --to 100 -o out.ds100 short.ds200", 1,
     "audconv: the input is shorter than a data standard 200 record (0x8004051C)\n"},
    {"Short100RecordOnTheWayTo500", "convert --from 100 --to 500 short.ds100", 1,
     "audconv: the input is shorter than a data standard 100 record (0x8004051C)\n"},
    {"UnsupportedTarget", "convert --from 100 --to 300 record.ds100", 1,
     "audconv: data standard 300 is not a target this converter writes; use 100, 200 or 500 (0x80040516)\n"},
    {"SameStandard", "convert --from 200 --to 200 record.ds200", 1,
     "audconv: the input is already data standard 200; there is nothing to convert (0x8004051C)\n"},
    {"UnknownSource", "convert --from 300 --to 100 record.ds200", 1,
     "audconv: data standard 300 cannot be converted to data standard 100; convert to 100 from 200 or 500 "
     "(0x8004051C)\n"},
    {"NegativeSourceIsPassedOn", "convert --from=-1 --to 200 record.ds100", 1,
     "audconv: data standard -1 cannot be converted to data standard 200; convert to 200 from 100 or 500 "
     "(0x8004051C)\n"},
    {"MissingInputFile", "convert --from 100 --to 200 missing.ds100", 1,
     "audconv: cannot open 'missing.ds100': No such file or directory\n"},
    {"OutputFolderMissing", "convert --from 100 --to 200 -o no/such/out.ds200 record.ds100", 1,
     "audconv: cannot write 'no/such/out.ds200': No such file or directory\n"},
};

const RunCase kUsageErrors[] = {
    {"NoCommand", "", 2, ""},
    {"UnknownCommand", "frobnicate", 2, ""},
    {"MissingTo", "convert --from 100 record.ds100", 2, ""},
    {"MissingFrom", "convert --to 200 record.ds100", 2, ""},
    {"StandardAbove16Bits", "convert --from 32768 --to 200 record.ds100", 2, ""},
    {"StandardNotANumber", "convert --from hundred --to 200 record.ds100", 2, ""},
    {"StandardInHex", "convert --from 0x64 --to 200 record.ds100", 2, ""},
    {"UnknownOption", "convert --from 100 --to 200 --force record.ds100", 2, ""},
    {"TwoInputs", "convert --from 100 --to 200 record.ds100 record.ds100", 2, ""},
};

class FailedConversion : public Audconv, public ::testing::WithParamInterface<RunCase> {};

TEST_P(FailedConversion, ExitsOneWithOneLineOnStandardErrorAndNothingOnStandardOutput) {
    const Outcome outcome = Run(GetParam().arguments);
    EXPECT_EQ(outcome.exitCode, GetParam().exitCode);
    EXPECT_EQ(outcome.err, GetParam().errorLine);
    EXPECT_TRUE(outcome.out.empty()) << outcome.out.size() << " bytes on standard output";
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedConversion, ::testing::ValuesIn(kFailedConversions), testing::CaseName());

class UsageError : public Audconv, public ::testing::WithParamInterface<RunCase> {};

TEST_P(UsageError, ExitsTwoAndSaysSoOnStandardError) {
    const Outcome outcome = Run(GetParam().arguments);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.err.rfind("audconv: ", 0), 0u) << outcome.err;
    EXPECT_TRUE(outcome.out.empty()) << outcome.out.size() << " bytes on standard output";
}

INSTANTIATE_TEST_SUITE_P(Cases, UsageError, ::testing::ValuesIn(kUsageErrors), testing::CaseName());

TEST_F(Audconv, HelpAndVersionGoToStandardOutputAndExitZero) {
    const Outcome help = Run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
    const Outcome convertHelp = Run("convert --help");
    EXPECT_EQ(convertHelp.exitCode, 0);
    EXPECT_NE(convertHelp.out.find("--from"), std::string::npos);
    const Outcome version = Run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "audconv " AUDCONV_VERSION "\n");
}

TEST_F(Audconv, StandardOutputCarriesExactlyTheResultBytes) {
    auto record = testing::RandomBytes(kSize100, 3);
    Blob expected;
    ASSERT_EQ(ConvertDataBlob(200, 100, record, expected), kStatusOk);
    WriteFile(Work("random.ds100"), AsString(record));

    for (const std::string& arguments : {std::string("convert --from 100 --to 200 random.ds100"),
                                         std::string("convert --from 100 --to 200 -o - random.ds100")}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.exitCode, 0) << arguments;
        EXPECT_TRUE(SameBytes(outcome.out, AsString(expected))) << arguments;
        EXPECT_EQ(outcome.err, "") << arguments;
    }
    for (const std::string& arguments : {std::string("convert --from 100 --to 200"),
                                         std::string("convert --from 100 --to 200 -")}) {
        const Outcome outcome = Run(arguments, "random.ds100");
        EXPECT_EQ(outcome.exitCode, 0) << arguments;
        EXPECT_TRUE(SameBytes(outcome.out, AsString(expected))) << "from standard input: " << arguments;
    }
}

TEST_F(Audconv, FailedRunLeavesAnExistingOutputUntouched) {
    WriteFile(Work("out.ds200"), "the previous result");
    const Outcome outcome = Run("convert --from 100 --to 200 -o out.ds200 short.ds100");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(ReadFile(Work("out.ds200")), "the previous result");
    const std::set<std::string> expected{"out.ds200", "record.ds100", "record.ds200", "short.ds100", "short.ds200"};
    EXPECT_EQ(WorkFiles(), expected);  // no temporary file left behind
}

TEST_F(Audconv, SuccessfulRunReplacesTheOutputKeepingItsPermissions) {
    WriteFile(Work("out.ds100"), "the previous result");
    fs::permissions(Work("out.ds100"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const Outcome outcome = Run("convert --from 200 --to 100 -o out.ds100 record.ds200");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.empty()) << outcome.out.size() << " bytes on standard output";
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(ReadFile(Work("out.ds100")).size(), kSize100);
    EXPECT_EQ(fs::status(Work("out.ds100")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(WorkFiles().size(), 5u);
}

TEST_F(Audconv, SampleRecord100RoundTripsThrough200ByteForByte) {
    ASSERT_EQ(Run("convert --from 100 --to 200 -o back.ds200 record.ds100").exitCode, 0);
    ASSERT_EQ(Run("convert --from 200 --to 100 -o back.ds100 back.ds200").exitCode, 0);
    EXPECT_EQ(ReadFile(Work("back.ds200")).size(), kSize200);
    EXPECT_TRUE(SameBytes(ReadFile(Work("back.ds100")), ReadFile(Work("record.ds100"))));

    const Outcome piped = Run("convert --from 100 --to 200 | '" AUDCONV_PATH "' convert --from 200 --to 100", "record.ds100");
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_TRUE(SameBytes(piped.out, ReadFile(Work("record.ds100"))));
}

}  // namespace
}  // namespace audiogram
