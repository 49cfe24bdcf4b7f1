#include "export/field_export.h"

#include <cstdint>
#include <string_view>

#include "export/measurement_conditions_export.h"
#include "export/notes_export.h"
#include "export/value_export.h"
#include "records/missing_value.h"
#include "xml/number_text.h"

namespace audiogram {
namespace {

// The leaf of a numeric row holding `stored`, in the row's form.
[[gnu::always_inline]] inline void WriteValue(ExportContext& context, const FieldRow& row,
                                              std::int16_t stored) {
    switch (row.form) {
        case FieldForm::Enumeration:
            WriteEnumElement(context, *row.tags, stored, row.table);
            return;
        case FieldForm::Scaled:
            WriteScaledElement(context, *row.tags, stored, row.decimals);
            return;
        case FieldForm::Integer:
            context.writer.WriteDecimalElement(*row.tags, stored, 0);
            return;
        case FieldForm::Text:
        case FieldForm::CalibrationDate:
        case FieldForm::FrequencyMask:
            return;  // not numbers: WriteFieldRows writes them by their own forms
    }
}

void WriteText(ExportContext& context, std::string_view name, ByteSpan area, const FieldRow& row) {
    const CountedTextField field = row.Text();
    if (row.rule == ExportRule::TextOf15WhenNotEmpty) {
        CountedText15Units units;
        const auto text = ReadCountedText15(area, field, units);
        if (text && !text->empty()) context.writer.WriteStringElement(name, *text);
        return;
    }
    // The count only decides whether the leaf is written; the text runs to its terminator.
    const std::uint16_t count = TextCount(area, field);
    if (count < 1 || count > field.capacity) return;
    context.writer.WriteStringElement(name, CountedTextUnits(area, field).View());
}

void WriteSetBits(ExportContext& context, const ElementTags& element, std::uint16_t mask) {
    for (std::uint32_t bit = 1; bit <= 0x8000u; bit <<= 1) {
        if ((mask & bit) == 0) continue;
        // Every bit value has a frequency name; the end mark's name would only show a broken table.
        context.writer.WriteElement(
            element, context.table.ReplacementName(EnumTable::Frequency, static_cast<std::int32_t>(bit)));
    }
}

// A negative value by its rule: its magnitude (32768 included, hence the wider type), or 0.
void WriteNegative(ExportContext& context, const FieldRow& row, std::int16_t stored) {
    context.writer.WriteComment(row.negativeComment);
    if (row.rule == ExportRule::MagnitudeOrZero) {
        context.writer.WriteDecimalElement(*row.tags, -std::int32_t{stored}, row.decimals);
    } else {
        WriteValue(context, row, 0);
    }
}

enum class Walk { Next, EndPoint };

[[gnu::always_inline]] inline Walk WriteNumber(ExportContext& context, ByteSpan area,
                                               std::span<const FieldRow> rows, std::size_t index) {
    const FieldRow& row = rows[index];
    const std::int16_t stored = LoadI16(area, row.offset);
    if (row.needsRowBefore && IsMissing(LoadI16(area, rows[index - 1].offset))) return Walk::Next;
    if (!IsMissing(stored)) {
        if (row.rule == ExportRule::WhenPresentNotOne && stored == 1) return Walk::Next;
        const bool mayBeNegative = row.rule == ExportRule::MagnitudeOrZero ||
                                   row.rule == ExportRule::NonNegativeOrZero ||
                                   row.rule == ExportRule::NonNegativeOrAllZero;
        if (mayBeNegative && stored < 0) {
            WriteNegative(context, row, stored);
        } else if (row.rule == ExportRule::MagnitudeOrZero) {
            context.writer.WriteDecimalElement(*row.tags, stored, row.decimals);
        } else {
            WriteValue(context, row, stored);
        }
        return Walk::Next;
    }
    switch (row.rule) {
        case ExportRule::AsStored:
            WriteValue(context, row, stored);
            return Walk::Next;
        case ExportRule::DefaultWhenMissing:
            context.writer.WriteComment(row.missingComment);
            context.writer.WriteElement(*row.tags, context.table.ReplacementName(row.table, row.defaultCode));
            return Walk::Next;
        case ExportRule::ZeroWhenMissing:
        case ExportRule::MagnitudeOrZero:
        case ExportRule::NonNegativeOrZero:
            context.writer.WriteComment(row.missingComment);
            WriteValue(context, row, 0);
            return Walk::Next;
        case ExportRule::NonNegativeOrAllZero:
            // The rows after it are not looked at: they stand as 0 too.
            context.writer.WriteComment(row.missingComment);
            for (std::size_t rest = index; rest < rows.size(); ++rest) {
                WriteValue(context, rows[rest], 0);
            }
            return Walk::EndPoint;
        default:
            return Walk::Next;  // WhenPresent, WhenPresentNotOne: a missing value writes nothing
    }
}

// Whether the point is written at all, by the rule of its first row (its key).
bool PointIsUsed(ByteSpan area, std::span<const FieldRow> rows) {
    const FieldRow& key = rows.front();
    const std::int16_t stored = LoadI16(area, key.offset);
    if (key.rule == ExportRule::PointKey) return !IsMissing(stored) && stored != 0;
    if (key.rule == ExportRule::SpeechPointKey) {
        return !IsMissing(stored) && (stored != 0 || LoadI16(area, rows[1].offset) != 0);
    }
    return true;
}

}  // namespace

void WriteFieldRows(ExportContext& context, ByteSpan area, std::span<const FieldRow> rows) {
    if (rows.empty() || !PointIsUsed(area, rows)) return;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const FieldRow& row = rows[index];
        switch (row.form) {
            case FieldForm::Text:
                WriteText(context, row.name, area, row);
                break;
            case FieldForm::CalibrationDate:
                WriteCalibrationDate(context, row.name, area, row);
                break;
            case FieldForm::FrequencyMask:
                WriteSetBits(context, *row.tags, LoadU16(area, row.offset));
                break;
            case FieldForm::Enumeration:
            case FieldForm::Scaled:
            case FieldForm::Integer:
                if (WriteNumber(context, area, rows, index) == Walk::EndPoint) return;
                break;
        }
    }
}

}  // namespace audiogram
