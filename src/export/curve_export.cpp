#include "export/curve_export.h"

#include "export/field_export.h"
#include "export/measurement_conditions_export.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "schema/section_rows.h"

namespace audiogram {

void WriteCurve(ExportContext& context, std::int32_t curveList, ByteSpan curve, const CurveLayout& layout,
                std::span<const FieldRow> pointFields) {
    // An unused slot leaves no trace, whatever its points hold.
    if (IsEmptyMeasCond(curve)) return;

    XmlWriter& writer = context.writer;
    writer.PushElement(context.Name(curveList, 0));
    WriteMeasurementConditions(context, curve);

    const std::string_view pointsName = context.Name(curveList, kCurvePointsPosition);
    bool keptPoint = false;
    // The first point whose first field is missing ends the curve; a full array has no end mark.
    for (std::size_t index = 0; index < layout.pointCount; ++index) {
        const ByteSpan point = curve.subspan(layout.PointOffset(index), layout.PointSize());
        if (IsMissing(LoadI16(point, 0))) break;
        writer.PushElement(pointsName);
        WriteFieldRows(context, point, pointFields);
        keptPoint = writer.PopElement(true) || keptPoint;
    }

    // Conditions alone are no curve: without a kept point the whole element goes.
    if (keptPoint) {
        writer.PopElement(true);
    } else {
        writer.CancelElement();
    }
}

}  // namespace audiogram
