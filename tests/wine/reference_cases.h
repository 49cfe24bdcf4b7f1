#pragma once
// The conversions the Linux build made for the client to repeat: one line per case in
// manifest.tsv of the reference folder, "name, from, to, status, input file, expected file"
// separated by tabs, the expected file "-" when the conversion failed.

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "com_support.h"

namespace wine_client {

struct ReferenceCase {
    std::string name;
    short from = 0;
    short to = 0;
    HRESULT status = S_OK;
    Bytes input;
    Bytes expected;  // empty when the conversion failed
};

// Throws std::runtime_error when the folder or one of its files cannot be read.
std::vector<ReferenceCase> LoadReferenceCases(const std::filesystem::path& folder);

}  // namespace wine_client
