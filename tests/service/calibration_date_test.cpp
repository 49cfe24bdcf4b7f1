#include <gtest/gtest.h>

#include <string>

#include "record_builder/record_builder.h"
#include "records/counted_text.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"

namespace audiogram {
namespace {

constexpr std::size_t kCountOffset = 35480;  // ToneNotes AudiometerLastCalibration
constexpr std::size_t kUnitsOffset = 35482;

// A record whose tone calibration field holds exactly `units` (zeros included, the rest of
// the field 0) under the given count.
BlobBytes RecordWithDate(std::u16string_view units, std::uint16_t count) {
    Record200Builder builder;
    MutableByteSpan record = builder.MutableBytes();
    for (std::size_t i = 0; i < units.size(); ++i) StoreU16(record, kUnitsOffset + 2 * i, units[i]);
    StoreU16(record, kCountOffset, count);
    return builder.ToBlob();
}

struct DateCase {
    const char* name;
    std::u16string units;
    std::uint16_t count;
    bool completed;
};

const DateCase kDates[] = {
    {"BareDateIsCompleted", u"2009-05-01", 10, true},
    {"DigitsAreNotChecked", u"abcd-ef-gh", 10, true},
    {"SlashesAreLeftAlone", u"2009/05/01", 10, false},
    {"OneHyphenIsNotEnough", u"2009-05/01", 10, false},
    {"CountBelowTenIsLeftAlone", u"2009-05-1", 9, false},
    {"LongerTextUnderCountTenIsLeftAlone", u"2009-05-01T12", 10, false},
    {"FullFieldWithoutTerminatorIsLeftAlone", u"2009-05-01XXXXXXXXXXXXXXX", 10, false},
    {"ZeroInsideTheDateIsLeftAlone", std::u16string(u"2009-\0005-01", 10), 10, false},
};

// The fix is made only when the text really is ten units long, and changes nothing but
// the count and the units of the field, which the rows name by its tone-notes offset; never
// in a record one byte short. (A completed date left alone is a count that is not ten.)
// The export step makes it in the caller's source, with extension bytes after the record too.
TEST(CalibrationDate, IsCompletedOnlyWhenItReallyIsTenUnits) {
    for (const DateCase& date : kDates) {
        BlobBytes record = RecordWithDate(date.units, date.count), source = record;
        BlobBytes expected = date.completed ? RecordWithDate(date.units + u"T00:00:00", 19) : record;
        EXPECT_EQ(CompleteCalibrationDate(record), date.completed) << date.name;
        EXPECT_EQ(record, expected) << date.name;
        source.push_back(0x42);
        expected.push_back(0x42);
        Blob result;
        EXPECT_EQ(ConvertDataBlob(500, 200, source, result), kStatusOk) << date.name;
        EXPECT_EQ(source, expected) << date.name;
    }
    BlobBytes shortRecord = RecordWithDate(u"2009-05-01", 10);
    shortRecord.pop_back();
    const BlobBytes before = shortRecord;
    EXPECT_FALSE(CompleteCalibrationDate(shortRecord));
    EXPECT_EQ(shortRecord, before);
}

}  // namespace
}  // namespace audiogram
