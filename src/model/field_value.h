#pragma once
// One field of the record as the model's value: a number with the decimals its scale gives,
// an enumeration name, or a text.

#include <optional>
#include <string>

#include "model/audiogram.h"
#include "records/counted_text.h"
#include "records/little_endian.h"
#include "schema/field_rows.h"

namespace audiogram::model {

// The value of `field` in `area` (measurement conditions or one point).
Value ReadValue(const AudiogramSchemaTable& table, ByteSpan area, const FieldRow& field);

// Coded fields are 1 in the default state, values MissingValue and texts empty.
bool IsDefault(ByteSpan area, const FieldRow& field);

// A text field holds a text when its count is 1 to its capacity; the text runs to its 0 unit.
std::optional<std::string> ReadText(ByteSpan area, CountedTextField field);

}  // namespace audiogram::model
