// The writer's exact bytes, its failures, and that what it writes parses.
#include "xml/xml_writer.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fixed_text_rules.h"
#include "support/golden.h"
#include "well_formed_xml.h"
#include "xml/text_legality.h"

namespace audiogram {
namespace {

using testing::WellFormednessProblem;
using Write = std::function<void(XmlWriter&)>;

struct WriterCase {
    const char* name;
    Write write;
};

const WriterCase kWriterCases[] = {
    {"elements, numbers, attribute text, a comment as content, an empty element kept",
     [](XmlWriter& w) {
         w.PushElement("TORVAAudiometricStandard", R"( ConvertedFromDataStandard="200" Version="500")");
         w.PushElement("TonePoints");
         w.WriteIntElement("StimulusFrequency", 1000);
         w.WriteIntElement("Warble", -3);
         w.WriteDoubleElement("StimulusOnTime", 0.0, 3);
         w.WriteDoubleElement("Level", 1250 / 100.0, 2);
         w.WriteDoubleElement("Level", -5 / 10.0, 1);
         EXPECT_TRUE(w.PopElement(true));
         w.PushElement("C");
         w.WriteComment("note");
         EXPECT_TRUE(w.PopElement(true));
         w.PushElement("A");
         EXPECT_TRUE(w.PopElement(false));
         w.PopElement(false);
     }},
    {"a parent of dropped children is dropped, its siblings stay, cancel restores the text before the push",
     [](XmlWriter& w) {
         w.PushElement("R");
         w.WriteElement("X", "1");
         w.PushElement("Section");
         w.PushElement("Curve");
         EXPECT_FALSE(w.PopElement(true));
         EXPECT_FALSE(w.PopElement(true));
         w.PushElement("A");
         w.WriteComment("gone");
         w.PushElement("B");
         w.WriteIntElement("C", 3);
         w.PopElement(false);
         w.CancelElement();
         w.WriteElement("StimulusLevel", "");
         EXPECT_TRUE(w.PopElement(true));
     }},
    {"record text is escaped and converted, no text writes nothing, illegal characters are reported",
     [](XmlWriter& w) {
         w.PushElement("AudMeasurementConditions");
         w.WriteStringElement("TestMethod", u"a<b & \u00E9");
         w.WriteStringElement("TestMethod", std::nullopt);
         w.WriteStringElement("TestMethod", u"ab\u0001c");
         w.WriteStringElement("WordListName", u"\u0001\u0002");  // only illegal characters: two comments
         w.PopElement(true);
     }},
    {"comments never hold a double hyphen or a forbidden character",
     [](XmlWriter& w) {
         w.PushElement("R");
         w.WriteComment("a--b---c-");
         w.WriteComment("x\x01y\x7F\tz");
         w.WriteComment("bad \xFF byte, cut \xE2\x82");
         w.WriteCommentW(u"\uFFFE \uFFFF --> 100% \xD800");
         w.WriteCommentW(u"");
         w.PopElement(true);
     }},
    {"comments are cut to 1023 bytes or units; exactly 1023 bytes stay whole, whatever byte follows the view",
     [](XmlWriter& w) {
         w.PushElement("R");
         w.WriteComment(std::string(2000, 'a'));
         w.WriteComment(std::string(1022, 'a') + "\xC3\xA9");
         w.WriteComment(std::string_view(std::string(1023, 'a') + "\xA9").substr(0, 1023));
         w.WriteCommentW(std::u16string(2000, u'\u00E9'));
         w.WriteCommentW(std::u16string(1022, u'a') + u"\U0001F600");
         w.PopElement(true);
     }},
};

// With the log on, record text never takes the quick path; the bytes stay the same, and every
// escape and illegal character is logged (an illegal one twice: dropped, then substituted
// for the comment).
TEST(XmlWriter, WritesExactBytesThatParse) {
    std::string written;
    for (const WriterCase& c : kWriterCases) {
        std::string text[2], log;
        for (const bool logEnabled : {false, true}) {
            testing::FixedTextRules rules(kDefaultValidCharacters, logEnabled);
            XmlWriter writer(rules);
            c.write(writer);
            text[logEnabled] = writer.Text();
            EXPECT_EQ(writer.Depth(), 0) << c.name;
            EXPECT_EQ(writer.Length(), text[logEnabled].size()) << c.name;
            EXPECT_EQ(writer.Text().data()[writer.Length()], '\0') << c.name;
            for (const std::u16string& line : rules.logged) log += "-- " + WideToUtf8(line).value_or("") + "\n";
        }
        EXPECT_EQ(text[0], text[1]) << c.name;
        EXPECT_EQ(WellFormednessProblem(text[0]), "") << c.name;
        written += "== " + std::string(c.name) + "\n" + text[0] + log;
    }
    EXPECT_TRUE(testing::MatchesGolden("writer.txt", written));
}

TEST(XmlWriter, ClosingWithoutAnOpenElementThrowsAndChangesNothing) {
    for (const Write& close :
         {Write([](XmlWriter& w) { w.PopElement(true); }), Write([](XmlWriter& w) { w.PopElement(false); }),
          Write([](XmlWriter& w) { w.CancelElement(); })}) {
        testing::FixedTextRules rules;
        XmlWriter writer(rules);
        writer.PushElement("A");
        writer.PopElement(false);
        try {
            close(writer);
            ADD_FAILURE() << "no exception";
        } catch (const XmlWriterError& error) {
            EXPECT_STREQ(error.what(), "Missing PushElement failure!");
        }
        EXPECT_EQ(writer.Text(), "<A>\r\n</A>\r\n");
        EXPECT_EQ(writer.Depth(), 0);
    }
}

}  // namespace
}  // namespace audiogram
