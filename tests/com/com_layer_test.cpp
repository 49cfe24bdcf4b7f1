// The COM-compatible layer where the component's tests do not already lean on it: arrays
// in use stay alive, and VARIANTs of unknown types are refused rather than freed.

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

TEST(ComLayer, LockedArraysStay) {
    VARIANT holder = ArrayOf(VT_UI1, SafeArrayCreateVector(VT_UI1, 0, 4));
    void* data = nullptr;
    EXPECT_EQ(SafeArrayUnaccessData(holder.parray), E_UNEXPECTED);
    ASSERT_EQ(SafeArrayAccessData(holder.parray, &data), S_OK);
    EXPECT_EQ(data, holder.parray->pvData);
    EXPECT_EQ(VariantClear(&holder), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(holder.vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(SafeArrayUnaccessData(holder.parray), S_OK);
    EXPECT_EQ(VariantClear(&holder), S_OK);
    EXPECT_EQ(holder.vt, VT_EMPTY);
}

TEST(ComLayer, UnknownTypesAreRefused) {
    OwnedVariant copy(I4(1));
    for (const VARTYPE bad : {VARTYPE{VT_VARIANT}, VARTYPE{0x7F}, VARTYPE{VT_I4 | 0x8000}}) {
        VARIANT value = Typed(bad);
        EXPECT_EQ(VariantClear(&value), DISP_E_BADVARTYPE);
        EXPECT_EQ(VariantCopy(&copy.value, &value), DISP_E_BADVARTYPE);
        EXPECT_EQ(copy.value.vt, VT_I4) << "the destination is untouched";
    }
}

}  // namespace
}  // namespace audiogram::com::testing
