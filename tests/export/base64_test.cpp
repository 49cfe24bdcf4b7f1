#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/base64.h"

namespace audiogram {
namespace {

struct Base64Case {
    std::vector<std::uint8_t> bytes;
    std::string text;
};

TEST(Base64, EncodesGroupsAndPadsTheLastOne) {
    const std::vector<Base64Case> cases = {
        {{}, ""},
        {{0x41}, "QQ=="},
        {{0x41, 0x42}, "QUI="},
        {{0x41, 0x42, 0x43}, "QUJD"},
        {{'f', 'o', 'o', 'b', 'a', 'r'}, "Zm9vYmFy"},
        {{'f', 'o', 'o', 'b'}, "Zm9vYg=="},
        {{0xFB, 0xFF}, "+/8="},
        {{0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF}, "AAAA////"},
    };
    for (const Base64Case& c : cases) EXPECT_EQ(EncodeBase64(c.bytes), c.text);
}

}  // namespace
}  // namespace audiogram
