#include <gtest/gtest.h>

#include <string>

#include "record_builder/record_builder.h"
#include "records/counted_text.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"
#include "support/case_names.h"

namespace audiogram {
namespace {

constexpr std::size_t kCountOffset = 35480;  // ToneNotes AudiometerLastCalibration
constexpr std::size_t kUnitsOffset = 35482;
constexpr std::size_t kFieldUnits = 25;      // 24 units of text and the terminator

// A record whose tone calibration field holds exactly `units` (zeros included, the rest of
// the field 0) under the given count.
BlobBytes RecordWithDate(std::u16string_view units, std::uint16_t count) {
    Record200Builder builder;
    MutableByteSpan record = builder.MutableBytes();
    for (std::size_t i = 0; i < units.size(); ++i) StoreU16(record, kUnitsOffset + 2 * i, units[i]);
    StoreU16(record, kCountOffset, count);
    return builder.ToBlob();
}

std::u16string StoredUnits(ByteSpan record) {
    std::u16string units;
    for (std::size_t i = 0; i < kFieldUnits; ++i) units.push_back(static_cast<char16_t>(LoadU16(record, kUnitsOffset + 2 * i)));
    return units;
}

struct DateCase {
    std::string name;
    std::u16string units;
    std::uint16_t count;
    bool completed;
};

const DateCase kDates[] = {
    {"BareDateIsCompleted", u"2009-05-01", 10, true},
    {"DigitsAreNotChecked", u"abcd-ef-gh", 10, true},
    {"CompletedDateIsLeftAlone", u"2009-05-01T00:00:00", 19, false},
    {"SlashesAreLeftAlone", u"2009/05/01", 10, false},
    {"OneHyphenIsNotEnough", u"2009-05/01", 10, false},
    {"CountBelowTenIsLeftAlone", u"2009-05-1", 9, false},
    {"LongerTextUnderCountTenIsLeftAlone", u"2009-05-01T12", 10, false},
    {"FullFieldWithoutTerminatorIsLeftAlone", u"2009-05-01XXXXXXXXXXXXXXX", 10, false},
    {"ZeroInsideTheDateIsLeftAlone", std::u16string(u"2009-\0" u"5-01", 10), 10, false},
};

class CalibrationDate : public ::testing::TestWithParam<DateCase> {};

TEST_P(CalibrationDate, IsCompletedOnlyWhenItReallyIsTenUnits) {
    BlobBytes record = RecordWithDate(GetParam().units, GetParam().count);
    const BlobBytes before = record;

    EXPECT_EQ(CompleteCalibrationDate(record), GetParam().completed);

    if (!GetParam().completed) {
        EXPECT_EQ(record, before);
        return;
    }
    std::u16string expected = GetParam().units + u"T00:00:00";
    expected.resize(kFieldUnits, u'\0');
    EXPECT_EQ(LoadU16(record, kCountOffset), 19);
    EXPECT_EQ(StoredUnits(record), expected);
    for (std::size_t byte = 0; byte < record.size(); ++byte) {  // nothing outside the field moves
        if (byte < kCountOffset || byte >= kUnitsOffset + 2 * kFieldUnits) {
            ASSERT_EQ(record[byte], before[byte]) << byte;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DateTexts, CalibrationDate, ::testing::ValuesIn(kDates), testing::CaseName());

TEST(CalibrationDateFix, TouchesOnlyTheToneNotes) {
    Record200Builder builder;
    builder.Note(NotesBlock::Speech, record200::notes::kAudiometerLastCalibration, u"2009-05-01");
    BlobBytes record = builder.ToBlob();
    const BlobBytes before = record;
    EXPECT_FALSE(CompleteCalibrationDate(record));
    EXPECT_EQ(record, before);
}

TEST(CalibrationDateFix, RefusesAnAreaShorterThanARecord) {
    BlobBytes record = RecordWithDate(u"2009-05-01", 10);
    record.pop_back();
    EXPECT_FALSE(CompleteCalibrationDate(record));
}

TEST(CalibrationDateFix, TheExportStepMakesItInTheCallersSource) {
    BlobBytes source = RecordWithDate(u"2009-05-01", 10);
    source.push_back(0x42);  // extension bytes do not hinder the fix
    Blob result;
    ConvertDataBlob(500, 200, source, result);
    EXPECT_EQ(LoadU16(source, kCountOffset), 19);
    EXPECT_EQ(StoredUnits(source).substr(0, 19), u"2009-05-01T00:00:00");
}

TEST(CalibrationDateFix, IsNotMadeInASourceThatFailsTheLengthCheck) {
    BlobBytes source = RecordWithDate(u"2009-05-01", 10);
    source.resize(record200::kSize - 1);
    const BlobBytes before = source;
    Blob result;
    EXPECT_EQ(ConvertDataBlob(500, 200, source, result), CONV_E_INVALIDBLOB);
    EXPECT_EQ(source, before);
}

}  // namespace
}  // namespace audiogram
