#include "inspect_output.h"

#include <algorithm>
#include <sstream>

#include "text_safety.h"

namespace audiogram::tool {
namespace {

std::string ShownValue(const ReportValue& value, std::string_view unit) {
    switch (value.kind) {
        case ReportValue::Kind::Missing: return "-";
        case ReportValue::Kind::InvalidCode: return value.text + " (not in its table)";
        case ReportValue::Kind::Number: return unit.empty() ? value.text : value.text + " " + std::string(unit);
        case ReportValue::Kind::Name:
        case ReportValue::Kind::Text: return PrintableText(value.text);
    }
    return value.text;
}

std::string JsonValue(const ReportValue& value) {
    switch (value.kind) {
        case ReportValue::Kind::Missing: return "null";
        case ReportValue::Kind::Number:
        case ReportValue::Kind::InvalidCode: return value.text;
        case ReportValue::Kind::Name:
        case ReportValue::Kind::Text: return JsonString(value.text);
    }
    return "null";
}

// Columns a UTF-8 text takes on a terminal: continuation bytes take none.
std::size_t DisplayWidth(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t columns = DisplayWidth(text);
    const std::string fill(width > columns ? width - columns : 0, ' ');
    return right ? fill + text : text + fill;
}

void WritePointTable(std::ostringstream& out, const SectionReport& section, const CurveReport& curve) {
    std::vector<std::vector<std::string>> cells;
    std::vector<bool> numeric{true};
    std::vector<std::string> header{"#"};
    for (const PointColumn& column : section.columns) {
        header.push_back(column.unit.empty() ? column.name : column.name + " [" + column.unit + "]");
        numeric.push_back(true);
    }
    cells.push_back(header);
    for (std::size_t row = 0; row < curve.points.size(); ++row) {
        std::vector<std::string> line{std::to_string(curve.pointIndexes[row])};
        for (std::size_t column = 0; column < curve.points[row].size(); ++column) {
            const ReportValue& value = curve.points[row][column];
            line.push_back(ShownValue(value, {}));
            if (value.kind == ReportValue::Kind::Name) numeric[column + 1] = false;
        }
        cells.push_back(std::move(line));
    }
    std::vector<std::size_t> widths(header.size(), 0);
    for (const auto& line : cells) {
        for (std::size_t column = 0; column < line.size(); ++column) {
            widths[column] = std::max(widths[column], DisplayWidth(line[column]));
        }
    }
    for (const auto& line : cells) {
        std::string text = "   ";
        for (std::size_t column = 0; column < line.size(); ++column) {
            text += "  " + Padded(line[column], widths[column], numeric[column] && &line != &cells.front());
        }
        out << text.substr(0, text.find_last_not_of(' ') + 1) << '\n';
    }
}

void WriteNamedValues(std::ostringstream& out, const std::vector<NamedValue>& values) {
    std::size_t width = 0;
    for (const NamedValue& value : values) width = std::max(width, value.name.size() + 1);
    for (const NamedValue& value : values) {
        out << "    " << Padded(value.name + ":", width, false) << "  " << ShownValue(value.value, value.unit) << '\n';
    }
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : std::string(separator)) + part;
    return joined;
}

}  // namespace

std::string RenderInspectText(const InspectReport& report) {
    std::ostringstream out;
    out << "File:          " << PrintableText(report.file) << '\n'
        << "Data standard: " << report.standard << '\n'
        << "Size:          " << report.size << " bytes";
    if (report.extensionBytes) out << " (" << *report.extensionBytes << " extension bytes)";
    out << '\n';
    if (report.sections.empty()) out << "\nNo curve is in use.\n";
    for (const SectionReport& section : report.sections) {
        for (const CurveReport& curve : section.curves) {
            out << '\n' << section.name << ", slot " << curve.slot << '\n' << "  Measurement conditions:\n";
            WriteNamedValues(out, curve.conditions);
            if (curve.points.empty()) {
                out << "  No points.\n";
            } else {
                out << "  Points:\n";
                WritePointTable(out, section, curve);
            }
        }
    }
    for (const NotesReport& notes : report.notes) {
        out << '\n' << notes.name << '\n';
        WriteNamedValues(out, notes.fields);
    }
    out << "\nFrequencies used for the tone average\n";
    for (const ToneAverageReport& mask : report.toneAverage) {
        out << "    " << Padded(mask.name + ":", 10, false) << "  "
            << (mask.frequencies.empty() ? "-" : Join(mask.frequencies, " ")) << '\n';
    }
    out << "\nProblems the export comments on: " << (report.problems.empty() ? "none" : std::to_string(report.problems.size()))
        << '\n';
    for (const Problem& problem : report.problems) {
        out << "    " << (problem.where.empty() ? "" : PrintableText(problem.where) + ": ") << PrintableText(problem.text) << '\n';
    }
    return out.str();
}

std::string RenderInspectJson(const InspectReport& report) {
    std::ostringstream out;
    out << "{\n"
        << "  \"file\": " << JsonString(report.file) << ",\n"
        << "  \"dataStandard\": " << report.standard << ",\n"
        << "  \"size\": " << report.size << ",\n"
        << "  \"extensionBytes\": " << (report.extensionBytes ? std::to_string(*report.extensionBytes) : "null")
        << ",\n  \"sections\": [";
    for (std::size_t s = 0; s < report.sections.size(); ++s) {
        const SectionReport& section = report.sections[s];
        out << (s ? "," : "") << "\n    {\n      \"name\": " << JsonString(section.name) << ",\n      \"curves\": [";
        for (std::size_t c = 0; c < section.curves.size(); ++c) {
            const CurveReport& curve = section.curves[c];
            std::vector<std::string> conditions;
            for (const NamedValue& value : curve.conditions) {
                conditions.push_back(JsonString(value.name) + ": " + JsonValue(value.value));
            }
            out << (c ? "," : "") << "\n        {\n          \"slot\": " << curve.slot
                << ",\n          \"conditions\": {" << Join(conditions, ", ") << "},\n          \"points\": [";
            for (std::size_t p = 0; p < curve.points.size(); ++p) {
                std::vector<std::string> fields{"\"index\": " + std::to_string(curve.pointIndexes[p])};
                for (std::size_t k = 0; k < section.columns.size(); ++k) {
                    fields.push_back(JsonString(section.columns[k].name) + ": " + JsonValue(curve.points[p][k]));
                }
                out << (p ? "," : "") << "\n            {" << Join(fields, ", ") << "}";
            }
            out << (curve.points.empty() ? "]" : "\n          ]") << "\n        }";
        }
        out << "\n      ]\n    }";
    }
    out << (report.sections.empty() ? "]" : "\n  ]") << ",\n  \"notes\": {";
    for (std::size_t n = 0; n < report.notes.size(); ++n) {
        std::vector<std::string> fields;
        for (const NamedValue& value : report.notes[n].fields) {
            fields.push_back(JsonString(value.name) + ": " + JsonValue(value.value));
        }
        out << (n ? "," : "") << "\n    " << JsonString(report.notes[n].name) << ": {" << Join(fields, ", ") << "}";
    }
    out << (report.notes.empty() ? "}" : "\n  }") << ",\n  \"toneAverageFrequencies\": {";
    std::vector<std::string> masks;
    for (const ToneAverageReport& mask : report.toneAverage) {
        std::vector<std::string> names;
        for (const std::string& name : mask.frequencies) names.push_back(JsonString(name));
        masks.push_back(JsonString(mask.name) + ": [" + Join(names, ", ") + "]");
    }
    out << Join(masks, ", ") << "},\n  \"problems\": [";
    for (std::size_t p = 0; p < report.problems.size(); ++p) {
        out << (p ? "," : "") << "\n    {\"where\": " << JsonString(report.problems[p].where)
            << ", \"text\": " << JsonString(report.problems[p].text) << "}";
    }
    out << (report.problems.empty() ? "]" : "\n  ]") << "\n}\n";
    return out.str();
}

}  // namespace audiogram::tool
