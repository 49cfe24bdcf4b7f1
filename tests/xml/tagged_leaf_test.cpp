// The writer's leaves by tags made beforehand are the bytes of its leaves by name, at every
// depth, text length and fill of the buffer, and the buffer grows the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "support/fixed_text_rules.h"
#include "xml/element_tags.h"
#include "xml/number_text.h"
#include "xml/xml_writer.h"

namespace audiogram {
namespace {

const std::string kLongestName(ElementTags::kLongestName, 'N');

struct LeafCase {
    std::string_view name;
    std::string_view text;
    std::int32_t depth;
    std::uint32_t fill;  // bytes written before the leaf
};

// Texts across the widths the short copy treats apart (0, 1 to 3, 4 to 7, 8 to 16, more),
// depths up to and past the indentation copied whole, and fills that leave the buffer too
// little room for copies at full width, or for the leaf itself.
const LeafCase kLeafCases[] = {
    {"A", "", 0, 0},
    {"Level", "7", 1, 0},
    {"Level", "-12", 3, 0},
    {"StimulusSignalType", "Tone", 3, 0},
    {"StimulusSignalType", "PureTon", 4, 0},
    {"MaskingSignalType", "NarrowBa", 16, 0},
    {"MaskingSignalType", "NarrowBandNoise!", 16, 0},
    {"MaskingSignalType", "NarrowBandNoise!!", 17, 0},
    {kLongestName, "AirConductorRight and a text longer than any short copy", 40, 0},
    {"Level", "12.5", 3, XmlWriter::kGrowthStep - 100},
    {"Level", "12.5", 3, XmlWriter::kGrowthStep - 30},
    {"Level", "12.5", 3, XmlWriter::kGrowthStep - 5},
};

// A writer `depth` elements deep with `fill` bytes written.
void Prepare(XmlWriter& writer, std::int32_t depth, std::uint32_t fill) {
    for (std::int32_t level = 0; level < depth; ++level) writer.PushElement("E");
    writer.AppendChars('x', fill);
}

TEST(TaggedLeaf, WritesTheBytesAndGrowthOfTheLeafByName) {
    for (const LeafCase& leaf : kLeafCases) {
        testing::FixedTextRules rules;
        XmlWriter byName(rules);
        XmlWriter byTags(rules);
        Prepare(byName, leaf.depth, leaf.fill);
        Prepare(byTags, leaf.depth, leaf.fill);
        byName.WriteElement(leaf.name, leaf.text);
        byTags.WriteElement(MakeElementTags(leaf.name), leaf.text);
        EXPECT_EQ(byTags.Text(), byName.Text()) << leaf.name << " " << leaf.text << " at " << leaf.depth;
        EXPECT_EQ(byTags.Capacity(), byName.Capacity()) << leaf.fill;
    }
}

TEST(TaggedLeaf, DecimalLeavesWriteTheNumberText) {
    struct DecimalCase {
        std::int32_t stored, decimals;
        const char* text;
    };
    const DecimalCase kDecimals[] = {
        {0, 0, "0"},           {5, 2, "0.05"},     {-5, 1, "-0.5"},         {1250, 2, "12.50"},
        {-32768, 3, "-32.768"}, {32768, 0, "32768"}, {100000, 3, "100.000"}, {7, 9, "0.007"},
        {7, -1, "7"},          {INT32_MIN, 0, "-2147483648"}, {INT32_MAX, 3, "2147483.647"},
    };
    for (const DecimalCase& number : kDecimals) {
        EXPECT_EQ(NumberText::Decimal(number.stored, number.decimals).View(), number.text);
        for (const std::uint32_t fill : {0u, XmlWriter::kGrowthStep - 40}) {
            testing::FixedTextRules rules;
            XmlWriter byName(rules);
            XmlWriter byTags(rules);
            Prepare(byName, 3, fill);
            Prepare(byTags, 3, fill);
            byName.WriteElement("Level", number.text);
            byTags.WriteDecimalElement(MakeElementTags("Level"), number.stored, number.decimals);
            EXPECT_EQ(byTags.Text(), byName.Text()) << number.text;
        }
    }
}

}  // namespace
}  // namespace audiogram
