#include <gtest/gtest.h>

#include "records/empty_record.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

TEST(EmptyRecord, EveryCurveUnusedEveryPointMissingNoNotesNoMasks) {
    Record200Bytes record;
    record.fill(0x5A);  // nothing of an earlier content may survive
    MakeEmptyRecord200(record);

    for (const SectionLayout& section : record200::kCurveSections) {
        for (std::size_t slot = 0; slot < section.slots; ++slot) {
            const std::size_t curve = section.CurveOffset(slot);
            EXPECT_TRUE(IsEmptyMeasCond(ByteSpan(record).subspan(curve, 206)));
            for (std::size_t byte = 70; byte < 206; ++byte) ASSERT_EQ(record[curve + byte], 0) << curve;
            for (std::size_t field = 206; field < section.curve.size; field += 2) {
                ASSERT_TRUE(IsMissing(LoadI16(record, curve + field))) << "point field at " << curve + field;
            }
        }
    }
    // The sections end at 35312; the notes and the masks follow.
    for (std::size_t byte = 35312; byte < record200::kSize; ++byte) ASSERT_EQ(record[byte], 0) << byte;
}

}  // namespace
}  // namespace audiogram
