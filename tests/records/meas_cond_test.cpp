#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "records/little_endian.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "support/case_names.h"

namespace audiogram {
namespace {

constexpr std::size_t kMeasCondSize = 206;

// The default of the numeric field at `offset`, from the layout table: the coded fields
// (signal type, auxiliary to presentation type, transducer to hearing instrument condition,
// speech threshold type) are 1, the scaled and whole-number fields missing.
std::int16_t DocumentedDefault(std::size_t offset) {
    const bool coded = offset <= 2 || (offset >= 12 && offset <= 22) || offset >= 52;
    return coded ? std::int16_t{1} : MissingValue;
}

std::array<std::uint8_t, kMeasCondSize> DefaultMeasCond() {
    std::array<std::uint8_t, kMeasCondSize> record{};
    InitMeasCond(record, kMeasCondSize, 1);
    return record;
}

TEST(InitMeasCond, WritesTheDocumentedDefaultOfAll35NumericFields) {
    const auto record = DefaultMeasCond();
    for (std::size_t offset = 0; offset <= 68; offset += 2) {
        EXPECT_EQ(LoadI16(record, offset), DocumentedDefault(offset)) << "field at " << offset;
    }
    EXPECT_TRUE(IsEmptyMeasCond(record));
}

TEST(InitMeasCond, WritesBytes0To69OfEachRecordAndLeavesTextsAndPointsAlone) {
    constexpr std::size_t kStride = 446;  // a tone curve: conditions, then 240 bytes of points
    std::vector<std::uint8_t> area(3 * kStride, 0xA5);
    InitMeasCond(area, kStride, 3);
    for (std::size_t record = 0; record < 3; ++record) {
        const ByteSpan curve = ByteSpan(area).subspan(record * kStride, kStride);
        for (std::size_t offset = 0; offset <= 68; offset += 2) {
            EXPECT_EQ(LoadI16(curve, offset), DocumentedDefault(offset)) << "record " << record << " field " << offset;
        }
        for (std::size_t byte = 70; byte < kStride; ++byte) {
            ASSERT_EQ(curve[byte], 0xA5) << "record " << record << " byte " << byte;
        }
    }
}

// One deviation from the default state, named by what it changes.
struct Deviation {
    std::string name;
    std::size_t offset;
    std::uint16_t value;
};

std::vector<Deviation> SingleFieldDeviations() {
    std::vector<Deviation> deviations;
    for (std::size_t offset = 0; offset <= 68; offset += 2) {
        const auto fallback = static_cast<std::uint16_t>(DocumentedDefault(offset));
        const std::string field = "Field" + std::to_string(offset);
        // 0 is "Unknown" for coded fields; 1 and the missing value swap the two defaults;
        // a change in the high byte alone catches a comparison of the low byte only.
        deviations.push_back({field + "Zero", offset, 0});
        deviations.push_back({field + "OtherDefault", offset, fallback == 1 ? kMissingValuePattern : std::uint16_t{1}});
        deviations.push_back({field + "HighByte", offset, static_cast<std::uint16_t>(fallback ^ 0x0100)});
        deviations.push_back({field + "Largest", offset, 0x7FFF});
    }
    for (const std::size_t countOffset : std::array<std::size_t, 4>{70, 104, 138, 172}) {
        const std::string field = "TextCount" + std::to_string(countOffset);
        deviations.push_back({field + "One", countOffset, 1});
        deviations.push_back({field + "Full", countOffset, 15});
        deviations.push_back({field + "AboveCapacity", countOffset, 0xFFFF});
    }
    return deviations;
}

class MeasCondDeviation : public ::testing::TestWithParam<Deviation> {};

TEST_P(MeasCondDeviation, AnySingleDifferenceMakesTheConditionsUsed) {
    auto record = DefaultMeasCond();
    StoreU16(record, GetParam().offset, GetParam().value);
    EXPECT_FALSE(IsEmptyMeasCond(record));
}

INSTANTIATE_TEST_SUITE_P(EveryFieldAndTextCount, MeasCondDeviation, ::testing::ValuesIn(SingleFieldDeviations()),
                         testing::CaseName());

TEST(IsEmptyMeasCond, IgnoresTextUnitsWhoseCountIsZero) {
    auto record = DefaultMeasCond();
    for (std::size_t byte = 72; byte < kMeasCondSize; ++byte) {
        if (byte != 104 && byte != 105 && byte != 138 && byte != 139 && byte != 172 && byte != 173) record[byte] = 'x';
    }
    EXPECT_TRUE(IsEmptyMeasCond(record));
}

TEST(InitMeasCond, OverARecordWithTextsKeepsTheTexts) {
    std::array<std::uint8_t, kMeasCondSize> record{};
    StoreU16(record, 70, 3);
    StoreU16(record, 72, u'T');
    StoreU16(record, 0, 7);
    InitMeasCond(record, kMeasCondSize, 1);
    EXPECT_EQ(LoadU16(record, 70), 3);
    EXPECT_EQ(LoadU16(record, 72), u'T');
    EXPECT_EQ(LoadI16(record, 0), 1);
    EXPECT_FALSE(IsEmptyMeasCond(record));  // the text count still marks it used
}

}  // namespace
}  // namespace audiogram
