// The conversions as a host calls them: ConvertDataBlob from the source blob to a new
// result blob, for every direction and every record size.

#include <benchmark/benchmark.h>

#include <string>

#include "bench_records.h"
#include "bench_registry.h"
#include "support/allocation_counter.h"

namespace audiogram::bench {
namespace {

struct Direction {
    DataStandard from;
    DataStandard to;
    const Blob BenchRecord::*source;
};

constexpr Direction kDirections[] = {
    {kDataStandard100, kDataStandard200, &BenchRecord::record100},
    {kDataStandard200, kDataStandard100, &BenchRecord::record200},
    {kDataStandard200, kDataStandard500, &BenchRecord::record200},
    {kDataStandard100, kDataStandard500, &BenchRecord::record100},
    {kDataStandard500, kDataStandard200, &BenchRecord::document500},
    {kDataStandard500, kDataStandard100, &BenchRecord::document500},
};

void Convert(benchmark::State& state, const Direction& direction, const BenchRecord& record) {
    // A copy: the export may complete the calibration date in its source.
    Blob source = record.*direction.source;
    Blob result;
    for (auto _ : state) {
        result = Blob();
        const HResult status = ConvertDataBlob(direction.to, direction.from, source, result);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(result.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));

    // One more conversion, measured: how often it allocates and the most heap it holds.
    result = Blob();
    const testing::AllocationProbe probe;
    if (ConvertDataBlob(direction.to, direction.from, source, result) != kStatusOk) {
        state.SkipWithError("the conversion failed");
        return;
    }
    state.counters["allocs"] = static_cast<double>(probe.Allocations());
    state.counters["peak_heap"] = static_cast<double>(probe.PeakBytes());
    state.counters["out_bytes"] = static_cast<double>(result.size());
}

}  // namespace

void RegisterConversions() {
    for (const Direction& direction : kDirections) {
        for (const BenchRecord& record : BenchRecords()) {
            const std::string name =
                ConversionName(direction.from, direction.to, record.size);
            benchmark::RegisterBenchmark(name.c_str(), [&direction, &record](benchmark::State& state) {
                Convert(state, direction, record);
            });
        }
    }
}

}  // namespace audiogram::bench
