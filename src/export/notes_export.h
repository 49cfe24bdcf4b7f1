#pragma once
// The leaves of a ToneNotes or SpeechNotes block, and the tone-average frequency masks.

#include <cstdint>
#include <string_view>

#include "export/export_context.h"
#include "records/little_endian.h"

namespace audiogram {

// Writes the leaves of the TAudiometerNotes block at the start of `block`, with the names
// of `notesList` (ToneNotes or SpeechNotes). The caller opens and closes the element.
std::int32_t WriteNotes(ExportContext& context, std::int32_t notesList, ByteSpan block);

// Writes FrequenciesUsedForToneAverage for the four masks at the start of `masks`; nothing
// when all four are 0.
std::int32_t WriteToneAverageFrequencies(ExportContext& context, ByteSpan masks);

// True when every character is one of 0 to 9; true for an empty text.
bool IsDigits(std::u16string_view text);

}  // namespace audiogram
