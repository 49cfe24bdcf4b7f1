#include "xml/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "support/float_charconv.h"

namespace audiogram {
namespace {

// A double has at most 1074 significant fractional digits, so with more decimals than
// this printf only appends zeros; the integer part has at most 309 digits.
constexpr int kExactDecimals = 1080;
constexpr std::size_t kWidestFixed = 1 + 309 + 1 + kExactDecimals;
constexpr int kDefaultDecimals = 6;

}  // namespace

NumberText NumberText::Integer(std::int32_t value) {
    NumberText text;
    const auto result = std::to_chars(text.chars_.data(), text.chars_.data() + kMaxLength, value);
    text.length_ = static_cast<std::size_t>(result.ptr - text.chars_.data());
    return text;
}

NumberText NumberText::Fixed(double value, std::int32_t decimals) {
    const int wanted = decimals < 0 ? kDefaultDecimals : decimals;
    const int exact = std::min(wanted, kExactDecimals);
    std::array<char, kWidestFixed> wide;  // only the written part is read
    const std::size_t wideLength = WriteFixed(wide, value, exact).value_or(0);

    NumberText text;
    text.length_ = std::min(wideLength, kMaxLength);
    std::copy_n(wide.data(), text.length_, text.chars_.data());
    if (std::isfinite(value) && wanted > exact) {
        const std::size_t zeros = static_cast<std::size_t>(wanted - exact);
        const std::size_t padded = std::min(text.length_ + zeros, kMaxLength);
        std::fill(text.chars_.data() + text.length_, text.chars_.data() + padded, '0');
        text.length_ = padded;
    }
    return text;
}

NumberText NumberText::Decimal(std::int32_t stored, std::int32_t decimals) {
    NumberText text;
    text.length_ = static_cast<std::size_t>(PutDecimal(text.chars_.data(), stored, decimals) - text.chars_.data());
    return text;
}

// The digits go in from the right, so the text's length is known first: its digits, at least
// one before the point (5 with two decimals is 0.05), and the point.
char* PutDecimal(char* out, std::int32_t stored, std::int32_t decimals) {
    const auto places = static_cast<std::size_t>(std::clamp(decimals, 0, NumberText::kMaxDecimalDecimals));
    std::uint32_t magnitude = stored < 0 ? 0u - static_cast<std::uint32_t>(stored) : static_cast<std::uint32_t>(stored);
    if (stored < 0) *out++ = '-';
    std::size_t digits = 1;
    for (std::uint32_t bound = 10; digits < 10 && magnitude >= bound; bound *= 10) ++digits;
    digits = std::max(digits, places + 1);
    const std::size_t length = digits + (places > 0 ? 1 : 0);
    char* at = out + length;
    for (std::size_t i = 0; i < places; ++i) {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (places > 0) *--at = '.';
    while (at > out) {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    return out + length;
}

}  // namespace audiogram
