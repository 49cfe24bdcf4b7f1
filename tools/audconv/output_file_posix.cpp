#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <mutex>
#include <random>
#include <string>

#include "file_error.h"
#include "output_batch.h"

namespace audconv {
namespace fs = std::filesystem;
namespace {

// The kernel's own limit on the links one name may pass through (MAXSYMLINKS).
constexpr int kMaxLinkHops = 40;

std::string WriteFailure(const fs::path& shown, int error) {
    return "cannot write " + QuotedName(shown) + ": " + std::strerror(error);
}

[[noreturn]] void Fail(const fs::path& shown, int error) { throw FileError(WriteFailure(shown, error)); }

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now and reports the result: a write-back error may first show here.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

void WriteAll(int fd, audiogram::ByteSpan bytes, const fs::path& shown) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (step < 0) {
            if (errno == EINTR) continue;
            Fail(shown, errno);
        }
        written += static_cast<std::size_t>(step);
    }
}

// The name the bytes go to once every symbolic link on the way is followed; a link to
// nothing yet gives the name it would create. A relative link is read from its own folder.
fs::path FollowLinks(const fs::path& name, const fs::path& shown) {
    fs::path current = name;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::error_code error;
        const fs::path target = fs::read_symlink(current, error);
        if (error) Fail(shown, error.value());
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    Fail(shown, ELOOP);
}

// A device, FIFO or socket takes the bytes as they come, like the shell's '>'; nothing is
// created, so a name that vanished meanwhile is an error rather than a new regular file.
void WriteDirectly(const fs::path& name, audiogram::ByteSpan bytes) {
    Descriptor output(::open(name.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC));
    if (!output.Valid()) Fail(name, errno);
    WriteAll(output.Get(), bytes, name);
    if (output.Close() != 0) Fail(name, errno);
}

// A new, not yet existing file next to `target`, with the usual permissions of a new file.
std::pair<Descriptor, fs::path> CreateTemporaryNextTo(const fs::path& target, const fs::path& shown) {
    // one generator per thread, seeded once: a random_device for every file cost a batch 8% of
    // its processor time
    thread_local std::mt19937_64 generator(std::random_device{}());
    // built by appending: g++ 12 at -O2 warns falsely (-Wrestrict) about "literal" + temporary
    std::string prefix = ".";
    prefix.append(target.filename().string()).append(".audconv-");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = target.parent_path() / (prefix + std::to_string(generator() % 1000000000));
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return {Descriptor(fd), candidate};
        if (errno != EEXIST) break;
    }
    Fail(shown, errno);
}

// The replaced file's owner and group where the tool may set them (as root), then its
// permission bits (after the owner: a change of owner clears the set-user-ID bit).
void KeepOwnerAndMode(int fd, const struct stat& replaced, const fs::path& shown) {
    if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM) Fail(shown, errno);
    if (::fchmod(fd, replaced.st_mode & 07777) != 0) Fail(shown, errno);
}

// The rename is durable only once the folder that holds the name is on the disk too. A
// file system that cannot sync a folder says EINVAL; there is nothing more to do then.
// Returns 0 or the error.
int SyncFolderError(const fs::path& folder) {
    Descriptor handle(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.Valid()) return errno;
    if (::fsync(handle.Get()) != 0 && errno != EINVAL) return errno;
    return 0;
}

void SyncFolder(const fs::path& folder, const fs::path& shown) {
    if (const int error = SyncFolderError(folder)) Fail(shown, error);
}

enum class Durability { Now, WithTheBatch };

// The bytes in a new temporary file next to `target`, with the replaced file's owner and
// mode; synced first when the output must be durable on its own. Nothing is left behind
// when this fails.
fs::path WriteTemporary(const fs::path& target, audiogram::ByteSpan bytes, const fs::path& shown,
                        const struct stat* replaced, Durability durability) {
    auto [file, temporary] = CreateTemporaryNextTo(target, shown);
    try {
        WriteAll(file.Get(), bytes, shown);
        if (replaced) KeepOwnerAndMode(file.Get(), *replaced, shown);
        // the bytes are on the disk before the rename shows them under the target's name
        if (durability == Durability::Now && ::fsync(file.Get()) != 0) Fail(shown, errno);
        if (file.Close() != 0) Fail(shown, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    return temporary;
}

// Gives the temporary file the target's name: over what is there, or, keeping an existing
// file, only while the name is free, in one step. Where the file system has no such rename, a
// hard link fails as atomically on a taken name; where it has no hard links either, the name
// is looked at once more just before the rename. Returns 0 or the error (EEXIST: taken).
int PutInPlace(const fs::path& temporary, const fs::path& target, Existing existing) {
    if (existing == Existing::Replace) return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP) return errno;
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) return EEXIST;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// What became of the output once its temporary file was to take the target's name; a file
// that did not make it is removed.
Committed TakeName(const fs::path& temporary, const fs::path& target, const fs::path& shown, Existing existing) {
    const int error = PutInPlace(temporary, target, existing);
    if (error == 0) return {};
    ::unlink(temporary.c_str());
    if (error == EEXIST && existing == Existing::Keep) return {Committed::NameTaken, {}};
    return {Committed::Failed, WriteFailure(shown, error)};
}

[[noreturn]] void FailTaken(const fs::path& shown) { throw NameTaken(WriteFailure(shown, EEXIST)); }

void ReplaceAtomically(const fs::path& target, audiogram::ByteSpan bytes, const fs::path& shown,
                       const struct stat* replaced, Existing existing) {
    const fs::path temporary = WriteTemporary(target, bytes, shown, replaced, Durability::Now);
    const Committed committed = TakeName(temporary, target, shown, existing);
    if (committed.state == Committed::NameTaken) FailTaken(shown);
    if (committed.state == Committed::Failed) throw FileError(committed.failure);
    SyncFolder(target.parent_path(), shown);
}

// What a name stands for: a regular file to replace (with what it is now, when it exists)
// or a node to write directly. A folder and a name that cannot be looked up fail.
struct OutputKind {
    bool direct = false;
    std::optional<struct stat> replaced;
};

OutputKind KindOf(const fs::path& name, Existing existing) {
    struct stat info {};
    if (existing == Existing::Keep) {
        // the name must still be free: not even a link to nothing may stand there
        if (::lstat(name.c_str(), &info) == 0) FailTaken(name);
        if (errno != ENOENT) Fail(name, errno);
        return {};
    }
    if (::stat(name.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) Fail(name, EISDIR);
        return {!S_ISREG(info.st_mode), info};
    }
    if (errno != ENOENT) Fail(name, errno);  // a link loop, a file used as a folder, no permission
    return {};
}

// Where the bytes go. A free name is taken as it stands: a link put there meanwhile is never
// followed.
fs::path TargetOf(const fs::path& name, Existing existing) {
    return existing == Existing::Keep ? name : FollowLinks(name, name);
}

}  // namespace

void WriteOutputFile(const fs::path& name, audiogram::ByteSpan bytes, Existing existing) {
    const OutputKind kind = KindOf(name, existing);
    if (kind.direct) return WriteDirectly(name, bytes);
    ReplaceAtomically(TargetOf(name, existing), bytes, name, kind.replaced ? &*kind.replaced : nullptr, existing);
}

// The staged files, and a folder of every file system they are on, opened before the first
// of them was written there: syncfs reports the write-back errors of its file system since
// the descriptor was opened, so none of a staged file's can slip by.
struct OutputBatch::Pending {
    struct Staged {
        fs::path temporary, target, shown;
        Existing existing;
    };
    std::mutex mutex;
    std::vector<Staged> staged;
    std::map<dev_t, Descriptor> fileSystems;

    void Watch(const fs::path& folder, const fs::path& shown) {
        struct stat info {};
        if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0) Fail(shown, errno);
        const std::lock_guard lock(mutex);
        if (fileSystems.count(info.st_dev)) return;
        Descriptor handle(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!handle.Valid()) Fail(shown, errno);
        fileSystems.emplace(info.st_dev, std::move(handle));
    }

    // Every staged file on the disk: one syncfs per file system. Should one fail, each file
    // is synced on its own to learn which of them did not make it.
    void SyncAll(std::vector<std::string>& failures) {
        bool synced = true;
        for (const auto& [device, handle] : fileSystems) synced = ::syncfs(handle.Get()) == 0 && synced;
        if (synced) return;
        for (std::size_t i = 0; i < staged.size(); ++i) {
            Descriptor file(::open(staged[i].temporary.c_str(), O_RDONLY | O_CLOEXEC));
            if (!file.Valid() || ::fsync(file.Get()) != 0) failures[i] = WriteFailure(staged[i].shown, errno);
        }
    }

    void RemoveTemporaries() {
        for (const Staged& file : staged) ::unlink(file.temporary.c_str());
        staged.clear();
    }
};

OutputBatch::OutputBatch() : pending_(std::make_unique<Pending>()) {}

OutputBatch::~OutputBatch() { pending_->RemoveTemporaries(); }

std::optional<std::size_t> OutputBatch::Stage(const fs::path& name, audiogram::ByteSpan bytes, Existing existing) {
    const OutputKind kind = KindOf(name, existing);
    if (kind.direct) {
        WriteDirectly(name, bytes);
        return std::nullopt;
    }
    const fs::path target = TargetOf(name, existing);
    pending_->Watch(target.parent_path(), name);
    fs::path temporary = WriteTemporary(target, bytes, name, kind.replaced ? &*kind.replaced : nullptr,
                                        Durability::WithTheBatch);
    const std::lock_guard lock(pending_->mutex);
    pending_->staged.push_back({std::move(temporary), target, name, existing});
    return pending_->staged.size() - 1;
}

std::vector<Committed> OutputBatch::Commit() {
    std::vector<Pending::Staged>& staged = pending_->staged;
    std::vector<std::string> failures(staged.size());
    pending_->SyncAll(failures);
    std::vector<Committed> results(staged.size());
    // the folders that gained a name, each synced once after all its renames
    std::map<fs::path, std::vector<std::size_t>> folders;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (!failures[i].empty()) {
            results[i] = {Committed::Failed, failures[i]};
            continue;
        }
        results[i] = TakeName(staged[i].temporary, staged[i].target, staged[i].shown, staged[i].existing);
        staged[i].temporary.clear();  // renamed, or removed
        if (results[i].state == Committed::InPlace) folders[staged[i].target.parent_path()].push_back(i);
    }
    for (const auto& [folder, renamed] : folders) {
        if (const int error = SyncFolderError(folder)) {
            for (const std::size_t i : renamed) results[i] = {Committed::Failed, WriteFailure(staged[i].shown, error)};
        }
    }
    for (const Pending::Staged& file : staged) {
        if (!file.temporary.empty()) ::unlink(file.temporary.c_str());
    }
    staged.clear();
    return results;
}

}  // namespace audconv
