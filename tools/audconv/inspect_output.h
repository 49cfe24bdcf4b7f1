#pragma once
// The two renderings of an inspect report: aligned text for a person, and one JSON
// document for scripts (its shape is documented in docs/inspect-json.md).

#include <string>

#include "inspect_report.h"

namespace audiogram::tool {

std::string RenderInspectText(const InspectReport& report);
std::string RenderInspectJson(const InspectReport& report);

}  // namespace audiogram::tool
