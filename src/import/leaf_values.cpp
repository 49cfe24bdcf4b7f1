#include "import/leaf_values.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "import/leading_float.h"
#include "import/name_index.h"
#include "import/single_byte_text.h"
#include "import/xml_reader.h"

namespace audiogram {

namespace {

// floor(scaled + 0.5) in double precision, or -2147483648 when that lies outside the 32-bit
// range or is NaN. The range test on the sum comes first, so every conversion is defined; in
// range, truncation corrected for negative fractions is the floor.
std::int16_t ScaledValue(float value, std::int32_t scale) {
    const float scaled = value * static_cast<float>(scale);
    const double half = static_cast<double>(scaled) + 0.5;

    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kBeyondHighest = 2147483648.0;
    std::int32_t whole = std::numeric_limits<std::int32_t>::min();
    if (half >= kLowest && half < kBeyondHighest) {  // false for NaN
        auto truncated = static_cast<std::int64_t>(half);
        if (static_cast<double>(truncated) > half) --truncated;
        whole = static_cast<std::int32_t>(truncated);
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(whole) & 0xFFFFu));
}

std::int16_t LowBits(std::int64_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(value) & 0xFFFFu));
}

// A plain decimal with no more fraction digits than the scale has zeros is a whole number of
// the scale's units; below 2^22 of them the float steps (the division by the power of ten,
// the multiplication by the scale, rounding half up) give exactly that number, for every
// such decimal (checked exhaustively once: the float steps are the same on every IEEE machine),
// so it is taken without them.
constexpr std::int64_t kExactScaledLimit = std::int64_t{1} << 22;

// The zeros of a scale of 1, 10, 100 or 1000; none for any other.
std::optional<std::size_t> ZerosOf(std::int32_t scale) {
    switch (scale) {
        case 1:
            return 0;
        case 10:
            return 1;
        case 100:
            return 2;
        case 1000:
            return 3;
        default:
            return std::nullopt;
    }
}

bool ScaledWholeNumber(const PlainDecimal& decimal, std::int32_t scale, std::int16_t& stored) {
    const std::optional<std::size_t> scaleZeros = ZerosOf(scale);
    if (!scaleZeros) return false;
    const std::size_t zeros = *scaleZeros;
    if (decimal.fractionDigits > zeros) return false;
    std::int64_t whole = decimal.digits;
    for (std::size_t i = decimal.fractionDigits; i < zeros; ++i) whole *= 10;
    if (whole >= kExactScaledLimit) return false;
    stored = LowBits(decimal.negative ? -whole : whole);
    return true;
}

// Documents write nearly every number as an optional '-' and at most six digits with perhaps
// a point among them, no more digits after it than the scale has zeros. Such a text, and only
// the whole text, is read here in one pass to the count of the scale's units it holds: the
// value ScaledWholeNumber gives the plain decimal it is. Any other text is left to those steps.
bool ReadShortScaled(std::string_view text, std::int32_t scale, std::int16_t& stored) {
    constexpr std::size_t kMostDigits = 6;  // 999999 thousandths fit 32 bits
    constexpr std::int64_t kPowersOfTen[] = {1, 10, 100, 1000};
    const std::optional<std::size_t> zeros = ZerosOf(scale);
    // At most the digits, a point and a sign: the loop below cannot overflow.
    if (!zeros || text.empty() || text.size() > kMostDigits + 2) return false;
    const char* at = text.data();
    const char* const end = at + text.size();
    const bool negative = *at == '-';
    if (negative) ++at;
    const char* const first = at;
    const char* point = end;
    std::int64_t whole = 0;
    for (; at != end; ++at) {
        const auto digit = static_cast<unsigned char>(*at - '0');
        if (digit < 10) {
            whole = whole * 10 + digit;
            continue;
        }
        if (*at != '.' || point != end) return false;
        point = at;
    }
    const bool pointed = point != end;
    const auto fraction = pointed ? static_cast<std::size_t>(end - point - 1) : 0;
    const auto digits = static_cast<std::size_t>(end - first) - (pointed ? 1 : 0);
    if (digits == 0 || digits > kMostDigits || fraction > *zeros) return false;
    whole *= kPowersOfTen[*zeros - fraction];
    if (whole >= kExactScaledLimit) return false;
    stored = LowBits(negative ? -whole : whole);
    return true;
}

// Every text the short reading leaves: a plain decimal, or the number at its start.
[[gnu::noinline]] std::int16_t ScanScaledText(const LeafText& text, std::int32_t scale) {
    if (!text.IsAscii()) return ScanScaledValue(text.View(), scale);
    PlainDecimal decimal;
    if (ReadPlainDecimal(text.AsciiBytes(), decimal)) {
        std::int16_t stored = 0;
        if (ScaledWholeNumber(decimal, scale, stored)) return stored;
        return ScaledValue(decimal.Value(), scale);
    }
    return ScaledValue(ReadLeadingFloat(text.AsciiBytes()), scale);
}

}  // namespace

std::int16_t ScanScaledValue(std::u16string_view text, std::int32_t scale) {
    // A unit outside ASCII becomes '?', which ends the number like any other non-digit.
    return ScaledValue(ReadLeadingFloat(SingleByteText(text).View()), scale);
}

std::int16_t ScanScaledValue(const LeafText& text, std::int32_t scale) {
    // The fuzzers' differential target switches the short reading off to hold it to the
    // general steps. Those stay out of line, so the short reading costs no more than itself.
    if (std::int16_t stored = 0;
        text.IsAscii() && !gQuickPathsOff && ReadShortScaled(text.AsciiBytes(), scale, stored)) {
        return stored;
    }
    return ScanScaledText(text, scale);
}

std::int32_t FindEnumCode(EnumTable table, std::u16string_view text) {
    return CodeOfName(table, SingleByteText(text).View());
}

std::int32_t FindEnumCode(EnumTable table, const LeafText& text) {
    if (text.IsAscii()) return CodeOfName(table, text.AsciiBytes());
    return FindEnumCode(table, text.View());
}

}  // namespace audiogram
