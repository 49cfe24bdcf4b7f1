#include <windows.h>

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

// Moves the temporary file to `name`: over what is there, or, keeping an existing file, only
// while the name is free (a move without the replace flag fails on a taken name). The
// temporary file is removed when the move fails.
Committed MoveTo(const fs::path& temporary, const fs::path& name, Existing existing) {
    const DWORD flags = existing == Existing::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (::MoveFileExW(temporary.c_str(), name.c_str(), flags)) return {};
    const DWORD error = ::GetLastError();
    std::error_code ignored;
    fs::remove(temporary, ignored);
    const bool taken = existing == Existing::Keep && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS);
    return taken ? Committed{Committed::NameTaken, {}} : Committed{Committed::Failed, Unwritable(name)};
}

}  // namespace

void WriteOutputFile(const fs::path& name, audiogram::ByteSpan bytes, Existing existing) {
    const Committed moved = MoveTo(WriteTemporary(name, bytes), name, existing);
    if (moved.state == Committed::NameTaken) throw NameTaken("cannot write " + QuotedName(name) + ": the file exists");
    if (moved.state == Committed::Failed) throw FileError(moved.failure);
}

struct OutputBatch::Pending {
    struct Staged {
        fs::path temporary, target;
        Existing existing;
    };
    std::mutex mutex;
    std::vector<Staged> staged;
};

OutputBatch::OutputBatch() : pending_(std::make_unique<Pending>()) {}

OutputBatch::~OutputBatch() {
    std::error_code ignored;
    for (const Pending::Staged& file : pending_->staged) fs::remove(file.temporary, ignored);
}

std::optional<std::size_t> OutputBatch::Stage(const fs::path& name, audiogram::ByteSpan bytes, Existing existing) {
    fs::path temporary = WriteTemporary(name, bytes);
    const std::lock_guard lock(pending_->mutex);
    pending_->staged.push_back({std::move(temporary), name, existing});
    return pending_->staged.size() - 1;
}

std::vector<Committed> OutputBatch::Commit() {
    std::vector<Committed> results;
    for (const Pending::Staged& file : pending_->staged) results.push_back(MoveTo(file.temporary, file.target, file.existing));
    pending_->staged.clear();
    return results;
}

}  // namespace audconv
