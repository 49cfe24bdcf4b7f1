#pragma once
// Reading inputs and writing results for the commands. "-" (or no name) means the standard
// stream. A named output is written to a temporary file in its own folder and renamed over
// the target, so a failed run never leaves a partial or emptied file behind.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "records/little_endian.h"

namespace audconv {

// A file operation that failed; what() says which file and why, for the user.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsStandardStream(std::string_view path);

// The whole content of `path`, or of standard input.
std::vector<std::uint8_t> ReadInput(std::string_view path);

// Writes exactly `bytes` to `path` (atomically) or to standard output.
void WriteOutput(std::string_view path, audiogram::ByteSpan bytes);

// Writes `bytes` to a temporary file next to `target` and renames it over `target`. On any
// failure the temporary file is removed and `target` is as it was.
void WriteFileAtomically(const std::filesystem::path& target, audiogram::ByteSpan bytes);

}  // namespace audconv
