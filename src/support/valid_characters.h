#pragma once
// The legal-character table: which UTF-16 code units element text may carry, parsed from
// the configuration's ValidCharacters list.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace audiogram {

// The configuration's list when none is given: tab, LF, CR, printable ASCII, NEL and most
// of the Basic Multilingual Plane. The last range ends at 65333, not at 65533.
inline constexpr std::string_view kDefaultValidCharacters = "9, 10, 13, 32-126, 133, 160-55295, 57344-65333";

// A field that was not given holds -1. With high -1 the entry stands for the code low
// alone, otherwise for the codes low to high, both included.
struct ValidCharRange {
    std::int32_t low = -1;
    std::int32_t high = -1;

    bool Matches(std::int32_t code) const {
        if (high == -1) return code == low;
        return low <= code && code <= high;
    }
    friend bool operator==(const ValidCharRange&, const ValidCharRange&) = default;
};

class ValidCharTable {
  public:
    static constexpr std::size_t kMaxEntries = 100;

    std::span<const ValidCharRange> Entries() const { return std::span(entries_).first(count_); }
    bool Full() const { return count_ == kMaxEntries; }
    // Adds the entry unless the table is full.
    void Add(ValidCharRange range);
    // True when any entry matches the code; an answer of one lookup, however long the list.
    bool IsLegal(char16_t c) const { return legal_[c]; }

  private:
    std::array<ValidCharRange, kMaxEntries> entries_{};
    std::size_t count_ = 0;
    std::bitset<65536> legal_;
};

// Splits the list at commas (runs of commas count as one) and reads each token: digits
// go to low until a '-' switches to high, every other character is skipped, and a field
// stops taking digits at 1023 of them (larger values saturate at the 32-bit maximum).
// Tokens beyond the 100th are ignored. For every entry the line
// "token %s, low %d, hight %d" goes to the report stream when one is given.
ValidCharTable ParseValidCharacters(std::string_view list, std::ostream* report);

}  // namespace audiogram
