// What regsvr32 must leave in the registry, and what its /u must take away again. The test
// stage runs Registered.* after registering the module and Unregistered.* after removing it.

#include <windows.h>

#include <string>

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

#define CLASS_KEY L"CLSID\\{617C5CCD-9BB5-4EA3-99AB-CE81BB75A790}"
constexpr std::wstring_view kAppId = L"{3790A26D-0F6D-47A1-B706-64CF8722A933}";
constexpr std::wstring_view kProxyStubId = L"{ABB34645-8A40-4657-8FAD-DF89A21DB214}";

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    const bool opened = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (opened) RegCloseKey(key);
    return opened;
}

std::wstring ReadString(const std::wstring& path, const wchar_t* name) {
    wchar_t text[1024];
    DWORD bytes = sizeof text;
    const LSTATUS read =
        RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes);
    return read == ERROR_SUCCESS ? text : L"missing";
}

// A row's data other than a string: the key only exists, the key is gone, or the value names
// the loaded module (in any case).
constexpr std::wstring_view kKeyExists = L"<key exists>", kKeyGone = L"<key gone>", kModule = L"<the module>";

struct Row {
    const wchar_t* key;
    const wchar_t* name;  // null: the key's default value
    std::wstring_view data;
};

// What registration leaves, value by value: the registry scripts, the type library and the
// marshalling code (the ProgIDs' class is read when the tests activate by them).
// Unregistration takes the first two levels of every key away again.
const Row kRows[] = {
    {L"AppID\\{3790A26D-0F6D-47A1-B706-64CF8722A933}", nullptr, L"VeskAudiogramConverter"},
    {L"AppID\\VeskAudiogramConverter.DLL", L"AppID", kAppId},
    {L"VeskAudiogramConverter.ConvertAction.1", nullptr, L"ConvertAction Class"},
    {L"VeskAudiogramConverter.ConvertAction", nullptr, L"ConvertAction Class"},
    {L"VeskAudiogramConverter.ConvertAction\\CurVer", nullptr, L"VeskAudiogramConverter.ConvertAction.1"},
    {CLASS_KEY, nullptr, L"ConvertAction Class"},
    {CLASS_KEY, L"AppID", kAppId},
    {CLASS_KEY L"\\ProgID", nullptr, L"VeskAudiogramConverter.ConvertAction.1"},
    {CLASS_KEY L"\\VersionIndependentProgID", nullptr, L"VeskAudiogramConverter.ConvertAction"},
    {CLASS_KEY L"\\InprocServer32", nullptr, kModule},
    {CLASS_KEY L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {CLASS_KEY L"\\TypeLib", nullptr, L"{CEDA1027-B655-4789-B734-54AA3B0768BD}"},
    {CLASS_KEY L"\\Programmable", nullptr, kKeyExists},
    // planted by the test stage before registration: the class key is rewritten whole
    {CLASS_KEY L"\\StaleBeforeRegistration", nullptr, kKeyGone},
    {CLASS_KEY L"\\Programmable\\Stale", nullptr, kKeyGone},
    {L"CLSID\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}\\InprocServer32", nullptr, kModule},
    {L"TypeLib\\{CEDA1027-B655-4789-B734-54AA3B0768BD}\\1.0", nullptr,
     L"VeskAudiogramConverter 1.0 Type Library"},
    {L"Interface\\{5C6CB6C5-EA4B-4E65-BC16-9BB4FE615BAE}\\ProxyStubClsid32", nullptr, kProxyStubId},
    {L"Interface\\{ABB34645-8A40-4657-8FAD-DF89A21DB214}\\ProxyStubClsid32", nullptr, kProxyStubId},
};

// What the registry holds for the row, in the row's terms.
std::wstring Found(const Row& row) {
    if (row.data == kKeyExists || row.data == kKeyGone)
        return std::wstring(KeyExists(row.key) ? kKeyExists : kKeyGone);
    const std::wstring found = ReadString(row.key, row.name);
    Module::Get();
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"VeskAudiogramConverter.dll"), loaded, MAX_PATH);
    const bool isModule = CompareStringOrdinal(found.c_str(), -1, loaded, -1, TRUE) == CSTR_EQUAL;
    return row.data == kModule && isModule ? std::wstring(kModule) : found;
}

TEST(Registered, EveryValueOfTheComponent) {
    for (const Row& row : kRows)
        EXPECT_EQ(Found(row), row.data) << row.key << " " << (row.name ? row.name : L"");
}

TEST(Unregistered, TheComponentsKeysAreGoneAndTheSharedOnesStay) {
    for (const Row& row : kRows) {
        const std::wstring key = row.key;
        const std::wstring topTwo = key.substr(0, key.find(L'\\', key.find(L'\\') + 1));
        EXPECT_FALSE(KeyExists(topTwo)) << topTwo;
    }
    for (const wchar_t* kept : {L"AppID", L"CLSID", L"Interface", L"TypeLib"})
        EXPECT_TRUE(KeyExists(kept)) << kept;
    CLSID classId{};
    EXPECT_TRUE(FAILED(CLSIDFromProgID(L"VeskAudiogramConverter.ConvertAction", &classId)));
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_ConvertAction, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    if (object != nullptr) object->Release();
}

#undef CLASS_KEY

}  // namespace
}  // namespace audiogram::com::testing
