#include "export/curve_export.h"

#include "export/measurement_conditions_export.h"
#include "schema/schema_positions.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"

namespace audiogram {

std::int32_t WriteCurve(ExportContext& context, std::int32_t curveList, ByteSpan curve, const CurveLayout& layout,
                        PointWriter writePoint) {
    // An unused slot leaves no trace, whatever its points hold.
    if (IsEmptyMeasCond(curve)) return 0;

    XmlWriter& writer = context.writer;
    writer.PushElement(context.Name(curveList, 0));
    std::int32_t status = WriteMeasurementConditions(context, curve);
    if (status != 0) {
        writer.CancelElement();
        return status;
    }

    const std::int32_t pointsList = context.ListOf(curveList, schema::curve::kPoints);
    const std::string_view pointsName = context.Name(curveList, schema::curve::kPoints);
    bool keptPoint = false;
    // The first point whose first field is missing ends the curve; a full array has no end mark.
    for (std::size_t index = 0; index < layout.pointCount && status == 0; ++index) {
        const ByteSpan point = curve.subspan(layout.PointOffset(index), layout.PointSize());
        if (IsMissing(LoadI16(point, 0))) break;
        writer.PushElement(pointsName);
        status = writePoint(context, pointsList, point);
        keptPoint = writer.PopElement(true) || keptPoint;
    }

    // Conditions alone are no curve: without a kept point the whole element goes.
    if (keptPoint) {
        writer.PopElement(true);
    } else {
        writer.CancelElement();
    }
    return status;
}

}  // namespace audiogram
