#include "import/xml_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "document_test_support.h"
#include "support/fixed_text_rules.h"

namespace audiogram::testing {
namespace {

// Every token of the input as "kind:text", joined by '|'; "!" marks the end of input.
std::string Tokens(std::string_view input) {
    const AudiogramSchemaTable schema;
    FixedTextRules rules;
    AudiogramXmlReader reader(schema, BytesOf(input), rules);
    std::string joined;
    XmlTokenKind kind{};
    std::u16string_view text;
    for (int guard = 0; guard < 100; ++guard) {
        if (Failed(reader.ReadToken(kind, text))) return joined + "!";
        joined += std::to_string(static_cast<int>(kind)) + ":" + Shown(text) + "|";
    }
    return joined + "(too many)";
}

TEST(XmlReader, Tokens) {
    const struct {
        std::string_view what;
        std::string input, tokens;
    } cases[] = {
        {"declaration, root attributes, leaf with outer whitespace",
         "<?xml version=\"1.0\"?>\r\n<R  a=\"1\" b=\"x y\" c=\"\">\r\n\t<L>  12.5 </L>\r\n</R>\r\n",
         "1:R|4:a=|4:1|4:b=|4:x y|4:c=|1:L|3:12.5 |2:L|2:R|!"},
        {"self-closing elements yield nothing, an empty leaf its tags", "<A/><B /><C></C>", "1:C|2:C|!"},
        {"end tag keeps its space", "</ToneNotes >", "2:ToneNotes |!"},
        {"byte-order mark is a prolog token", "\xEF\xBB\xBF<A>", "0:\\uFEFF|1:A|!"},
        {"comment ends at its first '>'", "<!-- a > b --><A>", "7:b --|1:A|!"},
        {"content keeps quotes and '>'", "<A>say \"hi\" > 2</A>", "1:A|3:say \"hi\" > 2|2:A|!"},
        {"content may begin with '>' or a quote", "<A>>x</A><B>\"q\"</B>", "1:A|3:>x|2:A|1:B|3:\"q\"|2:B|!"},
        {"content escapes replaced once, others kept", "<A>&amp;lt; &apos; &#65; &quot;&gt;</A>",
         "1:A|3:< &apos; &#65; \">|2:A|!"},
        {"attributes keep their escapes", "<A b=\"&amp;\">", "1:A|4:b=|4:&amp;|!"},
        {"UTF-8 content converted", "<A>\xC3\xA9\xE2\x82\xAC</A>", "1:A|3:\\u00E9\\u20AC|2:A|!"},
        {"truncated content ends the token", "<A>text", "1:A|3:text|!"},
        {"NUL ends the input", std::string("<A>x\0<B>", 8), "1:A|3:x|!"},
        {"unterminated start tag", "<A", "!"},
        {"unterminated comment", "<!-- open", "!"},
        {"text after an end tag is an end tag", "</A>junk<B>", "2:A|2:junk|1:B|!"},
        {"empty input", "", "!"},
    };
    for (const auto& c : cases) EXPECT_EQ(Tokens(c.input), c.tokens) << c.what;
}

TEST(XmlReader, LongTokensAreCutAndTheirRestDropped) {
    const std::string longText(300, 'x');
    EXPECT_EQ(Tokens("<A>" + longText + "</A>"), "1:A|3:" + std::string(249, 'x') + "|2:A|!");
    EXPECT_EQ(Tokens("<" + longText + ">"), "1:" + std::string(249, 'x') + "|!");
    std::string accents;  // a cut multi-byte text never overruns the buffer either
    for (int i = 0; i < 200; ++i) accents += "\xC3\xA9";
    EXPECT_TRUE(Tokens("<A>" + accents + "</A>").ends_with("|2:A|!"));
}

// Documents never nest lists deeper than three, so only the stack itself shows its limit.
TEST(XmlReader, ListStackHoldsSixListsAndRefusesTheSeventh) {
    ListStack stack;
    for (std::int32_t list = 1; list <= 6; ++list) EXPECT_TRUE(stack.Push(list));
    EXPECT_FALSE(stack.Push(7));
    for (std::int32_t list = 6; list >= 1; --list) EXPECT_EQ(stack.Pop(), list);
    EXPECT_EQ(stack.Pop(), std::nullopt);
}

// The answers for every name of every list are the name index's; this is the way there.
TEST(XmlReader, FindChildComparesNamesAsSingleBytes) {
    const AudiogramSchemaTable schema;
    FixedTextRules rules;
    const AudiogramXmlReader reader(schema, {}, rules);
    const struct {
        std::int32_t list;
        std::u16string name;
        std::int32_t position, code;  // -5: not found
    } cases[] = {
        {1, u"ToneNotes", 9, 19},  {19, u"TestM\u00E9thod", -5, -5},  // a unit 0xE9, no UTF-8 pair
        {0, u"ToneNotes", -5, -5}, {32, u"ToneNotes", -5, -5},
    };
    for (const auto& c : cases) {
        const Result<ChildMatch> found = reader.FindChild(c.list, c.name);
        EXPECT_EQ(found.Failed(), c.position == -5) << Shown(c.name);
        if (found.Failed()) continue;
        EXPECT_EQ(found.value.position, c.position) << Shown(c.name);
        EXPECT_EQ(found.value.code, c.code) << Shown(c.name);
    }
}

}  // namespace
}  // namespace audiogram::testing
