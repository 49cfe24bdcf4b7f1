#pragma once
// Writing a named output the way a user means it, without ever damaging what the tool did
// not create. What the name is, is asked of the file system through any symbolic links:
// - a regular file (or nothing yet) is written to a temporary file in its own folder and
//   renamed over it, so it appears only complete; a replaced file keeps its permission
//   bits and, where the tool may, its owner and group; the folder is synced after the
//   rename, so the new name survives a crash too;
// - a symbolic link is followed (chains as the kernel follows them): the file it points at
//   is replaced or created that way, and the link stays a link;
// - a device, FIFO or socket is opened and written directly, as the shell's '>' does;
// - a folder is refused.
// Every failure throws a FileError that names the file as given and says why.

#include <filesystem>

#include "records/little_endian.h"

namespace audconv {

void WriteOutputFile(const std::filesystem::path& name, audiogram::ByteSpan bytes);

}  // namespace audconv
