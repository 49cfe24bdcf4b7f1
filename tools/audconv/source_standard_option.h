#pragma once
// The --from option of the commands that read one input: a data standard code or "auto".

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "service/data_standard.h"

namespace audiogram::tool {

// A data standard as any 16-bit integer, so that the dispatcher itself answers for the ones it
// does not know. Only plain decimal with an optional '+' is accepted: "0100" is 100, not octal.
bool ParseDataStandard(const std::string& text, DataStandard& standard);

// Accepts "auto" or a 16-bit decimal integer.
const CLI::Validator& SourceStandardValidator();

// None for "auto"; the code otherwise (the text is checked by the validator).
std::optional<DataStandard> ToSourceStandard(const std::string& text);

}  // namespace audiogram::tool
