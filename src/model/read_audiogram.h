#pragma once
// Reads the audiogram of a 200 record into the model.

#include <optional>

#include "model/audiogram.h"
#include "records/little_endian.h"

namespace audiogram::model {

// The sections, notes and tone-average frequencies of a 200 record; none when `record200`
// is shorter than a record (36128 bytes). Bytes after the record are not read. The
// problems stay empty: they come from the export's document (ExportProblems).
std::optional<Audiogram> ReadAudiogram(ByteSpan record200);

}  // namespace audiogram::model
