#include "export/measurement_conditions_export.h"

#include "export/field_export.h"
#include "records/meas_cond_layout.h"
#include "schema/field_rows.h"

namespace audiogram {

void WriteMeasurementConditions(ExportContext& context, ByteSpan measCond) {
    constexpr std::int32_t list = field_rows::kMeasurementConditionsList;
    context.writer.PushElement(context.Name(list, 0));
    WriteFieldRows(context, measCond, kMeasurementConditionFields);
    context.writer.PopElement(true);
}

std::optional<std::u16string_view> ReadCountedText15(ByteSpan area, CountedTextField field,
                                                     CountedText15Units& units) {
    // u0 is the count, u1 to u16 the text units: 17 units, all inside the field.
    const std::size_t textUnits = field.UnitSlots();
    const auto unit = [&](std::size_t index) {
        return static_cast<char16_t>(LoadU16(area, field.offset + 2 * index));
    };
    if (unit(0) == 0) return std::nullopt;
    // A length in the last unit puts the text's start at the count unit.
    const bool lengthAtEnd = unit(textUnits) != 0;
    const std::size_t length = lengthAtEnd ? unit(textUnits) : unit(0);
    const std::size_t begin = lengthAtEnd ? 0 : 1;

    static_assert(meas_cond::kWordListName.capacity + 1 <= std::tuple_size_v<CountedText15Units>);
    if (textUnits > units.size()) return std::nullopt;
    for (std::size_t i = 0; i < textUnits; ++i) {
        const char16_t c = unit(begin + i);
        if (c == 0) {
            if (i != length || length >= textUnits) return std::nullopt;
            return std::u16string_view(units.data(), i);
        }
        units[i] = c;
    }
    return std::nullopt;  // no terminator in the units that may hold the text
}

}  // namespace audiogram
