#pragma once
// One field of the record as the model's value: a number with its decimals, an enumeration
// name, or a text.

#include <optional>
#include <string>

#include "model/audiogram.h"
#include "model/field_rows.h"
#include "records/little_endian.h"

namespace audiogram::model {

// The value of `field` in `area` (measurement conditions or one point).
Value ReadValue(const AudiogramSchemaTable& table, ByteSpan area, const rows::FieldRow& field);

// Coded fields are 1 in the default state, values MissingValue and texts empty.
bool IsDefault(ByteSpan area, const rows::FieldRow& field);

// A text field holds a text when its count is 1 to its capacity; the text runs to its 0 unit.
std::optional<std::string> ReadText(ByteSpan area, CountedTextField field);

}  // namespace audiogram::model
