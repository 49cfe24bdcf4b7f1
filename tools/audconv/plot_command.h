#pragma once
// audconv plot FILE [-o chart.svg]: the pure-tone audiogram of a record or document as SVG.

#include <string>

#include <CLI/CLI.hpp>

#include "verbosity_option.h"

namespace audiogram::tool {

class PlotCommand {
public:
    explicit PlotCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    Verbosity Level() const { return verbosity_.Level(); }
    int Run() const;

private:
    CLI::App* command_;
    VerbosityOption verbosity_;
    std::string input_;
    std::string output_ = "-";
    std::string from_ = "auto";
    std::string title_;
    CLI::Option* titleOption_ = nullptr;  // given, even empty, it replaces the default title
};

}  // namespace audiogram::tool
