// What each field writes is in the field rows' golden file of the import's round trip; this is
// the reading of a text of 15 units, whose length may stand in its last unit.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document_test_support.h"
#include "export/measurement_conditions_export.h"

namespace audiogram::testing {
namespace {

TEST(ConditionsExport, ReadCountedText15) {
    const struct {
        std::vector<std::uint16_t> units;  // u0 (the count) to u16
        std::optional<std::u16string> text;
    } cases[] = {
        {{3, 'a', 'b', 'c', 0}, u"abc"},
        {{0, 'a', 'b', 0}, std::nullopt},       // no count, no text
        {{4, 'a', 'b', 'c', 0}, std::nullopt},  // count disagrees
        {{15, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 0},
         u"abcdefghijklmno"},
        {{16, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p'}, std::nullopt},
        {{'x', 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}, u"xy"},  // length in the last unit
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> area(meas_cond::kWordListName.Size(), 0);
        for (std::size_t i = 0; i < c.units.size(); ++i) StoreU16(area, 2 * i, c.units[i]);
        CountedText15Units units;
        const auto text = ReadCountedText15(area, CountedTextField{0, 15}, units);
        EXPECT_EQ(text ? std::optional<std::u16string>(*text) : std::nullopt, c.text) << c.units.size();
    }
}

}  // namespace
}  // namespace audiogram::testing
