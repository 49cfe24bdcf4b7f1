#include "verbosity_option.h"

namespace audiogram::tool {

void VerbosityOption::AddTo(CLI::App& command) {
    CLI::Option* quiet =
        command.add_flag("-q,--quiet", quiet_, "Print only failures: no warnings, progress or summary (default: off)");
    command
        .add_flag("-v,--verbose", verbose_,
                  "Also print the configuration's report lines and, in a batch, a line for every file "
                  "(default: off)")
        ->excludes(quiet);
}

Verbosity VerbosityOption::Level() const {
    if (quiet_) return Verbosity::Quiet;
    return verbose_ ? Verbosity::Verbose : Verbosity::Normal;
}

}  // namespace audiogram::tool
