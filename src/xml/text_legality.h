#pragma once
// The rules that keep element text legal XML (escapes, dropped or hex-substituted
// illegal characters), their reverse on import, and the UTF-16 / UTF-8 conversions.
// Which characters are legal, and whether each change is logged, the caller's TextRules say.
// "None" (a null text in the original interfaces) is std::nullopt here.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace audiogram {

class TextRules;

// The entity text of '"', '&', '<' or '>', or an empty text for every other character.
std::u16string_view EscapeFor(char16_t c);

// A new legal text: entities for the escaped characters, illegal characters dropped or,
// with hexSubstitute, written as "[%X]". `changed` reports illegal characters only.
std::optional<std::u16string> GetLegalXMLString(TextRules& rules, std::string_view elementName,
                                                std::optional<std::u16string_view> text, bool& changed,
                                                bool hexSubstitute);

// Turns "&quot;", "&amp;", "&lt;" and "&gt;" back into their characters, in that order.
// The rules are asked for the log switch only once an entity is found.
void ReplaceEscapeSequence(TextRules& rules, std::u16string& text);
void ReplaceAll(TextRules& rules, std::u16string& text, std::u16string_view entity, char16_t c);

// The conversions behave as the platform's code-page functions with no flags: invalid
// UTF-8 and unpaired surrogates become U+FFFD; an empty result is none.
std::optional<std::string> WideToUtf8(std::u16string_view text);
std::optional<std::u16string> Utf8ToWide(std::string_view text);

// Converts into the caller's buffer, cut to buffer.size() - 1 units and terminated. An
// empty conversion returns an empty view and leaves the buffer untouched.
std::u16string_view Utf8ToWideInto(std::span<char16_t> buffer, std::string_view text);

}  // namespace audiogram
