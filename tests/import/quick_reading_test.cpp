// The import's short cuts read what its general steps read: short numbers to the same stored
// values, and documents whose indentation changes from one element to the next to the same
// records.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "import/leaf_text.h"
#include "import/leaf_values.h"
#include "import/xml_reader.h"
#include "document_test_support.h"

namespace audiogram {
namespace {

// Runs `read` with the short cuts on and off; both answers.
template <typename Read>
auto BothWays(Read read) {
    gQuickPathsOff = true;
    const auto general = read();
    gQuickPathsOff = false;
    return std::pair{read(), general};
}

TEST(QuickReading, ShortNumbersReadAsThePlainDecimalSteps) {
    // Around every limit of the short cut: six digits, the scale's zeros, 2^22 units, signs,
    // a lone point, text after the number, forms only the general steps know.
    constexpr std::string_view kTexts[] = {
        "0",        "-0",       "5",      "-5",       "12.5",     "12.50",   "12.505",   "-32.768", "32768",
        "65535",    "65536",    "999999", "9999999",  "4194.303", "4194.304", "-4194.304", "419430.3", ".5",
        "5.",       "-",        ".",      "",         "-.",       "1.2.3",   "+5",       " 5",      "5 ",
        "1e3",      "007",      "0x10",   "12a",      "--5",      "123456.7", "1.234567", "0.0001",
    };
    for (const std::int32_t scale : {1, 10, 100, 1000, 7}) {
        for (const std::string_view text : kTexts) {
            LeafText leaf;
            leaf.AssignAscii(text);
            const auto [quick, general] = BothWays([&] { return ScanScaledValue(leaf, scale); });
            EXPECT_EQ(quick, general) << "'" << text << "' at scale " << scale;
        }
    }
}

// A tone curve whose leaves stand at `indents`, one after another.
std::string CurveDocument(std::initializer_list<std::string_view> indents) {
    constexpr std::string_view kLeaves[] = {
        "<StimulusFrequency>1000</StimulusFrequency>", "<StimulusLevel>25</StimulusLevel>",
        "<MaskingFrequency>1000</MaskingFrequency>",   "<MaskingLevel>40</MaskingLevel>",
    };
    std::string body =
        "\r\n\t<ToneThresholdAudiogram>\r\n\t\t<AudMeasurementConditions>\r\n"
        "\t\t\t<StimulusSignalType>PureTone</StimulusSignalType>\r\n\t\t</AudMeasurementConditions>\r\n"
        "\t\t<TonePoints>";
    std::size_t leaf = 0;
    for (const std::string_view indent : indents) {
        body += indent;
        body += kLeaves[leaf++ % std::size(kLeaves)];
    }
    return testing::Document(body + "\r\n\t\t</TonePoints>\r\n\t</ToneThresholdAudiogram>\r\n");
}

TEST(QuickReading, OddIndentationAndMixedTextReadAsTheGeneralPath) {
    struct IndentCase {
        std::string document;
        bool reads;  // text before an element of a curve stops the import
    };
    const IndentCase kCases[] = {
        {CurveDocument({"\r\n\t\t\t", "\r\n\t\t\t", "\r\n\t\t\t", "\r\n\t\t\t"}), true},
        {CurveDocument({"\r\n\t\t\t", "\r\n\t\t", "\r\n\t\t\t\t", " "}), true},
        {CurveDocument({"\n      ", "\n      ", "\n        ", "\n\v\f"}), true},
        {CurveDocument({"", "\r\n\t\t\t", "", "\r\n\t\t\t\t\t\t\t\t\t"}), true},
        {CurveDocument({"\r\n\t\t\tx", "\r\n\t\t\t", "\r\n\t\t\tx", "\r\n\t\t\t"}), false},
        // tags that lost their slash or their bracket are no tags on either path
        {testing::Document("<ToneNotes><AudiometerMakeModel>A<xAudiometerMakeModel></ToneNotes>"), false},
        {testing::Document("<ToneNotes><AudiometerMakeModel>A</AudiometerMakeModel>xAudiometerMakeModel>B"
                           "</AudiometerMakeModel></ToneNotes>"), false},
    };
    for (const IndentCase& indent : kCases) {
        const auto [quick, general] = BothWays([&] { return testing::Import(indent.document); });
        ASSERT_EQ(general.has_value(), indent.reads) << indent.document;
        ASSERT_EQ(quick.has_value(), indent.reads) << indent.document;
        if (general) {
            EXPECT_TRUE(testing::SameBytes(*quick, *general)) << indent.document;
        }
    }
}

}  // namespace
}  // namespace audiogram
