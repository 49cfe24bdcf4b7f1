#include "model/field_value.h"

#include <cstdlib>

#include "records/missing_value.h"
#include "xml/text_legality.h"

namespace audiogram::model {
namespace {

// The stored integer divided by 10 to the power `decimals`, written with exactly that many
// digits after the point; done in integers so no rounding can change a digit.
Value Decimals(std::int16_t stored, int decimals) {
    const int magnitude = std::abs(static_cast<int>(stored));
    int scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    // built by appending: g++ 12 at -O2 warns falsely (-Wrestrict) about "literal" + temporary
    std::string text = stored < 0 ? "-" : "";
    text.append(std::to_string(magnitude / scale));
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % scale);
        fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text.append(".").append(fraction);
    }
    return {Value::Kind::Number, static_cast<double>(stored) / scale, std::move(text)};
}

}  // namespace

std::optional<std::string> ReadText(ByteSpan area, CountedTextField field) {
    const std::uint16_t count = TextCount(area, field);
    if (count == 0 || count > field.capacity) return std::nullopt;
    return WideToUtf8(ReadTextToTerminator(area, field)).value_or(std::string());
}

Value ReadValue(const AudiogramSchemaTable& table, ByteSpan area, const FieldRow& field) {
    if (field.form == FieldForm::Text) {
        return {Value::Kind::Text, 0, ReadText(area, field.Text()).value_or(std::string())};
    }
    const std::int16_t stored = LoadI16(area, field.offset);
    if (IsMissing(stored)) return {};
    if (field.form != FieldForm::Enumeration) {
        return Decimals(stored, field.form == FieldForm::Scaled ? field.decimals : 0);
    }
    if (auto name = table.NameOfCode(field.table, stored)) return {Value::Kind::Name, static_cast<double>(stored), std::string(*name)};
    return {Value::Kind::InvalidCode, static_cast<double>(stored), std::to_string(stored)};
}

bool IsDefault(ByteSpan area, const FieldRow& field) {
    switch (field.form) {
        case FieldForm::Text: return TextCount(area, field.Text()) == 0;
        case FieldForm::Enumeration: return LoadI16(area, field.offset) == 1;
        default: return IsMissing(LoadI16(area, field.offset));
    }
}

}  // namespace audiogram::model
