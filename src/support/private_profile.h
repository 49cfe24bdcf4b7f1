#pragma once
// Private-profile (INI) files: the platform's profile functions on Windows, our own small
// reader and writer (support/ini_text.h) elsewhere. One implementation per platform,
// chosen by the build.

#include <cstddef>
#include <string>
#include <string_view>

namespace audiogram {

// Values are read through a buffer of this many bytes, terminator included: longer
// values come back cut.
inline constexpr std::size_t kProfileValueBufferBytes = 10240;

bool ProfileFileExists(const std::string& path);

// The value of the key, or the default when the file, the section or the key is missing.
std::string ReadProfileValue(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view defaultValue);

// Sets the key, creating the file and the section when needed; the folder is never
// created, so a missing folder means nothing is written. Failures are not reported.
void WriteProfileValue(const std::string& path, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace audiogram
