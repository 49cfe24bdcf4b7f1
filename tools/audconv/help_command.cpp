#include "help_command.h"

#include <iostream>

#include "exit_codes.h"

namespace audiogram::tool {

HelpCommand::HelpCommand(CLI::App& app)
    : app_(&app), command_(app.add_subcommand("help", "Show the help of audconv or of one command.")) {
    command_->add_option("COMMAND", topic_, "The command to explain: convert, inspect or plot (default: none, all)")
        ->option_text(" ");
}

int HelpCommand::Run() const {
    if (topic_.empty()) {
        std::cout << app_->help();
        return audconv::kExitSuccess;
    }
    for (const CLI::App* command : app_->get_subcommands({})) {
        if (command->get_name() == topic_ && command != command_) {
            std::cout << command->help();
            return audconv::kExitSuccess;
        }
    }
    std::cerr << "audconv: unknown command '" << topic_ << "'\nRun 'audconv --help' for more information.\n";
    return audconv::kExitUsage;
}

}  // namespace audiogram::tool
