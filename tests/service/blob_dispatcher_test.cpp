#include "service/blob_dispatcher.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "records/record_conversion.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

constexpr std::size_t kSize100 = 19472;
constexpr std::size_t kSize200 = 36128;
constexpr std::size_t kDocument = 0;  // a document's length follows the record; it need only be there

// The dispatch table: the pairs that convert. Its source is random bytes, long enough for
// either binary record but no document, so the import refuses it.
struct PairCase {
    DataStandard to, from;
    HResult status;
    std::size_t resultSize;
};

using Pair = std::pair<DataStandard, DataStandard>;

constexpr PairCase kSupportedPairs[] = {
    {100, 200, kStatusOk, kSize100},  {200, 100, kStatusOk, kSize200}, {500, 100, kStatusOk, kDocument},
    {500, 200, kStatusOk, kDocument}, {100, 500, kStatusFail, 0},      {200, 500, kStatusFail, 0},
};

// The row of the dispatch table for a pair; every other pair is refused, an unknown target
// before anything else.
PairCase Expected(DataStandard to, DataStandard from) {
    for (const PairCase& row : kSupportedPairs) {
        if (row.to == to && row.from == from) return row;
    }
    const bool knownTarget = to == 100 || to == 200 || to == 500;
    return {to, from, knownTarget ? CONV_E_INVALIDBLOB : CONV_E_UNSUPPORTEDFORMAT, 0};
}

// Every 16-bit code against known and unknown codes, both ways round.
TEST(Dispatch, EveryPairOfSixteenBitCodesAnswersTheStatusOfTheDispatchTable) {
    auto source = testing::RandomBytes(kSize200 + 5, 42);
    const Blob earlier{1, 2, 3};
    for (int code = -32768; code <= 32767; ++code) {
        const auto standard = static_cast<DataStandard>(code);
        for (const DataStandard other : std::array<DataStandard, 5>{100, 200, 500, 300, -1}) {
            for (const auto& [to, from] : {Pair{standard, other}, Pair{other, standard}}) {
                const PairCase expected = Expected(to, from);
                Blob result = earlier;
                ASSERT_EQ(ConvertDataBlob(to, from, source, result), expected.status)
                    << to << " from " << from;
                if (expected.status != kStatusOk) {
                    ASSERT_EQ(result, earlier) << "a refused conversion leaves the result as it was";
                } else if (expected.resultSize != kDocument) {
                    ASSERT_EQ(result.size(), expected.resultSize);
                } else {
                    ASSERT_FALSE(result.empty());
                }
            }
        }
    }
}

// The fixed record of the first step decides: one byte short is refused, exactly long
// converts, and a 200 source as long as a 100 record is refused.
TEST(Dispatch, ChecksTheFixedRecordOfTheFirstStep) {
    const struct {
        DataStandard to, from;
        std::size_t length;
        HResult expected;
    } kLengths[] = {
        {100, 200, kSize100, CONV_E_INVALIDBLOB},     {200, 100, 0, CONV_E_INVALIDBLOB},
        {200, 100, kSize100 - 1, CONV_E_INVALIDBLOB}, {200, 100, kSize100, kStatusOk},
        {100, 200, kSize200 - 1, CONV_E_INVALIDBLOB}, {100, 200, kSize200, kStatusOk},
        {500, 100, kSize100 - 1, CONV_E_INVALIDBLOB}, {500, 100, kSize100, kStatusOk},
        {500, 200, kSize200 - 1, CONV_E_INVALIDBLOB}, {500, 200, kSize200, kStatusOk},
    };
    for (const auto& [to, from, length, expected] : kLengths) {
        auto source = testing::RandomBytes(length, 5);
        Blob result;
        EXPECT_EQ(ConvertDataBlob(to, from, source, result), expected)
            << to << " from " << from << ", " << length;
    }
}

// The bytes after the record are dropped between the binary standards, where the result is
// the record conversion of the record alone, and become the document's last element, in
// base64, on the way to 500. The source is read without being changed.
TEST(Dispatch, ExtensionBytesAreDroppedForBinaryResultsAndCutIntoDocuments) {
    for (const auto& [to, from] : {Pair{200, 100}, Pair{100, 200}, Pair{500, 100}, Pair{500, 200}}) {
        const std::size_t size = from == 100 ? kSize100 : kSize200;
        auto source = testing::RandomBytes(size, 8);
        source.insert(source.end(), {'e', 'x', 't', 'r', 'a'});
        const auto original = source;
        Blob expected(size == kSize100 ? kSize200 : kSize100);
        if (to == 200) ConvertRecord100to200(ByteSpan(source).first(size), expected);
        if (to == 100) ConvertRecord200to100(ByteSpan(source).first(size), expected);
        Blob result;
        ASSERT_EQ(ConvertDataBlob(to, from, source, result), kStatusOk);
        if (to == 500) {
            const std::string_view text(reinterpret_cast<const char*>(result.data()), result.size());
            EXPECT_NE(text.find(">ZXh0cmE=</"), std::string_view::npos) << "from " << from;
        } else {
            EXPECT_EQ(result, expected) << to << " from " << from;
        }
        EXPECT_EQ(source, original);
    }
}

}  // namespace
}  // namespace audiogram
