#pragma once
// The point writers: each turns one point of a curve into the leaves of the points element
// that the curve walk has opened, replacing missing or negative values by defaults with a
// comment. A writer that writes nothing lets the walk drop the point.

#include <cstdint>

#include "export/export_context.h"
#include "records/little_endian.h"

namespace audiogram {

// `pointsList` is the list of the points element (it names the leaves); `point` starts at
// the point's first field. Every writer returns 0.
using PointWriter = std::int32_t (*)(ExportContext& context, std::int32_t pointsList, ByteSpan point);

std::int32_t WriteTonePoint(ExportContext& context, std::int32_t pointsList, ByteSpan point);
std::int32_t WriteSpeechPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point);
std::int32_t WriteDecayPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point);
// Difference-limen points; ModulationSize is stored in tenths (intensity curves) or
// hundredths (frequency curves), and written with as many decimals.
std::int32_t WriteDifferenceLimenPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point,
                                       std::int32_t modulationDecimals);
std::int32_t WriteDifferenceLimenIntensityPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point);
std::int32_t WriteDifferenceLimenFrequencyPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point);
std::int32_t WriteSiSiPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point);

}  // namespace audiogram
