#pragma once
// Checks a text with a real XML parser: xmllint --noout from libxml2-utils.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/scoped_program_data.h"

namespace audiogram::testing {

// Success when xmllint accepts the text as a well-formed document; its complaint otherwise.
inline ::testing::AssertionResult ParsesAsXml(std::string_view document) {
    const std::string xmllint = AUDCONV_XMLLINT;
    if (!std::filesystem::exists(xmllint)) {
        return ::testing::AssertionFailure() << "xmllint not found (install libxml2-utils): " << xmllint;
    }
    const std::filesystem::path folder = MakeTemporaryFolder();
    const std::filesystem::path file = folder / "document.xml";
    WriteFileText(file, document);
    const std::string command = "'" + xmllint + "' --noout '" + file.string() + "' 2>&1";
    std::string complaint;
    int status = -1;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[512];
        while (std::fgets(chunk, sizeof chunk, pipe) != nullptr) complaint += chunk;
        status = pclose(pipe);
    }
    std::filesystem::remove_all(folder);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xmllint rejects the text:\n" << complaint << "\n" << document;
}

}  // namespace audiogram::testing
