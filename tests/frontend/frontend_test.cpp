// The front-end layer on its own: what it tells of an input and a conversion, case by case.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "frontend/conversion_findings.h"
#include "frontend/document_outline.h"
#include "frontend/file_naming.h"
#include "frontend/input_detection.h"
#include "frontend/status_words.h"
#include "frontend/text_safety.h"
#include "support/golden.h"

namespace audiogram::frontend {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

// `size` bytes starting with `start`, zeros after it.
Bytes Filled(std::size_t size, std::string_view start = {}) {
    Bytes bytes(size, 0);
    std::copy(start.begin(), start.end(), bytes.begin());
    return bytes;
}

TEST(Detection, FollowsTheDocumentThenTheSizeRules) {
    const struct {
        const char* name;
        Bytes bytes;
        std::optional<DataStandard> expected;
    } cases[] = {
        {"document", Text("<?xml version=\"1.0\"?><a/>"), kDataStandard500},
        {"byte-order mark and white space", Text("\xEF\xBB\xBF \r\n\t<a/>"), kDataStandard500},
        {"document text beats record size", Filled(19472, "\n<"), kDataStandard500},
        {"100 record by size", Filled(19472), kDataStandard100},
        {"200 record by size", Filled(36128), kDataStandard200},
        {"100 record with extension bytes", Filled(19473), std::nullopt},
        {"200 record one byte short", Filled(36127), std::nullopt},
        {"empty", Bytes{}, std::nullopt},
        {"byte-order mark alone", Text("\xEF\xBB\xBF"), std::nullopt},
        {"text before the bracket", Text("x<a/>"), std::nullopt},
        {"second byte-order mark", Text("\xEF\xBB\xBF\xEF\xBB\xBF<a/>"), std::nullopt},
        {"form feed is no XML space", Text("\f<a/>"), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectDataStandard(c.bytes), c.expected) << c.name;
}

constexpr std::string_view kDocument =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<TORVAAudiometricStandard Version=\"500\">\r\n"
    "\t<PrivateAudiogramData>AAECAwQ=</PrivateAudiogramData>\r\n</TORVAAudiometricStandard>\r\n";

// The kinds and messages of each case are in golden/findings.txt.
TEST(Findings, NameWhatTheConversionCouldNotSayInItsOutput) {
    const std::string exported = "<Root>\n\t<A>\n\t\t<!--Missing StatusCode inserting a Unknown-->\n"
                                 "\t\t<B>1</B>\n\t\t<!--Invalid value-->\n\t</A>\n</Root>\n";
    const struct {
        const char* name;
        DataStandard from, to;
        Bytes input;
        std::string result;
    } cases[] = {
        {"clean record to document", 100, 500, Filled(19472), "<Root>\n</Root>\n"},
        {"problem comments counted", 200, 500, Filled(36128), exported},
        {"comments of a binary result are no problems", 500, 200, Text("<TORVAAudiometricStandard/>"),
         "\n<!--"},
        {"200-sized input given as 100", 100, 500, Filled(36128), ""},
        {"200-sized input given as 100 loses its tail", 100, 200, Filled(36128), ""},
        {"extension bytes cannot reach a 100 record", 200, 100, Filled(36130), ""},
        {"extension bytes reach a document", 200, 500, Filled(36130), ""},
        {"private data of a document left behind", 500, 100, Text(kDocument), ""},
        {"web page", 500, 200, Text("<!DOCTYPE html>\n<html><body/></html>"), ""},
        {"no element at all", 500, 200, Text("<?xml version=\"1.0\"?>"), ""},
    };
    std::string shown;
    for (const auto& c : cases) {
        shown += std::string(c.name) + ":\n";
        for (const Finding& finding : ConversionFindings(c.from, c.to, c.input, Text(c.result)))
            shown += "  " + std::to_string(static_cast<int>(finding.kind)) + " " + finding.message + "\n";
    }
    EXPECT_TRUE(testing::MatchesGolden("findings.txt", shown));
}

TEST(DocumentOutline, FindsTheRootPastTheProlog) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- a <b> -->\n<!DOCTYPE x>\n<Root a=\"1\">", "Root"},
        {"<Root/>", "Root"},
        {"<Root>", "Root"},
        {"  text <Root>", ""},
        {"<!-- never closed <Root>", ""},
        {"", ""},
    };
    for (const auto& [text, root] : cases) EXPECT_EQ(RootElementName(text), root) << text;
}

TEST(DocumentOutline, CountsTheBytesOfABase64Element) {
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"<P>AAECAwQ=</P>", 5}, {"<P>AAEC\r\nAwQF</P>", 6}, {"<P>QQ==</P>", 1}, {"<P>azAZ+/09</P>", 6}, {"<P></P>", 0}, {"<Q>AAAA</Q>", 0},
        {"<P>AAAA", 3},  // cut off: counted up to the end of the text
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(Base64ElementBytes(text, "P"), bytes) << text;
}

TEST(TextSafety, EachByteOfAnInvalidSequenceBecomesOneReplacement) {
    const std::string r = "\xEF\xBF\xBD";
    const std::pair<std::string_view, std::string> cases[] = {
        {"a\xC3\xA9z", "a\xC3\xA9z"}, {"a\x80z", "a" + r + "z"}, {"\xC0\xAF", r + r},
        {"\xED\xA0\x80", r + r + r}, {"\xF4\x90\x80\x80", r + r + r + r}, {"\xE2\x82", r + r},
        {"\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", "\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80"},  // the least of each length
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(ValidUtf8(text), valid) << text;
        EXPECT_EQ(PrintableText(text), valid) << text;
    }
}

TEST(FileNaming, ReplacesKnownSuffixesAndKeepsOtherNames) {
    const std::tuple<std::string, DataStandard, std::string> cases[] = {
        {"a/left.ds100", 200, "left.ds200"}, {"left.DS200", 500, "left.xml"}, {"page.Xml", 100, "page.ds100"},
        {"left.bin", 100, "left.bin.ds100"}, {"left", 300, "left.ds300"},
    };
    for (const auto& [input, to, output] : cases) EXPECT_EQ(OutputName(input, to), output) << input;
    EXPECT_EQ(KnownSuffixes(), "'.ds100', '.ds200' or '.xml'");
}

// The failure texts are in golden/status_words.txt.
TEST(StatusWords, NameTheInputAndTheSizes) {
    const std::pair<HResult, ConversionRequest> cases[] = {
        {CONV_E_INVALIDBLOB, {200, 100, 19472}},
        {CONV_E_INVALIDBLOB, {100, 200, 0}},
        {CONV_E_UNSUPPORTEDFORMAT, {100, 300, 19472}},
    };
    std::string shown;
    for (const auto& [status, request] : cases)
        shown += FailureText("in", DescribeFailure(status, request), status) + "\n";
    EXPECT_TRUE(testing::MatchesGolden("status_words.txt", shown));
    EXPECT_EQ(InputLabel("-"), "standard input");
}

}  // namespace
}  // namespace audiogram::frontend
