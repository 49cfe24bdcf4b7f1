#pragma once
// audconv plot FILE [-o chart.svg]: the pure-tone audiogram of a record or document as SVG.

#include <string>

#include <CLI/CLI.hpp>

namespace audiogram::tool {

class PlotCommand {
public:
    explicit PlotCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    int Run() const;

private:
    CLI::App* command_;
    std::string input_;
    std::string output_ = "-";
    std::string from_ = "auto";
    std::string title_;
};

}  // namespace audiogram::tool
