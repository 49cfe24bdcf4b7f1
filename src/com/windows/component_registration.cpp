#include "com/windows/component_registration.h"

#include <array>
#include <string>

#include "com/com_ptr.h"
#include "com/windows/proxy_stub.h"
#include "com/windows/registry_script.h"
#include "com/windows/thread_locale_scope.h"

namespace audiogram::com {
namespace {

constexpr std::wstring_view kAppId = L"{3790A26D-0F6D-47A1-B706-64CF8722A933}";

// Registry script 101: the component's AppID.
constexpr std::array kAppIdValue = {RegistryValue{L"AppID", L"%APPID%"}};
constexpr std::array kAppIdScript = {
    RegistryKey{L"AppID", KeyRemoval::NoRemove},
    RegistryKey{L"AppID\\%APPID%", KeyRemoval::Remove, L"VeskAudiogramConverter"},
    RegistryKey{L"AppID\\VeskAudiogramConverter.DLL", KeyRemoval::Remove, nullptr, kAppIdValue},
};

// Registry script 103: the class, its two ProgIDs and the class identifier's key.
#define AUDCONV_CLSID L"{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}"
#define AUDCONV_CLASS_KEY L"CLSID\\" AUDCONV_CLSID
constexpr std::array kInprocValues = {RegistryValue{L"ThreadingModel", L"Apartment"}};
constexpr std::array kClassValues = {RegistryValue{L"AppID", L"%APPID%"}};
constexpr std::array kClassScript = {
    RegistryKey{L"VeskAudiogramConverter.ConvertAction.1", KeyRemoval::Remove, L"ConvertAction Class"},
    RegistryKey{L"VeskAudiogramConverter.ConvertAction.1\\CLSID", KeyRemoval::Remove, AUDCONV_CLSID},
    RegistryKey{L"VeskAudiogramConverter.ConvertAction", KeyRemoval::Remove, L"ConvertAction Class"},
    RegistryKey{L"VeskAudiogramConverter.ConvertAction\\CLSID", KeyRemoval::Remove, AUDCONV_CLSID},
    RegistryKey{L"VeskAudiogramConverter.ConvertAction\\CurVer", KeyRemoval::Remove,
                L"VeskAudiogramConverter.ConvertAction.1"},
    RegistryKey{L"CLSID", KeyRemoval::NoRemove},
    RegistryKey{AUDCONV_CLASS_KEY, KeyRemoval::ForceRemove, L"ConvertAction Class", kClassValues},
    RegistryKey{AUDCONV_CLASS_KEY L"\\ProgID", KeyRemoval::Remove, L"VeskAudiogramConverter.ConvertAction.1"},
    RegistryKey{AUDCONV_CLASS_KEY L"\\VersionIndependentProgID", KeyRemoval::Remove,
                L"VeskAudiogramConverter.ConvertAction"},
    RegistryKey{AUDCONV_CLASS_KEY L"\\Programmable", KeyRemoval::ForceRemove},
    RegistryKey{AUDCONV_CLASS_KEY L"\\InprocServer32", KeyRemoval::Remove, L"%MODULE%", kInprocValues},
    RegistryKey{AUDCONV_CLASS_KEY L"\\TypeLib", KeyRemoval::Remove,
                L"{CEDA1027-B655-4789-B734-54AA3B0768BD}"},
};
#undef AUDCONV_CLASS_KEY
#undef AUDCONV_CLSID

// The module's full path; empty when it cannot be had.
std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

HRESULT RegisterTypeLibrary(std::wstring modulePath) {
    ComPtr<ITypeLib> library;
    const HRESULT loaded = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.Put());
    if (FAILED(loaded)) return loaded;
    return RegisterTypeLib(library.Get(), modulePath.data(), nullptr);  // takes a writable text
}

HRESULT UnregisterTypeLibrary(const std::wstring& modulePath) {
    ComPtr<ITypeLib> library;
    const HRESULT loaded = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.Put());
    if (FAILED(loaded)) return loaded;
    TLIBATTR* attributes = nullptr;
    const HRESULT described = library->GetLibAttr(&attributes);
    if (FAILED(described)) return described;
    // A library that is not registered is as unregistered as it can be; asked to unregister
    // it anyway, the platforms disagree on the failure they report.
    HRESULT status = S_OK;
    BSTR registeredPath = nullptr;
    if (SUCCEEDED(QueryPathOfRegTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                        attributes->lcid, &registeredPath))) {
        SysFreeString(registeredPath);
        status = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                   attributes->lcid, attributes->syskind);
    }
    library->ReleaseTLibAttr(attributes);
    return status;
}

}  // namespace

HRESULT RegisterComponent(HMODULE module) {
    const ThreadLocaleScope systemLocale(LOCALE_SYSTEM_DEFAULT);
    const std::wstring modulePath = ModulePath(module);
    if (modulePath.empty()) return HRESULT_FROM_WIN32(GetLastError());
    const std::array replacements = {Replacement{L"APPID", kAppId}, Replacement{L"MODULE", modulePath}};

    HRESULT status = RunRegistryScript(kAppIdScript, replacements);
    if (SUCCEEDED(status)) status = RunRegistryScript(kClassScript, replacements);
    if (SUCCEEDED(status)) status = RegisterTypeLibrary(modulePath);
    // The type library points a dual interface at the system's type-library marshaller;
    // the module's own proxy/stub takes both interfaces over afterwards.
    if (SUCCEEDED(status)) status = ProxyStubRegister(module);
    return status;
}

HRESULT UnregisterComponent(HMODULE module) {
    const ThreadLocaleScope systemLocale(LOCALE_SYSTEM_DEFAULT);
    const std::wstring modulePath = ModulePath(module);
    if (modulePath.empty()) return HRESULT_FROM_WIN32(GetLastError());
    const std::array replacements = {Replacement{L"APPID", kAppId}, Replacement{L"MODULE", modulePath}};

    // Every step runs even after a failure, so as much as possible is removed.
    const HRESULT steps[] = {
        RemoveRegistryScript(kClassScript, replacements),
        UnregisterTypeLibrary(modulePath),
        RemoveRegistryScript(kAppIdScript, replacements),
        ProxyStubUnregister(module),
    };
    for (const HRESULT status : steps) {
        if (FAILED(status)) return status;
    }
    return S_OK;
}

}  // namespace audiogram::com
