#include <gtest/gtest.h>

#include "records/empty_record.h"
#include "records/meas_cond.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

TEST(EmptyRecord, EveryCurveSlotIsUnused) {
    Record200Bytes record{};
    MakeEmptyRecord200(record);
    for (const SectionLayout& section : record200::kCurveSections) {
        for (std::size_t slot = 0; slot < section.slots; ++slot) {
            EXPECT_TRUE(IsEmptyMeasCond(ByteSpan(record).subspan(section.CurveOffset(slot))));
        }
    }
}

}  // namespace
}  // namespace audiogram
