#pragma once
// The reading of inspect and plot: a file (or standard input) made a 200 record.

#include <optional>
#include <string>

#include "frontend/record_loading.h"

namespace audiogram::tool {

using frontend::LoadedRecord;

// The file `input` ('-' is standard input) read and made a 200 record, `from` the --from
// text. A record that cannot be made gives none, with one line on standard error; a file that
// cannot be read throws audconv::FileError.
std::optional<LoadedRecord> ReadAsRecord200(const std::string& input, const std::string& from);

}  // namespace audiogram::tool
