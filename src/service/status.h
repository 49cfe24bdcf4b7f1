#pragma once
// Status codes of the conversions, as the HRESULT values hosts see.

#include <cstdint>

namespace audiogram {

using HResult = std::int32_t;

constexpr HResult MakeStatus(std::uint32_t value) { return static_cast<HResult>(value); }

inline constexpr HResult kStatusOk = MakeStatus(0x00000000);
inline constexpr HResult CONV_E_INVALIDBLOB = MakeStatus(0x8004051C);
inline constexpr HResult CONV_E_UNSUPPORTEDFORMAT = MakeStatus(0x80040516);
inline constexpr HResult CONV_E_NOTIMPLEMENTED = MakeStatus(0x8004051D);
inline constexpr HResult kStatusFail = MakeStatus(0x80004005);     // E_FAIL
inline constexpr HResult kStatusPointer = MakeStatus(0x80004003);  // E_POINTER
inline constexpr HResult kStatusOutOfMemory = MakeStatus(0x8007000E);  // E_OUTOFMEMORY

constexpr bool Failed(HResult status) { return status < 0; }

}  // namespace audiogram
