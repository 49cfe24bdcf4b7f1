#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "records/counted_text.h"

namespace audiogram {
namespace {

constexpr CountedTextField kField{2, 6};  // count at 2, 7 units at 4 to 17
constexpr std::size_t kAreaSize = 22;     // guard bytes on both sides of the field

TEST(WriteCountedText, StoresTextCountAndTerminatorWithinTheField) {
    const std::pair<std::u16string, std::u16string> kTextAndStored[] = {
        {u"", u""},
        {u"ab", u"ab"},
        {u"abcdef", u"abcdef"},      // exactly the capacity
        {u"abcdefghij", u"abcdef"},  // cut, never overflowing
    };
    for (const auto& [text, stored] : kTextAndStored) {
        std::vector<std::uint8_t> area(kAreaSize, 0xEE);
        WriteCountedText(area, kField, text);
        EXPECT_EQ(TextCount(area, kField), stored.size());
        EXPECT_EQ(ReadTextToTerminator(area, kField), stored);
        EXPECT_EQ(TextUnit(area, kField, stored.size()), 0);
        for (const std::size_t guard : {0u, 1u, 18u, 19u, 20u, 21u}) EXPECT_EQ(area[guard], 0xEE) << guard;
    }
}

TEST(ReadTextToTerminator, StopsAtTheEndOfItsFieldWhenNoTerminatorIsThere) {
    std::vector<std::uint8_t> area(kAreaSize, 'z');  // every unit "zz", the bytes after the field too
    EXPECT_EQ(ReadTextToTerminator(area, kField).size(), kField.capacity + 1);
}

}  // namespace
}  // namespace audiogram
