// The configuration set-up and the log, each case against a fresh temporary PROGRAMDATA
// and a Configuration object of its own.
#include "support/configuration.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "support/private_profile.h"
#include "support/scoped_program_data.h"
#include "support/utc_timestamp.h"

namespace audiogram {
namespace {

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

// The messages of the log lines, after checking that each time stamp lies between two
// moments (the stamps' text orders as their times do).
std::vector<std::string> LoggedMessages(const ScopedProgramData& programData,
                                        std::chrono::system_clock::time_point notBefore) {
    const std::string earliest = FormatUtcTimestamp(notBefore);
    const std::string latest = FormatUtcTimestamp(std::chrono::system_clock::now());
    std::vector<std::string> messages;
    for (const std::string& line : LinesOf(programData.ReadLog())) {
        const std::string stamp = line.substr(0, earliest.size());
        EXPECT_TRUE(earliest <= stamp && stamp <= latest && line[earliest.size()] == ' ') << line;
        messages.push_back(line.substr(earliest.size() + 1));
    }
    return messages;
}

// The INI file's text (none: there is no file, and one is made with the defaults), what the
// configuration reads from it, and the second of Init's report lines, one per token.
struct IniCase {
    std::optional<std::string> ini;
    bool logOn;
    std::vector<ValidCharRange> entries;
    std::size_t reportLines;
    std::string_view secondReportLine;
    std::string_view folderSuffix = "";
};

std::vector<IniCase> IniCases() {
    const std::vector<ValidCharRange> aToZ = {{65, 90}, {97, 122}};
    std::vector<IniCase> cases = {
        {std::nullopt, false, kDefaultEntries, 7, "token  10, low 10, hight -1"},
        {std::nullopt, false, kDefaultEntries, 7, "token  10, low 10, hight -1", "/"}};
    // The log switch is read as atoi reads: leading blanks and a sign, digits up to the first
    // other character, a value too large for an int saturating instead of wrapping to zero.
    const std::pair<std::string_view, bool> switches[] = {
        {"1", true},  {"yes", false}, {" 2", true},   {"+3", true},
        {"0", false}, {"-1", true},   {"0x1", false}, {"18446744073709551616", true},
        {"", false}};
    for (const auto& [value, on] : switches) {
        cases.push_back(
            {"[mainsection]\r\nlogenabled=" + std::string(value) + "\r\nvalidcharacters = 65-90,97-122\r\n",
             on, aToZ, 2, "token 97-122, low 97, hight 122"});
    }
    // A list of 150 tokens fills 100 entries.
    std::string list;
    std::vector<ValidCharRange> hundred;
    for (int code = 1000; code < 1150; ++code) list += std::to_string(code) + ",";
    for (int code = 1000; code < 1100; ++code) hundred.push_back({code, -1});
    cases.push_back({"[MainSection]\nLogEnabled=1\nValidCharacters=" + list + "\n", true, hundred, 100,
                     "token 1001, low 1001, hight -1"});
    return cases;
}

// An existing file is read as it is, never rewritten; only logging writes the log. Init runs
// once when many threads start at once.
TEST(Configuration, ReadsItsFileOnceAndLogsTheStart) {
    for (const IniCase& c : IniCases()) {
        SCOPED_TRACE(c.ini.value_or("no file").substr(0, 50));
        const ScopedProgramData programData(/*createConfigFolders=*/true, c.folderSuffix);
        if (c.ini) programData.WriteIni(*c.ini);
        const auto before = std::chrono::system_clock::now();
        std::ostringstream report;
        Configuration config;
        config.SetReportStream(&report);
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i) threads.emplace_back([&config] { config.LegalCharacters(); });
        for (std::thread& thread : threads) thread.join();
        EXPECT_EQ(config.GetPathToIniFile(), programData.IniFile().string());
        EXPECT_EQ(config.GetLogFilePath(), programData.LogFile().string());
        EXPECT_EQ(programData.ReadIni(),
                  c.ini.value_or("[MainSection]\nValidCharacters=" + std::string(kDefaultValidCharacters) +
                                 "\nLogEnabled=0\n"));
        EXPECT_EQ(config.LogEnabledFlag(), c.logOn);
        EXPECT_EQ(EntriesOf(config), c.entries);
        EXPECT_EQ(LinesOf(report.str()).size(), c.reportLines);
        EXPECT_EQ(LinesOf(report.str()).at(1), c.secondReportLine);
        if (!c.logOn) {
            EXPECT_FALSE(std::filesystem::exists(programData.LogFile()));
            continue;
        }
        EXPECT_EQ(LoggedMessages(programData, before),
                  (std::vector<std::string>{std::string(98, '-'),
                                            "Init: GetPathToIniFile " + programData.IniFile().string(),
                                            "Init: GetLogFilePath " + programData.LogFile().string()}));
    }
}

// No folder for the file, or no folder at all: nothing is written and the defaults apply.
TEST(Configuration, WithoutItsFolderNothingIsWritten) {
    const ScopedProgramData programData(/*createConfigFolders=*/false);
    const std::string tooLong(300, 'x');
    for (const Configuration::FolderLookup& lookup :
         {Configuration::FolderLookup(),
          Configuration::FolderLookup([] { return std::optional<std::string>(); }),
          Configuration::FolderLookup([&tooLong] { return std::optional<std::string>(tooLong); })}) {
        Configuration config(lookup);
        config.SetReportStream(nullptr);
        EXPECT_EQ(config.GetPathToIniFile().empty(), bool(lookup));
        EXPECT_EQ(config.GetLogFilePath().empty(), bool(lookup));
        EXPECT_FALSE(config.LogEnabledFlag());
        EXPECT_EQ(EntriesOf(config), kDefaultEntries);
    }
    EXPECT_TRUE(std::filesystem::is_empty(programData.Folder()));
}

// LogW reduces to ASCII: '?' for every other character, a surrogate pair being one.
TEST(Configuration, LogLinesAreAppendedWithTheirTimeStamps) {
    const ScopedProgramData programData;
    programData.WriteIni("[MainSection]\nLogEnabled=1\n");
    const auto before = std::chrono::system_clock::now();
    Configuration config;
    config.SetReportStream(nullptr);
    config.Log("first %s %d", "line", 1);
    config.LogW(u"wide %s: \u00E9 \U0001F600 %c \xD800x \xD800\xD800\xDC00 \x7F\x80", u"text", u'\xDE00');
    config.LogW(std::u16string(3000, u'a'));
    EXPECT_EQ(programData.ReadLog().back(), '\n');
    const std::vector<std::string> messages = LoggedMessages(programData, before);
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[3], "first line 1");
    EXPECT_EQ(messages[4], "wide text: ? ? ? ?x ?? \x7F?");
    EXPECT_EQ(messages[5], std::string(kLogWMessageUnits, 'a'));
}

TEST(PrivateProfile, WritesNeedTheFolderAndKeepTheRestOfTheFile) {
    const ScopedProgramData programData(/*createConfigFolders=*/false);
    const std::string missing = (programData.Folder() / "absent" / "x.ini").string();
    WriteProfileValue(missing, "S", "K", "V");
    EXPECT_FALSE(ProfileFileExists(missing));
    EXPECT_EQ(ReadProfileValue(missing, "S", "K", "default"), "default");

    const std::string path = (programData.Folder() / "x.ini").string();  // created, then kept
    WriteProfileValue(path, "S", "K", "V");
    WriteProfileValue(path, "T", "K", "W");
    EXPECT_EQ(ReadProfileValue(path, "s", "k", "default"), "V");
    WriteProfileValue(path, "S", "Long", std::string(20000, 'v'));
    EXPECT_EQ(ReadProfileValue(path, "S", "Long", "").size(), kProfileValueBufferBytes - 1);
}

}  // namespace
}  // namespace audiogram
