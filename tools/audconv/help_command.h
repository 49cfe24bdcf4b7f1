#pragma once
// audconv help [COMMAND]: the same help as `audconv [COMMAND] --help`, which it is turned
// into before parsing (parsed as it is, "help convert" would select the convert command).

#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace audiogram::tool {

class HelpCommand {
public:
    // Adds the "help" subcommand to `app`, so that the help lists it; the commands it explains
    // are those added before it.
    explicit HelpCommand(CLI::App& app);

    // The arguments (without the program name) with "help [COMMAND]" replaced by
    // "[COMMAND] --help"; none, after a usage error on standard error, when COMMAND is not a
    // command of `app` or more than one word follows help.
    std::optional<std::vector<std::string>> AsHelpOption(std::vector<std::string> arguments) const;

private:
    std::vector<std::string> commands_;
};

}  // namespace audiogram::tool
