#include "reference_cases.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace audiogram::com::testing {
namespace {

void Write(std::ostream& out, const Blob& bytes) {
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Blob Read(std::istream& in, std::size_t size) {
    Blob bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    return bytes;
}

std::vector<ReferenceCase> Load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<ReferenceCase> cases;
    ReferenceCase next;
    std::size_t inputSize = 0, expectedSize = 0;
    while (in >> next.name >> next.from >> next.to >> next.status >> inputSize >> expectedSize) {
        in.ignore(1);  // the line's end
        next.input = Read(in, inputSize);
        next.expected = Read(in, expectedSize);
        if (!in) throw std::runtime_error(next.name + " is cut short in " + file.string());
        cases.push_back(next);
    }
    if (cases.empty()) throw std::runtime_error("no reference case in " + file.string());
    return cases;
}

}  // namespace

void SaveReferenceCases(const std::vector<ReferenceCase>& cases, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / "cases", std::ios::binary);
    for (const ReferenceCase& c : cases) {
        out << c.name << ' ' << c.from << ' ' << c.to << ' ' << c.status << ' ' << c.input.size() << ' '
            << c.expected.size() << '\n';
        Write(out, c.input);
        Write(out, c.expected);
    }
    if (!out) throw std::runtime_error("cannot write the reference cases into " + folder.string());
}

const std::vector<ReferenceCase>& ReferenceCases() {
    const char* folder = std::getenv("VESK_WINE_REFERENCE");
    static const std::vector<ReferenceCase> cases =
        Load(std::filesystem::path(folder ? folder : ".") / "cases");
    return cases;
}

}  // namespace audiogram::com::testing
