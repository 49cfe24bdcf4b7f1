#pragma once
// audconv convert --from OLD --to NEW [-o OUT] [IN]: one blob through the dispatcher.
// With --out-dir DIR it converts many files and folders in one run (batch_convert.h).

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "verbosity_option.h"

namespace audconv {

class ConvertCommand {
public:
    // Adds the "convert" subcommand and its options to `app`.
    explicit ConvertCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    audiogram::tool::Verbosity Level() const { return verbosity_.Level(); }
    // Runs the parsed command; returns the process exit code.
    int Run() const;

private:
    CLI::App* command_;
    audiogram::tool::VerbosityOption verbosity_;
    std::string from_;
    std::string to_;
    int RunSingle() const;
    int RunBatch() const;

    std::vector<std::string> inputs_;
    std::string output_ = "-";
    std::string outDir_;
    bool recursive_ = false;
    bool force_ = false;
    bool strict_ = false;
    unsigned jobs_ = 0;  // 0: one per core
};

}  // namespace audconv
