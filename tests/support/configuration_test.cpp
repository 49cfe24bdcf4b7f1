// The configuration set-up and the log, each case against a fresh temporary PROGRAMDATA
// and a Configuration object of its own.
#include "support/configuration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "support/private_profile.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

using testing::ReadFileText;
using testing::ScopedEnvironmentVariable;
using testing::ScopedProgramData;

const std::vector<ValidCharRange> kDefaultEntries = {{9, -1},   {10, -1},     {13, -1},      {32, 126},
                                                     {133, -1}, {160, 55295}, {57344, 65333}};

std::vector<ValidCharRange> EntriesOf(Configuration& config) {
    const auto entries = config.LegalCharacters().Entries();
    return {entries.begin(), entries.end()};
}

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// The message of a log line after checking its time stamp lies between two moments.
std::string MessageOf(const std::string& line, std::chrono::system_clock::time_point notBefore,
                      std::chrono::system_clock::time_point notAfter) {
    static const std::regex kLine(R"(^(\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d) (.*)$)");
    std::smatch match;
    if (!std::regex_match(line, match, kLine)) {
        ADD_FAILURE() << "not a log line: " << line;
        return {};
    }
    using namespace std::chrono;
    const auto field = [&match](std::size_t i) { return std::stoi(match[i].str()); };
    const sys_seconds stamp = sys_days{year(field(1)) / field(2) / field(3)} + hours(field(4)) +
                              minutes(field(5)) + seconds(field(6));
    EXPECT_LE(floor<seconds>(notBefore), stamp) << line;
    EXPECT_LE(stamp, notAfter) << line;
    return match[7].str();
}

TEST(Configuration, AMissingFileIsCreatedWithTheDefaults) {
    const ScopedProgramData programData;
    std::ostringstream report;
    Configuration config;
    config.SetReportStream(&report);
    config.Init();

    EXPECT_EQ(config.GetPathToIniFile(), programData.IniFile().string());
    EXPECT_EQ(config.GetLogFilePath(), programData.LogFile().string());
    EXPECT_EQ(programData.ReadIni(),
              "[MainSection]\nValidCharacters=" + std::string(kDefaultValidCharacters) + "\nLogEnabled=0\n");
    EXPECT_FALSE(config.LogEnabledFlag());
    EXPECT_EQ(EntriesOf(config), kDefaultEntries);
    EXPECT_EQ(LinesOf(report.str()).size(), 7u);
    EXPECT_EQ(LinesOf(report.str())[1], "token  10, low 10, hight -1");
    EXPECT_FALSE(std::filesystem::exists(programData.LogFile()));
}

TEST(Configuration, AnExistingFileIsReadNotRewritten) {
    const ScopedProgramData programData;
    const std::string ini = "[mainsection]\r\nvalidcharacters = 65-90,97-122\r\n";
    programData.WriteIni(ini);
    Configuration config;
    config.SetReportStream(nullptr);
    EXPECT_EQ(EntriesOf(config), (std::vector<ValidCharRange>{{65, 90}, {97, 122}}));
    EXPECT_FALSE(config.LogEnabledFlag());  // the missing key takes its default
    EXPECT_EQ(programData.ReadIni(), ini);
}

TEST(Configuration, TheLogSwitchReadsTheLeadingInteger) {
    const struct {
        std::string_view value;
        bool on;
    } cases[] = {{"1", true},
                 {"yes", false},
                 {" 2", true},
                 {"0", false},
                 {"-1", true},
                 {"0x1", false},
                 {"99999999999999999999", true},
                 {"", false}};
    for (const auto& c : cases) {
        const ScopedProgramData programData;
        programData.WriteIni("[MainSection]\nLogEnabled=" + std::string(c.value) + "\n");
        const auto before = std::chrono::system_clock::now();
        Configuration config;
        config.SetReportStream(nullptr);
        EXPECT_EQ(config.LogEnabledFlag(), c.on) << c.value;
        const auto after = std::chrono::system_clock::now();
        if (!c.on) {
            EXPECT_FALSE(std::filesystem::exists(programData.LogFile())) << c.value;
            continue;
        }
        const std::vector<std::string> lines = LinesOf(programData.ReadLog());
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(MessageOf(lines[0], before, after), std::string(98, '-'));
        EXPECT_EQ(MessageOf(lines[1], before, after),
                  "Init: GetPathToIniFile " + programData.IniFile().string());
        EXPECT_EQ(MessageOf(lines[2], before, after),
                  "Init: GetLogFilePath " + programData.LogFile().string());
    }
}

TEST(Configuration, ATrailingSeparatorGivesTheSamePaths) {
    const ScopedProgramData programData(/*createConfigFolders=*/true, "/");
    Configuration config;
    config.SetReportStream(nullptr);
    EXPECT_EQ(config.GetPathToIniFile(), programData.IniFile().string());
    EXPECT_TRUE(std::filesystem::exists(programData.IniFile()));
}

TEST(Configuration, ListsOfMoreThanAHundredTokensFillAHundredEntries) {
    const ScopedProgramData programData;
    std::string list;
    for (int code = 1000; code < 1150; ++code) list += std::to_string(code) + ",";
    programData.WriteIni("[MainSection]\nValidCharacters=" + list + "\n");
    std::ostringstream report;
    Configuration config;
    config.SetReportStream(&report);
    EXPECT_EQ(EntriesOf(config).size(), 100u);
    EXPECT_EQ(EntriesOf(config).back(), (ValidCharRange{1099, -1}));
    EXPECT_EQ(LinesOf(report.str()).size(), 100u);
}

TEST(Configuration, WithoutItsFolderNothingIsWrittenAndTheDefaultsApply) {
    const ScopedProgramData programData(/*createConfigFolders=*/false);
    Configuration config;
    config.SetReportStream(nullptr);
    EXPECT_FALSE(config.LogEnabledFlag());
    EXPECT_EQ(EntriesOf(config), kDefaultEntries);
    EXPECT_TRUE(std::filesystem::is_empty(programData.Folder()));
}

TEST(Configuration, AFailedFolderLookupLeavesThePathsEmpty) {
    const std::string tooLong(300, 'x');
    for (const Configuration::FolderLookup& lookup :
         {Configuration::FolderLookup([] { return std::optional<std::string>(); }),
          Configuration::FolderLookup([&tooLong] { return std::optional<std::string>(tooLong); })}) {
        Configuration config(lookup);
        config.SetReportStream(nullptr);
        EXPECT_EQ(config.GetPathToIniFile(), "");
        EXPECT_EQ(config.GetLogFilePath(), "");
        EXPECT_FALSE(config.LogEnabledFlag());
        EXPECT_EQ(EntriesOf(config), kDefaultEntries);
    }
}

// A clean machine: no PROGRAMDATA, no /var/lib/Torva. Nothing may be created there.
TEST(Configuration, OnAMachineWithoutTheFoldersNothingIsCreated) {
    if (std::filesystem::exists("/var/lib/Torva")) GTEST_SKIP() << "/var/lib/Torva exists on this machine";
    const ScopedEnvironmentVariable unset("PROGRAMDATA", std::nullopt);
    Configuration config;
    config.SetReportStream(nullptr);
    EXPECT_EQ(config.GetPathToIniFile(), "/var/lib/Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini");
    EXPECT_FALSE(config.LogEnabledFlag());
    EXPECT_EQ(EntriesOf(config), kDefaultEntries);
    config.Log("a line %d", 1);
    EXPECT_FALSE(std::filesystem::exists("/var/lib/Torva"));
}

TEST(Configuration, InitRunsOnceWhenManyThreadsStartAtOnce) {
    const ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\nValidCharacters=1,2,3\n");
    std::ostringstream report;
    Configuration config;
    config.SetReportStream(&report);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&config] { EXPECT_TRUE(config.LegalCharacters().IsLegal(2)); });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(LinesOf(report.str()).size(), 3u);
    EXPECT_EQ(LinesOf(programData.ReadLog()).size(), 3u);
}

TEST(Configuration, LogLinesAreAppendedWithTheirTimeStamps) {
    const ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    Configuration config;
    config.SetReportStream(nullptr);
    const auto before = std::chrono::system_clock::now();
    config.Log("first %s %d", "line", 1);
    config.LogW(u"wide %s: \u00E9 \U0001F600 %c \xD800x", u"text", u'\xDE00');
    config.LogW(std::u16string(3000, u'a'));
    const auto after = std::chrono::system_clock::now();

    const std::string log = programData.ReadLog();
    EXPECT_EQ(log.back(), '\n');
    const std::vector<std::string> lines = LinesOf(log);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(MessageOf(lines[3], before, after), "first line 1");
    EXPECT_EQ(MessageOf(lines[4], before, after), "wide text: ? ? ? ?x");  // a pair is one '?'
    EXPECT_EQ(MessageOf(lines[5], before, after), std::string(kLogWMessageUnits, 'a'));
}

TEST(Configuration, ReducingToAsciiCountsASurrogatePairAsOneCharacter) {
    const struct {
        std::u16string_view text;
        std::string_view ascii;
    } cases[] = {{u"plain", "plain"},           {u"\u00E9t\u00E9", "?t?"}, {u"\U0001F600", "?"},
                 {u"\xD800\xD800\xDC00", "??"}, {u"\xDC00\xD800", "??"},   {u"\x7F\x80", "\x7F?"}};
    for (const auto& c : cases) EXPECT_EQ(Configuration::ReduceToAscii(c.text), c.ascii);
}

TEST(PrivateProfile, WritesNeedTheFolderAndKeepTheRestOfTheFile) {
    const ScopedProgramData programData(/*createConfigFolders=*/false);
    const std::string missing = (programData.Folder() / "absent" / "x.ini").string();
    WriteProfileValue(missing, "S", "K", "V");
    EXPECT_FALSE(ProfileFileExists(missing));
    EXPECT_EQ(ReadProfileValue(missing, "S", "K", "default"), "default");

    const std::string path = (programData.Folder() / "x.ini").string();
    testing::WriteFileText(path, "; keep me\n[S]\nA=1\n");
    WriteProfileValue(path, "s", "K", "V");
    WriteProfileValue(path, "T", "K", "W");
    EXPECT_EQ(ReadFileText(path), "; keep me\n[S]\nA=1\nK=V\n[T]\nK=W\n");
    EXPECT_EQ(ReadProfileValue(path, "S", "k", "default"), "V");

    WriteProfileValue(path, "S", "Long", std::string(20000, 'v'));
    EXPECT_EQ(ReadProfileValue(path, "S", "Long", "").size(), kProfileValueBufferBytes - 1);
}

}  // namespace
}  // namespace audiogram
