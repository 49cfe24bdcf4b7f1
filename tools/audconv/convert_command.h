#pragma once
// audconv convert --from OLD --to NEW [-o OUT] [IN]: one blob through the dispatcher.
// With --out-dir DIR it converts many files and folders in one run (batch_convert.h).

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace audconv {

class ConvertCommand {
public:
    // Adds the "convert" subcommand and its options to `app`.
    explicit ConvertCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    // --quiet: only failures reach standard error.
    bool Quiet() const { return quiet_; }
    // Runs the parsed command; returns the process exit code.
    int Run() const;

private:
    CLI::App* command_;
    std::string from_;
    std::string to_;
    int RunSingle() const;
    int RunBatch() const;

    std::vector<std::string> inputs_;
    std::string output_ = "-";
    std::string outDir_;
    bool recursive_ = false;
    bool force_ = false;
    bool quiet_ = false;
    unsigned jobs_ = 0;  // 0: one per core
};

}  // namespace audconv
