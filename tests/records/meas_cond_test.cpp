#include "records/meas_cond.h"

#include <gtest/gtest.h>

#include <array>

#include "records/little_endian.h"
#include "records/missing_value.h"
#include "schema/field_rows.h"

namespace audiogram {
namespace {

// The default of a numeric condition: coded ones 1, numbers missing.
std::int16_t DefaultOf(const FieldRow& row) {
    return row.form == FieldForm::Enumeration ? std::int16_t{1} : MissingValue;
}

std::array<std::uint8_t, meas_cond::kSize> DefaultMeasCond() {
    std::array<std::uint8_t, meas_cond::kSize> record{};
    InitMeasCond(record, record.size(), 1);
    return record;
}

// 0 is "Unknown" for coded fields; 1 and the missing value swap the two defaults; a change
// in the high byte alone catches a comparison of the low byte only. A text count of any
// value marks the conditions used; text units under a count of 0 do not.
TEST(IsEmptyMeasCond, AnySingleFieldOrTextCountDifferenceMakesTheConditionsUsed) {
    auto unitsOnly = DefaultMeasCond();
    for (const FieldRow& row : kMeasurementConditionFields) {
        const auto fallback = static_cast<std::uint16_t>(DefaultOf(row));
        const std::uint16_t otherDefault = fallback == 1 ? kMissingValuePattern : std::uint16_t{1};
        const std::array<std::uint16_t, 4> values =
            row.form == FieldForm::Text
                ? std::array<std::uint16_t, 4>{1, 15, 0xFFFF, 0x0100}
                : std::array<std::uint16_t, 4>{0, otherDefault, static_cast<std::uint16_t>(fallback ^ 0x0100),
                                               0x7FFF};
        for (const std::uint16_t value : values) {
            auto record = DefaultMeasCond();
            StoreU16(record, row.offset, value);
            EXPECT_FALSE(IsEmptyMeasCond(record)) << row.name << " = " << value;
        }
        for (std::size_t unit = 2; row.form == FieldForm::Text && unit < row.width; ++unit) {
            unitsOnly[row.offset + unit] = 'x';
        }
    }
    EXPECT_TRUE(IsEmptyMeasCond(unitsOnly));
}

}  // namespace
}  // namespace audiogram
