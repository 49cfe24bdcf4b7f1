#include "records/record_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "records/empty_record.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

constexpr std::uint32_t kSeeds = 300;

// The destination is filled with a byte that changes with the seed first, so a byte the
// conversion fails to write shows up whatever the destination held before.
template <typename Record>
Record Converted(ByteSpan source, std::uint8_t earlier, void (*convert)(ByteSpan, MutableByteSpan)) {
    Record record;
    record.fill(earlier);
    convert(source, record);
    return record;
}

// The bytes of a 200 record that have a place in the 100 record: in every curve that the
// 100 record keeps, the conditions it has and the points.
std::vector<bool> BytesKeptBy100() {
    std::vector<bool> kept(record200::kSize, false);
    for (const record100::SectionMap& map : record100::kSections) {
        for (std::size_t slot = 0; slot < map.slots; ++slot) {
            const std::size_t start = map.section200.CurveOffset(slot);
            for (std::size_t byte = 0; byte < map.section200.curve.size; ++byte) {
                kept[start + byte] = byte < record100::kMeasCondSize || byte >= meas_cond::kSize;
            }
        }
    }
    return kept;
}

// A random 100 record survives the way through a 200 record byte for byte. Every byte of a
// 200 record made from a 100 record is either copied or that of the empty record: so unused
// 100 curves stay unused, and what only a 200 record holds (the speech threshold type, the
// texts of the conditions, the notes) is emptied.
TEST(RecordConversion, RecordsKeepWhatBothHoldAndEmptyTheRest) {
    const std::vector<bool> kept = BytesKeptBy100();
    Record200Bytes empty;
    MakeEmptyRecord200(empty);
    for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
        const auto earlier = static_cast<std::uint8_t>(seed * 37);
        const auto record100 = testing::RandomBytes(record100::kSize, seed);
        const auto back100 = Converted<Record100Bytes>(
            Converted<Record200Bytes>(record100, earlier, ConvertRecord100to200), earlier, ConvertRecord200to100);
        ASSERT_TRUE(std::equal(back100.begin(), back100.end(), record100.begin())) << "seed " << seed;
        const auto record200 = testing::RandomBytes(record200::kSize, seed);
        const auto back = Converted<Record200Bytes>(
            Converted<Record100Bytes>(record200, earlier, ConvertRecord200to100), earlier, ConvertRecord100to200);
        for (std::size_t byte = 0; byte < record200::kSize; ++byte) {
            ASSERT_EQ(back[byte], kept[byte] ? record200[byte] : empty[byte])
                << "seed " << seed << " byte " << byte;
        }
    }
}

}  // namespace
}  // namespace audiogram
