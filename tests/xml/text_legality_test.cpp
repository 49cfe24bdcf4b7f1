// Legal element text, the reverse escapes and the UTF conversions.
#include "xml/text_legality.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>

#include "support/configuration.h"
#include "support/scoped_program_data.h"
#include "utf_cases.h"

namespace audiogram {
namespace {

[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new testing::IsolatedProcessConfiguration);

struct LegalCase {
    std::u16string_view text;
    std::u16string_view dropped;      // hexSubstitute off
    std::u16string_view substituted;  // hexSubstitute on
    bool changed;
};

// Under the default table.
constexpr LegalCase kDefaultTableCases[] = {
    {u"a<b&\"c\"", u"a&lt;b&amp;&quot;c&quot;", u"a&lt;b&amp;&quot;c&quot;", false},
    {u"it's > 2", u"it's &gt; 2", u"it's &gt; 2", false},
    {u"\x01x", u"x", u"[1]x", true},
    {u"a\x1F\x0B", u"a", u"a[1F][B]", true},
    {u"tab\tLF\nCR\r", u"tab\tLF\nCR\r", u"tab\tLF\nCR\r", false},
    {u"\U0001F600", u"", u"[D83D][DE00]", true},
    {u"\xFF78", u"", u"[FF78]", true},
    {u"\xFFFF<", u"&lt;", u"[FFFF]&lt;", true},
    {u"\xFF35\x85\x7F", u"\xFF35\x85", u"\xFF35\x85[7F]", true},
    {u"", u"", u"", false},
};

TEST(GetLegalXMLString, DefaultTableEscapesDropsAndSubstitutes) {
    for (const LegalCase& c : kDefaultTableCases) {
        for (const bool hex : {false, true}) {
            bool changed = !c.changed;
            const auto legal = GetLegalXMLString("Name", c.text, changed, hex);
            ASSERT_TRUE(legal.has_value());
            EXPECT_EQ(*legal, hex ? c.substituted : c.dropped) << "case " << (&c - kDefaultTableCases);
            EXPECT_EQ(changed, c.changed) << "case " << (&c - kDefaultTableCases);
        }
    }
}

TEST(GetLegalXMLString, NoTextGivesNoTextAndClearsChanged) {
    bool changed = true;
    EXPECT_FALSE(GetLegalXMLString("Name", std::nullopt, changed, true).has_value());
    EXPECT_FALSE(changed);
}

// The result is allocated once for the worst case of its mode and never grows.
TEST(GetLegalXMLString, TheResultHoldsTheWorstCaseOfItsMode) {
    bool changed = false;
    const std::u16string text = u"&\x01<\xFFFF";  // extra 5 + 4 for the entities, 4 characters
    EXPECT_GE(GetLegalXMLString("N", text, changed, false)->capacity(), 13u);
    EXPECT_GE(GetLegalXMLString("N", text, changed, true)->capacity(), 13u * 6);
}

TEST(IsLegalXmlChar, FollowsTheDefaultTable) {
    const std::pair<char16_t, bool> cases[] = {
        {9, true},      {8, false},    {32, true},     {127, false},    {133, true},
        {159, false},   {160, true},   {0xD7FF, true}, {0xD800, false}, {0xDFFF, false},
        {0xE000, true}, {65333, true}, {65334, false}, {0xFF78, false}, {0xFFFF, false}};
    for (const auto& [c, legal] : cases) EXPECT_EQ(IsLegalXmlChar(c), legal) << static_cast<int>(c);
}

// A configuration of the test's own with logging on and a table without the ampersand.
class OwnConfiguration : public ::testing::Test {
  protected:
    void SetUp() override {
        programData_.WriteIni("[MainSection]\nLogEnabled=1\nValidCharacters=1,32-37,39-126,160-65535\n");
        config_.SetReportStream(nullptr);
        config_.Init();
    }

    // The messages logged after Init's three header lines.
    std::vector<std::string> LoggedMessages() const {
        std::vector<std::string> messages;
        std::istringstream log(programData_.ReadLog());
        std::size_t index = 0;
        for (std::string line; std::getline(log, line); ++index) {
            if (index >= 3) messages.push_back(line.substr(std::string_view("2000-01-01 00:00:00 ").size()));
        }
        return messages;
    }

    testing::ScopedProgramData programData_;
    Configuration config_;
};

TEST_F(OwnConfiguration, ACharacterWithAnEntityButNotInTheTableIsIllegal) {
    bool changed = false;
    EXPECT_EQ(GetLegalXMLString(config_, "N", u"a&b<", changed, false), u"ab&lt;");
    EXPECT_TRUE(changed);
    EXPECT_EQ(GetLegalXMLString(config_, "N", u"a&b<", changed, true), u"a[26]b&lt;");
    EXPECT_TRUE(IsLegalXmlChar(config_, 1));
    EXPECT_TRUE(IsLegalXmlChar(config_, 0xFFFF));
    EXPECT_FALSE(IsLegalXmlChar(config_, u'&'));
}

TEST_F(OwnConfiguration, EscapesAndIllegalCharactersAreLogged) {
    bool changed = false;
    GetLegalXMLString(config_, "WordListName", u"<\x02\x01\xE9", changed, false);
    const std::string longName(150, 'n');
    GetLegalXMLString(config_, longName, u"\"", changed, false);
    EXPECT_EQ(LoggedMessages(), (std::vector<std::string>{
                                    "GetLegalXMLString: Data for Element WordListName contains < which is "
                                    "escaped with &lt;",
                                    "GetLegalXMLString: Data for Element WordListName contains illegal "
                                    "character, value 0x2",
                                    "GetLegalXMLString: Data for Element " + std::string(99, 'n') +
                                        " contains \" which is escaped with &quot;",
                                }));
}

TEST_F(OwnConfiguration, EveryReplacementIsLoggedWithTheTextBeforeIt) {
    std::u16string text = u"x&amp;lt;y&amp;";
    ReplaceEscapeSequence(config_, text);
    EXPECT_EQ(text, u"x<y&");
    EXPECT_EQ(LoggedMessages(), (std::vector<std::string>{
                                    "ReplaceEscapeSequence: Replace &amp; with & in x&amp;lt;y&amp;",
                                    "ReplaceEscapeSequence: Replace &amp; with & in x&lt;y&amp;",
                                    "ReplaceEscapeSequence: Replace &lt; with < in x&lt;y&",
                                }));
}

TEST(ReplaceEscapeSequence, PassesRunInOrderAndResumeAfterTheReplacedUnit) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"&amp;lt;", u"<"},
        {u"&amp;amp;", u"&amp;"},
        {u"&amp;quot;", u"&quot;"},
        {u"&quot;&amp;&lt;&gt;", u"\"&<>"},
        {u"a&lt;&lt;b&gt;", u"a<<b>"},
        {u"&&amp;;", u"&&;"},
        {u"&am &lt &apos;", u"&am &lt &apos;"},
        {u"no entity", u"no entity"},
        {u"", u""},
        {u"&lt;\xD83D\xDE00&gt;", u"<\xD83D\xDE00>"},
    };
    for (const auto& [before, after] : cases) {
        std::u16string text(before);
        ReplaceEscapeSequence(text);
        EXPECT_EQ(text, after);
    }
    std::u16string text = u"&amp;amp;amp;";
    ReplaceAll(text, u"&amp;", u'&');
    EXPECT_EQ(text, u"&amp;amp;");
    ReplaceAll(text, u"", u'x');
    EXPECT_EQ(text, u"&amp;amp;");
}

TEST(ReplaceEscapeSequence, UndoesWhatGetLegalXMLStringEscapes) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 9);
    constexpr std::u16string_view kAlphabet = u"&<>\"a;amp";
    for (int round = 0; round < 500; ++round) {
        std::u16string text;
        for (int i = pick(random) * 3; i > 0; --i)
            text += kAlphabet[static_cast<std::size_t>(pick(random) % 9)];
        bool changed = false;
        std::u16string legal = *GetLegalXMLString("N", text, changed, false);
        ReplaceEscapeSequence(legal);
        ASSERT_EQ(legal, text);
    }
}

TEST(Utf8ToWide, ReplacesEachIllFormedSubpart) {
    for (const testing::Utf8Case& c : testing::kUtf8ToUtf16Cases) {
        EXPECT_EQ(Utf8ToWide(c.utf8), c.utf16) << c.name;
    }
    EXPECT_FALSE(Utf8ToWide("").has_value());
}

TEST(WideToUtf8, ReplacesUnpairedSurrogates) {
    for (const testing::Utf8Case& c : testing::kUtf16ToUtf8Cases) {
        EXPECT_EQ(WideToUtf8(c.utf16), c.utf8) << c.name;
    }
    EXPECT_FALSE(WideToUtf8(u"").has_value());
}

TEST(WideToUtf8, RoundTripsEveryWellFormedText) {
    std::mt19937 random(11);
    std::uniform_int_distribution<std::uint32_t> code(0, 0x10FFFF);
    for (int round = 0; round < 1000; ++round) {
        std::u16string text;
        for (int i = 0; i < 20; ++i) {
            std::uint32_t c = code(random) >> (round % 13);  // favour short codes now and then
            if (c >= 0xD800 && c <= 0xDFFF) c = 'x';
            if (c < 0x10000) {
                text += static_cast<char16_t>(c);
            } else {
                text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            }
        }
        const auto utf8 = WideToUtf8(text);
        ASSERT_TRUE(utf8.has_value());
        ASSERT_EQ(Utf8ToWide(*utf8), text);
    }
}

TEST(Utf8ToWideInto, CutsToTheBufferAndLeavesItAloneForNoText) {
    std::array<char16_t, 100> buffer{};
    const std::string longName(150, 'n');
    const std::u16string_view cut = Utf8ToWideInto(buffer, longName);
    EXPECT_EQ(cut, std::u16string(99, u'n'));
    EXPECT_EQ(cut.data(), buffer.data());
    EXPECT_EQ(buffer[99], u'\0');

    std::array<char16_t, 4> small{u'x', u'x', u'x', u'x'};
    EXPECT_TRUE(Utf8ToWideInto(small, "").empty());
    EXPECT_EQ(small[0], u'x');
    EXPECT_EQ(Utf8ToWideInto(small, "\xC3\xA9\xE2\x82"), u"\u00E9\xFFFD");
    EXPECT_EQ(small[2], u'\0');
    EXPECT_EQ(Utf8ToWideInto(small, "ab\xF0\x9F\x98\x80"), u"ab\xD83D");  // cut by units
    EXPECT_TRUE(Utf8ToWideInto(std::span<char16_t>(), "abc").empty());
}

}  // namespace
}  // namespace audiogram
