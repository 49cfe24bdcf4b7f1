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

}  // namespace

int main(int argc, char** argv) {
    // standard output carries result bytes only: the configuration's report lines go to
    // standard error
    audiogram::SetValidCharReportStream(&std::cerr);
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
    if (convert.Selected() && convert.Quiet()) audiogram::SetValidCharReportStream(nullptr);
    if (convert.Selected()) return convert.Run();
    if (inspect.Selected()) return inspect.Run();
    if (plot.Selected()) return plot.Run();
    return audconv::kExitUsage;
}
