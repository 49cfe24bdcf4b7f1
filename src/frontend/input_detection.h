#pragma once
// Which data standard an input holds, judged from its bytes alone (--from auto): a
// document is text that opens with '<' after an optional UTF-8 byte-order mark and
// optional white space; a binary record is known by its exact size. A record followed by
// extension bytes has no size of its own and is not recognised: it needs --from.
// Part of the front-end layer: the tool, a binding and a browser page tell inputs apart
// and name outputs by these same rules.

#include <optional>
#include <string>

#include "records/little_endian.h"
#include "service/data_standard.h"

namespace audiogram::frontend {

std::optional<DataStandard> DetectDataStandard(ByteSpan bytes);

// Why an input was not recognised, for the user.
std::string UndetectedReason(std::size_t size);


}  // namespace audiogram::frontend
