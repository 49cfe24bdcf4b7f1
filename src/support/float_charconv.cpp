#include "support/float_charconv.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace audiogram {

namespace charconv_fallback {

FloatReading ReadFloat(std::string_view number, bool hex) {
    // strtof needs a terminated text, and the "0x" that from_chars does without.
    const std::string text = (hex ? "0x" : "") + std::string(number);
    errno = 0;
    const float value = std::strtof(text.c_str(), nullptr);
    // strtof also reports a subnormal result as out of range; from_chars only one that
    // became zero or infinity.
    if (errno == ERANGE && (value == 0.0f || std::isinf(value))) return {0.0f, std::errc::result_out_of_range};
    return {value, std::errc{}};
}

std::optional<std::size_t> WriteFixed(std::span<char> out, double value, int decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length < 0 || static_cast<std::size_t>(length) > out.size()) return std::nullopt;
    std::string text(static_cast<std::size_t>(length) + 1, '\0');  // room for the terminator
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    std::copy_n(text.data(), length, out.data());
    return static_cast<std::size_t>(length);
}

}  // namespace charconv_fallback

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L

bool HasStandardFloatCharconv() { return true; }

FloatReading ReadFloat(std::string_view number, bool hex) {
    FloatReading reading;
    reading.error = std::from_chars(number.data(), number.data() + number.size(), reading.value,
                                    hex ? std::chars_format::hex : std::chars_format::general)
                        .ec;
    return reading;
}

std::optional<std::size_t> WriteFixed(std::span<char> out, double value, int decimals) {
    const auto result = std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) return std::nullopt;
    return static_cast<std::size_t>(result.ptr - out.data());
}

#else

bool HasStandardFloatCharconv() { return false; }

FloatReading ReadFloat(std::string_view number, bool hex) { return charconv_fallback::ReadFloat(number, hex); }

std::optional<std::size_t> WriteFixed(std::span<char> out, double value, int decimals) {
    return charconv_fallback::WriteFixed(out, value, decimals);
}

#endif

}  // namespace audiogram
