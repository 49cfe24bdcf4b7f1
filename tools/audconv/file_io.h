#pragma once
// Reading inputs and writing results for the commands. "-" (or no name) means the standard
// stream; a named output is written as output_file.h describes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "file_error.h"
#include "output_file.h"
#include "records/little_endian.h"

namespace audconv {

bool IsStandardStream(std::string_view path);

// The whole content of `path`, or of standard input.
std::vector<std::uint8_t> ReadInput(std::string_view path);

// Writes exactly `bytes` to standard output or to the named output.
void WriteOutput(std::string_view path, audiogram::ByteSpan bytes);

}  // namespace audconv
