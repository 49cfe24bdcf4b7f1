#pragma once
// The AudMeasurementConditions element of one curve, written by the rows of
// kMeasurementConditionFields.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "export/export_context.h"
#include "records/counted_text.h"
#include "records/little_endian.h"

namespace audiogram {

// Writes the element for the TMeasCond at the start of `measCond`.
void WriteMeasurementConditions(ExportContext& context, ByteSpan measCond);

// Room for the text of a CountedText(15) field, held by the caller.
using CountedText15Units = std::array<char16_t, 16>;

// The text of a CountedText(15) field as WordListName and AuxiliaryParameterDescription
// are read, in `units`: none unless the count matches the text before the first 0 unit.
std::optional<std::u16string_view> ReadCountedText15(ByteSpan area, CountedTextField field,
                                                     CountedText15Units& units);

}  // namespace audiogram
