// Runs the conversion benchmarks and their baselines, then prints the ratios that the
// performance targets are stated in, all from the same run.
//
//   audconv_bench [Google Benchmark flags, e.g. --benchmark_repetitions=5]

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_records.h"
#include "bench_registry.h"
#include "support/configuration.h"
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace audiogram::bench {
namespace {

// The console report, and beside it the CPU time of every benchmark (CPU time, since the
// machine may be shared): the median when runs are repeated, else the one run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.function_name;
            const double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name != "median") continue;
                medians_[name] = true;
            } else if (medians_[name]) {
                continue;
            }
            seconds_[name] = seconds;
        }
    }

    std::optional<double> Seconds(const std::string& name) const {
        const auto found = seconds_.find(name);
        if (found == seconds_.end()) return std::nullopt;
        return found->second;
    }

  private:
    std::map<std::string, double> seconds_;
    std::map<std::string, bool> medians_;
};

struct RatioRow {
    const char* label;
    std::string numerator;    // benchmark whose time is divided ...
    std::string denominator;  // ... by this one's
    const char* target;
    bool atMost;  // the ratio must stay at or below `limit`, else reach it
    double limit;
};

void PrintRatios(const RatioReporter& reporter) {
    std::printf("\nRatios of CPU times per record in this run (medians when repeated)\n");
    std::printf("%-44s %9s %9s %9s   %s\n", "", "empty", "typical", "heavy", "target");
    const auto memcpy = BaselineName(kMemcpy, "any");
    const auto rows = [&](std::string_view size) {
        return std::vector<RatioRow>{
            {"100to200 / memcpy of a 200 record", ConversionName(100, 200, size), memcpy, "<= 2", true, 2.0},
            {"200to100 / memcpy of a 200 record", ConversionName(200, 100, size), memcpy, "<= 1.2", true, 1.2},
            {"libxml2 writer / 200to500", BaselineName(kLibxml2Writer, size), ConversionName(200, 500, size),
             ">= 8", false, 8.0},
            {"pugixml parse / 500to200", BaselineName(kPugixmlParse, size), ConversionName(500, 200, size),
             ">= 1.5", false, 1.5},
        };
    };
    const std::array<std::string_view, 3> sizes = {"empty", "typical", "heavy"};
    for (std::size_t row = 0; row < rows("").size(); ++row) {
        std::printf("%-44s", rows("")[row].label);
        bool allMet = true;
        for (const std::string_view size : sizes) {
            const RatioRow ratio = rows(size)[row];
            const auto numerator = reporter.Seconds(ratio.numerator);
            const auto denominator = reporter.Seconds(ratio.denominator);
            if (!numerator || !denominator || *denominator <= 0) {
                std::printf(" %9s", "-");
                continue;
            }
            const double value = *numerator / *denominator;
            // The targets hold for the typical and the heavy record; the empty one's document
            // is a few hundred bytes, where the fixed cost of a call outweighs the work.
            const bool judged = size != "empty";
            allMet = allMet && (!judged || (ratio.atMost ? value <= ratio.limit : value >= ratio.limit));
            std::printf(" %9.2f", value);
        }
        std::printf("   %s%s\n", rows("")[row].target, allMet ? "" : "  (missed)");
    }
}

}  // namespace

// glibc hands blocks above its mmap threshold back to the kernel when they are freed and
// maps fresh pages for the next one, so a benchmark of large blocks (pugixml's copy of the
// heavy document, its pages) measures page faults, and how many it meets depends on which
// benchmarks ran before it. Freed memory is kept for reuse instead: every benchmark then
// measures its code, the same way whatever the order.
void KeepFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
}

// A fresh, empty PROGRAMDATA folder for the run, removed afterwards.
class DefaultConfiguration {
  public:
    DefaultConfiguration()
        : folder_(std::filesystem::temp_directory_path() / ("audconv-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        ::setenv("PROGRAMDATA", folder_.c_str(), 1);
        SetValidCharReportStream(nullptr);
        Init();
    }
    ~DefaultConfiguration() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    DefaultConfiguration(const DefaultConfiguration&) = delete;
    DefaultConfiguration& operator=(const DefaultConfiguration&) = delete;

  private:
    std::filesystem::path folder_;
};

}  // namespace audiogram::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The machine's own configuration (a switched-on log, a narrower character list) must
    // not change what is measured: the conversions run with the defaults.
    const audiogram::bench::DefaultConfiguration configuration;
    audiogram::bench::KeepFreedMemory();
    audiogram::bench::BenchRecords();  // built before any timing starts
    audiogram::bench::RegisterBaselines();
    audiogram::bench::RegisterConversions();
    audiogram::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    audiogram::bench::PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
