// Legal element text, the reverse escapes and the UTF conversions.
#include "xml/text_legality.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/fixed_text_rules.h"
#include "support/golden.h"
#include "utf_cases.h"

namespace audiogram {
namespace {

using testing::FixedTextRules;

struct LegalCase {
    std::u16string_view text, dropped, substituted;  // substituted: with hexSubstitute on
    bool changed;
};

// Under the default table.
constexpr LegalCase kDefaultTableCases[] = {
    {u"a<b&\"c\"", u"a&lt;b&amp;&quot;c&quot;", u"a&lt;b&amp;&quot;c&quot;", false},
    {u"it's > 2", u"it's &gt; 2", u"it's &gt; 2", false},
    {u"\u0001x", u"x", u"[1]x", true},
    {u"a\u001F\u000B", u"a", u"a[1F][B]", true},
    {u"tab\tLF\nCR\r", u"tab\tLF\nCR\r", u"tab\tLF\nCR\r", false},
    {u"\U0001F600", u"", u"[D83D][DE00]", true},
    {u"\uFF78", u"", u"[FF78]", true},
    {u"\uFFFF<", u"&lt;", u"[FFFF]&lt;", true},
    {u"\uFF35\u0085\u007F", u"\uFF35\u0085", u"\uFF35\u0085[7F]", true},
    {u"\u00A0\uD7FF\uE000\u009F\u0008", u"\u00A0\uD7FF\uE000", u"\u00A0\uD7FF\uE000[9F][8]", true},
    {u"", u"", u"", false},
};

TEST(GetLegalXMLString, DefaultTableEscapesDropsAndSubstitutes) {
    FixedTextRules rules;
    for (const LegalCase& c : kDefaultTableCases) {
        for (const bool hex : {false, true}) {
            bool changed = !c.changed;
            EXPECT_EQ(GetLegalXMLString(rules, "Name", c.text, changed, hex), hex ? c.substituted : c.dropped)
                << "case " << (&c - kDefaultTableCases);
            EXPECT_EQ(changed, c.changed) << "case " << (&c - kDefaultTableCases);
        }
    }
    bool changed = true;
    EXPECT_FALSE(GetLegalXMLString(rules, "Name", std::nullopt, changed, true).has_value());
    EXPECT_FALSE(changed);
}

// Rules of the caller's own: logging on and a table without the ampersand (38) that
// admits U+0001.
TEST(GetLegalXMLString, TableWithoutTheAmpersandAndTheLoggedMessages) {
    FixedTextRules rules("1,32-37,39-126,160-65535", /*logEnabled=*/true);
    bool changed = false;
    EXPECT_EQ(GetLegalXMLString(rules, "N", u"a&b", changed, false), u"ab");
    EXPECT_TRUE(changed);
    EXPECT_EQ(GetLegalXMLString(rules, "N", u"a&b", changed, true), u"a[26]b");
    GetLegalXMLString(rules, "WordListName", u"<\u0002\u0001\u00E9", changed, false);
    GetLegalXMLString(rules, std::string(150, 'n'), u"\"", changed, false);
    std::u16string text = u"x&amp;lt;y&amp;";
    ReplaceEscapeSequence(rules, text);
    EXPECT_EQ(text, u"x<y&");

    std::string logged;  // golden/legality_log.txt
    for (const std::u16string& line : rules.logged) logged += WideToUtf8(line).value_or("") + "\n";
    EXPECT_TRUE(testing::MatchesGolden("legality_log.txt", logged));
}

TEST(ReplaceEscapeSequence, PassesRunInOrderAndResumeAfterTheReplacedUnit) {
    FixedTextRules rules;
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"&amp;lt;", u"<"},
        {u"&amp;amp;", u"&amp;"},
        {u"&amp;quot;", u"&quot;"},
        {u"&quot;&amp;&lt;&gt;", u"\"&<>"},
        {u"a&lt;&lt;b&gt;", u"a<<b>"},
        {u"&&amp;;", u"&&;"},
        {u"&am &lt &apos;", u"&am &lt &apos;"},
        {u"", u""},
        {u"&lt;\xD83D\xDE00&gt;", u"<\xD83D\xDE00>"},
    };
    for (const auto& [before, after] : cases) {
        std::u16string text(before);
        ReplaceEscapeSequence(rules, text);
        EXPECT_EQ(text, after);
    }
    std::u16string text = u"&amp;amp;amp;";
    ReplaceAll(rules, text, u"&amp;", u'&');
    EXPECT_EQ(text, u"&amp;amp;");
    ReplaceAll(rules, text, u"", u'x');
    EXPECT_EQ(text, u"&amp;amp;");
}

TEST(Utf, IllFormedSubpartsAndUnpairedSurrogatesBecomeReplacementCharacters) {
    for (const testing::Utf8Case& c : testing::kUtf8ToUtf16Cases)
        EXPECT_EQ(Utf8ToWide(c.utf8), c.utf16) << c.name;
    for (const testing::Utf8Case& c : testing::kUtf16ToUtf8Cases)
        EXPECT_EQ(WideToUtf8(c.utf16), c.utf8) << c.name;
    EXPECT_FALSE(Utf8ToWide("").has_value());
    EXPECT_FALSE(WideToUtf8(u"").has_value());
}

TEST(Utf8ToWideInto, CutsToTheBufferAndLeavesItAloneForNoText) {
    std::array<char16_t, 100> buffer{};
    const std::u16string_view cut = Utf8ToWideInto(buffer, std::string(150, 'n'));
    EXPECT_EQ(cut, std::u16string(99, u'n'));
    EXPECT_EQ(cut.data(), buffer.data());
    EXPECT_EQ(buffer[99], u'\0');

    std::array<char16_t, 4> small{u'x', u'x', u'x', u'x'};
    EXPECT_TRUE(Utf8ToWideInto(small, "").empty());
    EXPECT_EQ(small[0], u'x');
    EXPECT_EQ(Utf8ToWideInto(small, "\xC3\xA9\xE2\x82"), u"\u00E9\uFFFD");
    EXPECT_EQ(small[2], u'\0');
    EXPECT_EQ(Utf8ToWideInto(small, "ab\xF0\x9F\x98\x80"), u"ab\xD83D");  // cut by units
    EXPECT_TRUE(Utf8ToWideInto(std::span<char16_t>(), "abc").empty());
}

}  // namespace
}  // namespace audiogram
