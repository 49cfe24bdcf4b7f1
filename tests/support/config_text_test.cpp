// The pure text rules under the configuration: paths, integer values, INI text, the
// legal-character list, message formatting and time stamps.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>

#include "support/config_paths.h"
#include "support/ini_text.h"
#include "support/leading_integer.h"
#include "support/message_format.h"
#include "support/utc_timestamp.h"
#include "support/valid_characters.h"

namespace audiogram {
namespace {

TEST(ConfigPaths, OneTrailingSeparatorOfTheFolderIsIgnored) {
    for (char separator : {'/', '\\'}) {
        const std::string folder = std::string("C:") + separator + "ProgramData";
        const ConfigPaths plain = ComposeConfigPaths(folder, separator);
        EXPECT_EQ(ComposeConfigPaths(folder + separator, separator).iniFile, plain.iniFile);
        EXPECT_EQ(ComposeConfigPaths(folder + separator, separator).logFile, plain.logFile);
    }
    EXPECT_EQ(ComposeConfigPaths("/data", '/').iniFile,
              "/data/Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini");
    EXPECT_EQ(ComposeConfigPaths("/data", '/').logFile, "/data/Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log");
    EXPECT_EQ(ComposeConfigPaths("C:\\ProgramData\\", '\\').iniFile,
              "C:\\ProgramData\\Torva\\Vesk\\ConfigFiles\\RarudezevIruduvuvuDOR.ini");
    EXPECT_EQ(ComposeConfigPaths("/", '/').logFile, "/Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log");
}

TEST(ConfigPaths, AFolderTooLongForEitherPathGivesNoPaths) {
    const std::size_t suffix = ComposeConfigPaths("", '/').iniFile.size();  // the longer of the two
    const std::string longest(kMaxPathBytes - 1 - suffix, 'f');
    EXPECT_EQ(ComposeConfigPaths(longest, '/').iniFile.size(), kMaxPathBytes - 1);
    EXPECT_FALSE(ComposeConfigPaths(longest, '/').logFile.empty());
    const ConfigPaths tooLong = ComposeConfigPaths(longest + "f", '/');
    EXPECT_TRUE(tooLong.iniFile.empty());
    EXPECT_TRUE(tooLong.logFile.empty());
    EXPECT_TRUE(ComposeConfigPaths(std::string(100000, 'f'), '/').iniFile.empty());
}

TEST(LeadingInteger, ReadsAsAtoiAndSaturates) {
    const struct {
        std::string_view text;
        std::int32_t value;
    } cases[] = {
        {"1", 1},
        {" 2", 2},
        {"yes", 0},
        {"", 0},
        {"0", 0},
        {"-7", -7},
        {"+3", 3},
        {"12abc", 12},
        {"\t\n 5", 5},
        {"- 5", 0},
        {"0x1F", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"99999999999999999999999", INT32_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniText, FindsValuesAsTheProfileFunctionsDo) {
    constexpr std::string_view kFile =
        "; comment\r\n"
        "[Other]\r\n"
        "LogEnabled=7\r\n"
        "[ mainsection ]\r\n"
        "  logenabled  =  1  \r\n"
        "Quoted=\"a b\"\r\n"
        "Empty=\r\n"
        "LogEnabled=2\r\n"
        "[MainSection]\r\n"
        "Late=1\r\n";
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
    const struct {
        std::string_view before, after;
    } cases[] = {
        {"", "[MainSection]\nLogEnabled=1\n"},
        {"[A]\nx=1", "[A]\nx=1\n[MainSection]\nLogEnabled=1\n"},
        {"[mainSECTION]\r\nlogenabled = 0 \r\nOther=2\r\n", "[mainSECTION]\r\nLogEnabled=1\r\nOther=2\r\n"},
        {"[MainSection]\nA=1\n\n[Next]\nB=2\n", "[MainSection]\nA=1\nLogEnabled=1\n\n[Next]\nB=2\n"},
        {"[MainSection]\nA=1", "[MainSection]\nA=1\nLogEnabled=1"},
        {"[MainSection]\n", "[MainSection]\nLogEnabled=1\n"},
    };
    for (const auto& c : cases) {
        const std::string after = SetProfileValue(c.before, "MainSection", "LogEnabled", "1");
        EXPECT_EQ(after, c.after) << c.before;
        EXPECT_EQ(FindProfileValue(after, "MainSection", "LogEnabled"), "1");
    }
}

struct ListCase {
    std::string_view list;
    std::vector<ValidCharRange> entries;
};

TEST(ValidCharacters, ListsParseTokenByToken) {
    const std::string thousandZeros(1023, '0');
    const std::string atLimit = thousandZeros + "7-5";       // the 1024th digit ends the token
    const std::string lastDigitFits = thousandZeros + "-5";  // 1023 digits are still read
    const ListCase cases[] = {
        {kDefaultValidCharacters,
         {{9, -1}, {10, -1}, {13, -1}, {32, 126}, {133, -1}, {160, 55295}, {57344, 65333}}},
        {"65-90,97-122", {{65, 90}, {97, 122}}},
        {"-5", {{-1, 5}}},
        {"7", {{7, -1}}},
        {"1-2-3", {{1, 23}}},
        {",,,9,,,10,", {{9, -1}, {10, -1}}},
        {"x y, 4 2", {{-1, -1}, {42, -1}}},
        {"", {}},
        {",,,", {}},
        {"99999999999-4294967296", {{INT32_MAX, INT32_MAX}}},
        {atLimit, {{0, -1}}},
        {lastDigitFits, {{0, 5}}},
    };
    for (const ListCase& c : cases) {
        const ValidCharTable table = ParseValidCharacters(c.list, nullptr);
        EXPECT_EQ(std::vector(table.Entries().begin(), table.Entries().end()), c.entries)
            << c.list.substr(0, 40);
    }
}

TEST(ValidCharacters, EveryEntryIsReportedAndTokensBeyondTheHundredthAreIgnored) {
    std::string list;
    for (int token = 0; token < 150; ++token) list += std::to_string(token) + ",";
    std::ostringstream report;
    const ValidCharTable table = ParseValidCharacters(list, &report);
    ASSERT_EQ(table.Entries().size(), 100u);
    EXPECT_EQ(table.Entries().back(), (ValidCharRange{99, -1}));
    EXPECT_FALSE(table.IsLegal(100));

    std::ostringstream defaults;
    ParseValidCharacters("9, 32-126", &defaults);
    EXPECT_EQ(defaults.str(), "token 9, low 9, hight -1\ntoken  32-126, low 32, hight 126\n");
    const std::string lines = report.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 100);
}

// The lookup answers what walking the entries in order answers, for every code.
TEST(ValidCharacters, LookupAgreesWithTheEntryWalk) {
    const std::string_view lists[] = {kDefaultValidCharacters, "-5", "65535, 70000, 5-3, 0", "100-70000, 7"};
    for (std::string_view list : lists) {
        const ValidCharTable table = ParseValidCharacters(list, nullptr);
        for (std::int32_t code = 0; code <= 0xFFFF; ++code) {
            const bool walked = std::ranges::any_of(table.Entries(), [code](const ValidCharRange& range) {
                return range.high == -1 ? code == range.low : range.low <= code && code <= range.high;
            });
            ASSERT_EQ(table.IsLegal(static_cast<char16_t>(code)), walked) << list << " code " << code;
        }
    }
    const ValidCharTable defaults = ParseValidCharacters(kDefaultValidCharacters, nullptr);
    EXPECT_TRUE(defaults.IsLegal(65333));
    EXPECT_FALSE(defaults.IsLegal(0xFF78));
    EXPECT_FALSE(defaults.IsLegal(0xD800));
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

TEST(UtcTimestamp, FormatsTheCalendarTimeInUtc) {
    using namespace std::chrono;
    const struct {
        sys_seconds moment;
        std::string_view text;
    } cases[] = {
        {sys_days{1970y / 1 / 1}, "1970-01-01 00:00:00"},
        {sys_days{2024y / 2 / 29} + 23h + 59min + 59s, "2024-02-29 23:59:59"},
        {sys_days{2024y / 2 / 29} + 23h + 59min + 60s, "2024-03-01 00:00:00"},
        {sys_days{1969y / 12 / 31} + 1s, "1969-12-31 00:00:01"},
        {sys_days{1900y / 7 / 4} + 5h + 6min + 7s, "1900-07-04 05:06:07"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatUtcTimestamp(c.moment), c.text);
    const auto moment = sys_days{2009y / 3 / 17} + 10h + 30min;
    EXPECT_EQ(FormatUtcTimestamp(moment + 999ms), "2009-03-17 10:30:00");  // whole seconds
}

}  // namespace
}  // namespace audiogram
