// Numbers in element text equal what printf writes.
#include "xml/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace audiogram {
namespace {

std::string Printf(const char* format, auto... values) {
    std::array<char, 1024> text{};
    std::snprintf(text.data(), text.size(), format, values...);
    return text.data();
}

// Every stored 16-bit value (and the magnitude 32768 of -32768) in units, tenths, hundredths
// and thousandths: divided in double precision it is printf's text, and the export's text from
// its digits is the one its single-precision quotient gives.
TEST(NumberText, EveryScaledRecordValueMatchesPrintf) {
    for (std::int32_t decimals = 0; decimals <= NumberText::kMaxDecimalDecimals; ++decimals) {
        const double divisor = std::pow(10.0, decimals);
        for (std::int32_t stored = INT16_MIN; stored <= INT16_MAX + 1; ++stored) {
            const double value = stored / divisor;
            ASSERT_EQ(NumberText::Fixed(value, decimals).View(), Printf("%.*f", decimals, value)) << stored;
            const float quotient = static_cast<float>(stored) / static_cast<float>(divisor);
            ASSERT_EQ(NumberText::Decimal(stored, decimals).View(),
                      NumberText::Fixed(quotient, decimals).View())
                << stored << " with " << decimals << " decimals";
        }
    }
}

// Ties, signed zero, the ends of the range, infinities, a negative count (six decimals) and
// texts longer than the scratch text, which are cut where it cut them.
TEST(NumberText, ExtremeNumbersMatchPrintf) {
    for (const std::int32_t value : {INT32_MIN, -1, 0, 7, INT32_MAX})
        EXPECT_EQ(NumberText::Integer(value).View(), Printf("%d", value));
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    for (const double value :
         {0.5, 1.5, 2.5, -0.5, 0.125, -0.0, 1e-300, 1e300, -1e308, 5e-324, 2.675, kInfinity, -kInfinity}) {
        for (const std::int32_t count : {-1, 0, 1, 2, 3, 17, 400, 1100, 5000}) {
            EXPECT_EQ(NumberText::Fixed(value, count).View(), Printf("%.*f", count, value))
                << value << " with " << count;
        }
    }
}

}  // namespace
}  // namespace audiogram
