#include "records/counted_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace audiogram {
namespace {

// A text whose units run past its capacity ends with its field's last unit slot. (Writing
// and reading within the field the round trips of the import tests check, byte for byte.)
TEST(ReadTextToTerminator, StopsAtTheEndOfItsFieldWhenNoTerminatorIsThere) {
    constexpr CountedTextField kField{2, 6};  // count at 2, 7 units at 4 to 17
    std::vector<std::uint8_t> area(22, 'z');  // every unit "zz", the bytes after the field too
    EXPECT_EQ(ReadTextToTerminator(area, kField).size(), kField.capacity + 1);
}

}  // namespace
}  // namespace audiogram
