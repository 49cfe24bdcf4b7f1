// Writes the benchmarks' typical 200 record to a file, for the batch timing
// (scripts/bench-batch.sh).
//   audconv_typical_record FILE

#include <cstdio>

#include "record_builder/record_sets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: audconv_typical_record FILE\n");
        return 2;
    }
    const auto record = audiogram::record_sets::Typical200();
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) return 1;
    const bool written = std::fwrite(record.data(), 1, record.size(), file) == record.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
