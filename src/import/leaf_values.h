#pragma once
// The conversions that turn the text of a leaf element into a record value: a scaled
// number and the code of an enumeration name. (Texts are stored with WriteCountedText.)

#include <cstdint>
#include <string_view>

#include "schema/schema_table.h"
#include "import/leaf_text.h"

namespace audiogram {

// The number at the start of the text (read like strtof; no number reads as 0) times
// `scale` in single precision, rounded half up in double precision, as the low 16 bits of
// the 32-bit result. A product outside the 32-bit range, or NaN, is -2147483648 first, so
// its low 16 bits store 0.
std::int16_t ScanScaledValue(std::u16string_view text, std::int32_t scale);
std::int16_t ScanScaledValue(const LeafText& text, std::int32_t scale);

// The code of the first entry of `table` whose name equals the text byte for byte, or the
// code of the table's first entry when no entry has that name.
std::int32_t FindEnumCode(EnumTable table, std::u16string_view text);
std::int32_t FindEnumCode(EnumTable table, const LeafText& text);

}  // namespace audiogram
