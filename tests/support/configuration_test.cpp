// The configuration set-up and the log, each case against a fresh temporary PROGRAMDATA
// and a Configuration object of its own; then the pure text rules under it: paths, integer
// values, INI text, the legal-character list, message formatting and time stamps.
#include "support/configuration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "support/config_paths.h"
#include "support/ini_text.h"
#include "support/message_format.h"
#include "support/private_profile.h"
#include "support/scoped_program_data.h"
#include "support/utc_timestamp.h"
#include "support/valid_characters.h"

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
};

std::vector<IniCase> IniCases() {
    const std::vector<ValidCharRange> aToZ = {{65, 90}, {97, 122}};
    std::vector<IniCase> cases = {
        {std::nullopt, false, kDefaultEntries, 7, "token  10, low 10, hight -1"}};
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
        const ScopedProgramData programData;
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
        // LogW reduces to ASCII: '?' for every other character, a surrogate pair being one.
        config.Log("first %s %d", "line", 1);
        config.LogW(u"wide %s: \u00E9 \U0001F600 %c \xD800x \xD800\xD800\xDC00 \x7F\x80", u"text", u'\xDE00');
        config.LogW(std::u16string(3000, u'a'));
        EXPECT_EQ(programData.ReadLog().back(), '\n');
        EXPECT_EQ(LoggedMessages(programData, before),
                  (std::vector<std::string>{std::string(98, '-'),
                                            "Init: GetPathToIniFile " + programData.IniFile().string(),
                                            "Init: GetLogFilePath " + programData.LogFile().string(),
                                            "first line 1", "wide text: ? ? ? ?x ?? \x7F?",
                                            std::string(2047, 'a')}));
    }
}

// No folder for the file, or no folder at all: nothing is written and the defaults apply.
TEST(Configuration, WithoutItsFolderNothingIsWritten) {
    const ScopedProgramData programData(/*createConfigFolders=*/false);
    // (a folder too long for the paths gives none either: the paths' own test)
    for (const Configuration::FolderLookup& lookup :
         {Configuration::FolderLookup(), Configuration::FolderLookup([] { return std::optional<std::string>(); })}) {
        Configuration config(lookup);
        config.SetReportStream(nullptr);
        EXPECT_EQ(config.GetPathToIniFile().empty(), bool(lookup));
        EXPECT_EQ(config.GetLogFilePath().empty(), bool(lookup));
        EXPECT_FALSE(config.LogEnabledFlag());
        EXPECT_EQ(EntriesOf(config), kDefaultEntries);
    }
    EXPECT_TRUE(std::filesystem::is_empty(programData.Folder()));
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
    // a value is cut to the caller's buffer with its terminating null, as the profile functions cut it
    for (const std::size_t length : {kProfileValueBufferBytes - 1, kProfileValueBufferBytes, std::size_t{20000}}) {
        WriteProfileValue(path, "S", "Long", std::string(length, 'v'));
        EXPECT_EQ(ReadProfileValue(path, "S", "Long", "").size(), std::min(length, kProfileValueBufferBytes - 1));
    }
}

using namespace std::string_view_literals;

// The process passes its platform's separator; one trailing separator of the folder is dropped.
TEST(ConfigPaths, ComposedWithTheSeparatorAfterOneTrailingSeparator) {
    const ConfigPaths windows = ComposeConfigPaths("C:\\ProgramData\\", '\\');
    EXPECT_EQ(windows.iniFile, "C:\\ProgramData\\Torva\\Vesk\\ConfigFiles\\RarudezevIruduvuvuDOR.ini");
    EXPECT_EQ(windows.logFile, "C:\\ProgramData\\Torva\\Vesk\\Logs\\RarudezevIruduvuvuDOR.log");
    // a folder too long for either path gives no paths, never a longer one
    const std::string longest(kMaxPathBytes - 1 - ComposeConfigPaths("", '/').iniFile.size(), 'f');
    EXPECT_EQ(ComposeConfigPaths(longest, '/').iniFile.size(), kMaxPathBytes - 1);
    EXPECT_TRUE(ComposeConfigPaths(longest + "f", '/').iniFile.empty());
    EXPECT_TRUE(ComposeConfigPaths(longest + "f", '/').logFile.empty());
}

TEST(IniText, FindsValuesAsTheProfileFunctionsDo) {
    constexpr std::string_view kFile =
        "; comment\r\n[Other]\r\nLogEnabled=7\r\n[ mainsection ]\r\n  logenabled  =  1  \r\n"
        "Quoted=\"a b\"\r\nEmpty=\r\nLogEnabled=2\r\n[MainSection]\r\nLate=1\r\n";
    const struct {
        std::string_view section, key;
        std::optional<std::string> value;
    } cases[] = {
        {"MainSection", "LogEnabled", "1"},  // case-insensitive names, trimmed, first line wins
        {"Other", "LOGENABLED", "7"},
        {"MainSection", "Quoted", "a b"},
        {"MainSection", "Empty", ""},
        {"MainSection", "Missing", std::nullopt},
        {"Missing", "LogEnabled", std::nullopt},
        {"MainSection", "Late", std::nullopt},  // only the first section of a name counts
    };
    for (const auto& c : cases) EXPECT_EQ(FindProfileValue(kFile, c.section, c.key), c.value) << c.key;
}

TEST(IniText, SettingAKeyKeepsEveryOtherLine) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", "[MainSection]\nLogEnabled=1\n"},
        {"[A]\nx=1", "[A]\nx=1\n[MainSection]\nLogEnabled=1\n"},
        {"[mainSECTION]\r\nlogenabled = 0 \r\nOther=2\r\n", "[mainSECTION]\r\nLogEnabled=1\r\nOther=2\r\n"},
        {"[MainSection]\nA=1\n\n[Next]\nB=2\n", "[MainSection]\nA=1\nLogEnabled=1\n\n[Next]\nB=2\n"},
        {"[MainSection]\nA=1", "[MainSection]\nA=1\nLogEnabled=1"},
    };
    for (const auto& [before, after] : cases) {
        EXPECT_EQ(SetProfileValue(before, "MainSection", "LogEnabled", "1"), after) << before;
    }
}

TEST(ValidCharacters, ListsParseTokenByToken) {
    const std::string thousandZeros(1023, '0');
    const std::pair<std::string, std::vector<ValidCharRange>> cases[] = {
        {std::string(kDefaultValidCharacters), kDefaultEntries},
        {"65-90,97-122", {{65, 90}, {97, 122}}},
        {"-5", {{-1, 5}}},
        {"1-2-3", {{1, 23}}},
        {",,,9,,,10,", {{9, -1}, {10, -1}}},
        {"x y, 4 2", {{-1, -1}, {42, -1}}},
        {",,,", {}},
        {"99999999999-4294967296", {{INT32_MAX, INT32_MAX}}},
        {thousandZeros + "7-5", {{0, -1}}},  // the 1024th digit ends the token
        {thousandZeros + "-5", {{0, 5}}},    // 1023 digits are still read
    };
    for (const auto& [list, entries] : cases) {
        const ValidCharTable table = ParseValidCharacters(list, nullptr);
        EXPECT_EQ(std::vector(table.Entries().begin(), table.Entries().end()), entries) << list.substr(0, 40);
    }
}

// The lookup answers what walking the entries in order answers, for every code.
TEST(ValidCharacters, LookupAgreesWithTheEntryWalk) {
    for (std::string_view list :
         {kDefaultValidCharacters, "-5"sv, "65535, 70000, 5-3, 0"sv, "100-70000, 7"sv}) {
        const ValidCharTable table = ParseValidCharacters(list, nullptr);
        for (std::int32_t code = 0; code <= 0xFFFF; ++code) {
            const bool walked = std::ranges::any_of(table.Entries(), [code](const ValidCharRange& range) {
                return range.high == -1 ? code == range.low : range.low <= code && code <= range.high;
            });
            ASSERT_EQ(table.IsLegal(static_cast<char16_t>(code)), walked) << list << " code " << code;
        }
    }
}

TEST(MessageFormat, ArgumentsRenderByTheirConversion) {
    EXPECT_EQ(FormatText("token %s, low %d, hight %d", " 32-126", 32, -1), "token  32-126, low 32, hight -1");
    EXPECT_EQ(FormatText("%x %X %u %i %c %%", 255, 0xABCu, 7u, -3, 'q'), "ff ABC 7 -3 q %");
    EXPECT_EQ(FormatText("%x", -1), "ffffffff");
    EXPECT_EQ(FormatText("%d %s", std::string("text"), 12), "text 12");  // no misreading of a type
    EXPECT_EQ(FormatText("%d and %s"), " and ");                         // missing arguments
    EXPECT_EQ(FormatText("100%% %q %"), "100% %q %");
    EXPECT_EQ(FormatText("%s", static_cast<const char*>(nullptr)), "(null)");
    EXPECT_EQ(FormatText(u"%s contains %c, value 0x%x", std::u16string_view(u"Name"), u'\x1F', u'\x1F'),
              u"Name contains \x1F, value 0x1f");
    EXPECT_EQ(FormatText(u"%c%c", 0xD83D, u'\xDE00'), u"\xD83D\xDE00");
    EXPECT_EQ(FormatTextCut(5, u"abc%sdef", u"XYZ"), u"abcXY");
    EXPECT_EQ(FormatTextCut(0, u"abc"), u"");
}

TEST(UtcTimestamp, FormatsTheCalendarTimeInUtcToTheSecond) {
    using namespace std::chrono;
    const std::pair<sys_time<milliseconds>, std::string_view> cases[] = {
        {sys_days{1970y / 1 / 1}, "1970-01-01 00:00:00"},
        {sys_days{2024y / 2 / 29} + 23h + 59min + 60s, "2024-03-01 00:00:00"},
        {sys_days{1969y / 12 / 31} + 1s, "1969-12-31 00:00:01"},
        {sys_days{1900y / 7 / 4} + 5h + 6min + 7s + 999ms, "1900-07-04 05:06:07"}};
    for (const auto& [moment, text] : cases) EXPECT_EQ(FormatUtcTimestamp(moment), text);
}

}  // namespace
}  // namespace audiogram
