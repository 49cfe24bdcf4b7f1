// Late binding without a type library: names, dispids, argument conversions and refusals.

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

using DispatchTest = ComponentTest;

DISPID IdOf(IDispatch& target, const char16_t* name, HRESULT expected = S_OK) {
    std::u16string copy(name);
    LPOLESTR names[] = {copy.data()};
    DISPID dispid = 0;
    EXPECT_EQ(target.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid), expected);
    return dispid;
}

TEST_F(DispatchTest, NamesAndDispids) {
    EXPECT_EQ(IdOf(*converter, u"ConvertData"), 1);
    EXPECT_EQ(IdOf(*converter, u"validatedata"), 2);
    EXPECT_EQ(IdOf(*converter, u"CONVERTDATABLOB"), 3);
    for (const char16_t* unknown : {u"Convert", u"ConvertDataBlobs", u"", u"GetConverterVersion"}) {
        EXPECT_EQ(IdOf(*converter, unknown, DISP_E_UNKNOWNNAME), DISPID_UNKNOWN);
    }
    OLECHAR method[] = u"ConvertDataBlob";
    OLECHAR parameter[] = u"PublicBlob";
    LPOLESTR names[] = {method, parameter};
    DISPID ids[2] = {};
    EXPECT_EQ(converter->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 3);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(converter->GetIDsOfNames(IID_IConvertAction, names, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);

    UINT count = 7;
    ITypeInfo* info = nullptr;
    EXPECT_EQ(converter->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u) << "no type information without a type library";
    EXPECT_EQ(converter->GetTypeInfo(0, 0, &info), DISP_E_BADINDEX);
}

TEST_F(DispatchTest, ConverterVersionHasNoTypeInformation) {
    ComPtr<IConverterVersion> version;
    ASSERT_EQ(QueryInterfaceInto(converter.Get(), IID_IConverterVersion, version), S_OK);
    UINT count = 0;
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(&count);  // any non-null value
    OLECHAR name[] = u"GetConverterVersion";
    LPOLESTR names[] = {name};
    DISPID dispid = 0;
    DISPPARAMS none{};
    EXPECT_EQ(version->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(version->GetTypeInfo(0, 0, &info), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(version->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(version->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              TYPE_E_ELEMENTNOTFOUND);
}

struct InvokeCase {
    const char* what;
    DISPID dispid;
    WORD flags;
    std::vector<VARIANT> arguments;  // in declaration order
    HRESULT expected;
    UINT badArgument = 99;  // as Invoke counts: the last argument is 0
};

VARIANT Short(VARTYPE vt, LONG value) {
    VARIANT v;
    v.vt = vt;
    v.llVal = 0;
    if (vt == VT_I2) v.iVal = static_cast<SHORT>(value);
    if (vt == VT_I4) v.lVal = value;
    return v;
}

TEST_F(DispatchTest, RefusedCallsLeaveTheArgumentsAlone) {
    OwnedVariant blob(ByteArrayVariant(SampleBlob(kDataStandard100)));
    OwnedVariant out;
    out.value = ByteArrayVariant({1, 2, 3});
    VARIANT outRef{VT_BYREF | VT_VARIANT, 0, 0, 0, {}};
    outRef.pvarVal = &out.value;
    VARIANT text{VT_BSTR, 0, 0, 0, {}};  // a null BSTR
    const VARIANT i2 = Short(VT_I2, 200), i4 = Short(VT_I4, 100);

    const InvokeCase cases[] = {
        {"unknown dispid", 4, DISPATCH_METHOD, {i2, i4, blob.value, outRef}, DISP_E_MEMBERNOTFOUND},
        {"property get", 3, DISPATCH_PROPERTYGET, {i2, i4, blob.value, outRef}, DISP_E_MEMBERNOTFOUND},
        {"one argument short", 3, DISPATCH_METHOD, {i2, i4, blob.value}, DISP_E_BADPARAMCOUNT},
        {"string for a short", 3, DISPATCH_METHOD, {i2, text, blob.value, outRef}, DISP_E_TYPEMISMATCH, 2},
        {"short out of range", 3, DISPATCH_METHOD, {Short(VT_I4, 70000), i4, blob.value, outRef}, DISP_E_OVERFLOW, 3},
        {"out VARIANT by value", 3, DISPATCH_METHOD, {i2, i4, blob.value, blob.value}, DISP_E_TYPEMISMATCH, 0},
        {"short for an action", 2, DISPATCH_METHOD, {i2}, DISP_E_TYPEMISMATCH, 0},
    };
    for (const InvokeCase& test : cases) {
        SCOPED_TRACE(test.what);
        std::vector<VARIANT> reversed(test.arguments.rbegin(), test.arguments.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        UINT badArgument = 99;
        EXPECT_EQ(converter->Invoke(test.dispid, IID_NULL, 0, test.flags, &params, nullptr, nullptr, &badArgument),
                  test.expected);
        EXPECT_EQ(badArgument, test.badArgument);
        EXPECT_EQ(BytesOf(out.value), (Blob{1, 2, 3})) << "the out VARIANT is untouched";
    }
    DISPID named = 0;
    VARIANT one = i2;
    DISPPARAMS withNames{&one, &named, 1, 1};
    EXPECT_EQ(converter->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

TEST_F(DispatchTest, ArgumentsByReferenceAndOldResultsReplaced) {
    OwnedVariant blob(ByteArrayVariant(SampleBlob(kDataStandard100)));
    OwnedVariant out;
    out.value = ByteArrayVariant({9, 9});  // a script variable still holding an earlier result
    SHORT to = 200;
    VARIANT from = Short(VT_I2, 100);
    VARIANT args[4];
    args[0] = {VT_BYREF | VT_VARIANT, 0, 0, 0, {}};
    args[0].pvarVal = &out.value;
    args[1] = {VT_BYREF | VT_VARIANT, 0, 0, 0, {}};
    args[1].pvarVal = &blob.value;
    args[2] = {VT_BYREF | VT_VARIANT, 0, 0, 0, {}};
    args[2].pvarVal = &from;
    args[3] = {VT_BYREF | VT_I2, 0, 0, 0, {}};
    args[3].piVal = &to;
    DISPPARAMS params{args, nullptr, 4, 0};
    ASSERT_EQ(converter->Invoke(3, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, nullptr, nullptr,
                                nullptr),
              S_OK);
    EXPECT_EQ(BytesOf(out.value).size(), 36128u);
}

TEST_F(DispatchTest, ActionsByName) {
    HostWorld world;
    const Blob source = SampleBlob(kDataStandard100);
    ComPtr<IHostAction> old = MakeHostAction(world, "old", &source, 100);
    OwnedVariant newAction;
    VARIANT args[3];  // ConvertData(200, old, &newAction), last argument first
    args[0] = {VT_BYREF | VT_VARIANT, 0, 0, 0, {}};
    args[0].pvarVal = &newAction.value;
    args[1] = {VT_DISPATCH, 0, 0, 0, {}};
    args[1].pdispVal = old.Get();
    args[2] = Short(VT_I4, 200);
    DISPPARAMS params{args, nullptr, 3, 0};
    ASSERT_EQ(converter->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(newAction.value.vt, VT_DISPATCH);
    ComPtr<IHostAction> created;
    ASSERT_EQ(QueryInterfaceInto(newAction.value.pdispVal, IID_IHostAction, created), S_OK);
    EXPECT_EQ(StandardOf(*created), 200);
    created.Reset();

    EXCEPINFO exception{};
    DISPPARAMS validate{&args[1], nullptr, 1, 0};
    EXPECT_EQ(converter->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &validate, nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, CONV_E_NOTIMPLEMENTED);
}

}  // namespace
}  // namespace audiogram::com::testing
