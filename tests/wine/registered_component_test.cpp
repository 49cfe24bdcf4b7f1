// The component as a Windows host meets it once regsvr32 registered it: created through the
// COM runtime, described to late binding by the registered type library, and called from
// another apartment through the module's own proxy/stub. Each way gives the status and the
// bytes of every conversion the Linux build made. (The script stage creates it by both
// ProgIDs and calls it by name.)

#include <windows.h>

#include <string>
#include <thread>

#include "com_test_support.h"
#include "reference_cases.h"

namespace audiogram::com::testing {
namespace {

ComPtr<IConvertAction> Activate(const wchar_t* progId) {
    CLSID classId{};
    EXPECT_EQ(CLSIDFromProgID(progId, &classId), S_OK) << progId;
    EXPECT_TRUE(classId == CLSID_ConvertAction);
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IConvertAction, &object), S_OK);
    return ComPtr<IConvertAction>::Adopt(static_cast<IConvertAction*>(object));
}

void ExpectTheLinuxConversions(IConvertAction& converter) {
    for (const ReferenceCase& reference : ReferenceCases()) {
        SCOPED_TRACE(reference.name + " to " + std::to_string(reference.to));
        OwnedVariant blob(ByteArrayVariant(reference.input));
        OwnedVariant out(I4(42));
        EXPECT_EQ(converter.ConvertDataBlob(reference.to, reference.from, blob.value, &out.value),
                  reference.status);
        EXPECT_EQ(out.value.vt == VT_EMPTY ? Blob{} : BytesOf(out.value), reference.expected);
    }
}

TEST(Registered, ActivatedTheClassGivesTheLinuxConversionsAndDescribesItself) {
    ComPtr<IConvertAction> converter = Activate(L"VeskAudiogramConverter.ConvertAction");
    ASSERT_TRUE(converter);
    ExpectTheLinuxConversions(*converter);

    // The registered library describes IConvertAction as a dual interface, with the dispids
    // of the component's own table on other platforms.
    ComPtr<ITypeInfo> info;
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(converter->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()), S_OK);
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
    info->ReleaseTypeAttr(attributes);
    for (const auto& [name, dispid] : {std::pair<const char16_t*, DISPID>{u"convertdata", 1},
                                       {u"ValidateData", 2},
                                       {u"CONVERTDATABLOB", 3}})
        EXPECT_EQ(IdOf(*converter, name), dispid);
}

// The object handed to a thread of the multithreaded apartment: every call there crosses
// into this thread's apartment through the module's proxy/stub, which this thread serves
// while it waits.
TEST(Registered, CallsFromAnotherApartmentCrossThroughTheModulesProxy) {
    ComPtr<IConvertAction> converter = Activate(L"VeskAudiogramConverter.ConvertAction");
    IStream* marshalled = nullptr;
    ASSERT_EQ(CoMarshalInterThreadInterfaceInStream(IID_IConvertAction, converter.Get(), &marshalled), S_OK);
    HANDLE workerDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            void* object = nullptr;
            EXPECT_EQ(CoGetInterfaceAndReleaseStream(marshalled, IID_IConvertAction, &object), S_OK);
            auto proxy = ComPtr<IConvertAction>::Adopt(static_cast<IConvertAction*>(object));
            if (proxy) {
                EXPECT_NE(proxy.Get(), converter.Get()) << "the apartment holds a proxy, not the object";
                ExpectTheLinuxConversions(*proxy);
                ComPtr<IConverterVersion> version;
                LONG number = 0;
                EXPECT_EQ(QueryInterfaceInto(proxy.Get(), IID_IConverterVersion, version), S_OK);
                EXPECT_EQ(version ? version->GetConverterVersion(&number) : E_NOINTERFACE, S_OK);
                EXPECT_EQ(number, 101);
            }
        }
        CoUninitialize();
        SetEvent(workerDone);
    });
    DWORD index = 0;
    CoWaitForMultipleHandles(0, INFINITE, 1, &workerDone, &index);  // serving the proxy's calls
    worker.join();
    CloseHandle(workerDone);
}

// The proxy/stub factory lives in the module too: unloading under it would leave the COM
// runtime calling into freed code.
TEST(Registered, TheProxyStubFactoryKeepsTheModule) {
    void* factory = nullptr;
    ASSERT_EQ(Module::Get().GetClassObject(IID_IConverterVersion, IID_IPSFactoryBuffer, &factory), S_OK);
    EXPECT_EQ(Module::Get().CanUnloadNow(), S_FALSE);
    static_cast<IUnknown*>(factory)->Release();
    EXPECT_EQ(Module::Get().CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace audiogram::com::testing
