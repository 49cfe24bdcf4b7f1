#pragma once
// Reproducible random byte areas for property tests: the seed names the case.

#include <cstdint>
#include <random>
#include <vector>

namespace audiogram::testing {

inline std::vector<std::uint8_t> RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& value : bytes) value = static_cast<std::uint8_t>(byte(generator));
    return bytes;
}

}  // namespace audiogram::testing
