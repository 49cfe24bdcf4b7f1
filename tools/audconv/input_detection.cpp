#include "input_detection.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram::tool {
namespace {

constexpr std::array<std::uint8_t, 3> kByteOrderMark = {0xEF, 0xBB, 0xBF};

bool IsXmlSpace(std::uint8_t byte) { return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n'; }

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

std::optional<DataStandard> DetectDataStandard(ByteSpan bytes) {
    ByteSpan text = bytes;
    if (text.size() >= kByteOrderMark.size() && std::equal(kByteOrderMark.begin(), kByteOrderMark.end(), text.begin())) {
        text = text.subspan(kByteOrderMark.size());
    }
    const auto first = std::find_if_not(text.begin(), text.end(), IsXmlSpace);
    if (first != text.end() && *first == '<') return kDataStandard500;
    if (bytes.size() == record100::kSize) return kDataStandard100;
    if (bytes.size() == record200::kSize) return kDataStandard200;
    return std::nullopt;
}

std::string UndetectedReason(std::size_t size) {
    return "cannot tell the data standard: not a document and " + std::to_string(size) +
           " bytes is the size of neither a 100 record (" + std::to_string(record100::kSize) + ") nor a 200 record (" +
           std::to_string(record200::kSize) + "); give it with --from";
}

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

}  // namespace audiogram::tool
