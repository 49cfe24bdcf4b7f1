#pragma once
#include <cstdint>

namespace audiogram {

using DataStandard = std::int16_t;

inline constexpr DataStandard kDataStandard100 = 100;
inline constexpr DataStandard kDataStandard200 = 200;
inline constexpr DataStandard kDataStandard500 = 500;

}  // namespace audiogram
