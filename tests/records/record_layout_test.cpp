#include <gtest/gtest.h>

#include <algorithm>

#include "records/empty_record.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "records/record_conversion.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

// A block of the 100 record and where the same bytes stand in the 200 record, with the
// offsets written out from the layout tables rather than computed from the layout code.
// The round trips prove that every byte comes back; these prove where it goes.
struct Landmark {
    const char* name;
    std::size_t offset100, offset200, size;
};

constexpr Landmark kLandmarks[] = {
    {"FirstToneCurveConditions", 0, 0, 68},
    {"FirstToneCurvePoints", 68, 206, 240},
    {"SixthToneCurveConditions", 1540, 2230, 68},
    {"SixthToneCurvePoints", 1608, 2436, 240},
    {"FirstMostComfortableLevelCurve", 1848, 8028, 68},
    {"LastUncomfortableLevelPoints", 5304, 13140, 240},
    {"LoudnessBalancePoints", 5612, 13586, 1920},
    {"StengerConditions", 7532, 15506, 68},
    {"SecondDifferenceLimenFrequencyCurve", 8908, 17434, 68},
    {"SecondSiSiPoints", 9736, 18676, 336},
    {"SecondDecayConditions", 10740, 19818, 68},
    {"SecondDecayPoints", 10808, 20024, 600},
    {"LastSpeechDiscriminationPoints", 14336, 25208, 192},
    {"FirstSpeechReceptionThresholdCurve", 14528, 25400, 68},
    {"LastSpeechLevelConditions", 19396, 35098, 68},
    {"LastSpeechLevelPointEndsBothRecords", 19464, 35304, 8},
};

TEST(RecordLayout, BlocksOfThe100RecordLandAtTheirOffsetsIn200) {
    const auto record100 = testing::RandomBytes(record100::kSize, 7);
    Record200Bytes record200{};
    ConvertRecord100to200(record100, record200);
    for (const Landmark& mark : kLandmarks) {
        EXPECT_TRUE(std::ranges::equal(ByteSpan(record100).subspan(mark.offset100, mark.size),
                                       ByteSpan(record200).subspan(mark.offset200, mark.size)))
            << mark.name;
    }
}

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
