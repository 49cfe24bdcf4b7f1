#pragma once
#include <cstdint>

namespace audiogram {

// The 16-bit pattern of a field that holds no value; compared as a pattern, never as a number.
inline constexpr std::uint16_t kMissingValuePattern = 0x8001;
inline constexpr std::int16_t MissingValue = static_cast<std::int16_t>(kMissingValuePattern);

constexpr bool IsMissing(std::int16_t value) {
    return static_cast<std::uint16_t>(value) == kMissingValuePattern;
}

}  // namespace audiogram
