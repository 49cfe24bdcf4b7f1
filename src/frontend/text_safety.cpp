#include "frontend/text_safety.h"

#include <array>
#include <cstdio>

namespace audiogram::frontend {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Calls visit(codePoint, bytes) for every character of the text, with U+FFFD for each
// byte that does not start a valid sequence.
template <class Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80            ? 1
                                   : (lead >> 5) == 0x06 ? 2
                                   : (lead >> 4) == 0x0E ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        static constexpr std::array<char32_t, 5> kLeadBits = {0, 0x7F, 0x1F, 0x0F, 0x07};
        static constexpr std::array<char32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
        bool valid = length != 0 && i + length <= text.size();
        char32_t code = valid ? lead & kLeadBits[length] : 0;
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        valid = valid && code >= kLeast[length] && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        if (valid) {
            visit(code, text.substr(i, length));
            i += length;
        } else {
            visit(char32_t{0xFFFD}, kReplacement);
            i += 1;
        }
    }
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
    std::string out;
    ForEachCharacter(text, [&out](char32_t, std::string_view bytes) { out += bytes; });
    return out;
}

std::string XmlText(std::string_view text) {
    std::string out;
    ForEachCharacter(text, [&out](char32_t code, std::string_view bytes) {
        switch (code) {
            case '&': out += "&amp;"; return;
            case '<': out += "&lt;"; return;
            case '>': out += "&gt;"; return;
            case '"': out += "&quot;"; return;
            case '\'': out += "&apos;"; return;
            default: break;
        }
        const bool forbidden = (code < 0x20 && code != '\t' && code != '\n' && code != '\r') || code == 0xFFFE ||
                               code == 0xFFFF;
        out += forbidden ? kReplacement : bytes;
    });
    return out;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    ForEachCharacter(text, [&out](char32_t code, std::string_view bytes) {
        switch (code) {
            case '"': out += "\\\""; return;
            case '\\': out += "\\\\"; return;
            case '\n': out += "\\n"; return;
            case '\r': out += "\\r"; return;
            case '\t': out += "\\t"; return;
            default: break;
        }
        if (code < 0x20) {
            char escaped[16];  // room for any unsigned value, so the compiler sees no cut
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(code));
            out += escaped;
        } else {
            out += bytes;
        }
    });
    return out + "\"";
}

std::string PrintableText(std::string_view text) {
    std::string out;
    ForEachCharacter(text, [&out](char32_t code, std::string_view bytes) {
        out += (code < 0x20 || code == 0x7F) ? std::string_view("?") : bytes;
    });
    return out;
}

}  // namespace audiogram::frontend
