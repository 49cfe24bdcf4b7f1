#include "support/config_paths.h"

#include <initializer_list>

namespace audiogram {
namespace {

std::string JoinPath(std::string_view folder, char separator, std::initializer_list<std::string_view> parts) {
    std::string path(folder);
    for (std::string_view part : parts) {
        path += separator;
        path += part;
    }
    return path;
}

}  // namespace

ConfigPaths ComposeConfigPaths(std::string_view folder, char separator) {
    if (!folder.empty() && folder.back() == separator) folder.remove_suffix(1);
    ConfigPaths paths{
        JoinPath(folder, separator, {"Torva", "Vesk", "ConfigFiles", "RarudezevIruduvuvuDOR.ini"}),
        JoinPath(folder, separator, {"Torva", "Vesk", "Logs", "RarudezevIruduvuvuDOR.log"})};
    const auto fits = [](const std::string& path) { return path.size() < kMaxPathBytes; };
    if (!fits(paths.iniFile) || !fits(paths.logFile)) return {};
    return paths;
}

}  // namespace audiogram
