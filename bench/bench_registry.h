#pragma once
// The names the benchmarks run under, shared by their registration and the ratio report.

#include <string>
#include <string_view>

#include "service/data_standard.h"

namespace audiogram::bench {

inline std::string ConversionName(DataStandard from, DataStandard to, std::string_view size) {
    return "Convert/" + std::to_string(from) + "to" + std::to_string(to) + "/" + std::string(size);
}
inline std::string BaselineName(std::string_view baseline, std::string_view size) {
    return "Baseline/" + std::string(baseline) + "/" + std::string(size);
}

inline constexpr std::string_view kMemcpy = "memcpy_record200";
inline constexpr std::string_view kLibxml2Writer = "libxml2_writer";
inline constexpr std::string_view kPugixmlParse = "pugixml_parse";

void RegisterConversions();
void RegisterBaselines();

}  // namespace audiogram::bench
