#pragma once
// One curve slot as its curve element: the measurement conditions, then one points element
// per used point. A curve that keeps no point leaves nothing behind.

#include <cstdint>
#include <span>

#include "export/export_context.h"
#include "records/curve_layouts.h"
#include "records/little_endian.h"
#include "schema/field_rows.h"

namespace audiogram {

// `curveList` is the list of the curve element (its owner names the element); `pointFields`
// the rows of the curve's points.
void WriteCurve(ExportContext& context, std::int32_t curveList, ByteSpan curve, const CurveLayout& layout,
                std::span<const FieldRow> pointFields);

}  // namespace audiogram
