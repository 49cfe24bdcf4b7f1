#pragma once
// Conversion cases with the results of the platform's code-page functions (no flags):
// shared by the converter's own test and, on Windows, by the comparison with them.

#include <string_view>

namespace audiogram::testing {

struct Utf8Case {
    std::string_view name;
    std::string_view utf8;
    std::u16string_view utf16;
};

// UTF-8 to UTF-16: one U+FFFD per maximal ill-formed subpart.
inline constexpr Utf8Case kUtf8ToUtf16Cases[] = {
    {"ascii", "Ab1", u"Ab1"},
    {"two bytes", "\xC3\xA9", u"\u00E9"},
    {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
    {"four bytes", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
    {"highest code point", "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    {"noncharacter kept", "\xEF\xBF\xBF", u"\uFFFF"},
    {"embedded NUL", std::string_view("a\0b", 3), std::u16string_view(u"a\0b", 3)},
    {"truncated three-byte sequence", "\xE2\x82\x41", u"\uFFFDA"},
    {"truncated at the end", "A\xF0\x9F\x98", u"A\uFFFD"},
    {"lone continuation bytes", "\x80\xBF", u"\uFFFD\uFFFD"},
    {"overlong two-byte lead", "\xC0\xAF", u"\uFFFD\uFFFD"},
    {"overlong three-byte form", "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"bytes that never start a sequence", "\xF5\xFE\xFF", u"\uFFFD\uFFFD\uFFFD"},
    {"subpart cut by a lead byte", "\xE1\x80\xC3\xA9", u"\uFFFD\u00E9"},
};

// UTF-16 to UTF-8: a surrogate outside a high-low pair becomes U+FFFD.
inline constexpr Utf8Case kUtf16ToUtf8Cases[] = {
    {"ascii and two bytes", "A\xC3\xA9", u"A\u00E9"},
    {"three bytes", "\xEF\xBF\xBE", u"\uFFFE"},
    {"pair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
    {"lone high surrogate", "\xEF\xBF\xBD\x41", u"\xD800\x41"},
    {"lone low surrogate", "A\xEF\xBF\xBD", u"A\xDC00"},
    {"pair in the wrong order", "\xEF\xBF\xBD\xEF\xBF\xBD", u"\xDC00\xD800"},
    {"high surrogate at the end", "A\xEF\xBF\xBD", u"A\xDBFF"},
};

}  // namespace audiogram::testing
