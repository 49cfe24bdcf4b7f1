#pragma once
// The value forms shared by the point and condition writers: enumeration names with the
// invalid-value comment, and fixed-point numbers written with their count of decimals.

#include <cstdint>
#include <string_view>

#include "export/export_context.h"
#include "export/short_text.h"

namespace audiogram {

// "<element> had an invalid value <code>, using default instead"
ShortText InvalidValueComment(std::string_view elementName, std::int32_t code);

// The leaf with the name of `code`; a code the table lacks gives the invalid-value comment
// and the name of the table's first entry.
void WriteEnumElement(ExportContext& context, const ElementTags& element, std::int32_t code, EnumTable table);

// The stored value divided by 10 to the power `decimals` in single precision, as the
// record's fixed-point numbers have always been read.
float ScaledValue(std::int16_t stored, std::int32_t decimals);

// A leaf holding the scaled value with exactly `decimals` digits after the point.
void WriteScaledElement(ExportContext& context, const ElementTags& element, std::int16_t stored,
                        std::int32_t decimals);

}  // namespace audiogram
