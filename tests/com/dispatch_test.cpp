// Late binding without a type library: names, dispids, argument conversions and refusals.

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

using DispatchTest = ComponentTest;

// Names are matched without regard to case; IConverterVersion has no type information at all.
TEST_F(DispatchTest, NamesDispidsAndTypeInformation) {
    for (const auto& [name, dispid] : {std::pair<const char16_t*, DISPID>{u"ConvertData", 1},
                                       {u"validatedata", 2},
                                       {u"CONVERTDATABLOB", 3}})
        EXPECT_EQ(IdOf(*converter, name), dispid);
    for (const char16_t* unknown : {u"Convert", u"ConvertDataBlobs", u"", u"GetConverterVersion"})
        EXPECT_EQ(IdOf(*converter, unknown, DISP_E_UNKNOWNNAME), DISPID_UNKNOWN);
    IdOf(*converter, u"ConvertDataBlob", DISP_E_UNKNOWNINTERFACE, IID_IConvertAction);
    std::basic_string<OLECHAR> name(4, OLECHAR{'x'});
    LPOLESTR names[] = {name.data()};
    EXPECT_EQ(converter->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, nullptr), E_INVALIDARG);
    UINT count = 7;
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(&count);  // any non-null value
    EXPECT_EQ(converter->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u) << "no type information without a type library";
    EXPECT_EQ(converter->GetTypeInfo(0, 0, &info), DISP_E_BADINDEX);

    ComPtr<IConverterVersion> version;
    ASSERT_EQ(QueryInterfaceInto(converter.Get(), IID_IConverterVersion, version), S_OK);
    EXPECT_EQ(version->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(version->GetTypeInfo(0, 0, &info), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(IdOf(*version, u"GetConverterVersion", TYPE_E_ELEMENTNOTFOUND), 0);
    EXPECT_EQ(InvokeMethod(*version, 1, {}), TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(DispatchTest, RefusedCallsLeaveTheArgumentsAlone) {
    OwnedVariant blob(ByteArrayVariant(SampleBlob(kDataStandard100)));
    OwnedVariant out(ByteArrayVariant({1, 2, 3}));
    const VARIANT bytes = blob.value, outRef = RefTo(out.value), to = I2(200), from = I4(100);
    const struct {
        const char* what;
        DISPID dispid;
        WORD flags;
        std::vector<VARIANT> arguments;
        HRESULT expected;
        UINT badArgument = 99;  // as Invoke counts: the last argument is 0
    } kCalls[] = {
        // clang-format off
        {"unknown dispid", 4, DISPATCH_METHOD, {to, from, bytes, outRef}, DISP_E_MEMBERNOTFOUND},
        {"property get", 3, DISPATCH_PROPERTYGET, {to, from, bytes, outRef}, DISP_E_MEMBERNOTFOUND},
        {"one argument short", 3, DISPATCH_METHOD, {to, from, bytes}, DISP_E_BADPARAMCOUNT},
        {"string for a short", 3, DISPATCH_METHOD, {to, Typed(VT_BSTR), bytes, outRef}, DISP_E_TYPEMISMATCH, 2},
        {"short above its range", 3, DISPATCH_METHOD, {I4(32768), from, bytes, outRef}, DISP_E_OVERFLOW, 3},
        {"short below its range", 3, DISPATCH_METHOD, {to, I4(-32769), bytes, outRef}, DISP_E_OVERFLOW, 2},
        {"out VARIANT by value", 3, DISPATCH_METHOD, {to, from, bytes, bytes}, DISP_E_TYPEMISMATCH, 0},
        {"short for an action", 2, DISPATCH_METHOD, {to}, DISP_E_TYPEMISMATCH, 0},
        // clang-format on
    };
    for (const auto& call : kCalls) {
        SCOPED_TRACE(call.what);
        UINT badArgument = 99;
        EXPECT_EQ(InvokeMethod(*converter, call.dispid, call.arguments, call.flags, &badArgument),
                  call.expected);
        EXPECT_EQ(badArgument, call.badArgument);
        EXPECT_EQ(BytesOf(out.value), (Blob{1, 2, 3})) << "the out VARIANT is untouched";
    }
    // a short's own limits pass, and the unknown target is the method's answer
    for (const LONG limit : {-32768, 32767})
        EXPECT_EQ(InvokeMethod(*converter, 3, {I4(limit), from, bytes, outRef}), CONV_E_UNSUPPORTEDFORMAT);
    DISPID named = 0;
    VARIANT one = to;
    DISPPARAMS withNames{&one, &named, 1, 1};
    EXPECT_EQ(converter->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
}

// A script passes its variables by reference, may call a method as a property get, and
// its out variable may still hold an earlier result, which is replaced.
TEST_F(DispatchTest, CallsByName) {
    OwnedVariant blob(ByteArrayVariant(SampleBlob(kDataStandard100)));
    OwnedVariant out(ByteArrayVariant({9, 9}));
    SHORT to = 200;
    VARIANT from = I2(100);
    EXPECT_EQ(InvokeMethod(*converter, 3,
                           {Make<&VARIANT::piVal>(VT_BYREF | VT_I2, &to), RefTo(from), RefTo(blob.value),
                            RefTo(out.value)},
                           DISPATCH_METHOD | DISPATCH_PROPERTYGET),
              S_OK);
    EXPECT_EQ(BytesOf(out.value).size(), 36128u);

    HostWorld world;
    const Blob source = SampleBlob(kDataStandard100);
    ComPtr<IHostAction> old = MakeHostAction(world, "old", &source, 100);
    const VARIANT action = Make<&VARIANT::pdispVal>(VT_DISPATCH, static_cast<IDispatch*>(old.Get()));
    OwnedVariant newAction;
    ASSERT_EQ(InvokeMethod(*converter, 1, {I4(200), action, RefTo(newAction.value)}), S_OK);
    ASSERT_EQ(newAction.value.vt, VT_DISPATCH);
    ComPtr<IHostAction> created;
    ASSERT_EQ(QueryInterfaceInto(newAction.value.pdispVal, IID_IHostAction, created), S_OK);
    EXPECT_EQ(StandardOf(*created), 200);

    // A failing method is reported the way a type library reports it.
    VARIANT argument = action;
    DISPPARAMS validate{&argument, nullptr, 1, 0};
    EXCEPINFO exception{};
    EXPECT_EQ(converter->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &validate, nullptr, &exception, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, CONV_E_NOTIMPLEMENTED);
}

}  // namespace
}  // namespace audiogram::com::testing
