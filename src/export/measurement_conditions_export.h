#pragma once
// The AudMeasurementConditions element of one curve: which fields are written, in which
// order, and what stands in for a missing or invalid value.

#include <cstdint>
#include <optional>
#include <string>

#include "export/export_context.h"
#include "records/counted_text.h"
#include "records/little_endian.h"

namespace audiogram {

// Writes the element for the TMeasCond at the start of `measCond`. Returns 0.
std::int32_t WriteMeasurementConditions(ExportContext& context, ByteSpan measCond);

// The text of a CountedText(15) field as WordListName and AuxiliaryParameterDescription
// are read: none unless the count matches the text before the first 0 unit.
std::optional<std::u16string> ReadCountedText15(ByteSpan area, CountedTextField field);

}  // namespace audiogram
