#pragma once
// The outputs of a batch, made durable together: the disk is waited for once per batch
// instead of twice per file. Stage writes an output the way WriteOutputFile does (a device,
// FIFO or socket directly, anything else to a temporary file next to its target), but the
// temporary file is neither synced nor renamed yet. Commit then puts every staged file on
// the disk at once, renames each over its target and syncs each folder once: only when it
// has returned is an output complete under its name and sure to survive a crash. A staged
// file that is not committed (its commit failed, or the batch ended without one) is removed.
// An output staged to keep an existing file takes its name at the commit only if the name is
// still free then.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "output_file.h"
#include "records/little_endian.h"

namespace audconv {

// What the commit made of one staged output.
struct Committed {
    enum State { InPlace, NameTaken, Failed };
    State state = InPlace;
    std::string failure;  // for Failed: why, worded like a FileError
};

class OutputBatch {
public:
    OutputBatch();
    ~OutputBatch();
    OutputBatch(const OutputBatch&) = delete;
    OutputBatch& operator=(const OutputBatch&) = delete;

    // The output's place in the batch, or nothing when it was written directly and needs no
    // commit. Throws a FileError as WriteOutputFile does. Safe to call from several threads.
    std::optional<std::size_t> Stage(const std::filesystem::path& name, audiogram::ByteSpan bytes,
                                     Existing existing = Existing::Replace);

    // Commits everything staged; for each place, what became of that output. In place means
    // in place and durable.
    std::vector<Committed> Commit();

private:
    struct Pending;  // what the platform keeps of the staged files
    std::unique_ptr<Pending> pending_;
};

}  // namespace audconv
