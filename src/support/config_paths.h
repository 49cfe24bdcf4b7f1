#pragma once
// Where the configuration file and the diagnostic log live below the common
// application-data folder.

#include <cstddef>
#include <string>
#include <string_view>

namespace audiogram {

// The paths were fixed-size buffers of this many bytes, terminator included.
inline constexpr std::size_t kMaxPathBytes = 260;

struct ConfigPaths {
    std::string iniFile;  // empty when the folder is unknown or too long
    std::string logFile;
};

// Builds folder/Torva/Vesk/ConfigFiles/RarudezevIruduvuvuDOR.ini and
// folder/Torva/Vesk/Logs/RarudezevIruduvuvuDOR.log with the given separator, after
// removing one trailing separator from the folder. A folder for which either path would
// not fit kMaxPathBytes counts as unknown: both paths come back empty.
ConfigPaths ComposeConfigPaths(std::string_view folder, char separator);

}  // namespace audiogram
