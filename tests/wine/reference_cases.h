#pragma once
// The conversions the Linux build made for the Windows stage to repeat (write_reference.sh):
// one line per case in manifest.tsv of the folder that VESK_WINE_REFERENCE names, "name,
// from, to, status, input file, expected file" separated by tabs, the expected file "-"
// when the conversion failed.

#include <string>
#include <vector>

#include "service/blob_dispatcher.h"

namespace audiogram::com::testing {

struct ReferenceCase {
    std::string name;
    short from = 0, to = 0;
    HResult status = 0;
    Blob input, expected;  // expected is empty when the conversion failed
};

// Read once; throws std::runtime_error when the folder or one of its files cannot be read.
const std::vector<ReferenceCase>& ReferenceCases();

}  // namespace audiogram::com::testing
