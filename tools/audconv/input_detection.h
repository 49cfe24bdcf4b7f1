#pragma once
// Which data standard an input holds, judged from its bytes alone (--from auto): a
// document is text that opens with '<' after an optional UTF-8 byte-order mark and
// optional white space; a binary record is known by its exact size. A record followed by
// extension bytes has no size of its own and is not recognised: it needs --from.

#include <optional>
#include <string>

#include "records/little_endian.h"
#include "service/data_standard.h"

namespace audiogram::tool {

std::optional<DataStandard> DetectDataStandard(ByteSpan bytes);

// Why an input was not recognised, for the user.
std::string UndetectedReason(std::size_t size);

// The file suffix of a data standard's files (".ds100", ".ds200", ".xml"), or ".dsN" for
// any other code.
std::string SuffixOf(DataStandard standard);

// The data standard a file suffix stands for, compared without regard to case.
std::optional<DataStandard> StandardOfSuffix(std::string suffix);

}  // namespace audiogram::tool
