#pragma once
// The conversions the Linux build makes of the samples (WineReference.*) for the Windows
// stage to repeat through COM, kept in the file "cases" of the reference folder: each case is
// a line "name from to status input-size expected-size", then the input's bytes and the
// expected result's (none when the conversion failed).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/blob_dispatcher.h"

namespace audiogram::com::testing {

struct ReferenceCase {
    std::string name;  // without blanks
    short from = 0, to = 0;
    HResult status = 0;
    Blob input, expected;
};

inline void SaveReferenceCases(const std::vector<ReferenceCase>& cases, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / "cases", std::ios::binary);
    for (const ReferenceCase& c : cases) {
        out << c.name << ' ' << c.from << ' ' << c.to << ' ' << c.status << ' ' << c.input.size() << ' '
            << c.expected.size() << '\n';
        for (const Blob* bytes : {&c.input, &c.expected})
            out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    }
    if (!out) throw std::runtime_error("cannot write the reference cases into " + folder.string());
}

// Read once from the folder that VESK_WINE_REFERENCE names; throws std::runtime_error when
// it holds no case or a case is cut short.
inline const std::vector<ReferenceCase>& ReferenceCases() {
    static const std::vector<ReferenceCase> cases = [] {
        const char* folder = std::getenv("VESK_WINE_REFERENCE");
        const std::filesystem::path file = std::filesystem::path(folder ? folder : ".") / "cases";
        std::ifstream in(file, std::ios::binary);
        std::vector<ReferenceCase> loaded;
        ReferenceCase next;
        std::size_t inputSize = 0, expectedSize = 0;
        while (in >> next.name >> next.from >> next.to >> next.status >> inputSize >> expectedSize) {
            in.ignore(1);  // the line's end
            next.input.resize(inputSize);
            next.expected.resize(expectedSize);
            for (Blob* bytes : {&next.input, &next.expected})
                in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
            if (!in) throw std::runtime_error(next.name + " is cut short in " + file.string());
            loaded.push_back(next);
        }
        if (loaded.empty()) throw std::runtime_error("no reference case in " + file.string());
        return loaded;
    }();
    return cases;
}

}  // namespace audiogram::com::testing
