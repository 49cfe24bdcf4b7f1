#pragma once
// One curve slot as its curve element: the measurement conditions, then one points element
// per used point. A curve that keeps no point leaves nothing behind.

#include <cstdint>

#include "export/export_context.h"
#include "export/point_export.h"
#include "records/curve_layouts.h"
#include "records/little_endian.h"

namespace audiogram {

// `curveList` is the list of the curve element (its owner names the element, position 2
// names the points element). Returns 0, or the first non-zero status of a writer.
std::int32_t WriteCurve(ExportContext& context, std::int32_t curveList, ByteSpan curve, const CurveLayout& layout,
                        PointWriter writePoint);

}  // namespace audiogram
