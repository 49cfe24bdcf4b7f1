// The COM-compatible layer where the component's tests do not already lean on it: arrays
// in use stay alive, VARIANTs of unknown types are refused rather than freed, and arrays of
// VARIANTs are copied element by element.

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

// A copy of an array of VARIANTs holds copies of exactly its elements.
TEST(ComLayer, CopiedVariantArraysHoldTheirElements) {
    OwnedVariant original(ArrayOf(VT_VARIANT, SafeArrayCreateVector(VT_VARIANT, 0, 3))), copy;
    auto* const elements = static_cast<VARIANT*>(original.value.parray->pvData);
    for (LONG i = 0; i < 3; ++i) elements[i] = I4(10 + i);
    ASSERT_EQ(VariantCopy(&copy.value, &original.value), S_OK);
    ASSERT_NE(copy.value.parray, original.value.parray);
    ASSERT_EQ(copy.value.parray->rgsabound[0].cElements, 3u);
    const auto* const copied = static_cast<const VARIANT*>(copy.value.parray->pvData);
    for (LONG i = 0; i < 3; ++i) EXPECT_EQ(copied[i].vt == VT_I4 ? copied[i].lVal : -1, 10 + i);
}

// Unknown types are refused, null handles read as empty, and a VARIANT typed as an interface
// but holding none copies without calling into one.
TEST(ComLayer, UnknownTypesAreRefusedAndNullsAreEmpty) {
    OwnedVariant destination(I4(1));
    for (const VARTYPE bad : {VARTYPE{VT_VARIANT}, VARTYPE{0x7F}, VARTYPE{VT_I4 | 0x8000}}) {
        VARIANT value = Typed(bad);
        EXPECT_EQ(VariantClear(&value), DISP_E_BADVARTYPE);
        EXPECT_EQ(VariantCopy(&destination.value, &value), DISP_E_BADVARTYPE);
        EXPECT_EQ(destination.value.vt, VT_I4) << "the destination is untouched";
    }
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocStringLen(nullptr, 0x7FFFFFFDu), nullptr);  // with its length and terminator, more than 32 bits count
    EXPECT_EQ(SafeArrayGetDim(nullptr), 0u);
    OwnedVariant array(ArrayOf(VT_UI1, SafeArrayCreateVector(VT_UI1, 0, 2)));
    EXPECT_EQ(SafeArrayGetDim(array.value.parray), 1u);
    for (const VARTYPE type : {VARTYPE{VT_UNKNOWN}, VARTYPE{VT_DISPATCH}}) {
        VARIANT none = Typed(type);
        OwnedVariant copy;
        EXPECT_EQ(VariantCopy(&copy.value, &none), S_OK);
        EXPECT_EQ(copy.value.punkVal, nullptr);
    }
}

}  // namespace
}  // namespace audiogram::com::testing
