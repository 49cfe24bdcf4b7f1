#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace audconv {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemReason(int error) { return std::strerror(error); }

// The standard streams carry raw bytes: no newline translation where the platform has one.
void UseBinaryMode([[maybe_unused]] std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#endif
}

std::vector<std::uint8_t> ReadAll(std::FILE* stream, const std::string& name) {
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stream);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(stream)) throw FileError("cannot read " + name + ": " + SystemReason(errno));
    return bytes;
}

void WriteAll(std::FILE* stream, audiogram::ByteSpan bytes, const std::string& name) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
        throw FileError("cannot write " + name + ": " + SystemReason(errno));
    }
    if (std::fflush(stream) != 0) throw FileError("cannot write " + name + ": " + SystemReason(errno));
}

}  // namespace

bool IsStandardStream(std::string_view path) { return path.empty() || path == "-"; }

std::vector<std::uint8_t> ReadInput(std::string_view path) {
    if (IsStandardStream(path)) {
        UseBinaryMode(stdin);
        return ReadAll(stdin, "standard input");
    }
    const std::filesystem::path file(path);
    FilePtr stream(std::fopen(file.string().c_str(), "rb"));
    if (!stream) throw FileError("cannot open " + QuotedName(file) + ": " + SystemReason(errno));
    return ReadAll(stream.get(), QuotedName(file));
}

void WriteOutput(std::string_view path, audiogram::ByteSpan bytes) {
    if (IsStandardStream(path)) {
        UseBinaryMode(stdout);
        WriteAll(stdout, bytes, "standard output");
        return;
    }
    WriteOutputFile(std::filesystem::path(path), bytes);
}

}  // namespace audconv
