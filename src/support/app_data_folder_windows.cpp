#include "support/app_data_folder.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shlobj.h>

namespace audiogram {

std::optional<std::string> CommonAppDataFolder() {
    char folder[MAX_PATH] = {};
    const HRESULT status =
        SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    if (FAILED(status)) return std::nullopt;
    return std::string(folder);
}

char PathSeparator() { return '\\'; }

}  // namespace audiogram
