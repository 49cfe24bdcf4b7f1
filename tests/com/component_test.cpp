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

TEST(ModuleExports, OneFactoryThatCreatesOnlyUnaggregatedObjects) {
    const Module& module = Module::Get();
    void* object = &object;
    EXPECT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(module.GetClassObject(IID_IConvertAction, IID_IClassFactory, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    object = &object;
    EXPECT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IConvertAction, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    void* first = nullptr;
    void* second = nullptr;
    ASSERT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IClassFactory, &first), S_OK);
    ASSERT_EQ(module.GetClassObject(CLSID_ConvertAction, IID_IUnknown, &second), S_OK);
    EXPECT_EQ(first, second) << "one class factory per process";
    static_cast<IUnknown*>(second)->Release();
    auto factory = ComPtr<IClassFactory>::Adopt(static_cast<IClassFactory*>(first));
    EXPECT_EQ(module.CanUnloadNow(), S_FALSE) << "a held class factory keeps the module";

    ComPtr<IConvertAction> outer = CreateConverter();
    EXPECT_EQ(factory->CreateInstance(outer.Get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    object = &object;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
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
    EXPECT_EQ(Query<IUnknown>(self, IID_IUnknown).Get(), self);
    EXPECT_EQ(Query<IDispatch>(self, IID_IDispatch).Get(), self) << "IDispatch is IConvertAction";
    auto version = Query<IConverterVersion>(self, IID_IConverterVersion);
    auto errorInfo = Query<ISupportErrorInfo>(self, IID_ISupportErrorInfo);
    EXPECT_EQ(Query<IUnknown>(version.Get(), IID_IUnknown).Get(), self);
    EXPECT_EQ(Query<IUnknown>(errorInfo.Get(), IID_IUnknown).Get(), self);
    for (const IID& refused : {IID_IClassFactory, IID_IHostAction, IID_NULL}) {
        void* object = &object;
        EXPECT_EQ(converter->QueryInterface(refused, &object), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
    }
    EXPECT_EQ(converter->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    EXPECT_EQ(version->AddRef(), 4u) << "one count for the object, whichever interface is held";
    EXPECT_EQ(converter->Release(), 3u);
    EXPECT_EQ(converter->AddRef(), 4u);
    EXPECT_EQ(version->Release(), 3u);

    LONG number = 0;
    EXPECT_EQ(version->GetConverterVersion(&number), S_OK);
    EXPECT_EQ(number, 101);
    EXPECT_EQ(version->GetConverterVersion(nullptr), E_POINTER);
    EXPECT_EQ(converter->ValidateData(nullptr), CONV_E_NOTIMPLEMENTED);
    EXPECT_EQ(converter->ValidateData(converter.Get()), CONV_E_NOTIMPLEMENTED);
    EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(IID_IConvertAction), S_OK);
    for (const IID& other : {IID_IConverterVersion, IID_IDispatch, IID_IUnknown}) {
        EXPECT_EQ(errorInfo->InterfaceSupportsErrorInfo(other), S_FALSE);
    }
    version.Reset();
    errorInfo.Reset();
    EXPECT_EQ(Module::Get().CanUnloadNow(), S_FALSE) << "a live object keeps the module";
}

}  // namespace
}  // namespace audiogram::com::testing
