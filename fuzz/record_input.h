#pragma once
// Fuzz inputs that mostly describe changes to a valid 200 record, so that typical inputs make
// typical documents, with a share of raw bytes for what no field row describes. The first
// byte picks the form: below kFirstPatchedInput the rest of the input is the record's bytes as
// they stand; else a base record of the shared record sets (empty, typical, every section)
// and the rest a run of patches onto it, each
//
//     section, slot, point (kConditions: the measurement conditions), field, value bytes
//
// found through the schema's section and field rows: each selector byte is taken modulo the
// count it picks among, so every input means a record; the value fills the field's width.
// The extension section's patches are a length byte and bytes, the extension data after the record.

#include <cstdint>
#include <string_view>
#include <vector>

#include "records/little_endian.h"

namespace audiogram::fuzz {

inline constexpr std::uint8_t kFirstPatchedInput = 0x20;  // an eighth of the first bytes mean raw input
inline constexpr std::uint8_t kConditions = 0xFF;         // the point byte of a conditions patch
inline constexpr std::uint8_t kBaseRecordCount = 3;       // empty, typical, every section

inline bool IsRawRecordInput(ByteSpan input) { return input.empty() || input[0] < kFirstPatchedInput; }

// The record an input describes: its raw bytes (any length), or the patched base record.
std::vector<std::uint8_t> RecordFromInput(ByteSpan input);

// The inputs of the seed corpora: raw record bytes, and a base record with no patch but its
// extension data.
std::vector<std::uint8_t> RawRecordInput(ByteSpan record);
std::vector<std::uint8_t> BaseRecordInput(std::uint8_t base, std::string_view extension = {});

}  // namespace audiogram::fuzz
