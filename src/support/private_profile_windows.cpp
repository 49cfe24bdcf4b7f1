#include "support/private_profile.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <io.h>
#include <windows.h>

#include <vector>

namespace audiogram {

bool ProfileFileExists(const std::string& path) { return _access(path.c_str(), 0) != -1; }

std::string ReadProfileValue(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue) {
    const std::string sectionText(section), keyText(key), defaultText(defaultValue);
    std::vector<char> buffer(kProfileValueBufferBytes, '\0');
    const DWORD length =
        GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), defaultText.c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path.c_str());
    return std::string(buffer.data(), length);
}

void WriteProfileValue(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::string sectionText(section), keyText(key), valueText(value);
    WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str(), path.c_str());
}

}  // namespace audiogram
