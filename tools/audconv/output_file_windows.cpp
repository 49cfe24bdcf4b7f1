#include "output_file.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

#include "file_error.h"

// Windows has no device nodes or FIFOs behind ordinary names: every output is a file,
// written next to its target and moved over it.
namespace audconv {
namespace fs = std::filesystem;

void WriteOutputFile(const fs::path& name, audiogram::ByteSpan bytes) {
    std::error_code error;
    if (fs::is_directory(name, error)) throw FileError("cannot write " + QuotedName(name) + ": Is a directory");
    std::mt19937_64 generator(std::random_device{}());
    const fs::path temporary =
        name.parent_path() / ("." + name.filename().string() + ".audconv-" + std::to_string(generator() % 1000000000));
    std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
    if (!file) throw FileError("cannot write " + QuotedName(name) + ": cannot create a file in its folder");
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) fs::rename(temporary, name, error);
    if (!written || !closed || error) {
        fs::remove(temporary, error);
        throw FileError("cannot write " + QuotedName(name) + ": the file could not be written");
    }
}

}  // namespace audconv
