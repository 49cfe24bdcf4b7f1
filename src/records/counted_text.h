#pragma once
// CountedText(N): a 16-bit count of UTF-16 code units, then N+1 little-endian units
// that hold the text and its terminating 0 unit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "records/little_endian.h"

namespace audiogram {

struct CountedTextField {
    std::size_t offset;    // of the count, from the start of the enclosing area
    std::size_t capacity;  // N: the most units of text the field holds

    constexpr std::size_t UnitsOffset() const { return offset + 2; }
    constexpr std::size_t UnitSlots() const { return capacity + 1; }
    constexpr std::size_t Size() const { return 2 + 2 * UnitSlots(); }
    constexpr std::size_t End() const { return offset + Size(); }
};

inline std::uint16_t TextCount(ByteSpan area, CountedTextField field) {
    return LoadU16(area, field.offset);
}

inline char16_t TextUnit(ByteSpan area, CountedTextField field, std::size_t index) {
    return static_cast<char16_t>(LoadU16(area, field.UnitsOffset() + 2 * index));
}

// The units up to the first 0 unit. A text without a terminator ends at the end of its
// own field: the read never runs on into the next field or past the record.
std::u16string ReadTextToTerminator(ByteSpan area, CountedTextField field);

// The longest text a counted field of the records holds (the notes texts).
inline constexpr std::size_t kLongestCountedText = 40;

// The same text read into a buffer of its own, for readers that allocate nothing.
class CountedTextUnits {
  public:
    CountedTextUnits(ByteSpan area, CountedTextField field);
    std::u16string_view View() const { return {units_.data(), length_}; }

  private:
    std::array<char16_t, kLongestCountedText + 1> units_;
    std::size_t length_ = 0;
};

// Stores a text cut to the field's capacity, sets the count to the stored length and
// puts a 0 unit after it. Units after the terminator are left as they are.
void WriteCountedText(MutableByteSpan area, CountedTextField field, std::u16string_view text);

}  // namespace audiogram
