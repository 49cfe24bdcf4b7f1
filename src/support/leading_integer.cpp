#include "support/leading_integer.h"

#include <cstddef>

namespace audiogram {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::int32_t LeadingInteger(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && IsBlank(text[position])) ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    // The magnitude is gathered as a negative number so that INT32_MIN itself fits.
    std::int32_t value = 0;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
        const int digit = text[position] - '0';
        if (value < (INT32_MIN + digit) / 10) {
            value = INT32_MIN;
        } else {
            value = value * 10 - digit;
        }
    }
    if (negative) return value;
    return value == INT32_MIN ? INT32_MAX : -value;
}

}  // namespace audiogram
