// The C++ side of the Python package's figures (bench/python_figures.py): the same call
// that audconv.convert makes, timed in a loop of its own.
//   audconv_call_timing records DIR          writes typical.ds100, typical.ds200, typical.xml
//   audconv_call_timing time FILE FROM TO N  prints the nanoseconds of one call, best of 9 loops of N

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "frontend/conversion_findings.h"
#include "record_builder/record_sets.h"
#include "service/blob_dispatcher.h"
#include "support/configuration.h"

namespace {

using audiogram::Blob;

void WriteFile(const std::filesystem::path& path, const Blob& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

int WriteRecords(const std::filesystem::path& folder) {
    Blob record200 = audiogram::record_sets::Typical200();
    Blob record100, document;
    audiogram::ConvertDataBlob(100, 200, record200, record100);
    audiogram::ConvertDataBlob(500, 200, record200, document);
    WriteFile(folder / "typical.ds200", record200);
    WriteFile(folder / "typical.ds100", record100);
    WriteFile(folder / "typical.xml", document);
    return 0;
}

// The conversion and the findings the tool (and the Python call) look for after it.
int Time(const std::string& file, short from, short to, long calls) {
    std::ifstream stream(file, std::ios::binary);
    Blob input{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    double best = 1e300;
    std::size_t findings = 0;
    for (int loop = 0; loop < 9; ++loop) {
        const auto start = std::chrono::steady_clock::now();
        for (long i = 0; i < calls; ++i) {
            Blob result;
            if (audiogram::Failed(audiogram::ConvertDataBlob(to, from, input, result))) return 1;
            findings += audiogram::frontend::ConversionFindings(from, to, input, result).size();
        }
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count() / static_cast<double>(calls));
    }
    std::printf("%.1f %zu\n", best, findings);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    audiogram::SetValidCharReportStream(nullptr);  // standard output carries the figures
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "records") return WriteRecords(args[1]);
    if (args.size() == 5 && args[0] == "time") {
        return Time(args[1], static_cast<short>(std::stoi(args[2])), static_cast<short>(std::stoi(args[3])),
                    std::stol(args[4]));
    }
    std::fprintf(stderr, "usage: audconv_call_timing records DIR | time FILE FROM TO CALLS\n");
    return 2;
}
