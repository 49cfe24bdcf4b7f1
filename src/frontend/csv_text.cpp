#include "frontend/csv_text.h"

#include "frontend/text_safety.h"

namespace audiogram::frontend {
namespace {

template <class Text>
std::string JoinedLine(std::span<const Text> fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + CsvField(fields[i]);
    return line + '\n';
}

}  // namespace

std::string CsvField(std::string_view text) {
    const std::string valid = ValidUtf8(text);
    if (valid.find_first_of(",\"\r\n") == std::string::npos) return valid;
    std::string quoted = "\"";
    for (const char c : valid) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string CsvLine(std::span<const std::string> fields) {
    return JoinedLine(fields);
}
std::string CsvLine(std::span<const std::string_view> fields) {
    return JoinedLine(fields);
}

}  // namespace audiogram::frontend
