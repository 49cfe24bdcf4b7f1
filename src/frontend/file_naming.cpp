#include "frontend/file_naming.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace audiogram::frontend {
namespace {

struct StandardSuffix {
    DataStandard standard;
    std::string_view suffix;
};

constexpr std::array kSuffixes = {
    StandardSuffix{kDataStandard100, ".ds100"},
    StandardSuffix{kDataStandard200, ".ds200"},
    StandardSuffix{kDataStandard500, ".xml"},
};

}  // namespace

std::string SuffixOf(DataStandard standard) {
    for (const StandardSuffix& entry : kSuffixes) {
        if (entry.standard == standard) return std::string(entry.suffix);
    }
    return ".ds" + std::to_string(standard);
}

std::optional<DataStandard> StandardOfSuffix(std::string suffix) {
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const StandardSuffix& entry : kSuffixes) {
        if (entry.suffix == suffix) return entry.standard;
    }
    return std::nullopt;
}

std::filesystem::path OutputName(const std::filesystem::path& input, DataStandard to) {
    const std::filesystem::path name = input.filename();
    if (StandardOfSuffix(name.extension().string())) return name.stem().string() + SuffixOf(to);
    return name.string() + SuffixOf(to);
}

std::string KnownSuffixes() {
    std::string list;
    for (std::size_t i = 0; i < kSuffixes.size(); ++i) {
        if (i > 0) list += i + 1 == kSuffixes.size() ? " or " : ", ";
        list.append("'").append(kSuffixes[i].suffix).append("'");
    }
    return list;
}

}  // namespace audiogram::frontend
