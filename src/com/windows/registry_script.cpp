#include "com/windows/registry_script.h"

namespace audiogram::com {
namespace {

HRESULT FromWin32(LSTATUS status) {
    return HRESULT_FROM_WIN32(static_cast<unsigned long>(status));
}

class RegistryKeyHandle {
  public:
    RegistryKeyHandle() = default;
    RegistryKeyHandle(const RegistryKeyHandle&) = delete;
    RegistryKeyHandle& operator=(const RegistryKeyHandle&) = delete;
    ~RegistryKeyHandle() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    HKEY Get() const { return key_; }
    HKEY* Put() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

LSTATUS SetString(HKEY key, const wchar_t* name, const std::wstring& text) {
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}

HRESULT WriteKey(const RegistryKey& entry, std::span<const Replacement> replacements) {
    const std::wstring path = ExpandPlaceholders(entry.path, replacements);
    if (entry.removal == KeyRemoval::ForceRemove) {
        const LSTATUS removed = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
        if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND) return FromWin32(removed);
    }
    RegistryKeyHandle key;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (status != ERROR_SUCCESS) return FromWin32(status);
    if (entry.defaultValue != nullptr) {
        status = SetString(key.Get(), nullptr, ExpandPlaceholders(entry.defaultValue, replacements));
        if (status != ERROR_SUCCESS) return FromWin32(status);
    }
    for (const RegistryValue& value : entry.values) {
        const std::wstring name(value.name);
        status = SetString(key.Get(), name.c_str(), ExpandPlaceholders(value.data, replacements));
        if (status != ERROR_SUCCESS) return FromWin32(status);
    }
    return S_OK;
}

}  // namespace

std::wstring ExpandPlaceholders(std::wstring_view text, std::span<const Replacement> replacements) {
    std::wstring expanded;
    expanded.reserve(text.size());
    while (!text.empty()) {
        const std::size_t open = text.find(L'%');
        const std::size_t close = open == std::wstring_view::npos ? open : text.find(L'%', open + 1);
        if (close == std::wstring_view::npos) break;
        expanded.append(text.substr(0, open));
        const std::wstring_view name = text.substr(open + 1, close - open - 1);
        const Replacement* found = nullptr;
        for (const Replacement& replacement : replacements) {
            if (replacement.first == name) found = &replacement;
        }
        if (found != nullptr) {
            expanded.append(found->second);
        } else {
            expanded.append(text.substr(open, close - open + 1));
        }
        text.remove_prefix(close + 1);
    }
    expanded.append(text);
    return expanded;
}

HRESULT RunRegistryScript(std::span<const RegistryKey> script, std::span<const Replacement> replacements) {
    for (const RegistryKey& entry : script) {
        if (const HRESULT status = WriteKey(entry, replacements); FAILED(status)) return status;
    }
    return S_OK;
}

HRESULT RemoveRegistryScript(std::span<const RegistryKey> script, std::span<const Replacement> replacements) {
    HRESULT firstFailure = S_OK;
    // Children follow their parents in a script, so walking it backwards empties a key
    // before the key itself goes.
    for (auto entry = script.rbegin(); entry != script.rend(); ++entry) {
        if (entry->removal == KeyRemoval::NoRemove) continue;
        const std::wstring path = ExpandPlaceholders(entry->path, replacements);
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(firstFailure)) {
            firstFailure = FromWin32(status);
        }
    }
    return firstFailure;
}

}  // namespace audiogram::com
