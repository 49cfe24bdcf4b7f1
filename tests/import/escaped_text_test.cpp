// The one-pass turning back of escapes against the replacements one after the other: the
// same units wherever it answers, and no answer where the two would differ.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "import/escaped_text.h"
#include "support/fixed_text_rules.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

TEST(EscapedText, TurnsBackAsTheReplacementsInTurn) {
    struct EscapeCase {
        std::string_view text;
        bool onePass;
    };
    constexpr EscapeCase kCases[] = {
        {"", true},
        {"plain text > \"quoted\"", true},
        {"TDH39 &amp; cushion", true},
        {"Right &lt;BTE&gt; 2 &quot;A&quot;", true},
        {"&amp;quot; &amp;amp; &amp;&amp;", true},
        {"&quot;&amp;&lt;&gt;", true},
        {"&amp;lt;", false},
        {"x &amp;gt; y", false},
        {"&amp;&amp;lt;", false},
        {"a & b", false},
        {"&apos;", false},
        {"&am", false},
        {"&lt", false},
        {"ends with &", false},
    };
    for (const EscapeCase& escape : kCases) {
        std::array<char16_t, 64> units{};
        const auto length = TurnBackEscapes(escape.text, units);
        ASSERT_EQ(length.has_value(), escape.onePass) << escape.text;
        if (!length) continue;
        std::u16string replaced(escape.text.begin(), escape.text.end());
        testing::FixedTextRules rules;
        ReplaceEscapeSequence(rules, replaced);
        EXPECT_EQ(std::u16string_view(units.data(), *length), replaced) << escape.text;
    }
}

}  // namespace
}  // namespace audiogram
