#pragma once
// The leaves of a ToneNotes or SpeechNotes block, and the tone-average frequency masks.

#include <cstdint>
#include <string_view>

#include "export/export_context.h"
#include "records/little_endian.h"
#include "schema/field_rows.h"

namespace audiogram {

// Writes the leaves of the TAudiometerNotes block at the start of `block`. The caller opens
// and closes the element (ToneNotes or SpeechNotes).
void WriteNotes(ExportContext& context, ByteSpan block);

// Writes FrequenciesUsedForToneAverage for the four masks at the start of `masks`; nothing
// when all four are 0.
void WriteToneAverageFrequencies(ExportContext& context, ByteSpan masks);

// The calibration date of the notes block at the start of `block` as the leaf `name`, by its
// row: the date checked (a comment instead when it does not begin with one), completed with
// midnight when bare, then the zone.
void WriteCalibrationDate(ExportContext& context, std::string_view name, ByteSpan block, const FieldRow& row);

// True when every character is one of 0 to 9; true for an empty text.
bool IsDigits(std::u16string_view text);

}  // namespace audiogram
