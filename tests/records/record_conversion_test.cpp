#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "record_builder/condition_codes.h"
#include "record_builder/record_builder.h"
#include "records/empty_record.h"
#include "records/meas_cond.h"
#include "records/meas_cond_layout.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "records/record_conversion.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

constexpr std::uint32_t kSeeds = 300;

Record200Bytes To200(ByteSpan record100) {
    Record200Bytes record{};
    ConvertRecord100to200(record100, record);
    return record;
}

Record100Bytes To100(ByteSpan record200) {
    Record100Bytes record{};
    ConvertRecord200to100(record200, record);
    return record;
}

// The bytes of a 200 record that have a place in the 100 record: in every curve that the
// 100 record keeps, the first 68 bytes of the conditions and the points. Written from the
// layout tables (200 section offset, curves kept, 200 curve size).
std::vector<bool> BytesKeptBy100() {
    struct Kept {
        std::size_t offset, curves, curveSize;
    };
    constexpr Kept kKept[] = {{0, 6, 446},     {8028, 6, 446},   {10704, 6, 446},  {13380, 1, 2126},
                              {15506, 1, 446}, {15952, 2, 494},  {16940, 2, 494},  {17928, 2, 542},
                              {19012, 2, 806}, {20624, 12, 398}, {25400, 12, 398}, {30176, 12, 214},
                              {32744, 12, 214}};
    std::vector<bool> kept(record200::kSize, false);
    for (const Kept& section : kKept) {
        for (std::size_t curve = 0; curve < section.curves; ++curve) {
            const std::size_t start = section.offset + curve * section.curveSize;
            for (std::size_t byte = 0; byte < section.curveSize; ++byte) {
                if (byte < 68 || byte >= 206) kept[start + byte] = true;
            }
        }
    }
    return kept;
}

TEST(RecordConversion, RandomRecord100SurvivesTheWayThrough200ByteForByte) {
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const auto record100 = testing::RandomBytes(record100::kSize, seed);
        const Record100Bytes back = To100(To200(record100));
        ASSERT_TRUE(std::equal(back.begin(), back.end(), record100.begin())) << "seed " << seed;
    }
}

TEST(RecordConversion, RandomRecord200KeepsEveryCopiedByteAndEmptiesTheRest) {
    const std::vector<bool> kept = BytesKeptBy100();
    Record200Bytes empty;
    MakeEmptyRecord200(empty);
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const auto record200 = testing::RandomBytes(record200::kSize, seed);
        const Record200Bytes back = To200(To100(record200));
        for (std::size_t byte = 0; byte < record200::kSize; ++byte) {
            ASSERT_EQ(back[byte], kept[byte] ? record200[byte] : empty[byte]) << "seed " << seed << " byte " << byte;
        }
    }
}

TEST(RecordConversion, EveryDestinationByteIsWrittenWhateverItHeldBefore) {
    const auto record100 = testing::RandomBytes(record100::kSize, 11);
    const auto record200 = testing::RandomBytes(record200::kSize, 12);
    for (const std::uint8_t earlier : std::array<std::uint8_t, 3>{0x00, 0x5A, 0xFF}) {
        Record200Bytes to200;
        to200.fill(earlier);
        ConvertRecord100to200(record100, to200);
        EXPECT_EQ(to200, To200(record100)) << "earlier content " << int{earlier};

        Record100Bytes to100;
        to100.fill(earlier);
        ConvertRecord200to100(record200, to100);
        EXPECT_EQ(to100, To100(record200)) << "earlier content " << int{earlier};
    }
}

TEST(RecordConversion, UnusedRecord100CurvesBecomeUnused200CurvesWhateverTheirPoints) {
    Record100Builder builder;
    auto bytes = builder.Bytes();
    const auto noise = testing::RandomBytes(record100::kSize, 3);
    for (const record100::SectionMap& map : record100::kSections) {  // random points, default conditions
        for (std::size_t slot = 0; slot < map.slots; ++slot) {
            const std::size_t points = map.CurveOffset(slot) + map.PointsOffset();
            std::copy_n(noise.begin() + static_cast<std::ptrdiff_t>(points), map.CurveSize() - map.PointsOffset(),
                        bytes.begin() + static_cast<std::ptrdiff_t>(points));
        }
    }
    const Record200Bytes record200 = To200(bytes);
    for (const SectionLayout& section : record200::kCurveSections) {
        for (std::size_t slot = 0; slot < section.slots; ++slot) {
            EXPECT_TRUE(IsEmptyMeasCond(ByteSpan(record200).subspan(section.CurveOffset(slot), meas_cond::kSize)));
        }
    }
}

TEST(RecordConversion, UsedRecord100CurveGetsNoSpeechThresholdTypeAndNoTexts) {
    Record100Builder builder;
    builder.Curve(Section::SpeechDiscrimination, 4).Stimulus(meas_cond::kSignalType, codes::signal_type::kPureTone);
    const Record200Bytes record200 = To200(builder.Bytes());
    const ByteSpan curve = ByteSpan(record200).subspan(record200::SectionOf(Section::SpeechDiscrimination).CurveOffset(4),
                                                      meas_cond::kSize);
    EXPECT_FALSE(IsEmptyMeasCond(curve));
    EXPECT_EQ(LoadI16(curve, meas_cond::kSpeechThresholdType), 1);
    for (std::size_t byte = 70; byte < meas_cond::kSize; ++byte) EXPECT_EQ(curve[byte], 0) << byte;
}

TEST(RecordConversion, CurveUsedOnlyThroughRecord200PartsBecomesUnusedIn100) {
    Record200Builder builder;
    builder.Curve(Section::SpeechReceptionThreshold, 0).SpeechThresholdType(codes::speech_threshold_type::kSRT);
    builder.Curve(Section::SpeechReceptionThreshold, 1).Text(meas_cond::kWordListName, u"Numerals");
    const Record200Bytes back = To200(To100(builder.Bytes()));
    const SectionLayout& section = record200::SectionOf(Section::SpeechReceptionThreshold);
    for (const std::size_t slot : std::array<std::size_t, 2>{0, 1}) {
        EXPECT_FALSE(IsEmptyMeasCond(ByteSpan(builder.Bytes()).subspan(section.CurveOffset(slot), meas_cond::kSize)));
        EXPECT_TRUE(IsEmptyMeasCond(ByteSpan(back).subspan(section.CurveOffset(slot), meas_cond::kSize)));
    }
}

}  // namespace
}  // namespace audiogram
