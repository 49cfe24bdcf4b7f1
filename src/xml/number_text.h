#pragma once
// The text forms of numbers in element content: what printf writes for "%d" and "%.*f"
// into a 1024-byte scratch text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace audiogram {

// The text of NumberText::Decimal put at `out`, which has room for kWidestDecimal bytes;
// returns the position after it. The writer puts numbers straight into its document with it.
inline constexpr std::size_t kWidestDecimal = 16;  // "-2147483648" and a point
char* PutDecimal(char* out, std::int32_t stored, std::int32_t decimals);

class NumberText {
  public:
    static constexpr std::size_t kMaxLength = 1023;

    // "%d"
    static NumberText Integer(std::int32_t value);
    // "%.*f": a negative count of decimals means 6, as for printf; a text longer than
    // kMaxLength is cut there, as the scratch text cut it.
    static NumberText Fixed(double value, std::int32_t decimals);
    // The fixed-point number `stored` / 10^decimals with exactly `decimals` digits after the
    // point (0 to 3), written from its digits without a floating-point value. For every
    // stored value a 16-bit field can hold (and its negation) this is the text of
    // Fixed(float(stored) / 10^decimals, decimals): the float lies far closer to the
    // decimal value than half a unit of the last written digit.
    static NumberText Decimal(std::int32_t stored, std::int32_t decimals);
    static constexpr std::int32_t kMaxDecimalDecimals = 3;

    std::string_view View() const { return {chars_.data(), length_}; }

  private:
    // Only the first length_ characters are ever written or read.
    std::array<char, kMaxLength + 1> chars_;
    std::size_t length_ = 0;
};

}  // namespace audiogram
