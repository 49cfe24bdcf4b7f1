#pragma once
// The start and end tag of an element, composed before any document is written. A writer
// that knows its elements ahead (the export's rows) copies each tag whole, with one copy of a
// fixed width, rather than composing it from the name for every element it writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace audiogram {

struct ElementTags {
    // Each tag stands in a slot of this width, padded with zeros: a copy of the whole slot
    // never reads past it, and the writer advances by the tag's own length.
    static constexpr std::size_t kSlot = 48;
    // "</", the name, ">" and the line end fill a slot.
    static constexpr std::size_t kLongestName = kSlot - 5;

    std::array<char, kSlot> start{};  // "<name>"
    std::array<char, kSlot> end{};    // "</name>" and the line end
    std::uint8_t startLength = 0;
    std::uint8_t endLength = 0;

    constexpr std::string_view Name() const { return {start.data() + 1, startLength - 2u}; }
};

// The tags of `name`; a name longer than kLongestName gives empty tags, which no table may
// hold (the tables check theirs at compile time with Fits).
constexpr ElementTags MakeElementTags(std::string_view name) {
    ElementTags tags;
    if (name.size() > ElementTags::kLongestName) return tags;
    std::size_t at = 0;
    tags.start[at++] = '<';
    for (const char c : name) tags.start[at++] = c;
    tags.start[at++] = '>';
    tags.startLength = static_cast<std::uint8_t>(at);
    at = 0;
    tags.end[at++] = '<';
    tags.end[at++] = '/';
    for (const char c : name) tags.end[at++] = c;
    for (const char c : std::string_view(">\r\n")) tags.end[at++] = c;
    tags.endLength = static_cast<std::uint8_t>(at);
    return tags;
}

constexpr bool Fits(const ElementTags& tags) {
    return tags.startLength >= 2;
}

}  // namespace audiogram
