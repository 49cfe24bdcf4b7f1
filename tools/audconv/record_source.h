#pragma once
// Brings any input that inspect and plot read into the form they look at: a 200 record.
// A 100 record is relocated, a 200 record taken as it is, a 500 document imported.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "service/blob_dispatcher.h"
#include "service/data_standard.h"
#include "support/status.h"

namespace audiogram::tool {

struct LoadedRecord {
    HResult status = kStatusOk;
    std::string reason;                        // in words, when status failed
    DataStandard standard = 0;                 // of the input, given or detected
    std::optional<std::size_t> extensionBytes; // after a binary record; none for a document
    Blob record200;                            // 36128 bytes when status succeeded
    std::size_t inputSize = 0;                 // of the whole input
};

// `from` none: the standard is told from the bytes (--from auto).
LoadedRecord LoadAsRecord200(std::vector<std::uint8_t>& input, std::optional<DataStandard> from);

// The reading of inspect and plot: the file `input` ('-' is standard input) read and made a
// 200 record, `from` the --from text. A record that cannot be made gives none, with one line
// on standard error; a file that cannot be read throws audconv::FileError.
std::optional<LoadedRecord> ReadAsRecord200(const std::string& input, const std::string& from);

}  // namespace audiogram::tool
