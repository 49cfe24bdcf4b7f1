// What regsvr32 must leave in the registry, and what its /u must take away again.

#include <array>
#include <optional>
#include <string>

#include "client_checks.h"

namespace wine_client {
namespace {

#define CLASS_KEY L"CLSID\\{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}"
constexpr std::wstring_view kClassId = L"{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}";
constexpr std::wstring_view kLibraryId = L"{CEDA1027-B655-4789-B734-54AA3B0768BD}";
constexpr std::wstring_view kAppId = L"{3790A26D-0F6D-47A1-B706-64CF8722A933}";
constexpr std::wstring_view kProxyStubId = L"{ABB34645-8A40-4657-8FAD-DF89A21DB214}";

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

std::string Narrow(std::wstring_view text) {
    std::string narrow;
    for (const wchar_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

struct ExpectedValue {
    const wchar_t* key;
    const wchar_t* name;  // null: the key's default value
    std::wstring_view data;
};

// Registry scripts 101 and 103, the type library and the marshalling code, value by value.
// The module's path is checked apart.
const std::array kRegisteredValues = {
    ExpectedValue{L"AppID\\{3790A26D-0F6D-47A1-B706-64CF8722A933}", nullptr, L"VeskAudiogramConverter"},
    ExpectedValue{L"AppID\\VeskAudiogramConverter.DLL", L"AppID", kAppId},
    ExpectedValue{L"VeskAudiogramConverter.ConvertAction.1", nullptr, L"ConvertAction Class"},
    ExpectedValue{L"VeskAudiogramConverter.ConvertAction.1\\CLSID", nullptr, kClassId},
    ExpectedValue{L"VeskAudiogramConverter.ConvertAction", nullptr, L"ConvertAction Class"},
    ExpectedValue{L"VeskAudiogramConverter.ConvertAction\\CLSID", nullptr, kClassId},
    ExpectedValue{L"VeskAudiogramConverter.ConvertAction\\CurVer", nullptr,
                  L"VeskAudiogramConverter.ConvertAction.1"},
    ExpectedValue{CLASS_KEY, nullptr, L"ConvertAction Class"},
    ExpectedValue{CLASS_KEY, L"AppID", kAppId},
    ExpectedValue{CLASS_KEY L"\\ProgID", nullptr, L"VeskAudiogramConverter.ConvertAction.1"},
    ExpectedValue{CLASS_KEY L"\\VersionIndependentProgID", nullptr, L"VeskAudiogramConverter.ConvertAction"},
    ExpectedValue{CLASS_KEY L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    ExpectedValue{CLASS_KEY L"\\TypeLib", nullptr, kLibraryId},
    ExpectedValue{L"TypeLib\\{CEDA1027-B655-4789-B734-54AA3B0768BD}\\1.0", nullptr,
                  L"VeskAudiogramConverter 1.0 Type Library"},
    ExpectedValue{L"Interface\\{5C6CB6C5-EA4B-4E65-BC16-9BB4FE615BAE}\\ProxyStubClsid32", nullptr,
                  kProxyStubId},
    ExpectedValue{L"Interface\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}\\ProxyStubClsid32", nullptr,
                  kProxyStubId},
};

// Keys of the component that unregistration removes.
constexpr std::array kComponentKeys = {
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

// Planted under the class key by the test stage before registration: the class key is
// rewritten whole, so neither may survive it.
constexpr std::array kStaleKeys = {CLASS_KEY L"\\StaleBeforeRegistration",
                                   CLASS_KEY L"\\Programmable\\Stale"};

bool SamePath(const std::wstring& left, const std::wstring& right) {
    return CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

void CheckRegistration(CheckLog& log, const std::wstring& modulePath) {
    for (const ExpectedValue& expected : kRegisteredValues) {
        const auto data = ReadString(expected.key, expected.name);
        std::string what = "registered " + Narrow(expected.key) + " " +
                           (expected.name ? Narrow(expected.name) : "(default)");
        log.Expect(data && *data == expected.data,
                   what + " = " + (data ? Narrow(*data) : "missing") + ", want " + Narrow(expected.data));
    }
    log.Expect(KeyExists(CLASS_KEY L"\\Programmable"), "the class key has the Programmable key");
    for (const wchar_t* stale : kStaleKeys) {
        log.Expect(!KeyExists(stale),
                   "registration rewrote the class key whole: " + Narrow(stale) + " is gone");
    }
    for (const wchar_t* server :
         {CLASS_KEY L"\\InprocServer32", L"CLSID\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}\\InprocServer32"}) {
        const auto path = ReadString(server, nullptr);
        log.Expect(path && SamePath(*path, modulePath), "registered " + Narrow(server) + " names the module");
    }

    for (const wchar_t* progId :
         {L"VeskAudiogramConverter.ConvertAction", L"VeskAudiogramConverter.ConvertAction.1"}) {
        CLSID classId{};
        const HRESULT status = CLSIDFromProgID(progId, &classId);
        log.Expect(SUCCEEDED(status) && classId == CLSID_ConvertAction, "CLSIDFromProgID " + Narrow(progId));
    }
    for (const IID* id : {&IID_IConvertAction, &IID_IConverterVersion}) {
        CLSID proxyStub{};
        log.Expect(SUCCEEDED(CoGetPSClsid(*id, &proxyStub)) && proxyStub == IID_IConverterVersion,
                   "the module's own proxy/stub serves the interface");
    }
}

void CheckUnregistered(CheckLog& log) {
    for (const wchar_t* key : kComponentKeys)
        log.Expect(!KeyExists(key), "unregistered: " + Narrow(key) + " is gone");
    for (const wchar_t* kept : {L"AppID", L"CLSID", L"Interface", L"TypeLib"}) {
        log.Expect(KeyExists(kept), "unregistration keeps the shared key " + Narrow(kept));
    }
    CLSID classId{};
    log.Expect(FAILED(CLSIDFromProgID(L"VeskAudiogramConverter.ConvertAction", &classId)),
               "unregistered: the ProgID no longer resolves");
    IUnknown* object = nullptr;
    log.ExpectStatus(CoCreateInstance(CLSID_ConvertAction, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                      reinterpret_cast<void**>(&object)),
                     REGDB_E_CLASSNOTREG, "unregistered: the class can no longer be created");
    if (object != nullptr) object->Release();
}

}  // namespace wine_client

#undef CLASS_KEY
