// Writes the seed corpus of every fuzz target into OUTPUT_FOLDER/<target>/.
//
// Usage: make_fuzz_seeds OUTPUT_FOLDER

#include <filesystem>
#include <fstream>
#include <iostream>

#include "fuzz_properties.h"
#include "seed_corpus.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds OUTPUT_FOLDER\n";
        return 2;
    }
    audiogram::fuzz::UseDefaultConfiguration();
    const std::filesystem::path output = argv[1];
    for (const audiogram::fuzz::Target target : audiogram::fuzz::kTargets) {
        const std::filesystem::path folder = output / audiogram::fuzz::TargetName(target);
        std::filesystem::create_directories(folder);
        for (const audiogram::fuzz::Seed& seed : audiogram::fuzz::SeedsFor(target)) {
            std::ofstream file(folder / seed.name, std::ios::binary | std::ios::trunc);
            file.write(reinterpret_cast<const char*>(seed.bytes.data()), static_cast<std::streamsize>(seed.bytes.size()));
            if (!file) {
                std::cerr << "make_fuzz_seeds: cannot write " << (folder / seed.name) << '\n';
                return 1;
            }
        }
    }
    return 0;
}
