#include "export/base64.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace audiogram {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char SixBits(std::uint32_t group, int shift) { return kAlphabet[(group >> shift) & 0x3Fu]; }

}  // namespace

std::string EncodeBase64(ByteSpan bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        text += {SixBits(group, 18), SixBits(group, 12), SixBits(group, 6), SixBits(group, 0)};
    }
    // A last group of one or two bytes is padded with zero bits and "=" signs.
    const std::size_t rest = bytes.size() - i;
    if (rest == 1) {
        const std::uint32_t group = std::uint32_t{bytes[i]} << 16;
        text += {SixBits(group, 18), SixBits(group, 12), '=', '='};
    } else if (rest == 2) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8);
        text += {SixBits(group, 18), SixBits(group, 12), SixBits(group, 6), '='};
    }
    return text;
}

}  // namespace audiogram
