// The UTF-16 / UTF-8 conversions of xml/text_legality.h. One converter of our own serves
// every platform, so a document is byte for byte the same wherever it is written; it
// follows the replacement rules of the platform's code-page functions
// (xml/utf_transcoding.h).

#include <algorithm>
#include <array>

#include "xml/text_legality.h"
#include "xml/utf_transcoding.h"

namespace audiogram {
namespace {

std::size_t Utf8LengthOf(std::u16string_view text) {
    std::size_t bytes = 0;
    for (std::size_t position = 0; position < text.size();) {
        const char16_t unit = text[position];
        if (unit < 0x80) {
            ++bytes;
            ++position;
        } else {
            bytes += Utf8Length(DecodeUtf16(text, position));
        }
    }
    return bytes;
}

}  // namespace

std::optional<std::string> WideToUtf8(std::u16string_view text) {
    if (text.empty()) return std::nullopt;
    std::string utf8(Utf8LengthOf(text), '\0');
    char* out = utf8.data();
    for (std::size_t position = 0; position < text.size();) {
        const char16_t unit = text[position];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
            ++position;
        } else {
            out = EncodeUtf8(DecodeUtf16(text, position), out);
        }
    }
    return utf8;
}

// Every byte yields at most one unit (a four-byte sequence yields two), so the text's
// length in bytes bounds the result: one allocation, shrunk in place at the end.
std::optional<std::u16string> Utf8ToWide(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::u16string wide(text.size(), u'\0');
    char16_t* out = wide.data();
    for (std::size_t position = 0; position < text.size();) {
        const auto byte = static_cast<unsigned char>(text[position]);
        if (byte < 0x80) {
            *out++ = byte;
            ++position;
        } else {
            out = EncodeUtf16(DecodeUtf8(text, position).code, out);
        }
    }
    wide.resize(static_cast<std::size_t>(out - wide.data()));
    return wide;
}

std::u16string_view Utf8ToWideInto(std::span<char16_t> buffer, std::string_view text) {
    if (text.empty() || buffer.empty()) return {};
    const std::size_t room = buffer.size() - 1;
    std::size_t length = 0;
    for (std::size_t position = 0; position < text.size() && length < room;) {
        const char32_t code = DecodeUtf8(text, position).code;
        std::array<char16_t, 2> units{};
        const std::size_t count = static_cast<std::size_t>(EncodeUtf16(code, units.begin()) - units.begin());
        // a pair that does not fit whole is cut after its first unit, as a cut of the
        // whole conversion would cut it
        const std::size_t kept = std::min(count, room - length);
        std::copy_n(units.begin(), kept, buffer.begin() + static_cast<std::ptrdiff_t>(length));
        length += kept;
    }
    buffer[length] = u'\0';
    return {buffer.data(), length};
}

}  // namespace audiogram
