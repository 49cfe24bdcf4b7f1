#pragma once
// Integer values of configuration texts, read as atoi reads them.

#include <cstdint>
#include <string_view>

namespace audiogram {

// Leading blanks, an optional sign and the decimal digits that follow; anything else ends
// the number, and a text without digits is 0. Values beyond the 32-bit range saturate at
// its ends instead of overflowing.
std::int32_t LeadingInteger(std::string_view text);

// Appends one decimal digit to a non-negative value, saturating at the 32-bit maximum.
constexpr std::int32_t AppendDecimalDigit(std::int32_t value, int digit) {
    constexpr std::int32_t kMax = INT32_MAX;
    if (value > (kMax - digit) / 10) return kMax;
    return value * 10 + digit;
}

}  // namespace audiogram
