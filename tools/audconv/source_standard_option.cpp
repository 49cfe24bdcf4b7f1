#include "source_standard_option.h"

#include <charconv>
#include <limits>

namespace audiogram::tool {
namespace {

constexpr std::string_view kAuto = "auto";

}  // namespace

bool ParseDataStandard(const std::string& text, DataStandard& standard) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return false;
    if (value < std::numeric_limits<DataStandard>::min() || value > std::numeric_limits<DataStandard>::max()) {
        return false;
    }
    standard = static_cast<DataStandard>(value);
    return true;
}

const CLI::Validator& SourceStandardValidator() {
    static const CLI::Validator validator(
        [](std::string& text) {
            DataStandard ignored = 0;
            return text == kAuto || ParseDataStandard(text, ignored)
                       ? std::string()
                       : "'" + text + "' is not a data standard: use 100, 200, 500 or auto";
        },
        "STANDARD", "source data standard");
    return validator;
}

std::optional<DataStandard> ToSourceStandard(const std::string& text) {
    DataStandard standard = 0;
    if (text == kAuto || !ParseDataStandard(text, standard)) return std::nullopt;
    return standard;
}

}  // namespace audiogram::tool
