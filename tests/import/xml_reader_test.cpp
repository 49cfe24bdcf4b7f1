#include "import/xml_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/schema_positions.h"
#include "import_test_support.h"
#include "support/case_names.h"

namespace audiogram {
namespace {

using test::BytesOf;
using test::Document;
using test::Shown;

// Every token of the input as "kind:text", joined by '|'; "!" marks the end of input.
std::string Tokens(std::string_view input) {
    const AudiogramSchemaTable schema;
    AudiogramXmlReader reader(schema, BytesOf(input));
    std::string joined;
    XmlTokenKind kind{};
    std::u16string_view text;
    for (int guard = 0; guard < 100; ++guard) {
        if (reader.ReadToken(kind, text) != 0) return joined + "!";
        joined += std::to_string(static_cast<int>(kind)) + ":" + Shown(text) + "|";
    }
    return joined + "(too many)";
}

struct TokenCase {
    const char* name;
    std::string input;
    std::string expected;
};

const std::vector<TokenCase> kTokenCases = {
    {"DeclarationRootAttributesAndLeaf",
     "<?xml version=\"1.0\"?>\r\n<R  a=\"1\" b=\"x y\">\r\n\t<L>  12.5 </L>\r\n</R>\r\n",
     "1:R|4:a=|4:1|4:b=|4:x y|1:L|3:12.5 |2:L|2:R|!"},
    {"EmptyAttributeValue", "<R x=\"\" y=\"1\">", "1:R|4:x=|4:y=|4:1|!"},
    {"SelfClosingElementsYieldNothing", "<A/><B /><C></C>", "1:C|2:C|!"},
    {"EmptyLeaf", "<A></A>", "1:A|2:A|!"},
    {"EndTagKeepsItsSpace", "</ToneNotes >", "2:ToneNotes |!"},
    {"ByteOrderMarkIsProlog", "\xEF\xBB\xBF<A>", "0:\\uFEFF|1:A|!"},
    {"CommentEndsAtFirstCloseAngle", "<!-- a > b --><A>", "7:b --|1:A|!"},
    {"ProcessingInstructionSkipped", "<?pi x?><A>x</A>", "1:A|3:x|2:A|!"},
    {"ContentKeepsQuotesAndCloseAngles", "<A>say \"hi\" > 2</A>", "1:A|3:say \"hi\" > 2|2:A|!"},
    {"ContentMayBeginWithCloseAngle", "<A>>x</A>", "1:A|3:>x|2:A|!"},
    {"ContentMayBeginWithQuote", "<A>\"q\"</A>", "1:A|3:\"q\"|2:A|!"},
    {"EscapesOfContentReplaced", "<A>&amp;lt; &apos; &#65; &quot;&gt;</A>", "1:A|3:< &apos; &#65; \">|2:A|!"},
    {"AttributesKeepTheirEscapes", "<A b=\"&amp;\">", "1:A|4:b=|4:&amp;|!"},
    {"NonAsciiContentConverted", "<A>\xC3\xA9\xE2\x82\xAC</A>", "1:A|3:\\u00E9\\u20AC|2:A|!"},
    {"TruncatedContentEndsTheToken", "<A>text", "1:A|3:text|!"},
    {"NulEndsTheInput", std::string("<A>x\0<B>", 8), "1:A|3:x|!"},
    {"UnterminatedStartTagFails", "<A", "!"},
    {"UnterminatedCommentFails", "<!-- open", "!"},
    {"TextAfterEndTagIsAnEndTag", "</A>junk<B>", "2:A|2:junk|1:B|!"},
    {"EmptyInput", "", "!"},
};

class TokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTest, ProducesTokens) {
    EXPECT_EQ(Tokens(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TokenizerTest, ::testing::ValuesIn(kTokenCases), testing::CaseName{});

TEST(TokenizerTest, LongTokensAreCutAndTheirRestDropped) {
    const std::string longText(300, 'x');
    EXPECT_EQ(Tokens("<A>" + longText + "</A>"), "1:A|3:" + std::string(249, 'x') + "|2:A|!");
    EXPECT_EQ(Tokens("<" + longText + ">"), "1:" + std::string(249, 'x') + "|!");
    // A cut multi-byte text never exceeds the buffer either.
    std::string accents;
    for (int i = 0; i < 200; ++i) accents += "\xC3\xA9";
    const std::string tokens = Tokens("<A>" + accents + "</A>");
    EXPECT_NE(tokens.find("|2:A|!"), std::string::npos);
}

TEST(ListStackTest, HoldsSixListsAndRefusesTheSeventh) {
    ListStack stack;
    for (std::int32_t list = 1; list <= 6; ++list) EXPECT_TRUE(stack.Push(list));
    EXPECT_FALSE(stack.Push(7));
    EXPECT_EQ(stack.Depth(), 6u);
    for (std::int32_t list = 6; list >= 1; --list) EXPECT_EQ(stack.Pop(), list);
    EXPECT_EQ(stack.Pop(), std::nullopt);
}

TEST(FindChildTest, FindsPositionsCatchAllAndRefusals) {
    const AudiogramSchemaTable schema;
    AudiogramXmlReader reader(schema, {});
    struct Case {
        std::int32_t list;
        std::u16string name;
        std::int32_t result, position, code;
    };
    const Case cases[] = {
        {1, u"TORVAAudiometricStandard", 0, 0, 1},
        {1, u"ToneNotes", 0, 9, 19},
        {1, u"ShortIncrementSensitivityIndex", 0, 16, 30},
        {1, u"Anything", 0, 17, 0},    // the catch-all
        {1, u"ToneNotes ", 0, 17, 0},  // a name with a space is another name
        {2, u"ForeignKey", 0, 4, 2},
        {3, u"MaskingPulseCycle", 0, 39, 3},
        {3, u"maskingpulsecycle", -1, -5, -5},  // case counts
        {19, u"Unknown", -1, -5, -5},
        {19, u"TestM\u00E9thod", -1, -5, -5},
        {0, u"ToneNotes", -1, -5, -5},
        {32, u"ToneNotes", -1, -5, -5},
    };
    for (const Case& c : cases) {
        std::int32_t position = -5;
        std::int32_t code = -5;
        EXPECT_EQ(reader.FindChild(c.list, c.name, position, code), c.result) << Shown(c.name);
        EXPECT_EQ(position, c.position) << Shown(c.name);
        EXPECT_EQ(code, c.code) << Shown(c.name);
    }
}

// The positions NextElement reports for a document, with the leaf texts: "9|1=abc|0|0|!".
std::string Walk(std::string_view input) {
    const AudiogramSchemaTable schema;
    AudiogramXmlReader reader(schema, BytesOf(input));
    std::string joined;
    LeafText text;
    for (int guard = 0; guard < 100; ++guard) {
        text.Assign(u"~");
        const std::int32_t position = reader.NextElement(text);
        if (position < 0) return joined + "!";
        joined += std::to_string(position);
        if (text.View() != u"~") joined += "=" + Shown(text.View());
        joined += "|";
    }
    return joined + "(too many)";
}

struct WalkCase {
    const char* name;
    std::string input;
    std::string expected;
};

const std::vector<WalkCase> kWalkCases = {
    {"SectionLeafAndEnds", Document("<ToneNotes><TestMethod>m</TestMethod></ToneNotes>"), "9|4=m|0|0|!"},
    {"EmptyLeafGivesEmptyText", Document("<ToneNotes><TestMethod></TestMethod></ToneNotes>"), "9|4=|0|0|!"},
    {"RootWithoutAttributesFailsBeforeAChild", "<TORVAAudiometricStandard><ToneNotes></ToneNotes>", "!"},
    {"EmptyRootWithoutAttributesIsAnEmptyLeaf", "<TORVAAudiometricStandard></TORVAAudiometricStandard>",
     "0=|!"},
    {"LeafWithAttributeFailsAtItsEndTag",
     Document("<ToneNotes><TestMethod kind=\"x\">m</TestMethod></ToneNotes>"), "9|!"},
    {"LeafFollowedByStartTagFails", Document("<ToneNotes><TestMethod><X>"), "9|!"},
    {"EndTagOfAChildFails", Document("<ToneNotes></TestMethod>"), "9|!"},
    {"UnknownRootChildEntersNoList", Document("<Extra>abc</Extra>"), "17|0|0|!"},
    {"UnknownElementInsideASectionIsSkippedWhole",
     Document("<ToneNotes><Foo a=\"1\"><Bar>x</Bar>mixed <i>text</i> "
              "here<Baz/></Foo><TestMethod>m</TestMethod></ToneNotes>"),
     "9|4=m|0|0|!"},
    {"UnknownElementThatNeverEndsFails", Document("<ToneNotes><Foo><Bar>x</Bar>"), "9|!"},
    {"EndTagWithSpaceStillPops", Document("<ToneNotes><TestMethod>m</TestMethod></ToneNotes >"),
     "9|4=m|0|0|!"},
    {"SelfClosingLeafYieldsNothing", Document("<ToneNotes><TestMethod/></ToneNotes>"), "9|0|0|!"},
    {"NestedListsPushAndPop",
     Document("<ToneThresholdAudiogram><AudMeasurementConditions><StimulusSignalType>PureTone"
              "</StimulusSignalType></AudMeasurementConditions><TonePoints><StimulusLevel>5</StimulusLevel>"
              "</TonePoints></ToneThresholdAudiogram>"),
     "1|1|1=PureTone|0|2|2=5|0|0|0|!"},
};

class NextElementTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(NextElementTest, ReportsPositions) {
    EXPECT_EQ(Walk(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NextElementTest, ::testing::ValuesIn(kWalkCases), testing::CaseName{});

TEST(NextElementTest, ListsFollowTheElements) {
    const AudiogramSchemaTable schema;
    const std::string document = Document("<ToneNotes><TestMethod>m</TestMethod></ToneNotes><Extra>");
    AudiogramXmlReader reader(schema, BytesOf(document));
    LeafText text;
    ASSERT_EQ(reader.NextElement(text), schema::root::kToneNotes);
    EXPECT_EQ(reader.CurrentList(), schema::kToneNotesList);
    EXPECT_EQ(reader.Depth(), 1u);
    ASSERT_EQ(reader.NextElement(text), schema::notes::kTestMethod);
    ASSERT_EQ(reader.NextElement(text), 0);
    EXPECT_EQ(reader.CurrentList(), schema::kRootList);
    EXPECT_EQ(reader.Depth(), 0u);
    ASSERT_EQ(reader.NextElement(text), schema::root::kPrivateAudiogramData);
    EXPECT_EQ(reader.CurrentList(), 0);
    EXPECT_EQ(reader.SkipToNextTag(), 0);
    EXPECT_EQ(reader.NextElement(text), 0);  // the root's end tag pops list 0
    EXPECT_EQ(reader.SkipToNextTag(), -1);
}

}  // namespace
}  // namespace audiogram
