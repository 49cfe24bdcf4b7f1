#include "reference_cases.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace audiogram::com::testing {
namespace {

Blob ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    return Blob(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<ReferenceCase> Load(const std::filesystem::path& folder) {
    std::ifstream manifest(folder / "manifest.tsv");
    if (!manifest) throw std::runtime_error("no manifest.tsv in " + folder.string());
    std::vector<ReferenceCase> cases;
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream fields(line);
        std::string from, to, status, input, expected;
        ReferenceCase reference;
        if (!(std::getline(fields, reference.name, '\t') && std::getline(fields, from, '\t') &&
              std::getline(fields, to, '\t') && std::getline(fields, status, '\t') &&
              std::getline(fields, input, '\t') && std::getline(fields, expected, '\r'))) {
            throw std::runtime_error("bad manifest line: " + line);
        }
        reference.from = static_cast<short>(std::stoi(from));
        reference.to = static_cast<short>(std::stoi(to));
        reference.status = static_cast<HResult>(std::stoul(status, nullptr, 16));
        reference.input = ReadFile(folder / input);
        if (expected != "-") reference.expected = ReadFile(folder / expected);
        cases.push_back(std::move(reference));
    }
    if (cases.empty()) throw std::runtime_error("manifest.tsv lists no case");
    return cases;
}

}  // namespace

const std::vector<ReferenceCase>& ReferenceCases() {
    const char* folder = std::getenv("VESK_WINE_REFERENCE");
    static const std::vector<ReferenceCase> cases = Load(folder != nullptr ? folder : ".");
    return cases;
}

}  // namespace audiogram::com::testing
