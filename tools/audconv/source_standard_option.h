#pragma once
// The --from option of the commands that read one input: a data standard code or "auto".

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "service/data_standard.h"

namespace audiogram::tool {

// Accepts "auto" or a 16-bit decimal integer.
const CLI::Validator& SourceStandardValidator();

// None for "auto"; the code otherwise (the text is checked by the validator).
std::optional<DataStandard> ToSourceStandard(const std::string& text);

}  // namespace audiogram::tool
