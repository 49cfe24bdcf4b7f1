#pragma once
// The one error style of the library: a step that can fail returns an HResult (the HRESULT
// values hosts see), or a Result<T> that carries one with its value; a failure ends the
// caller early through RETURN_IF_FAILED_STATUS. A step that cannot fail returns nothing.

#include <cstdint>

namespace audiogram {

using HResult = std::int32_t;

constexpr HResult MakeStatus(std::uint32_t value) {
    return static_cast<HResult>(value);
}

inline constexpr HResult kStatusOk = MakeStatus(0x00000000);
inline constexpr HResult CONV_E_INVALIDBLOB = MakeStatus(0x8004051C);
inline constexpr HResult CONV_E_UNSUPPORTEDFORMAT = MakeStatus(0x80040516);
inline constexpr HResult CONV_E_NOTIMPLEMENTED = MakeStatus(0x8004051D);
inline constexpr HResult kStatusFail = MakeStatus(0x80004005);         // E_FAIL
inline constexpr HResult kStatusPointer = MakeStatus(0x80004003);      // E_POINTER
inline constexpr HResult kStatusOutOfMemory = MakeStatus(0x8007000E);  // E_OUTOFMEMORY

constexpr bool Failed(HResult status) {
    return status < 0;
}

// A value, or the status of the failure that left none. Small enough to come back in
// registers, which the import's element-by-element walk relies on.
template <typename T>
struct Result {
    HResult status = kStatusOk;
    T value{};

    static constexpr Result Ok(T value) { return {kStatusOk, value}; }
    static constexpr Result Failure(HResult status) { return {status, T{}}; }
    constexpr bool Failed() const { return audiogram::Failed(status); }
};

}  // namespace audiogram

// Ends the calling function with the status of `expression` (an HResult) when it failed.
#define RETURN_IF_FAILED_STATUS(expression)                                           \
    do {                                                                              \
        const ::audiogram::HResult returnIfFailedStatus_ = (expression);              \
        if (::audiogram::Failed(returnIfFailedStatus_)) return returnIfFailedStatus_; \
    } while (false)
