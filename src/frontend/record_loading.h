#pragma once
// Brings any input that inspect, plot or a page reads into the form they look at: a 200
// record. A 100 record is relocated, a 200 record taken as it is, a 500 document imported.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "service/blob_dispatcher.h"
#include "service/data_standard.h"
#include "support/status.h"

namespace audiogram::frontend {

struct LoadedRecord {
    HResult status = kStatusOk;
    std::string reason;                         // in words, when status failed
    DataStandard standard = 0;                  // of the input, given or detected
    std::optional<std::size_t> extensionBytes;  // after a binary record; none for a document
    Blob record200;                             // 36128 bytes when status succeeded
    std::size_t inputSize = 0;                  // of the whole input
};

// `from` none: the standard is told from the bytes (--from auto).
LoadedRecord LoadAsRecord200(std::vector<std::uint8_t>& input, std::optional<DataStandard> from);

// The chart's title when the user names none.
std::string DefaultChartTitle(const std::string& inputName);

}  // namespace audiogram::frontend
