#pragma once
// Helpers of the import tests: the bytes of a text, UTF-16 texts shown readably, and
// imports through the dispatcher compared with built records.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "document_test_support.h"

namespace audiogram::testing {

inline ByteSpan BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// ASCII as it is, every other unit as \uXXXX.
inline std::string Shown(std::u16string_view text) {
    std::string shown;
    for (const char16_t unit : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
        shown += unit >= 0x20 && unit < 0x7F ? std::string(1, static_cast<char>(unit)) : std::string(escaped);
    }
    return shown;
}

// The 200 record of a document, imported through the dispatcher; nothing when the import
// fails, which must answer E_FAIL and leave the result alone.
inline std::optional<Blob> Import(std::string_view document) {
    Blob source(document.begin(), document.end());
    Blob result{1, 2, 3};
    const HResult status = ConvertDataBlob(kDataStandard200, kDataStandard500, source, result);
    if (status == kStatusOk) return result;
    EXPECT_EQ(status, kStatusFail);
    EXPECT_EQ(result, (Blob{1, 2, 3}));
    return std::nullopt;
}

// Equal bytes, or the first offset where they differ.
inline ::testing::AssertionResult SameBytes(ByteSpan actual, ByteSpan expected) {
    if (actual.size() != expected.size()) return ::testing::AssertionFailure() << "size " << actual.size();
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin());
    if (a == actual.end()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "byte " << (a - actual.begin()) << " is " << int{*a} << ", not "
                                         << int{*e};
}

}  // namespace audiogram::testing
