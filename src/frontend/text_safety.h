#pragma once
// Texts from records and file names reach the terminal, SVG and JSON: these helpers keep
// them well-formed whatever bytes they hold.

#include <string>
#include <string_view>

namespace audiogram::frontend {

// Valid UTF-8 in, the same text out; each byte of an invalid sequence (overlong forms and
// surrogates included) becomes U+FFFD.
std::string ValidUtf8(std::string_view text);

// Safe for XML character data and attribute values: markup escaped, invalid UTF-8 and the
// characters XML forbids (controls other than tab, line feed and carriage return; U+FFFE,
// U+FFFF) replaced by U+FFFD.
std::string XmlText(std::string_view text);

// A JSON string literal, quotes included, of the text made valid UTF-8.
std::string JsonString(std::string_view text);

// For a terminal: valid UTF-8, with control characters shown as '?'.
std::string PrintableText(std::string_view text);

}  // namespace audiogram::frontend
