#pragma once
// audconv inspect FILE [--from auto|100|200|500] [--json]: what a record or document holds.

#include <string>

#include <CLI/CLI.hpp>

#include "verbosity_option.h"

namespace audiogram::tool {

class InspectCommand {
public:
    explicit InspectCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    Verbosity Level() const { return verbosity_.Level(); }
    int Run() const;

private:
    CLI::App* command_;
    VerbosityOption verbosity_;
    std::string input_;
    std::string from_ = "auto";
    bool json_ = false;
};

}  // namespace audiogram::tool
