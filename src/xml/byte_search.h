#pragma once
// Byte work on document text eight bytes at a time, in plain portable arithmetic on 64-bit
// words: finding the first of a few stop bytes (telling on the way whether the bytes before
// it are all ASCII), and comparing short names without a library call. The import scans
// names and element text with these and looks names up in the schema table with them.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace audiogram {

struct ByteSearch {
    std::size_t at;  // of the first stop byte, or the text's size when there is none
    bool ascii;      // every byte before `at` is below 0x80
};

namespace byte_search {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The high bit of every byte of `word` that equals `stop`. A borrow can mark a byte above a
// true match as well, never one below it, so the lowest mark is always right.
constexpr std::uint64_t Marks(std::uint64_t word, char stop) {
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(stop));
    return (x - kOnes) & ~x & kHighBits;
}

// The index, in text order, of the byte of the lowest mark.
inline std::size_t FirstMarked(std::uint64_t marks) {
    if constexpr (std::endian::native == std::endian::little) {
        return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
    } else {
        return static_cast<std::size_t>(std::countl_zero(marks)) / 8;
    }
}

// The bytes of `word` that stand before text index `index`.
inline std::uint64_t Before(std::uint64_t word, std::size_t index) {
    if (index == 0) return 0;
    const std::uint64_t low = ~std::uint64_t{0} >> (64 - 8 * index);
    return std::endian::native == std::endian::little ? word & low
                                                      : word & ~(~std::uint64_t{0} >> (8 * index));
}

inline std::uint64_t Load(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

}  // namespace byte_search

// Whether two texts are equal; names are short, so this beats a call of memcmp.
inline bool SameText(std::string_view left, std::string_view right) {
    using byte_search::Load;
    const std::size_t size = left.size();
    if (size != right.size()) return false;
    if (size < 8) {
        for (std::size_t i = 0; i < size; ++i) {
            if (left[i] != right[i]) return false;
        }
        return true;
    }
    for (std::size_t i = 0; i + 8 < size; i += 8) {
        if (Load(left.data() + i) != Load(right.data() + i)) return false;
    }
    return Load(left.data() + size - 8) == Load(right.data() + size - 8);
}

// Inlined into its callers: the import runs it on the text of nearly every element.
template <char... Stops>
[[gnu::always_inline]] inline ByteSearch FindFirstOf(std::string_view text, std::size_t from) {
    using namespace byte_search;
    std::uint64_t seen = 0;
    for (; from + 8 <= text.size(); from += 8) {
        const std::uint64_t word = Load(text.data() + from);
        const std::uint64_t marks = (Marks(word, Stops) | ...);
        if (marks != 0) {
            const std::size_t index = FirstMarked(marks);
            seen |= Before(word, index);
            return {from + index, (seen & kHighBits) == 0};
        }
        seen |= word;
    }
    for (; from < text.size(); ++from) {
        const char byte = text[from];
        if (((byte == Stops) || ...)) break;
        seen |= static_cast<unsigned char>(byte);
    }
    return {from, (seen & kHighBits) == 0};
}

}  // namespace audiogram
