// The pure text rules under the configuration: paths, integer values, INI text, the
// legal-character list, message formatting and time stamps.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "support/config_paths.h"
#include "support/ini_text.h"
#include "support/message_format.h"
#include "support/utc_timestamp.h"
#include "support/valid_characters.h"

namespace audiogram {
namespace {

using namespace std::string_view_literals;

TEST(ConfigPaths, ComposedWithTheSeparatorAfterOneTrailingSeparator) {
    const struct {
        std::string_view folder;
        char separator;
        std::string_view iniFile, logFile;
    } cases[] = {
        {"C:\\ProgramData\\", '\\', "C:\\ProgramData\\Torva\\Vesk\\ConfigFiles\\RarudezevIruduvuvuDOR.ini",
         "C:\\ProgramData\\Torva\\Vesk\\Logs\\RarudezevIruduvuvuDOR.log"},
        {"/", '/', "/Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini",
         "/Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeConfigPaths(c.folder, c.separator).iniFile, c.iniFile) << c.folder;
        EXPECT_EQ(ComposeConfigPaths(c.folder, c.separator).logFile, c.logFile) << c.folder;
    }
    // a folder too long for either path gives no paths, never a longer one
    const std::string longest(kMaxPathBytes - 1 - ComposeConfigPaths("", '/').iniFile.size(), 'f');
    EXPECT_EQ(ComposeConfigPaths(longest, '/').iniFile.size(), kMaxPathBytes - 1);
    EXPECT_FALSE(ComposeConfigPaths(longest, '/').logFile.empty());
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
        {std::string(kDefaultValidCharacters),
         {{9, -1}, {10, -1}, {13, -1}, {32, 126}, {133, -1}, {160, 55295}, {57344, 65333}}},
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
    EXPECT_EQ(FormatText(u"%s contains %c, value 0x%x", std::u16string_view(u"Name"), u'\x1F', 0x1Fu),
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
