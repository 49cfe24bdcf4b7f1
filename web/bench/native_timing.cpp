// The native side of the page's timing figure: the same conversion of the same file with the
// same findings looked for afterwards, as the tool and the page both do, timed the way
// timing.mjs times it in the page (best of nine batches, microseconds each).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "frontend/conversion_findings.h"
#include "service/blob_dispatcher.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: native_timing FROM TO FILE ITERATIONS\n");
        return 2;
    }
    const auto from = static_cast<audiogram::DataStandard>(std::atoi(argv[1]));
    const auto to = static_cast<audiogram::DataStandard>(std::atoi(argv[2]));
    std::ifstream file(argv[3], std::ios::binary);
    const audiogram::Blob input{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const int iterations = std::atoi(argv[4]);
    double best = 1e300;
    for (int batch = 0; batch < 9; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i) {
            audiogram::Blob source = input;  // the page hands every call a fresh copy too
            audiogram::Blob result;
            if (audiogram::Failed(audiogram::ConvertDataBlob(to, from, source, result))) return 1;
            if (audiogram::frontend::ConversionFindings(from, to, source, result).size() > 1000) return 1;
        }
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / iterations);
    }
    std::printf("%.2f\n", best);
}
