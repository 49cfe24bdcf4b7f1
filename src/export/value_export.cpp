#include "export/value_export.h"

#include <array>

namespace audiogram {
namespace {

constexpr std::array<float, 4> kPowersOfTen = {1.0f, 10.0f, 100.0f, 1000.0f};

}  // namespace

std::string InvalidValueComment(std::string_view elementName, std::int32_t code) {
    std::string text(elementName);
    text += " had an invalid value ";
    text += std::to_string(code);
    text += ", using default instead";
    return text;
}

void WriteEnumElement(ExportContext& context, std::string_view elementName, std::int32_t code, EnumTable table) {
    if (const auto name = context.table.NameOfCode(table, code)) {
        context.writer.WriteElement(elementName, *name);
        return;
    }
    context.writer.WriteComment(InvalidValueComment(elementName, code));
    context.writer.WriteElement(elementName, context.table.DefaultName(table));
}

float ScaledValue(std::int16_t stored, std::int32_t decimals) {
    const auto index = static_cast<std::size_t>(decimals);
    const float divisor = index < kPowersOfTen.size() ? kPowersOfTen[index] : 1.0f;
    return static_cast<float>(stored) / divisor;
}

void WriteScaledElement(ExportContext& context, std::string_view elementName, std::int16_t stored,
                        std::int32_t decimals) {
    context.writer.WriteDoubleElement(elementName, ScaledValue(stored, decimals), decimals);
}

}  // namespace audiogram
