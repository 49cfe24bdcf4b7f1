// What regsvr32 must leave in the registry, and what its /u must take away again. The test
// stage runs Registered.* after registering the module and Unregistered.* after removing it.

#include <windows.h>

#include <optional>
#include <string>

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

#define CLASS_KEY L"CLSID\\{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}"
constexpr std::wstring_view kClassId = L"{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}";
constexpr std::wstring_view kLibraryId = L"{CEDA1027-B655-4789-B734-54AA3B0768BD}";
constexpr std::wstring_view kAppId = L"{3790A26D-0F6D-47A1-B706-64CF8722A933}";
constexpr std::wstring_view kProxyStubId = L"{ABB34645-8A40-4657-8FAD-DF89A21DB214}";
constexpr std::wstring_view kProgId = L"VeskAudiogramConverter.ConvertAction";

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::wstring> ReadString(const std::wstring& path, const wchar_t* name) {
    wchar_t text[1024];
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

struct ExpectedValue {
    const wchar_t* key;
    const wchar_t* name;  // null: the key's default value
    std::wstring_view data;
};

// The registry scripts, the type library and the marshalling code, value by value.
const ExpectedValue kRegisteredValues[] = {
    {L"AppID\\{3790A26D-0F6D-47A1-B706-64CF8722A933}", nullptr, L"VeskAudiogramConverter"},
    {L"AppID\\VeskAudiogramConverter.DLL", L"AppID", kAppId},
    {L"VeskAudiogramConverter.ConvertAction.1", nullptr, L"ConvertAction Class"},
    {L"VeskAudiogramConverter.ConvertAction.1\\CLSID", nullptr, kClassId},
    {L"VeskAudiogramConverter.ConvertAction", nullptr, L"ConvertAction Class"},
    {L"VeskAudiogramConverter.ConvertAction\\CLSID", nullptr, kClassId},
    {L"VeskAudiogramConverter.ConvertAction\\CurVer", nullptr, L"VeskAudiogramConverter.ConvertAction.1"},
    {CLASS_KEY, nullptr, L"ConvertAction Class"},
    {CLASS_KEY, L"AppID", kAppId},
    {CLASS_KEY L"\\ProgID", nullptr, L"VeskAudiogramConverter.ConvertAction.1"},
    {CLASS_KEY L"\\VersionIndependentProgID", nullptr, kProgId},
    {CLASS_KEY L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {CLASS_KEY L"\\TypeLib", nullptr, kLibraryId},
    {L"TypeLib\\{CEDA1027-B655-4789-B734-54AA3B0768BD}\\1.0", nullptr,
     L"VeskAudiogramConverter 1.0 Type Library"},
    {L"Interface\\{5C6CB6C5-EA4B-4E65-BC16-9BB4FE615BAE}\\ProxyStubClsid32", nullptr, kProxyStubId},
    {L"Interface\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}\\ProxyStubClsid32", nullptr, kProxyStubId},
};

// The component's keys, which unregistration removes.
const wchar_t* const kComponentKeys[] = {
    L"AppID\\{3790A26D-0F6D-47A1-B706-64CF8722A933}",
    L"AppID\\VeskAudiogramConverter.DLL",
    L"VeskAudiogramConverter.ConvertAction.1",
    L"VeskAudiogramConverter.ConvertAction",
    CLASS_KEY,
    L"CLSID\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}",
    L"Interface\\{5C6CB6C5-EA4B-4E65-BC16-9BB4FE615BAE}",
    L"Interface\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}",
    L"TypeLib\\{CEDA1027-B655-4789-B734-54AA3B0768BD}",
};

std::wstring LoadedModulePath() {
    Module::Get();
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"VeskAudiogramConverter.dll"), path, MAX_PATH);
    return path;
}

TEST(Registered, EveryValueOfTheComponent) {
    for (const auto& [key, name, data] : kRegisteredValues) {
        EXPECT_EQ(ReadString(key, name).value_or(L"missing"), data) << key << " " << (name ? name : L"");
    }
    EXPECT_TRUE(KeyExists(CLASS_KEY L"\\Programmable"));
    // planted by the test stage before registration: the class key is rewritten whole
    for (const wchar_t* stale :
         {CLASS_KEY L"\\StaleBeforeRegistration", CLASS_KEY L"\\Programmable\\Stale"}) {
        EXPECT_FALSE(KeyExists(stale)) << stale;
    }
    for (const wchar_t* server :
         {CLASS_KEY L"\\InprocServer32", L"CLSID\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}\\InprocServer32"}) {
        const std::wstring path = ReadString(server, nullptr).value_or(L"missing");
        EXPECT_EQ(CompareStringOrdinal(path.c_str(), -1, LoadedModulePath().c_str(), -1, TRUE), CSTR_EQUAL)
            << server << " names " << path;
    }
    for (const IID* id : {&IID_IConvertAction, &IID_IConverterVersion}) {
        CLSID proxyStub{};
        EXPECT_EQ(CoGetPSClsid(*id, &proxyStub), S_OK);
        EXPECT_TRUE(proxyStub == IID_IConverterVersion) << "the module's own proxy/stub serves the interface";
    }
}

TEST(Unregistered, TheComponentsKeysAreGoneAndTheSharedOnesStay) {
    for (const wchar_t* key : kComponentKeys) EXPECT_FALSE(KeyExists(key)) << key;
    for (const wchar_t* kept : {L"AppID", L"CLSID", L"Interface", L"TypeLib"})
        EXPECT_TRUE(KeyExists(kept)) << kept;
    CLSID classId{};
    EXPECT_TRUE(FAILED(CLSIDFromProgID(kProgId.data(), &classId)));
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_ConvertAction, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    if (object != nullptr) object->Release();
}

#undef CLASS_KEY

}  // namespace
}  // namespace audiogram::com::testing
