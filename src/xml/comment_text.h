#pragma once
// Comment text that cannot break the document it stands in.

#include <cstddef>
#include <string>
#include <string_view>

namespace audiogram {

// Comment texts were formatted into a 1024-byte (or 1024-unit) scratch text.
inline constexpr std::size_t kMaxCommentLength = 1023;

// The text cut to at most maxBytes bytes, never inside a UTF-8 sequence.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);

// The text cut to at most maxUnits units, never between the halves of a surrogate pair.
std::u16string_view CutUtf16(std::u16string_view text, std::size_t maxUnits);

// Appends the UTF-8 text so that it is legal inside "<!--" and "-->": a character XML
// forbids (a control code other than tab, LF and CR, U+FFFE, U+FFFF) is written as its
// code in "[%X]" form, so is every byte of an ill-formed UTF-8 piece, and a '-' that
// follows another '-' gets a blank before it, so "--" never appears.
void AppendCommentSafe(std::string& out, std::string_view text);

}  // namespace audiogram
