#pragma once
// -q/--quiet and -v/--verbose, shared by every command that reads records. A clean run is
// silent; --quiet leaves only the failures, --verbose adds the configuration's report
// lines and, in a batch, a line for every file.

#include <CLI/CLI.hpp>

namespace audiogram::tool {

enum class Verbosity { Quiet, Normal, Verbose };

class VerbosityOption {
public:
    // Adds both flags to `command`, after its own options; they exclude each other.
    void AddTo(CLI::App& command);

    Verbosity Level() const;

private:
    bool quiet_ = false;
    bool verbose_ = false;
};

}  // namespace audiogram::tool
