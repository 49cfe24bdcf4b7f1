// The COM-compatible layer as hosts and the component rely on it: arrays with their bounds
// and locks, and VARIANTs that copy deeply and clear what they own.

#include <gtest/gtest.h>

#include "com/com_platform.h"

namespace {

struct VectorCase {
    VARTYPE vt;
    LONG lowerBound;
    ULONG count;
    ULONG elementSize;  // 0: not made
};

constexpr VectorCase kVectors[] = {
    {VT_UI1, 0, 5, 1}, {VT_UI1, 1, 3, 1}, {VT_I2, -2, 4, 2}, {VT_I4, 0, 0, 4},
    {VT_VARIANT, 0, 2, sizeof(VARIANT)}, {VT_BSTR, 0, 1, 0}, {VT_DISPATCH, 0, 1, 0},
};

TEST(ComLayer, VectorsHaveTheirBounds) {
    for (const VectorCase& test : kVectors) {
        SAFEARRAY* array = SafeArrayCreateVector(test.vt, test.lowerBound, test.count);
        if (test.elementSize == 0) {
            EXPECT_EQ(array, nullptr);
            continue;
        }
        ASSERT_NE(array, nullptr);
        LONG lower = 7, upper = 7;
        EXPECT_EQ(SafeArrayGetDim(array), 1u);
        EXPECT_EQ(array->cbElements, test.elementSize);
        EXPECT_EQ(SafeArrayGetLBound(array, 1, &lower), S_OK);
        EXPECT_EQ(SafeArrayGetUBound(array, 1, &upper), S_OK);
        EXPECT_EQ(lower, test.lowerBound);
        EXPECT_EQ(upper, test.lowerBound + static_cast<LONG>(test.count) - 1);
        EXPECT_EQ(SafeArrayGetLBound(array, 2, &lower), DISP_E_BADINDEX);
        EXPECT_EQ(SafeArrayGetLBound(array, 0, &lower), DISP_E_BADINDEX);
        EXPECT_EQ(SafeArrayDestroy(array), S_OK);
    }
}

TEST(ComLayer, LockedArraysStay) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, 4);
    void* data = nullptr;
    EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED);
    ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
    EXPECT_EQ(data, array->pvData);
    VARIANT holder{VT_ARRAY | VT_UI1, 0, 0, 0, {}};
    holder.parray = array;
    EXPECT_EQ(VariantClear(&holder), DISP_E_ARRAYISLOCKED);
    EXPECT_EQ(holder.vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
    EXPECT_EQ(VariantClear(&holder), S_OK);
    EXPECT_EQ(holder.vt, VT_EMPTY);
}

TEST(ComLayer, CopiesAreDeep) {
    VARIANT source{VT_ARRAY | VT_VARIANT, 0, 0, 0, {}};
    source.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    auto* elements = static_cast<VARIANT*>(source.parray->pvData);
    elements[0].vt = VT_BSTR;
    elements[0].bstrVal = SysAllocString(u"tone");
    elements[1].vt = VT_ARRAY | VT_UI1;
    elements[1].parray = SafeArrayCreateVector(VT_UI1, 0, 3);

    VARIANT copy;
    VariantInit(&copy);
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    const auto* copied = static_cast<VARIANT*>(copy.parray->pvData);
    EXPECT_NE(copy.parray, source.parray);
    EXPECT_NE(copied[0].bstrVal, elements[0].bstrVal);
    EXPECT_EQ(std::u16string(copied[0].bstrVal), u"tone");
    EXPECT_EQ(SysStringLen(copied[0].bstrVal), 4u);
    EXPECT_NE(copied[1].parray, elements[1].parray);

    VARIANT reference{VT_BYREF | VT_VARIANT, 0, 0, 0, {}};
    reference.pvarVal = &source;
    ASSERT_EQ(VariantCopy(&copy, &reference), S_OK) << "the old copy is cleared first";
    EXPECT_EQ(copy.pvarVal, &source);
    EXPECT_EQ(VariantClear(&copy), S_OK);
    EXPECT_EQ(VariantClear(&source), S_OK);

    VARIANT bad{VT_VARIANT, 0, 0, 0, {}};
    EXPECT_EQ(VariantClear(&bad), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantCopy(&copy, &bad), DISP_E_BADVARTYPE);
}

}  // namespace
