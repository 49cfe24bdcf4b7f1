#pragma once
// Reads the number at the start of a text the way the C library's strtof reads one in the
// "C" locale, whatever locale the process has set: leading whitespace, a sign, decimal
// digits with an optional point and exponent, hexadecimal digits after "0x" with an
// optional binary exponent, "inf", "infinity" and "nan" in any case. Reading stops at the
// first character that cannot continue the number; a text that holds no number gives 0.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace audiogram {

float ReadLeadingFloat(std::string_view text);

// The number documents nearly always hold, in parts: after blanks and a sign, decimal digits
// with at most one point and no exponent, at most 10 of them after the point, the digits an
// integer below 2^24. Its value as ReadLeadingFloat reads it is digits / 10^fractionDigits,
// with the sign.
inline constexpr std::size_t kMaxPlainFractionDigits = 10;

struct PlainDecimal {
    bool negative = false;
    std::uint32_t digits = 0;
    std::size_t fractionDigits = 0;

    float Value() const;
};

// False (the parts undefined) for every text that does not begin with such a number.
bool ReadPlainDecimal(std::string_view text, PlainDecimal& decimal);

}  // namespace audiogram
