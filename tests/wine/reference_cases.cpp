#include "reference_cases.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace wine_client {
namespace {

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) fields.push_back(field);
    return fields;
}

}  // namespace

std::vector<ReferenceCase> LoadReferenceCases(const std::filesystem::path& folder) {
    std::ifstream manifest(folder / "manifest.tsv");
    if (!manifest) throw std::runtime_error("no manifest.tsv in " + folder.string());
    std::vector<ReferenceCase> cases;
    std::string line;
    while (std::getline(manifest, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() != 6) throw std::runtime_error("bad manifest line: " + line);
        ReferenceCase reference;
        reference.name = fields[0];
        reference.from = static_cast<short>(std::stoi(fields[1]));
        reference.to = static_cast<short>(std::stoi(fields[2]));
        reference.status = static_cast<HRESULT>(std::stoul(fields[3], nullptr, 16));
        reference.input = ReadFile(folder / fields[4]);
        if (fields[5] != "-") reference.expected = ReadFile(folder / fields[5]);
        cases.push_back(std::move(reference));
    }
    if (cases.empty()) throw std::runtime_error("manifest.tsv lists no case");
    return cases;
}

}  // namespace wine_client
