#include "xml/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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
    std::array<char, kWidestFixed> wide{};
    const auto result =
        std::to_chars(wide.data(), wide.data() + wide.size(), value, std::chars_format::fixed, exact);
    std::size_t wideLength =
        result.ec == std::errc() ? static_cast<std::size_t>(result.ptr - wide.data()) : 0;

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

}  // namespace audiogram
