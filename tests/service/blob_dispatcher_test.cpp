#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "records/record_conversion.h"
#include "service/blob_dispatcher.h"
#include "service/conversion_pairs.h"
#include "support/case_names.h"
#include "support/random_bytes.h"

namespace audiogram {
namespace {

constexpr std::size_t kSize100 = 19472;
constexpr std::size_t kSize200 = 36128;

// Long enough for every binary source, so only the pair decides the outcome.
std::vector<std::uint8_t> LongBlob() { return testing::RandomBytes(kSize200 + 5, 42); }

struct PairCase {
    std::string name;
    DataStandard to, from;
    HResult expected;
    std::size_t resultSize;  // of a successful result
};

// A document's length follows the record's content; it is only checked to be there.
constexpr std::size_t kDocumentLength = 0;

// The dispatch table. The steps that read data standard 500 answer CONV_E_NOTIMPLEMENTED
// until the import is built; these rows change with it.
const PairCase kPairs[] = {
    {"To100From200", 100, 200, kStatusOk, kSize100},
    {"To100From500RandomBytesAreNoDocument", 100, 500, kStatusFail, 0},
    {"To100From100", 100, 100, CONV_E_INVALIDBLOB, 0},
    {"To100From300", 100, 300, CONV_E_INVALIDBLOB, 0},
    {"To100From0", 100, 0, CONV_E_INVALIDBLOB, 0},
    {"To200From100", 200, 100, kStatusOk, kSize200},
    {"To200From500RandomBytesAreNoDocument", 200, 500, kStatusFail, 0},
    {"To200From200", 200, 200, CONV_E_INVALIDBLOB, 0},
    {"To200From300", 200, 300, CONV_E_INVALIDBLOB, 0},
    {"To200FromNegative", 200, -100, CONV_E_INVALIDBLOB, 0},
    {"To500From100", 500, 100, kStatusOk, kDocumentLength},
    {"To500From200", 500, 200, kStatusOk, kDocumentLength},
    {"To500From500", 500, 500, CONV_E_INVALIDBLOB, 0},
    {"To500From32767", 500, 32767, CONV_E_INVALIDBLOB, 0},
    {"To300From100", 300, 100, CONV_E_UNSUPPORTEDFORMAT, 0},
    {"To0From200", 0, 200, CONV_E_UNSUPPORTEDFORMAT, 0},
    {"ToNegativeFrom500", -32768, 500, CONV_E_UNSUPPORTEDFORMAT, 0},
    {"To300From300", 300, 300, CONV_E_UNSUPPORTEDFORMAT, 0},
};

class DispatchPair : public ::testing::TestWithParam<PairCase> {};

TEST_P(DispatchPair, AnswersTheStatusOfTheDispatchTable) {
    auto source = LongBlob();
    const Blob earlier{1, 2, 3};
    Blob result = earlier;
    EXPECT_EQ(ConvertDataBlob(GetParam().to, GetParam().from, source, result), GetParam().expected);
    if (GetParam().expected == kStatusOk) {
        if (GetParam().resultSize == kDocumentLength) {
            EXPECT_FALSE(result.empty());
        } else {
            EXPECT_EQ(result.size(), GetParam().resultSize);
        }
    } else {
        EXPECT_EQ(result, earlier);  // a failed conversion leaves the result as it was
    }
}

INSTANTIATE_TEST_SUITE_P(DispatchTable, DispatchPair, ::testing::ValuesIn(kPairs), testing::CaseName());

TEST(Dispatch, EveryOtherPairOfSixteenBitCodesIsRefused) {
    auto source = LongBlob();
    Blob result;
    for (int code = -32768; code <= 32767; ++code) {
        const auto standard = static_cast<DataStandard>(code);
        if (!IsKnownDataStandard(standard)) {
            ASSERT_EQ(ConvertDataBlob(standard, 200, source, result), CONV_E_UNSUPPORTEDFORMAT) << code;
        }
        for (const DataStandard target : {kDataStandard100, kDataStandard200, kDataStandard500}) {
            if (IsSupportedPair(target, standard)) continue;
            ASSERT_EQ(ConvertDataBlob(target, standard, source, result), CONV_E_INVALIDBLOB) << target << " from " << code;
        }
    }
}

struct LengthCase {
    std::string name;
    DataStandard to, from;
    std::size_t length;
    HResult expected;
};

const LengthCase kLengths[] = {
    {"Empty100To200", 200, 100, 0, CONV_E_INVALIDBLOB},
    {"OneByteShort100To200", 200, 100, kSize100 - 1, CONV_E_INVALIDBLOB},
    {"Exact100To200", 200, 100, kSize100, kStatusOk},
    {"OneByteShort200To100", 100, 200, kSize200 - 1, CONV_E_INVALIDBLOB},
    {"Exact200To100", 100, 200, kSize200, kStatusOk},
    {"OneByteShort100To500", 500, 100, kSize100 - 1, CONV_E_INVALIDBLOB},
    {"Exact100To500", 500, 100, kSize100, kStatusOk},
    {"OneByteShort200To500", 500, 200, kSize200 - 1, CONV_E_INVALIDBLOB},
    {"Exact200To500", 500, 200, kSize200, kStatusOk},
    {"A100LongEnoughFor100ButNot200", 100, 200, kSize100, CONV_E_INVALIDBLOB},
};

class DispatchLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(DispatchLength, ChecksTheFixedRecordOfTheFirstStep) {
    auto source = testing::RandomBytes(GetParam().length, 5);
    Blob result;
    EXPECT_EQ(ConvertDataBlob(GetParam().to, GetParam().from, source, result), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(BlobLengths, DispatchLength, ::testing::ValuesIn(kLengths), testing::CaseName());

TEST(Dispatch, BinaryConversionsMatchTheRecordConversionAndLeaveTheSourceAlone) {
    auto source100 = testing::RandomBytes(kSize100, 6);
    const auto original100 = source100;
    Blob result;
    ASSERT_EQ(ConvertDataBlob(200, 100, source100, result), kStatusOk);
    Record200Bytes expected200{};
    ConvertRecord100to200(source100, expected200);
    EXPECT_TRUE(std::equal(result.begin(), result.end(), expected200.begin(), expected200.end()));
    EXPECT_EQ(source100, original100);

    auto source200 = testing::RandomBytes(kSize200, 7);
    const auto original200 = source200;
    ASSERT_EQ(ConvertDataBlob(100, 200, source200, result), kStatusOk);
    Record100Bytes expected100{};
    ConvertRecord200to100(source200, expected100);
    EXPECT_TRUE(std::equal(result.begin(), result.end(), expected100.begin(), expected100.end()));
    EXPECT_EQ(source200, original200);
}

TEST(Dispatch, ExtensionBytesAreDroppedOnTheWayBetweenBinaryStandards) {
    for (const auto& [to, from, size] : {std::tuple{200, 100, kSize100}, std::tuple{100, 200, kSize200}}) {
        auto bare = testing::RandomBytes(size, 8);
        auto extended = bare;
        extended.insert(extended.end(), {'e', 'x', 't', 'r', 'a'});
        Blob fromBare, fromExtended;
        ASSERT_EQ(ConvertDataBlob(static_cast<DataStandard>(to), static_cast<DataStandard>(from), bare, fromBare),
                  kStatusOk);
        ASSERT_EQ(ConvertDataBlob(static_cast<DataStandard>(to), static_cast<DataStandard>(from), extended,
                                  fromExtended),
                  kStatusOk);
        EXPECT_EQ(fromExtended, fromBare) << to << " from " << from;
    }
}

struct CutCase {
    std::string name;
    std::size_t length;
    std::uint32_t fixedSize;
    std::size_t extensionSize;  // 0: no extension object
};

const CutCase kCuts[] = {
    {"FiveBytesAfterA100Record", kSize100 + 5, kSize100, 5},
    {"OneByteAfterA200Record", kSize200 + 1, kSize200, 1},
    {"Exact100Record", kSize100, kSize100, 0},
    {"Exact200Record", kSize200, kSize200, 0},
    {"ShortBlob", kSize100 - 1, kSize100, 0},
    {"EmptyBlob", 0, kSize200, 0},
};

class CutExtension : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutExtension, HoldsExactlyTheBytesAfterTheRecord) {
    const auto blob = testing::RandomBytes(GetParam().length, 9);
    const auto extension = CutExtensionData(blob, GetParam().fixedSize);
    if (GetParam().extensionSize == 0) {
        EXPECT_EQ(extension, nullptr);
        return;
    }
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(extension->DataSize(), GetParam().extensionSize);
    const ByteSpan tail = ByteSpan(blob).subspan(GetParam().fixedSize);
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), extension->Data().begin(), extension->Data().end()));
}

INSTANTIATE_TEST_SUITE_P(Lengths, CutExtension, ::testing::ValuesIn(kCuts), testing::CaseName());

}  // namespace
}  // namespace audiogram
