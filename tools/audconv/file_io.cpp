#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace audconv {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Built by appending: g++ 12 at -O2 warns falsely (-Wrestrict) about "literal" + temporary.
std::string Quoted(const std::filesystem::path& path) {
    std::string quoted = "'";
    quoted.append(path.string()).append("'");
    return quoted;
}

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

// Makes sure the bytes are on the disk before the rename makes them visible under the
// target's name, so a crash cannot leave an empty file in place of the old one.
void SyncToDisk([[maybe_unused]] std::FILE* file) {
#ifndef _WIN32
    ::fsync(::fileno(file));
#endif
}

// Creates a new, not yet existing file next to `target`; "x" makes the creation exclusive.
std::pair<FilePtr, std::filesystem::path> CreateTemporaryNextTo(const std::filesystem::path& target) {
    std::random_device entropy;
    std::mt19937_64 generator(entropy());
    const std::filesystem::path folder = target.parent_path();
    std::string prefix = ".";
    prefix.append(target.filename().string()).append(".audconv-");
    int lastError = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        name.append(std::to_string(generator() % 1000000000));
        const std::filesystem::path candidate = folder / name;
        if (std::FILE* file = std::fopen(candidate.string().c_str(), "wbx")) return {FilePtr(file), candidate};
        lastError = errno;
        if (lastError != EEXIST) break;
    }
    throw FileError("cannot write " + Quoted(target) + ": " + SystemReason(lastError));
}

// A replaced file keeps the permissions it had; a new one gets the usual ones.
void CopyPermissions(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    const auto status = std::filesystem::status(from, error);
    if (!error && std::filesystem::is_regular_file(status)) {
        std::filesystem::permissions(to, status.permissions(), error);
    }
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
    if (!stream) throw FileError("cannot open " + Quoted(file) + ": " + SystemReason(errno));
    return ReadAll(stream.get(), Quoted(file));
}

void WriteOutput(std::string_view path, audiogram::ByteSpan bytes) {
    if (IsStandardStream(path)) {
        UseBinaryMode(stdout);
        WriteAll(stdout, bytes, "standard output");
        return;
    }
    WriteFileAtomically(std::filesystem::path(path), bytes);
}

void WriteFileAtomically(const std::filesystem::path& target, audiogram::ByteSpan bytes) {
    auto [file, temporary] = CreateTemporaryNextTo(target);
    try {
        WriteAll(file.get(), bytes, Quoted(target));
        SyncToDisk(file.get());
        if (std::fclose(file.release()) != 0) throw FileError("cannot write " + Quoted(target) + ": " + SystemReason(errno));
        CopyPermissions(target, temporary);
        std::error_code error;
        std::filesystem::rename(temporary, target, error);
        if (error) throw FileError("cannot write " + Quoted(target) + ": " + error.message());
    } catch (...) {
        file.reset();
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
}

}  // namespace audconv
