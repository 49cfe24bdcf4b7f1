#include "records/counted_text.h"

#include <algorithm>
#include <cassert>

namespace audiogram {

std::u16string ReadTextToTerminator(ByteSpan area, CountedTextField field) {
    std::u16string text;
    for (std::size_t i = 0; i < field.UnitSlots(); ++i) {
        const char16_t unit = TextUnit(area, field, i);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

CountedTextUnits::CountedTextUnits(ByteSpan area, CountedTextField field) {
    assert(field.UnitSlots() <= units_.size());
    const std::size_t slots = std::min(field.UnitSlots(), units_.size());
    for (; length_ < slots; ++length_) {
        const char16_t unit = TextUnit(area, field, length_);
        if (unit == 0) break;
        units_[length_] = unit;
    }
}

void WriteCountedText(MutableByteSpan area, CountedTextField field, std::u16string_view text) {
    const std::size_t length = std::min(text.size(), field.capacity);
    for (std::size_t i = 0; i < length; ++i) {
        StoreU16(area, field.UnitsOffset() + 2 * i, text[i]);
    }
    StoreU16(area, field.UnitsOffset() + 2 * length, 0);
    StoreU16(area, field.offset, static_cast<std::uint16_t>(length));
}

}  // namespace audiogram
