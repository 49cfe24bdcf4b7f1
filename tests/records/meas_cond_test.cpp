#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "records/little_endian.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"

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

TEST(InitMeasCond, WritesTheDefaultOfAll35FieldsOfEachRecordAndLeavesTextsAndPointsAlone) {
    constexpr std::size_t kStride = 446;  // a tone curve: conditions, then 240 bytes of points
    std::vector<std::uint8_t> area(3 * kStride, 0xA5);
    InitMeasCond(area, kStride, 3);
    for (std::size_t record = 0; record < 3; ++record) {
        const ByteSpan curve = ByteSpan(area).subspan(record * kStride, kStride);
        for (std::size_t offset = 0; offset <= 68; offset += 2) {
            EXPECT_EQ(LoadI16(curve, offset), DocumentedDefault(offset)) << record << " field " << offset;
        }
        for (std::size_t byte = 70; byte < kStride; ++byte) {
            ASSERT_EQ(curve[byte], 0xA5) << record << " byte " << byte;
        }
    }
    EXPECT_TRUE(IsEmptyMeasCond(DefaultMeasCond()));
}

// 0 is "Unknown" for coded fields; 1 and the missing value swap the two defaults; a change
// in the high byte alone catches a comparison of the low byte only. A text count of any
// value marks the conditions used.
TEST(IsEmptyMeasCond, AnySingleFieldOrTextCountDifferenceMakesTheConditionsUsed) {
    for (std::size_t offset = 0; offset <= 68; offset += 2) {
        const auto fallback = static_cast<std::uint16_t>(DocumentedDefault(offset));
        const std::uint16_t otherDefault = fallback == 1 ? kMissingValuePattern : std::uint16_t{1};
        const auto highByte = static_cast<std::uint16_t>(fallback ^ 0x0100);
        for (const std::uint16_t value : {std::uint16_t{0}, otherDefault, highByte, std::uint16_t{0x7FFF}}) {
            auto record = DefaultMeasCond();
            StoreU16(record, offset, value);
            EXPECT_FALSE(IsEmptyMeasCond(record)) << "field " << offset << " = " << value;
        }
    }
    for (const std::size_t countOffset : {70u, 104u, 138u, 172u}) {
        for (const std::uint16_t count : std::array<std::uint16_t, 3>{1, 15, 0xFFFF}) {
            auto record = DefaultMeasCond();
            StoreU16(record, countOffset, count);
            EXPECT_FALSE(IsEmptyMeasCond(record)) << "text count at " << countOffset << " = " << count;
        }
    }
}

TEST(IsEmptyMeasCond, IgnoresTextUnitsWhoseCountIsZero) {
    auto record = DefaultMeasCond();
    for (std::size_t byte = 72; byte < kMeasCondSize; ++byte) record[byte] = 'x';
    for (const std::size_t countOffset : {104u, 138u, 172u}) StoreU16(record, countOffset, 0);
    EXPECT_TRUE(IsEmptyMeasCond(record));
}

}  // namespace
}  // namespace audiogram
