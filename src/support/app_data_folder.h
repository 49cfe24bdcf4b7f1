#pragma once
// The machine's common application-data folder, under which the configuration file and
// the diagnostic log live. One implementation per platform, chosen by the build.

#include <optional>
#include <string>

namespace audiogram {

// The folder's path as the platform reports it, or nothing when the lookup fails.
std::optional<std::string> CommonAppDataFolder();

// The character that separates the folders of a path on this platform.
char PathSeparator();

}  // namespace audiogram
