#pragma once
// Floating-point text conversions that do not depend on the process's locale: the standard
// library's std::from_chars and std::to_chars where it has them for floating-point types,
// and otherwise (the libc++ of the WebAssembly build lacks them) the C library's strtof and
// snprintf, which read and write the same texts in the "C" locale that such a build never
// leaves. The fallback is built everywhere so that the tests hold it to the standard
// library's results.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace audiogram {

struct FloatReading {
    float value = 0.0f;
    std::errc error{};  // result_out_of_range when the value is too large or too small for a float
};

// `number` is exactly one number without sign: decimal digits with an optional point and
// "e" exponent, or (hex) hexadecimal digits without "0x" with an optional "p" exponent.
FloatReading ReadFloat(std::string_view number, bool hex);

// The text of printf's "%.*f" for `value` with `decimals` (>= 0) decimals, written to the
// front of `out`; none (and `out` unspecified) when it does not fit.
std::optional<std::size_t> WriteFixed(std::span<char> out, double value, int decimals);

namespace charconv_fallback {

FloatReading ReadFloat(std::string_view number, bool hex);
std::optional<std::size_t> WriteFixed(std::span<char> out, double value, int decimals);

}  // namespace charconv_fallback

// Whether ReadFloat and WriteFixed are the standard library's own.
bool HasStandardFloatCharconv();

}  // namespace audiogram
