#include "import/leaf_values.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document_test_support.h"
#include "import/calibration_split.h"
#include "import/leading_float.h"

namespace audiogram::testing {
namespace {

// Runs a check with the C library in its "C" locale, so strtof serves as the reference.
class CLocale {
  public:
    CLocale() : saved_(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, "C"); }
    ~CLocale() { std::setlocale(LC_ALL, saved_.c_str()); }

  private:
    std::string saved_;
};

std::u16string Widened(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

bool SameFloat(float a, float b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;  // tells 0 from -0
}

// The scaled value of an ASCII text as UTF-16 and as a leaf's bytes, whose plain decimals
// take a quick path of their own.
::testing::AssertionResult ScansTo(const std::string& text, std::int32_t scale, std::int16_t expected) {
    LeafText leaf;
    leaf.AssignAscii(text);
    const std::int16_t wide = ScanScaledValue(Widened(text), scale), ascii = ScanScaledValue(leaf, scale);
    if (wide == expected && ascii == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text << " times " << scale << ": " << wide << ", " << ascii;
}

// Hand-picked texts for what generated ones rarely reach (blanks, words, long digit runs,
// the edges of the float and the 32-bit range, halves), then texts over the alphabet of
// numbers, then plain decimals, which take paths of their own that must agree up to the last
// bit wherever they are taken: near ties, at 2^24, with many fraction digits; then numbers
// of every magnitude and their halves.
std::vector<std::string> NumberTexts() {
    std::vector<std::string> texts;
    std::istringstream handPicked(
        "42.25|-2.45|abc||  \t\n12.5 |- "
        "1|12abc|1,5|12,5|1e-x|0X1p4|0x1.8p1|-0x.8|0xg|0x.p1|0x1p|0x10|inf|-INF|Infinity|"
        "infinit|nan|NaN(123)|-nan|na|1e1|1e30|1e39|-1e39|3.4028235e38|3.4028237e38|1e-39|1e-46|-1e-46|1e-400|"
        "0.000000000000000000000000000000000000000000000000000001e60|123456789012345678901234567890|0x1p128|"
        "0.000000000000000000000000000000000000000000000000000000000001e10|"
        "0x1p-160|0x0.000000000000001p0|1e99999999999999999999|00012.500|12.5 |2147483647.5|2147483648|"
        "-2147483648.5|-2147483647.5|214748364.8|65535.5|-65536.5|-0.5|0.49999997|-1.5|-0.05");
    for (std::string text; std::getline(handPicked, text, '|');) texts.push_back(text);
    std::mt19937 random(20240521);
    const std::string alphabet = "0123456789.eE+-xp";
    for (int i = 0; i < 20000; ++i) {
        std::string& text = texts.emplace_back();
        for (std::size_t k = 1 + random() % 12; k > 0; --k)
            text.push_back(alphabet[random() % alphabet.size()]);
    }
    for (int i = 0; i < 200000; ++i) {
        const auto digits = static_cast<std::uint32_t>(random() % 3 == 0 ? (1u << 24) - 3 + random() % 6
                                                                         : random() % (1u << 25));
        std::string& text = texts.emplace_back(std::to_string(digits));
        const std::size_t fraction = random() % 13;
        if (fraction > 0) {
            if (text.size() <= fraction) text.insert(0, fraction - text.size() + 1, '0');
            text.insert(text.size() - fraction, ".");
        }
        if (random() % 4 == 0) text.insert(0, "-");
        if (random() % 8 == 0) text += random() % 2 == 0 ? "e" : "<";
    }
    for (int i = 0; i < 100000; ++i) {
        const double magnitude = std::pow(10.0, static_cast<double>(random() % 12) - 2.0);
        const double value = (static_cast<double>(random()) / 4294967296.0 - 0.5) * magnitude;
        texts.push_back(std::to_string(value));
        texts.push_back(std::to_string(std::round(value * 2) / 2));
    }
    return texts;
}

// A number is read as strtof reads it. Its scaled value is floor(value * scale + 0.5) in
// double precision (so halves round up), -2147483648 outside the 32-bit range or for NaN,
// cut to its low 16 bits (the comma ends the number in every locale). Digits outside ASCII
// are no digits.
TEST(LeafNumbers, AreReadAndScaledAsStrtofReadsThem) {
    const CLocale cLocale;
    EXPECT_EQ(ScanScaledValue(u"\u0661\u0662", 1), 0);
    EXPECT_EQ(ScanScaledValue(u"5\u00BD", 10), 50);
    for (const std::string& text : NumberTexts()) {
        const float value = std::strtof(text.c_str(), nullptr);
        ASSERT_TRUE(SameFloat(ReadLeadingFloat(text), value)) << '"' << text << '"';
        for (const std::int32_t scale : {1, 10, 100, 1000}) {
            const double rounded = std::floor(static_cast<double>(value * static_cast<float>(scale)) + 0.5);
            const bool outside = std::isnan(rounded) || rounded < -2147483648.0 || rounded > 2147483647.0;
            const auto whole =
                static_cast<std::uint32_t>(outside ? INT32_MIN : static_cast<std::int32_t>(rounded));
            ASSERT_TRUE(ScansTo(text, scale, static_cast<std::int16_t>(static_cast<std::uint16_t>(whole))));
        }
    }
}

// The name index answers for each name as the walk over its table does (codes beyond 16 bits
// too); this shows the text on the way, a unit of a single byte outside ASCII matching nothing.
TEST(FindEnumCode, FindsNamesOrGivesTheFirstEntrysCode) {
    EXPECT_EQ(FindEnumCode(EnumTable::PointStatus, u"NoResponse"), 3);
    EXPECT_EQ(FindEnumCode(EnumTable::TransducerType, u"B7\u00B9"), 1);
}

// Dates with a zone, with Z and bare come through the import's documents and round trips;
// these are the shapes at the edges of the date form.
TEST(SplitCalibration, SeparatesTheZone) {
    const struct {
        std::u16string text, dateTime, zone;
    } cases[] = {
        {u"2004-03-01ZT10", u"2004-03-01Z", u"T10"},
        {u"2004-3-011", u"2004", u"-3-011"},
        {u"20a4-03-01", u"20a4", u"-03-01"},  // not of the date form
        {u"-05:00", u"-05:00", u""},  // not longer than a zone
        {u"x+05:00", u"x", u"+05:00"},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        const CalibrationParts parts = SplitCalibration(c.text);
        EXPECT_EQ(Shown(parts.dateTime) + "|" + Shown(parts.zone), Shown(c.dateTime) + "|" + Shown(c.zone));
    }
}

}  // namespace
}  // namespace audiogram::testing
