// audconv: converts audiogram records and documents between data standards 100, 200 and 500.
// Each command lives in its own file; main only parses and hands over.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <optional>
#include <vector>

#include "convert_command.h"
#include "exit_codes.h"
#include "help_command.h"
#include "inspect_command.h"
#include "plot_command.h"
#include "support/configuration.h"

namespace {

std::string UsageFailureMessage(const CLI::App* app, const CLI::Error& error) {
    return "audconv: " + std::string(error.what()) + "\nRun '" + app->get_name() + " --help' for more information.\n";
}

int UsageError(const std::string& message, const std::string& helpCommand) {
    std::cerr << "audconv: " << message << "\nRun '" << helpCommand << " --help' for more information.\n";
    return audconv::kExitUsage;
}

// Arguments nobody took: CLI11 keeps them as extras, so that they are named here instead of
// hiding behind a missing option or command.
int UnknownArgument(const CLI::App& app) {
    for (const CLI::App* command : app.get_subcommands()) {
        if (command->remaining().empty()) continue;
        const std::string first = command->remaining().front();
        const std::string kind = first.starts_with("-") ? "option" : "argument";
        return UsageError("unknown " + kind + " '" + first + "'", "audconv " + command->get_name());
    }
    const std::string first = app.remaining().front();
    const std::string kind = first.starts_with("-") ? "option" : "command";
    return UsageError("unknown " + kind + " '" + first + "'", "audconv");
}

bool HasUnknownArgument(const CLI::App& app) {
    if (!app.remaining().empty()) return true;
    for (const CLI::App* command : app.get_subcommands()) {
        if (!command->remaining().empty()) return true;
    }
    return false;
}

// The configuration's report lines are for whoever sets up the legal characters; a user sees
// them on standard error with --verbose only (standard output carries results).
template <typename Command>
int RunQuietUnlessVerbose(const Command& command) {
    const bool verbose = command.Level() == audiogram::tool::Verbosity::Verbose;
    audiogram::SetValidCharReportStream(verbose ? &std::cerr : nullptr);
    return command.Run();
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Converts audiogram records and documents between data standards 100, 200 and 500.",
                 "audconv");
    app.set_version_flag("--version", "audconv " AUDCONV_VERSION);
    app.set_help_all_flag("--help-all", "Print the help of every command and exit");
    app.allow_extras();
    app.footer("Exit status: 0 done; 1 a conversion or a file failed; 2 the command line was not understood.\n"
               "Run 'audconv help COMMAND' or 'audconv COMMAND --help' for the options of one command.");
    app.failure_message(UsageFailureMessage);

    const audconv::ConvertCommand convert(app);
    const audiogram::tool::InspectCommand inspect(app);
    const audiogram::tool::PlotCommand plot(app);
    const audiogram::tool::HelpCommand help(app);
    for (CLI::App* command : app.get_subcommands({})) command->allow_extras();

    std::optional<std::vector<std::string>> arguments = help.AsHelpOption({argv + 1, argv + argc});
    if (!arguments) return audconv::kExitUsage;
    std::reverse(arguments->begin(), arguments->end());  // CLI11 takes the words last first
    try {
        app.parse(*arguments);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);  // prints help, the version or the usage error
        return code == 0 ? audconv::kExitSuccess : audconv::kExitUsage;
    }
    if (HasUnknownArgument(app)) return UnknownArgument(app);
    if (convert.Selected()) return RunQuietUnlessVerbose(convert);
    if (inspect.Selected()) return RunQuietUnlessVerbose(inspect);
    if (plot.Selected()) return RunQuietUnlessVerbose(plot);
    return UsageError("a command is required: convert, inspect, plot or help", "audconv");
}
