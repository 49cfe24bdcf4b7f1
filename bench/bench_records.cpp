#include "bench_records.h"

#include <stdexcept>

#include "record_builder/record_sets.h"

namespace audiogram::bench {
namespace {

Blob Converted(DataStandard to, DataStandard from, Blob source) {
    Blob result;
    if (ConvertDataBlob(to, from, source, result) != kStatusOk) {
        throw std::runtime_error("a benchmark record does not convert");
    }
    return result;
}

BenchRecord Make(std::string_view size, const Blob& record200) {
    // The export completes a bare calibration date in its source: the 200 record of the
    // benchmarks is the completed one, so every run converts the same bytes.
    Blob document = Converted(kDataStandard500, kDataStandard200, record200);
    Blob imported = Converted(kDataStandard200, kDataStandard500, document);
    return {size, Converted(kDataStandard100, kDataStandard200, imported), imported, std::move(document)};
}

}  // namespace

const std::array<BenchRecord, 3>& BenchRecords() {
    static const std::array<BenchRecord, 3> records = {
        Make("empty", record_sets::Empty200()),
        Make("typical", record_sets::Typical200()),
        Make("heavy", record_sets::Heavy200()),
    };
    return records;
}

}  // namespace audiogram::bench
