#include "help_command.h"

#include <algorithm>
#include <iostream>

namespace audiogram::tool {
namespace {

std::nullopt_t UsageError(const std::string& message) {
    std::cerr << "audconv: " << message << "\nRun 'audconv --help' for more information.\n";
    return std::nullopt;
}

}  // namespace

HelpCommand::HelpCommand(CLI::App& app) {
    for (const CLI::App* command : app.get_subcommands({})) commands_.push_back(command->get_name());
    app.add_subcommand("help", "Show the help of audconv, or of one command: audconv help [COMMAND].");
}

std::optional<std::vector<std::string>> HelpCommand::AsHelpOption(std::vector<std::string> arguments) const {
    if (arguments.empty() || arguments.front() != "help") return arguments;
    if (arguments.size() == 1) return std::vector<std::string>{"--help"};
    if (arguments.size() > 2) return UsageError("help takes one command");
    const std::string& topic = arguments[1];
    if (std::find(commands_.begin(), commands_.end(), topic) == commands_.end()) {
        return UsageError("unknown command '" + topic + "'");
    }
    return std::vector<std::string>{topic, "--help"};
}

}  // namespace audiogram::tool
