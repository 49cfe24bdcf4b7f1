#pragma once
// The renderings of an inspect report: aligned text for a person, one JSON document (or one
// JSON line) for scripts, and CSV rows for data-frame readers; of the whole report or of its
// clinical summary only. The JSON shape is documented in docs/inspect-json.md.

#include <string>

#include "frontend/inspect_report.h"

namespace audiogram::frontend {

enum class InspectView { Full, Summary };
enum class InspectFormat { Text, Json, JsonLine, Csv };

// What one report adds to the output. Text and JSON end with a line feed; a JSON line is the
// JSON document on one line; CSV gives the report's rows without the header.
std::string RenderInspect(const InspectReport& report, InspectView view, InspectFormat format);

// The header line of the CSV of `view`.
std::string InspectCsvHeader(InspectView view);

// Kept for the callers that want one form directly.
std::string RenderInspectText(const InspectReport& report);
std::string RenderInspectJson(const InspectReport& report);

}  // namespace audiogram::frontend
