#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "records/record_conversion.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The appending form builds the result blobs; the filling form is checked byte for byte
// elsewhere. Appending must give the same record after what `out` held already, and
// nothing for a source too short to be a record.
TEST(RecordAppend, AppendsWhatTheFillingFormWrites) {
    const Bytes earlier = {1, 2, 3};
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        const Bytes source = testing::RandomBytes(record200::kSize, seed);
        Bytes filled(record100::kSize);
        ConvertRecord200to100(source, filled);
        Bytes appended = earlier;
        AppendRecord200to100(source, appended);
        ASSERT_EQ(appended.size(), earlier.size() + record100::kSize);
        ASSERT_EQ(Bytes(appended.begin(), appended.begin() + 3), earlier);
        ASSERT_EQ(Bytes(appended.begin() + 3, appended.end()), filled) << "seed " << seed;
    }
    Bytes untouched = earlier;
    AppendRecord200to100(Bytes(record200::kSize - 1, 0), untouched);
    EXPECT_EQ(untouched, earlier);
}

}  // namespace
}  // namespace audiogram
