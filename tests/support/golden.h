#pragma once
// Texts compared with the checked-in golden files of the test's folder (golden/<name>),
// reviewed once in the diff that changed them. With AUDCONV_UPDATE_GOLDEN set, the run
// writes the files instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/scoped_program_data.h"

namespace audiogram::testing {

// Equal texts, or what follows where they first differ, and on which line.
inline ::testing::AssertionResult SameText(std::string_view actual, std::string_view expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    const auto at = static_cast<std::size_t>(
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first - actual.begin());
    const auto line = std::count(actual.begin(), actual.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1;
    return ::testing::AssertionFailure() << "line " << line << ": \"" << actual.substr(at, 80)
                                         << "\" instead of \"" << expected.substr(at, 80) << '"';
}

inline ::testing::AssertionResult MatchesGolden(std::string_view name, std::string_view actual) {
    const std::filesystem::path path = std::filesystem::path(AUDCONV_TEST_DIR) / "golden" / name;
    if (std::getenv("AUDCONV_UPDATE_GOLDEN") != nullptr) WriteFileText(path, actual);
    return SameText(actual, ReadFileText(path)) << " in " << path;
}

}  // namespace audiogram::testing
