#pragma once
// audconv help [COMMAND]: the help of the tool or of one command, as --help prints it.

#include <string>

#include <CLI/CLI.hpp>

namespace audiogram::tool {

class HelpCommand {
public:
    // Adds the "help" subcommand to `app`; the other commands must be added before it runs.
    explicit HelpCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    // Prints the help on standard output; returns the process exit code.
    int Run() const;

private:
    CLI::App* app_;
    CLI::App* command_;
    std::string topic_;
};

}  // namespace audiogram::tool
