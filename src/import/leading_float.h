#pragma once
// Reads the number at the start of a text the way the C library's strtof reads one in the
// "C" locale, whatever locale the process has set: leading whitespace, a sign, decimal
// digits with an optional point and exponent, hexadecimal digits after "0x" with an
// optional binary exponent, "inf", "infinity" and "nan" in any case. Reading stops at the
// first character that cannot continue the number; a text that holds no number gives 0.

#include <string_view>

namespace audiogram {

float ReadLeadingFloat(std::string_view text);

}  // namespace audiogram
