#pragma once
// A registry script: keys under HKEY_CLASSES_ROOT with their values, written in order on
// registration and removed on unregistration. Texts may hold %NAME% placeholders that
// are replaced when the script runs (the module's path, the AppID).

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace audiogram::com {

enum class KeyRemoval {
    Remove,       // removed with everything under it on unregistration
    NoRemove,     // a shared parent: only created, never removed
    ForceRemove,  // removed whole before it is written, so no stale value survives
};

struct RegistryValue {
    std::wstring_view name;  // the value's name
    std::wstring_view data;  // a string value (REG_SZ)
};

struct RegistryKey {
    std::wstring_view path;  // below HKEY_CLASSES_ROOT, parts separated by '\'
    KeyRemoval removal = KeyRemoval::Remove;
    const wchar_t* defaultValue = nullptr;  // none: the default value is not written
    std::span<const RegistryValue> values = {};
};

// A placeholder's name (without the % signs) and its text.
using Replacement = std::pair<std::wstring_view, std::wstring_view>;

// Replaces every %NAME% of `text` whose name is listed; others stay as they are.
std::wstring ExpandPlaceholders(std::wstring_view text, std::span<const Replacement> replacements);

// Writes the keys in script order. Stops at the first failure and returns it.
HRESULT RunRegistryScript(std::span<const RegistryKey> script, std::span<const Replacement> replacements);

// Removes the keys that are not marked NoRemove, the last one first; a key that is not
// there counts as removed. Goes on past a failure and returns the first one.
HRESULT RemoveRegistryScript(std::span<const RegistryKey> script, std::span<const Replacement> replacements);

}  // namespace audiogram::com
