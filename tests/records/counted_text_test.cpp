#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "records/counted_text.h"

namespace audiogram {
namespace {

constexpr CountedTextField kField{2, 6};  // count at 2, 7 units at 4 to 17
constexpr std::size_t kAreaSize = 22;     // guard bytes on both sides of the field

struct WriteCase {
    std::u16string text;
    std::u16string stored;
};

class WriteCountedTextCase : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteCountedTextCase, StoresTextCountAndTerminatorWithinTheField) {
    std::vector<std::uint8_t> area(kAreaSize, 0xEE);
    WriteCountedText(area, kField, GetParam().text);

    EXPECT_EQ(TextCount(area, kField), GetParam().stored.size());
    EXPECT_EQ(ReadTextToTerminator(area, kField), GetParam().stored);
    EXPECT_EQ(TextUnit(area, kField, GetParam().stored.size()), 0);
    for (const std::size_t guard : std::array<std::size_t, 6>{0, 1, 18, 19, 20, 21}) EXPECT_EQ(area[guard], 0xEE) << "byte " << guard;
}

INSTANTIATE_TEST_SUITE_P(Lengths, WriteCountedTextCase,
                         ::testing::Values(WriteCase{u"", u""}, WriteCase{u"ab", u"ab"},
                                           WriteCase{u"abcdef", u"abcdef"},       // exactly the capacity
                                           WriteCase{u"abcdefghij", u"abcdef"}));  // cut, never overflowing

TEST(ReadTextToTerminator, StopsAtTheEndOfItsFieldWhenNoTerminatorIsThere) {
    std::vector<std::uint8_t> area(kAreaSize, 'z');  // every unit "zz", the bytes after the field too
    EXPECT_EQ(ReadTextToTerminator(area, kField).size(), kField.capacity + 1);
}

}  // namespace
}  // namespace audiogram
