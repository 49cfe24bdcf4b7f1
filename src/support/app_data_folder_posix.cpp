#include <cstdlib>

#include "support/app_data_folder.h"

namespace audiogram {

// Machines without a shell folder take PROGRAMDATA when it names a folder, so a user (or a
// test) can move the files; the system-wide default is /var/lib.
std::optional<std::string> CommonAppDataFolder() {
    const char* programData = std::getenv("PROGRAMDATA");
    if (programData != nullptr && *programData != '\0') return std::string(programData);
    return std::string("/var/lib");
}

char PathSeparator() {
    return '/';
}

}  // namespace audiogram
