// The module and the class as a host's COM runtime meets them: exports, class factory,
// identities, reference counts and the small methods.

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

template <typename Interface>
ComPtr<Interface> Query(IUnknown* object, REFIID iid) {
    ComPtr<Interface> result;
    EXPECT_EQ(QueryInterfaceInto(object, iid, result), S_OK);
    return result;
}

// A refused request answers `expected` and clears the caller's pointer.
template <typename Request>
void ExpectRefused(HRESULT expected, Request request) {
    void* object = &object;
    EXPECT_EQ(request(&object), expected);
    EXPECT_EQ(object, nullptr);
}

TEST(ModuleExports, OneFactoryThatCreatesOnlyUnaggregatedObjects) {
    const Module& module = Module::Get();
    EXPECT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IClassFactory, nullptr), E_POINTER);
    ExpectRefused(CLASS_E_CLASSNOTAVAILABLE,
                  [&](void** object) { return module.GetClassObject(IID_IConvertAction, IID_IClassFactory, object); });
    ExpectRefused(E_NOINTERFACE,
                  [&](void** object) { return module.GetClassObject(CLSID_ConvertAction, IID_IConvertAction, object); });

    void* first = nullptr;
    void* second = nullptr;
    ASSERT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IClassFactory, &first), S_OK);
    ASSERT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IUnknown, &second), S_OK);
    EXPECT_EQ(first, second) << "one class factory per process";
    static_cast<IUnknown*>(second)->Release();
    auto factory = ComPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(first));
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE) << "a held class factory keeps the module";

    ComPtr<IConvertAction> outer = CreateConverter();
    ExpectRefused(CLASS_E_NOAGGREGATION,
                  [&](void** object) { return factory->CreateInstance(outer.Get(), IID_IUnknown, object); });
    ExpectRefused(E_NOINTERFACE,
                  [&](void** object) { return factory->CreateInstance(nullptr, IID_IClassFactory, object); });
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);

    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    outer.Reset();
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE) << "LockServer keeps the module";
    ASSERT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IClassFactory, &first), S_OK);
    static_cast<IClassFactory*>(first)->LockServer(FALSE);
    static_cast<IClassFactory*>(first)->Release();
    EXPECT_EQ(module.CanUnloadNow(), S_OK);
}

using ConvertActionTest = ComponentTest;

TEST_F(ConvertActionTest, IdentitiesReferenceCountsAndSmallMethods) {
    IUnknown* const self = converter.Get();
    auto version = Query<IConverterVersion>(self, IID_IConverterVersion);
    auto errorInfo = Query<ISupportErrorInfo>(self, IID_ISupportErrorInfo);
    EXPECT_EQ(Query<IDispatch>(self, IID_IDispatch).Get(), self) << "IDispatch is IConvertAction";
    for (IUnknown* held : {self, static_cast<IUnknown*>(version.Get()), static_cast<IUnknown*>(errorInfo.Get())})
        EXPECT_EQ(Query<IUnknown>(held, IID_IUnknown).Get(), self);
    for (const IID& refused : {IID_IClassFactory, IID_IHostAction, IID_NULL})
        ExpectRefused(E_NOINTERFACE, [&](void** object) { return converter->QueryInterface(refused, object); });
    EXPECT_EQ(converter->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    EXPECT_EQ(version->AddRef(), 4u) << "one count for the object, whichever interface is held";
    EXPECT_EQ(converter->Release(), 3u);
    EXPECT_EQ(converter->AddRef(), 4u);
    EXPECT_EQ(version->Release(), 3u);

    LONG number = 0;
    EXPECT_EQ(version->GetConverterVersion(&number), S_OK);
    EXPECT_EQ(number, 101);
    EXPECT_EQ(version->GetConverterVersion(nullptr), E_POINTER);
    for (IDispatch* action : {static_cast<IDispatch*>(nullptr), static_cast<IDispatch*>(converter.Get())})
        EXPECT_EQ(converter->ValidateData(action), CONV_E_NOTIMPLEMENTED);
    for (const IID& other : {IID_IConvertAction, IID_IConverterVersion, IID_IDispatch, IID_IUnknown})
        EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(other), other == IID_IConvertAction ? S_OK : S_FALSE);
    version.Reset();
    errorInfo.Reset();
    EXPECT_EQ(Module::Get().CanUnloadNow(), S_FALSE) << "a live object keeps the module";
}

}  // namespace
}  // namespace audiogram::com::testing
