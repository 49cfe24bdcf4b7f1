// audconv: converts audiogram records and documents between data standards 100, 200 and 500.
// Each command lives in its own file; main only parses and hands over.

#include <CLI/CLI.hpp>

#include <iostream>

#include "convert_command.h"
#include "exit_codes.h"
#include "inspect_command.h"
#include "plot_command.h"
#include "support/configuration.h"

namespace {

std::string UsageFailureMessage(const CLI::App* app, const CLI::Error& error) {
    return "audconv: " + std::string(error.what()) + "\nRun '" + app->get_name() + " --help' for more information.\n";
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
    app.require_subcommand(1);
    app.failure_message(UsageFailureMessage);

    const audconv::ConvertCommand convert(app);
    const audiogram::tool::InspectCommand inspect(app);
    const audiogram::tool::PlotCommand plot(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);  // prints help, the version or the usage error
        return code == 0 ? audconv::kExitSuccess : audconv::kExitUsage;
    }
    if (convert.Selected()) return RunQuietUnlessVerbose(convert);
    if (inspect.Selected()) return RunQuietUnlessVerbose(inspect);
    if (plot.Selected()) return RunQuietUnlessVerbose(plot);
    return audconv::kExitUsage;
}
