#pragma once
// audconv convert --from OLD --to NEW [-o OUT] [IN]: one blob through the dispatcher.

#include <string>

#include <CLI/CLI.hpp>

namespace audconv {

class ConvertCommand {
public:
    // Adds the "convert" subcommand and its options to `app`.
    explicit ConvertCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    // Runs the parsed command; returns the process exit code.
    int Run() const;

private:
    CLI::App* command_;
    std::string from_;
    std::string to_;
    std::string input_ = "-";
    std::string output_ = "-";
};

}  // namespace audconv
