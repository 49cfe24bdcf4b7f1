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
    const auto places = static_cast<std::size_t>(std::clamp(decimals, 0, kMaxDecimalDecimals));
    std::array<char, 16> digits;
    const std::int64_t magnitude = stored < 0 ? -std::int64_t{stored} : std::int64_t{stored};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
    const auto count = static_cast<std::size_t>(end - digits.data());

    NumberText text;
    char* out = text.chars_.data();
    if (stored < 0) *out++ = '-';
    // At least one digit stands before the point: 5 with two decimals is 0.05.
    const std::size_t padded = std::max(count, places + 1);
    std::fill_n(out, padded - count, '0');
    std::copy_n(digits.data(), count, out + (padded - count));
    if (places > 0) {
        std::copy_backward(out + padded - places, out + padded, out + padded + 1);
        out[padded - places] = '.';
        out += padded + 1;
    } else {
        out += padded;
    }
    text.length_ = static_cast<std::size_t>(out - text.chars_.data());
    return text;
}

}  // namespace audiogram
