#pragma once
// The conversions the Linux build makes of the samples (WineReference.*) for the Windows
// stage to repeat through COM, kept in the file "cases" of the reference folder: each case is
// a line "name from to status input-size expected-size", then the input's bytes and the
// expected result's (none when the conversion failed).

#include <filesystem>
#include <string>
#include <vector>

#include "service/blob_dispatcher.h"

namespace audiogram::com::testing {

struct ReferenceCase {
    std::string name;  // without blanks
    short from = 0, to = 0;
    HResult status = 0;
    Blob input, expected;
};

void SaveReferenceCases(const std::vector<ReferenceCase>& cases, const std::filesystem::path& folder);

// Read once from the folder that VESK_WINE_REFERENCE names; throws std::runtime_error when
// it holds no case or a case is cut short.
const std::vector<ReferenceCase>& ReferenceCases();

}  // namespace audiogram::com::testing
