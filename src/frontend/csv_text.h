#pragma once
// Comma-separated lines as spreadsheets and data-frame readers expect them: a field that
// holds a comma, a quote or a line break is quoted, its quotes doubled; every field is
// valid UTF-8.

#include <span>
#include <string>
#include <string_view>

namespace audiogram::frontend {

std::string CsvField(std::string_view text);

// The fields joined by commas, ended by a line feed.
std::string CsvLine(std::span<const std::string> fields);
std::string CsvLine(std::span<const std::string_view> fields);

}  // namespace audiogram::frontend
