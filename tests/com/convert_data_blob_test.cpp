// ConvertDataBlob through the vtable and late-bound by name: every pair of data standards
// gives what the dispatcher gives for the same bytes, and every bad blob is refused with
// the out VARIANT left empty.

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

enum class Route { Vtable, ByName };

// A late-bound caller passes the shorts as script hosts do (the second as VT_I4) and the
// out VARIANT by reference.
HRESULT ConvertBlob(Route route, IConvertAction& converter, short to, short from, const VARIANT& blob,
                    VARIANT& out) {
    if (route == Route::Vtable) return converter.ConvertDataBlob(to, from, blob, &out);
    return InvokeMethod(converter, IdOf(converter, u"convertDATABLOB"), {I2(to), I4(from), blob, RefTo(out)});
}

struct PairCase {
    short to, from;
    std::size_t extension;
};

constexpr PairCase kPairs[] = {
    {200, 100, 0}, {200, 100, 5}, {100, 200, 0}, {100, 200, 7}, {500, 100, 0}, {500, 100, 5},
    {500, 200, 0}, {500, 200, 3}, {100, 500, 0}, {200, 500, 0}, {100, 100, 0}, {200, 200, 0},
    {500, 500, 0}, {200, 300, 0}, {300, 100, 0}, {0, 200, 0},   {-1, 500, 0},
};

class ConvertDataBlobTest : public ComponentTest, public ::testing::WithParamInterface<Route> {};

TEST_P(ConvertDataBlobTest, EveryPairGivesWhatTheDispatcherGives) {
    for (const auto& [to, from, extension] : kPairs) {
        SCOPED_TRACE(::testing::Message() << from << " to " << to << " with " << extension << " extra bytes");
        const DataStandard sourceStandard = from == 300 ? kDataStandard200 : from;
        Blob expectedSource = SampleBlob(sourceStandard, extension);
        Blob expected;
        const HResult expectedStatus = ConvertDataBlob(to, from, expectedSource, expected);

        OwnedVariant blob(ByteArrayVariant(SampleBlob(sourceStandard, extension)));
        OwnedVariant out;
        EXPECT_EQ(ConvertBlob(GetParam(), *converter, to, from, blob.value, out.value), expectedStatus);
        if (Failed(expectedStatus)) {
            EXPECT_EQ(out.value.vt, VT_EMPTY);
        } else {
            EXPECT_EQ(BytesOf(out.value), expected);
        }
        EXPECT_EQ(BytesOf(blob.value), expectedSource) << "only the date fix may change the source";
    }
}

TEST_P(ConvertDataBlobTest, BadBlobsAreRefusedBeforeThePairIsExamined) {
    OwnedVariant referenced(ByteArrayVariant(SampleBlob(kDataStandard100)));
    VARIANT byReference = Make<&VARIANT::pparray>(VT_BYREF | VT_ARRAY | VT_UI1, &referenced.value.parray);
    const struct {
        const char* what;
        OwnedVariant blob;
    } kBadBlobs[] = {
        {"empty", OwnedVariant()},
        {"byte array by reference", OwnedVariant(byReference)},
        {"lower bound 1", OwnedVariant(ByteArrayVariant(SampleBlob(kDataStandard100), 1))},
        {"array of shorts", OwnedVariant(ArrayOf(VT_I2, SafeArrayCreateVector(VT_I2, 0, 19472)))},
        {"script array", OwnedVariant(ArrayOf(VT_VARIANT, SafeArrayCreateVector(VT_VARIANT, 0, 3)))},
        {"byte array type without an array", OwnedVariant(ArrayOf(VT_UI1, nullptr))},
        {"number", OwnedVariant(I4(19472))},
    };
    for (const auto& [what, blob] : kBadBlobs) {
        for (const short to : {short{200}, short{300}}) {
            SCOPED_TRACE(::testing::Message() << what << " to " << to);
            OwnedVariant out(I4(7));  // the out VARIANT is emptied, whatever it held
            EXPECT_EQ(ConvertBlob(GetParam(), *converter, to, 100, blob.value, out.value),
                      CONV_E_INVALIDBLOB);
            EXPECT_EQ(out.value.vt, VT_EMPTY);
        }
    }
    EXPECT_EQ(converter->ConvertDataBlob(200, 100, referenced.value, nullptr), E_POINTER);
}

INSTANTIATE_TEST_SUITE_P(Routes, ConvertDataBlobTest, ::testing::Values(Route::Vtable, Route::ByName),
                         [](const auto& route) {
                             return route.param == Route::Vtable ? "Vtable" : "ByName";
                         });

}  // namespace
}  // namespace audiogram::com::testing
