#pragma once
// Checks a text with a real XML parser: xmllint --noout from libxml2-utils.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

namespace audiogram::testing {

// Success when xmllint reads the text from its standard input as a well-formed document;
// its complaint goes to the test's output.
inline ::testing::AssertionResult ParsesAsXml(std::string_view document) {
    std::signal(SIGPIPE, SIG_IGN);  // a missing xmllint fails the check, not the test program
    std::FILE* pipe = popen((std::string("'") + AUDCONV_XMLLINT + "' --noout - 2>&1").c_str(), "w");
    if (pipe == nullptr) return ::testing::AssertionFailure() << "cannot start " << AUDCONV_XMLLINT;
    std::fwrite(document.data(), 1, document.size(), pipe);
    if (pclose(pipe) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xmllint (libxml2-utils) is missing or rejects:\n" << document;
}

}  // namespace audiogram::testing
