#pragma once
// Little-endian access to 16-bit fields of a byte area. memcpy keeps it safe at any
// alignment and under strict aliasing; the byte swap keeps it right on any host.

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace audiogram {

using ByteSpan = std::span<const std::uint8_t>;
using MutableByteSpan = std::span<std::uint8_t>;

namespace detail {
constexpr std::uint16_t FromLittleEndian(std::uint16_t value) {
    if constexpr (std::endian::native == std::endian::big) {
        return static_cast<std::uint16_t>((value >> 8) | (value << 8));
    }
    return value;
}
}  // namespace detail

inline std::uint16_t LoadU16(ByteSpan bytes, std::size_t offset) {
    assert(offset + 2 <= bytes.size());
    std::uint16_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return detail::FromLittleEndian(value);
}

inline std::int16_t LoadI16(ByteSpan bytes, std::size_t offset) {
    return static_cast<std::int16_t>(LoadU16(bytes, offset));
}

inline void StoreU16(MutableByteSpan bytes, std::size_t offset, std::uint16_t value) {
    assert(offset + 2 <= bytes.size());
    const std::uint16_t stored = detail::FromLittleEndian(value);
    std::memcpy(bytes.data() + offset, &stored, sizeof stored);
}

inline void StoreI16(MutableByteSpan bytes, std::size_t offset, std::int16_t value) {
    StoreU16(bytes, offset, static_cast<std::uint16_t>(value));
}

}  // namespace audiogram
