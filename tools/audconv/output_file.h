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
//
// A caller that found the name free and must not replace what another program puts there
// meanwhile (a batch without --force) asks to keep an existing file: the new file then takes
// the name only while it is still free, in one step, and NameTaken is thrown otherwise.

#include <filesystem>

#include "file_error.h"
#include "records/little_endian.h"

namespace audconv {

enum class Existing { Replace, Keep };

// The name was free when the caller looked, but a file took it before the output could.
class NameTaken : public FileError {
public:
    using FileError::FileError;
};

void WriteOutputFile(const std::filesystem::path& name, audiogram::ByteSpan bytes,
                     Existing existing = Existing::Replace);

}  // namespace audconv
