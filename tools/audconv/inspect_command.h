#pragma once
// audconv inspect FILE... [--from auto|100|200|500] [--recursive] [--summary]
// [--json|--jsonl|--csv]: what records and documents hold, as text or as tables.

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "frontend/inspect_output.h"
#include "verbosity_option.h"

namespace audiogram::tool {

class InspectCommand {
  public:
    explicit InspectCommand(CLI::App& app);

    bool Selected() const { return command_->parsed(); }
    Verbosity Level() const { return verbosity_.Level(); }
    int Run() const;

  private:
    frontend::InspectFormat Format() const;

    CLI::App* command_;
    VerbosityOption verbosity_;
    std::vector<std::string> inputs_;
    std::string from_ = "auto";
    bool recursive_ = false;
    bool summary_ = false;
    bool json_ = false;
    bool jsonl_ = false;
    bool csv_ = false;
};

}  // namespace audiogram::tool
