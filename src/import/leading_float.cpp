#include "import/leading_float.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>

#include "support/float_charconv.h"

namespace audiogram {
namespace {

constexpr bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsHexDigit(char c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (AsciiLower(text[i]) != word[i]) return false;
    }
    return true;
}

// Digits with at most one point among them; 0 when no digit is there.
std::size_t MantissaLength(std::string_view text, bool hex) {
    std::size_t length = 0;
    std::size_t digits = 0;
    bool point = false;
    for (; length < text.size(); ++length) {
        const char c = text[length];
        if (hex ? IsHexDigit(c) : IsDecimalDigit(c)) {
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return digits == 0 ? 0 : length;
}

// "e" or "p", an optional sign and at least one decimal digit; 0 when that is not there,
// so a bare "1e" reads as 1.
std::size_t ExponentLength(std::string_view text, char marker) {
    if (text.empty() || AsciiLower(text[0]) != marker) return 0;
    std::size_t length = 1;
    if (length < text.size() && (text[length] == '+' || text[length] == '-')) ++length;
    const std::size_t firstDigit = length;
    while (length < text.size() && IsDecimalDigit(text[length])) ++length;
    return length == firstDigit ? 0 : length;
}

// Whether a number that the conversion found out of range is too large (rather than too
// small): the order of magnitude of its first significant digit, in digits of its own base
// plus the exponent, is positive. Only the sign matters, so the exponent may saturate.
bool IsBeyondLargest(std::string_view number, bool hex) {
    const std::size_t mantissa = MantissaLength(number, hex);
    std::int64_t order = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    for (std::size_t i = 0; i < mantissa; ++i) {
        const char c = number[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!seenSignificant && c == '0') {
            if (seenPoint) --order;
        } else {
            seenSignificant = true;
            if (!seenPoint) ++order;
        }
    }
    if (hex) order *= 4;

    std::int64_t exponent = 0;
    std::string_view rest = number.substr(mantissa);
    if (!rest.empty()) {
        rest.remove_prefix(1);
        const bool negative = rest.front() == '-';
        if (rest.front() == '+' || rest.front() == '-') rest.remove_prefix(1);
        for (const char c : rest) {
            exponent = exponent * 10 + (c - '0');
            if (exponent > 1'000'000'000) break;
        }
        if (negative) exponent = -exponent;
    }
    return order + exponent > 0;
}

// The value of a number without sign whose extent is already known to be valid.
float ConvertNumber(std::string_view number, bool hex) {
    const FloatReading reading = ReadFloat(number, hex);
    if (reading.error == std::errc::result_out_of_range) {
        // strtof gives infinity for overflow and zero for a value below the smallest one.
        return IsBeyondLargest(number, hex) ? std::numeric_limits<float>::infinity() : 0.0f;
    }
    return reading.error == std::errc{} ? reading.value : 0.0f;
}

// The digits of a plain decimal after its sign: decimal digits with at most one point and no
// exponent, at most 10 of them after the point, making an integer below 2^24. False for
// every other text (a hexadecimal number, one with an exponent, too many digits).
bool ReadPlainDigits(std::string_view text, std::uint32_t& digits, std::size_t& fractionDigits) {
    constexpr std::uint32_t kExactIntegers = 1u << 24;
    const char* const bytes = text.data();
    const std::size_t size = text.size();
    if (size > 1 && bytes[0] == '0' && AsciiLower(bytes[1]) == 'x') return false;
    std::uint32_t value = 0;
    std::size_t i = 0;
    for (; i < size && IsDecimalDigit(bytes[i]); ++i) {
        value = value * 10 + static_cast<std::uint32_t>(bytes[i] - '0');
        if (value >= kExactIntegers) return false;
    }
    std::size_t fraction = 0;
    const bool point = i < size && bytes[i] == '.';
    if (point) {
        const std::size_t first = ++i;
        for (; i < size && IsDecimalDigit(bytes[i]); ++i) {
            value = value * 10 + static_cast<std::uint32_t>(bytes[i] - '0');
            if (value >= kExactIntegers) return false;
        }
        fraction = i - first;
    }
    digits = value;
    fractionDigits = fraction;
    const std::size_t digitCount = point ? i - 1 : i;  // a point alone is no number
    if (digitCount == 0 || fraction > kMaxPlainFractionDigits) return false;
    return i == size || AsciiLower(bytes[i]) != 'e';
}

// None when the text does not begin with a number.
std::optional<float> ReadUnsignedFloat(std::string_view text) {
    if (StartsWithNoCase(text, "inf")) return std::numeric_limits<float>::infinity();
    if (StartsWithNoCase(text, "nan")) return std::numeric_limits<float>::quiet_NaN();
    if (text.size() > 2 && text[0] == '0' && AsciiLower(text[1]) == 'x') {
        const std::string_view body = text.substr(2);
        if (const std::size_t mantissa = MantissaLength(body, true); mantissa > 0) {
            const std::size_t length = mantissa + ExponentLength(body.substr(mantissa), 'p');
            return ConvertNumber(body.substr(0, length), true);
        }
        // "0x" without a hexadecimal digit after it is the number 0 followed by an "x".
    }
    const std::size_t mantissa = MantissaLength(text, false);
    if (mantissa == 0) return std::nullopt;
    const std::size_t length = mantissa + ExponentLength(text.substr(mantissa), 'e');
    return ConvertNumber(text.substr(0, length), false);
}

}  // namespace

bool ReadPlainDecimal(std::string_view text, PlainDecimal& decimal) {
    std::size_t start = 0;
    while (start < text.size() && IsCSpace(text[start])) ++start;
    decimal.negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        decimal.negative = text[start] == '-';
        ++start;
    }
    text.remove_prefix(start);  // start stands inside the text: no check needed
    return ReadPlainDigits(text, decimal.digits, decimal.fractionDigits);
}

// Both the digits and the power of ten are exact floats, and IEEE division rounds their
// quotient to nearest even just as the conversion of the decimal text does.
float PlainDecimal::Value() const {
    constexpr std::array<float, kMaxPlainFractionDigits + 1> kPowersOfTen = {
        1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    const float magnitude = static_cast<float>(digits) / kPowersOfTen[fractionDigits];
    return negative ? -magnitude : magnitude;
}

float ReadLeadingFloat(std::string_view text) {
    PlainDecimal plain;
    if (ReadPlainDecimal(text, plain)) return plain.Value();
    std::size_t start = 0;
    while (start < text.size() && IsCSpace(text[start])) ++start;
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    const std::optional<float> magnitude = ReadUnsignedFloat(text.substr(start));
    if (!magnitude) return 0.0f;  // a sign alone is no number: positive zero, as strtof gives
    return negative ? -*magnitude : *magnitude;
}

}  // namespace audiogram
