#pragma once
// Step-by-step UTF-8 and UTF-16 decoding and encoding with the replacement rules of the
// platform's code-page functions (no flags): every ill-formed piece of input becomes
// U+FFFD. For UTF-8 that piece is the maximal subpart of an ill-formed sequence: the
// longest start of a well-formed sequence, or a single byte that cannot start one. So
// "E2 82 41" gives U+FFFD 'A', "ED A0 80" (an encoded surrogate) gives three U+FFFD and a
// sequence cut short by the end of the text gives one. For UTF-16 a surrogate that is not
// part of a high-low pair becomes U+FFFD.

#include <cstddef>
#include <string_view>

namespace audiogram {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct DecodedCharacter {
    char32_t code;
    bool wellFormed;  // false: code is U+FFFD standing for an ill-formed piece
};

// Decodes the character that begins at bytes[position] and moves position past it.
inline DecodedCharacter DecodeUtf8(std::string_view bytes, std::size_t& position) {
    const auto byteAt = [&bytes](std::size_t index) { return static_cast<unsigned char>(bytes[index]); };
    const unsigned char lead = byteAt(position++);
    if (lead < 0x80) return {lead, true};

    std::size_t continuations = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        code = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        code = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing beyond U+10FFFF
    } else {
        return {kReplacementCharacter, false};
    }
    for (std::size_t i = 0; i < continuations; ++i) {
        if (position == bytes.size()) return {kReplacementCharacter, false};
        const unsigned char next = byteAt(position);
        if (next < low || next > high) return {kReplacementCharacter, false};
        low = 0x80;
        high = 0xBF;
        code = (code << 6) | (next & 0x3Fu);
        ++position;
    }
    return {code, true};
}

inline constexpr bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline constexpr bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
inline constexpr bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Decodes the character that begins at units[position] and moves position past it.
inline char32_t DecodeUtf16(std::u16string_view units, std::size_t& position) {
    const char16_t unit = units[position++];
    if (!IsSurrogate(unit)) return unit;
    if (IsHighSurrogate(unit) && position < units.size() && IsLowSurrogate(units[position])) {
        const char16_t low = units[position++];
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
               (static_cast<char32_t>(low) - 0xDC00);
    }
    return kReplacementCharacter;
}

inline constexpr std::size_t Utf8Length(char32_t code) {
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

inline constexpr std::size_t Utf16Length(char32_t code) {
    return code < 0x10000 ? 1 : 2;
}

// Writes the UTF-8 bytes of a valid code point at out, returning the position after them.
template <typename Out>
Out EncodeUtf8(char32_t code, Out out) {
    const auto put = [&out](char32_t byte) { *out++ = static_cast<char>(static_cast<unsigned char>(byte)); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
    return out;
}

// Writes the UTF-16 units of a valid code point at out, returning the position after them.
template <typename Out>
Out EncodeUtf16(char32_t code, Out out) {
    if (code < 0x10000) {
        *out++ = static_cast<char16_t>(code);
    } else {
        const char32_t offset = code - 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (offset >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    }
    return out;
}

}  // namespace audiogram
