#include "export/value_export.h"

#include <array>

#include "xml/number_text.h"

namespace audiogram {
namespace {

constexpr std::array<float, 4> kPowersOfTen = {1.0f, 10.0f, 100.0f, 1000.0f};

}  // namespace

ShortText InvalidValueComment(std::string_view elementName, std::int32_t code) {
    ShortText text;
    text << elementName << " had an invalid value " << code << ", using default instead";
    return text;
}

void WriteEnumElement(ExportContext& context, const ElementTags& element, std::int32_t code, EnumTable table) {
    if (const auto name = context.table.NameOfCode(table, code)) {
        context.writer.WriteElement(element, *name);
        return;
    }
    context.writer.WriteComment(InvalidValueComment(element.Name(), code).View());
    context.writer.WriteElement(element, context.table.DefaultName(table));
}

float ScaledValue(std::int16_t stored, std::int32_t decimals) {
    const auto index = static_cast<std::size_t>(decimals);
    const float divisor = index < kPowersOfTen.size() ? kPowersOfTen[index] : 1.0f;
    return static_cast<float>(stored) / divisor;
}

void WriteScaledElement(ExportContext& context, const ElementTags& element, std::int16_t stored,
                        std::int32_t decimals) {
    // Written from the digits of the stored value: the same text as the single-precision
    // value gives (NumberText::Decimal), without formatting a floating-point number.
    if (decimals >= 0 && decimals <= NumberText::kMaxDecimalDecimals) {
        context.writer.WriteDecimalElement(element, stored, decimals);
        return;
    }
    context.writer.WriteElement(element, NumberText::Fixed(ScaledValue(stored, decimals), decimals).View());
}

}  // namespace audiogram
