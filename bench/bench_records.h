#pragma once
// The data every benchmark runs on: the three record sizes of the shared record sets, each
// as a 100 record, a 200 record and the 500 document the export writes from it.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "service/blob_dispatcher.h"

namespace audiogram::bench {

struct BenchRecord {
    std::string_view size;  // "empty", "typical" or "heavy"
    Blob record100;
    Blob record200;
    Blob document500;
};

// Built once, on first use, with the project's own conversions.
const std::array<BenchRecord, 3>& BenchRecords();

inline std::string_view AsText(const Blob& blob) {
    return {reinterpret_cast<const char*>(blob.data()), blob.size()};
}

}  // namespace audiogram::bench
