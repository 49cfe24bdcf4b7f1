#include "import/leaf_values.h"

#include <cmath>
#include <limits>

#include "import/leading_float.h"
#include "import/single_byte_text.h"

namespace audiogram {

std::int16_t ScanScaledValue(std::u16string_view text, std::int32_t scale) {
    // A unit outside ASCII becomes '?', which ends the number like any other non-digit.
    const float value = ReadLeadingFloat(SingleByteText(text).View());
    const float scaled = value * static_cast<float>(scale);
    const double rounded = std::floor(static_cast<double>(scaled) + 0.5);

    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    // The range test comes first so that the conversion below is always defined.
    const std::int32_t whole = (std::isnan(rounded) || rounded < kLowest || rounded > kHighest)
                                   ? std::numeric_limits<std::int32_t>::min()
                                   : static_cast<std::int32_t>(rounded);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(whole) & 0xFFFFu));
}

std::int32_t FindEnumCode(const AudiogramSchemaTable& schema, EnumTable table, std::u16string_view text) {
    return schema.CodeOfName(table, SingleByteText(text).View());
}

}  // namespace audiogram
