#pragma once
// The walk of the export over the field rows of one structure (the measurement conditions,
// a point, a notes block, the tone-average masks): each row's leaf, written by its form and
// its export rule, in the rows' order.

#include <cstdint>
#include <span>

#include "export/export_context.h"
#include "records/little_endian.h"
#include "schema/field_rows.h"

namespace audiogram {

// Writes the leaves of `rows` for the structure at the start of `area`, each named by its
// row. A point whose key row (the first) says it is unused writes nothing.
void WriteFieldRows(ExportContext& context, ByteSpan area, std::span<const FieldRow> rows);

}  // namespace audiogram
