#include "frontend/input_detection.h"

#include <algorithm>
#include <array>

#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram::frontend {
namespace {

constexpr std::array<std::uint8_t, 3> kByteOrderMark = {0xEF, 0xBB, 0xBF};

bool IsXmlSpace(std::uint8_t byte) { return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n'; }

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

}  // namespace audiogram::frontend
