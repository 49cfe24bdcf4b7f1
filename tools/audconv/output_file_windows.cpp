#include <cstdio>
#include <mutex>
#include <random>
#include <string>
#include <system_error>

#include "file_error.h"
#include "output_batch.h"
#include "output_file.h"

// Windows has no device nodes or FIFOs behind ordinary names: every output is a file,
// written next to its target and moved over it.
namespace audconv {
namespace fs = std::filesystem;
namespace {

std::string Unwritable(const fs::path& name) {
    return "cannot write " + QuotedName(name) + ": the file could not be written";
}

// The bytes in a new temporary file next to `name`; nothing is left behind when this fails.
fs::path WriteTemporary(const fs::path& name, audiogram::ByteSpan bytes) {
    std::error_code error;
    if (fs::is_directory(name, error)) throw FileError("cannot write " + QuotedName(name) + ": Is a directory");
    thread_local std::mt19937_64 generator(std::random_device{}());  // seeded once per thread
    const fs::path temporary =
        name.parent_path() / ("." + name.filename().string() + ".audconv-" + std::to_string(generator() % 1000000000));
    std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
    if (!file) throw FileError("cannot write " + QuotedName(name) + ": cannot create a file in its folder");
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        fs::remove(temporary, error);
        throw FileError(Unwritable(name));
    }
    return temporary;
}

// Moves the temporary file over `name`; false (and the temporary file removed) when it fails.
bool MoveOver(const fs::path& temporary, const fs::path& name) {
    std::error_code error;
    fs::rename(temporary, name, error);
    if (error) fs::remove(temporary, error);
    return !error;
}

}  // namespace

void WriteOutputFile(const fs::path& name, audiogram::ByteSpan bytes) {
    if (!MoveOver(WriteTemporary(name, bytes), name)) throw FileError(Unwritable(name));
}

struct OutputBatch::Pending {
    std::mutex mutex;
    std::vector<std::pair<fs::path, fs::path>> staged;  // temporary file, target
};

OutputBatch::OutputBatch() : pending_(std::make_unique<Pending>()) {}

OutputBatch::~OutputBatch() {
    std::error_code ignored;
    for (const auto& [temporary, name] : pending_->staged) fs::remove(temporary, ignored);
}

std::optional<std::size_t> OutputBatch::Stage(const fs::path& name, audiogram::ByteSpan bytes) {
    fs::path temporary = WriteTemporary(name, bytes);
    const std::lock_guard lock(pending_->mutex);
    pending_->staged.emplace_back(std::move(temporary), name);
    return pending_->staged.size() - 1;
}

std::vector<std::string> OutputBatch::Commit() {
    std::vector<std::string> failures;
    for (const auto& [temporary, name] : pending_->staged) {
        failures.push_back(MoveOver(temporary, name) ? std::string() : Unwritable(name));
    }
    pending_->staged.clear();
    return failures;
}

}  // namespace audconv
