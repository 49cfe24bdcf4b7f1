#include "support/valid_characters.h"

#include <algorithm>

#include "support/leading_integer.h"
#include "support/message_format.h"

namespace audiogram {
namespace {

constexpr std::size_t kMaxDigits = 1023;  // the digit texts were 1024-byte buffers
constexpr std::int32_t kHighestCode = 0xFFFF;

// The digits of one field of a token: how many were taken and their saturated value.
struct DigitField {
    std::size_t digits = 0;
    std::int32_t value = 0;

    std::int32_t ValueOrMissing() const { return digits == 0 ? -1 : value; }
};

ValidCharRange ParseToken(std::string_view token) {
    DigitField low, high;
    DigitField* field = &low;
    for (char c : token) {
        if (c == '-') {
            field = &high;
        } else if (c >= '0' && c <= '9') {
            if (field->digits == kMaxDigits) break;
            ++field->digits;
            field->value = AppendDecimalDigit(field->value, c - '0');
        }
    }
    return {low.ValueOrMissing(), high.ValueOrMissing()};
}

}  // namespace

void ValidCharTable::Add(ValidCharRange range) {
    if (Full()) return;
    entries_[count_++] = range;
    const std::int32_t first = std::max(range.low, 0);
    const std::int32_t last = range.high == -1 ? range.low : std::min(range.high, kHighestCode);
    if (range.high == -1 && (range.low < 0 || range.low > kHighestCode)) return;
    for (std::int32_t code = first; code <= last; ++code) legal_.set(static_cast<std::size_t>(code));
}

ValidCharTable ParseValidCharacters(std::string_view list, std::ostream* report) {
    ValidCharTable table;
    std::size_t position = 0;
    while (!table.Full()) {
        position = list.find_first_not_of(',', position);
        if (position == std::string_view::npos) break;
        const std::size_t end = std::min(list.find(',', position), list.size());
        const std::string_view token = list.substr(position, end - position);
        position = end;

        const ValidCharRange range = ParseToken(token);
        if (report != nullptr)
            *report << FormatText("token %s, low %d, hight %d\n", token, range.low, range.high);
        table.Add(range);
    }
    return table;
}

}  // namespace audiogram
