// The fallback conversions of the WebAssembly build held to the standard library's results,
// so that a change to either side shows here and not in a browser.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "support/float_charconv.h"

namespace audiogram {
namespace {

// Rounding ties and near-ties, long digit runs, the subnormal range and both ends of it,
// overflow, and hexadecimal mantissas with and without a binary exponent.
constexpr std::pair<const char*, bool> kReadCases[] = {
    {"0", false}, {"0.", false}, {".5", false}, {"12.25", false}, {"0.1", false}, {"3.4028235e38", false},
    {"3.4028236e38", false}, {"1e39", false}, {"16777217", false}, {"16777219", false},
    {"1.00000005960464477539062500001", false}, {"1e-38", false}, {"1e-45", false}, {"7e-46", false},
    {"1e-46", false}, {"1e-400", false}, {"123456789012345678901234567890", false},
    {"0.000000000000000000000000000000000000011754942", false}, {"1e", false}, {"1.8p3", true}, {"ff", true},
    {"0.1", true}, {"1p-149", true}, {"1p-150", true}, {"1p128", true}, {"fffffffp0", true},
    {"1.fffffep127", true},
};

TEST(FloatCharconvTest, FallbackReadsAsTheStandardLibrary) {
    if (!HasStandardFloatCharconv()) GTEST_SKIP() << "this standard library has no floating-point from_chars";
    for (const auto& [number, hex] : kReadCases) {
        const FloatReading standard = ReadFloat(number, hex);
        const FloatReading fallback = charconv_fallback::ReadFloat(number, hex);
        EXPECT_EQ(fallback.error, standard.error) << number;
        if (standard.error != std::errc{}) continue;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(fallback.value), std::bit_cast<std::uint32_t>(standard.value)) << number;
    }
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::pair<double, int> kFixedCases[] = {
    {0.0, 0},    {-0.0, 2},      {0.5, 0},       {1.5, 0},  {2.5, 0},       {0.125, 2},  {-12.345, 1},
    {1e300, 3},  {5e-324, 1080}, {0.1, 60},      {kInfinity, 2}, {-kInfinity, 0}, {123456789.987654321, 6},
    {-1.0 / 3.0, 17}, {1e22, 0},
};

TEST(FloatCharconvTest, FallbackWritesAsTheStandardLibrary) {
    if (!HasStandardFloatCharconv()) GTEST_SKIP() << "this standard library has no floating-point to_chars";
    for (const auto& [value, decimals] : kFixedCases) {
        std::array<char, 1400> standard{}, fallback{};
        const auto standardLength = WriteFixed(standard, value, decimals);
        const auto fallbackLength = charconv_fallback::WriteFixed(fallback, value, decimals);
        ASSERT_TRUE(standardLength && fallbackLength) << value;
        EXPECT_EQ(std::string(fallback.data(), *fallbackLength), std::string(standard.data(), *standardLength))
            << value << " with " << decimals << " decimals";
    }
}

TEST(FloatCharconvTest, FallbackRefusesATextThatDoesNotFit) {
    std::array<char, 4> out{};
    EXPECT_FALSE(charconv_fallback::WriteFixed(out, 12.5, 2));  // "12.50" is five characters
    EXPECT_EQ(charconv_fallback::WriteFixed(out, 2.5, 2), 4u);
    EXPECT_EQ(std::string(out.data(), 4), "2.50");
}

}  // namespace
}  // namespace audiogram
