#include "xml/comment_text.h"

#include <cstdint>

#include "xml/utf_transcoding.h"

namespace audiogram {
namespace {

constexpr std::size_t kMaxSequenceBytes = 4;

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

bool IsForbiddenInXml(char32_t code) {
    if (code < 0x20) return code != 0x09 && code != 0x0A && code != 0x0D;
    return code == 0xFFFE || code == 0xFFFF;
}

void AppendHex(std::string& out, std::uint32_t code) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    out += '[';
    bool leading = true;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const auto digit = static_cast<std::size_t>((code >> shift) & 0xF);
        if (leading && digit == 0 && shift != 0) continue;
        leading = false;
        out += kDigits[digit];
    }
    out += ']';
}

}  // namespace

std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t cut = maxBytes;
    // step back to the start of the sequence the cut falls into; a run of stray
    // continuation bytes longer than any sequence is cut where it stands
    for (std::size_t back = 1; back < kMaxSequenceBytes && cut > 0 && IsContinuationByte(text[cut]); ++back)
        --cut;
    if (IsContinuationByte(text[cut])) cut = maxBytes;
    return text.substr(0, cut);
}

std::u16string_view CutUtf16(std::u16string_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits) return text;
    std::size_t cut = maxUnits;
    if (cut > 0 && IsHighSurrogate(text[cut - 1]) && IsLowSurrogate(text[cut])) --cut;
    return text.substr(0, cut);
}

void AppendCommentSafe(std::string& out, std::string_view text) {
    bool afterDash = false;
    for (std::size_t position = 0; position < text.size();) {
        const std::size_t start = position;
        const DecodedCharacter decoded = DecodeUtf8(text, position);
        if (!decoded.wellFormed) {
            for (std::size_t i = start; i < position; ++i)
                AppendHex(out, static_cast<unsigned char>(text[i]));
        } else if (IsForbiddenInXml(decoded.code)) {
            AppendHex(out, decoded.code);
        } else {
            if (decoded.code == '-' && afterDash) out += ' ';
            out.append(text.substr(start, position - start));
        }
        afterDash = decoded.wellFormed && decoded.code == '-';
    }
}

}  // namespace audiogram
