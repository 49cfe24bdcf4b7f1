// What each field writes, texts whose count lies among them, is in the field rows' golden
// file of the import's round trip; this is the one shape no count-led text takes there: a
// text of 15 units whose length stands in its last unit, the count unit holding text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_test_support.h"
#include "export/measurement_conditions_export.h"

namespace audiogram::testing {
namespace {

TEST(ConditionsExport, ReadCountedText15TakesALengthInItsLastUnit) {
    const std::vector<std::uint16_t> units = {'x', 'y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
    std::vector<std::uint8_t> area(meas_cond::kWordListName.Size(), 0);
    for (std::size_t i = 0; i < units.size(); ++i) StoreU16(area, 2 * i, units[i]);
    CountedText15Units read;
    const auto text = ReadCountedText15(area, CountedTextField{0, 15}, read);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(std::u16string(*text), u"xy");
}

}  // namespace
}  // namespace audiogram::testing
