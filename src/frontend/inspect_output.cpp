#include "frontend/inspect_output.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string_view>

#include "frontend/csv_text.h"
#include "frontend/point_table.h"
#include "frontend/summary_table.h"
#include "frontend/table_numbers.h"
#include "frontend/text_safety.h"
#include "model/signal_route.h"

namespace audiogram::frontend {
namespace {

std::string ShownValue(const model::Value& value, std::string_view unit) {
    switch (value.kind) {
        case model::Value::Kind::Missing: return "-";
        case model::Value::Kind::InvalidCode: return value.text + " (not in its table)";
        case model::Value::Kind::Number: return unit.empty() ? value.text : value.text + " " + std::string(unit);
        case model::Value::Kind::Name:
        case model::Value::Kind::Text: return PrintableText(value.text);
    }
    return value.text;
}

std::string JsonValue(const model::Value& value) {
    switch (value.kind) {
        case model::Value::Kind::Missing: return "null";
        case model::Value::Kind::Number:
        case model::Value::Kind::InvalidCode: return value.text;
        case model::Value::Kind::Name:
        case model::Value::Kind::Text: return JsonString(value.text);
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

void WritePointTable(std::ostringstream& out, const model::CurveSection& section, const model::Curve& curve) {
    std::vector<std::vector<std::string>> cells;
    std::vector<bool> numeric{true};
    std::vector<std::string> header{"#"};
    for (const model::Column& column : section.columns) {
        header.push_back(column.unit.empty() ? column.name : column.name + " [" + column.unit + "]");
        numeric.push_back(true);
    }
    cells.push_back(header);
    for (const model::Point& point : curve.points) {
        std::vector<std::string> line{std::to_string(point.index)};
        for (std::size_t column = 0; column < point.values.size(); ++column) {
            const model::Value& value = point.values[column];
            line.push_back(ShownValue(value, {}));
            if (value.kind == model::Value::Kind::Name) numeric[column + 1] = false;
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

void WriteNamedValues(std::ostringstream& out, const std::vector<model::NamedValue>& values) {
    std::size_t width = 0;
    for (const model::NamedValue& value : values) width = std::max(width, value.name.size() + 1);
    for (const model::NamedValue& value : values) {
        out << "    " << Padded(value.name + ":", width, false) << "  " << ShownValue(value.value, value.unit) << '\n';
    }
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : std::string(separator)) + part;
    return joined;
}


std::string Hertz(const std::vector<int>& frequencies, std::string_view separator) {
    std::vector<std::string> parts;
    for (const int frequency : frequencies) parts.push_back(std::to_string(frequency));
    return Join(parts, separator);
}

std::string ShownAverage(const model::Average& average) {
    if (!average.db) return "not given, no threshold at " + Hertz(average.missingHz, " ") + " Hz";
    return (average.lowerBound ? "at least " : "") + Decibels(*average.db) + " dB over " +
           Hertz(average.frequenciesHz, " ") + " Hz";
}

std::string ShownGaps(const std::vector<model::AirBoneGap>& gaps) {
    std::vector<std::string> parts;
    for (const model::AirBoneGap& gap : gaps) {
        parts.push_back(std::to_string(gap.frequencyHz) + " Hz " + Decibels(gap.gapDb) + " dB");
    }
    return parts.empty() ? "-" : Join(parts, ", ");
}

void WriteSummaryText(std::ostringstream& out, const model::ClinicalSummary& summary) {
    std::vector<model::NamedValue> lines;
    const auto line = [&lines](std::string name, std::string text) {
        lines.push_back({std::move(name), {model::Value::Kind::Text, 0, std::move(text)}, {}});
    };
    for (const model::EarSummary& ear : summary.ears) {
        const std::string name = ear.ear == model::Ear::Right ? "Right ear" : "Left ear";
        line(name + " PTA4", ShownAverage(ear.pta4));
        for (const model::RecordAverage& average : ear.recordAverages) {
            line(name + " average of " + average.name, ShownAverage(average.average));
        }
        line(name + " air-bone gaps", ShownGaps(ear.airBoneGaps));
    }
    line("Better ear", summary.betterEar ? std::string(model::EarName(*summary.betterEar)) : "-");
    line("Grade", summary.grade ? (summary.gradeLowerBound ? "at least " : "") +
                                      std::string(model::GradeName(*summary.grade))
                                : "-");
    line("Unilateral", summary.unilateral ? "yes" : "no");
    out << "\nClinical summary (air conduction thresholds)\n";
    WriteNamedValues(out, lines);
}

std::string JsonNumber(std::optional<double> value) { return value ? Decibels(*value) : "null"; }

std::string JsonHertz(const std::vector<int>& frequencies) { return "[" + Hertz(frequencies, ", ") + "]"; }

std::string JsonAverage(const model::Average& average) {
    return "{\"frequenciesHz\": " + JsonHertz(average.frequenciesHz) + ", \"db\": " + JsonNumber(average.db) +
           ", \"lowerBound\": " + (average.lowerBound ? "true" : "false") +
           ", \"missingHz\": " + JsonHertz(average.missingHz) + "}";
}

std::string JsonEar(const model::EarSummary& ear) {
    std::vector<std::string> averages, gaps;
    for (const model::RecordAverage& average : ear.recordAverages) {
        averages.push_back("{\"name\": " + JsonString(average.name) + ", \"average\": " + JsonAverage(average.average) +
                           "}");
    }
    for (const model::AirBoneGap& gap : ear.airBoneGaps) {
        gaps.push_back("{\"frequencyHz\": " + std::to_string(gap.frequencyHz) + ", \"airDb\": " + Decibels(gap.airDb) +
                       ", \"boneDb\": " + Decibels(gap.boneDb) + ", \"gapDb\": " + Decibels(gap.gapDb) + "}");
    }
    return "{\"ear\": " + JsonString(std::string(model::EarName(ear.ear))) + ", \"pta4\": " + JsonAverage(ear.pta4) +
           ",\n      \"recordAverages\": [" + Join(averages, ", ") + "],\n      \"airBoneGaps\": [" +
           Join(gaps, ", ") + "]}";
}

void WriteSummaryJson(std::ostringstream& out, const model::ClinicalSummary& summary) {
    out << ",\n  \"summary\": {\n    \"ears\": [\n      " << JsonEar(summary.ears[0]) << ",\n      "
        << JsonEar(summary.ears[1]) << "\n    ],\n    \"betterEar\": "
        << (summary.betterEar ? JsonString(std::string(model::EarName(*summary.betterEar))) : "null")
        << ", \"grade\": " << (summary.grade ? JsonString(std::string(model::GradeName(*summary.grade))) : "null")
        << ", \"gradeLowerBound\": " << (summary.gradeLowerBound ? "true" : "false")
        << ", \"unilateral\": " << (summary.unilateral ? "true" : "false") << "\n  }";
}

void WriteSectionsText(std::ostringstream& out, const model::Audiogram& audiogram) {
    if (audiogram.sections.empty()) out << "\nNo curve is in use.\n";
    for (const model::CurveSection& section : audiogram.sections) {
        for (const model::Curve& curve : section.curves) {
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
}

std::string JsonCurve(const model::CurveSection& section, const model::Curve& curve) {
    std::ostringstream out;
    std::vector<std::string> conditions;
    for (const model::NamedValue& value : curve.conditions) {
        conditions.push_back(JsonString(value.name) + ": " + JsonValue(value.value));
    }
    out << "\n        {\n          \"slot\": " << curve.slot << ",\n          \"ear\": "
        << JsonString(std::string(model::EarName(curve.ear))) << ", \"route\": "
        << JsonString(std::string(model::RouteName(curve.route))) << ", \"masked\": "
        << (curve.masked ? "true" : "false") << ", \"transducer\": "
        << (curve.transducer ? JsonString(*curve.transducer) : "null") << ",\n          \"conditions\": {"
        << Join(conditions, ", ") << "},\n          \"points\": [";
    for (std::size_t p = 0; p < curve.points.size(); ++p) {
        const model::Point& point = curve.points[p];
        std::vector<std::string> fields{"\"index\": " + std::to_string(point.index)};
        for (std::size_t k = 0; k < section.columns.size() && k < point.values.size(); ++k) {
            fields.push_back(JsonString(section.columns[k].name) + ": " + JsonValue(point.values[k]));
        }
        out << (p ? "," : "") << "\n            {" << Join(fields, ", ") << "}";
    }
    out << (curve.points.empty() ? "]" : "\n          ]") << "\n        }";
    return out.str();
}

void WriteSectionsJson(std::ostringstream& out, const model::Audiogram& audiogram) {
    out << "  \"sections\": [";
    for (std::size_t s = 0; s < audiogram.sections.size(); ++s) {
        const model::CurveSection& section = audiogram.sections[s];
        out << (s ? "," : "") << "\n    {\n      \"name\": " << JsonString(section.name) << ",\n      \"curves\": [";
        for (std::size_t c = 0; c < section.curves.size(); ++c) out << (c ? "," : "") << JsonCurve(section, section.curves[c]);
        out << "\n      ]\n    }";
    }
    out << (audiogram.sections.empty() ? "]" : "\n  ]");
}

void WriteToneAverageJson(std::ostringstream& out, const model::Audiogram& audiogram) {
    std::vector<std::string> names, hertz;
    for (const model::ToneAverageFrequencies& mask : audiogram.toneAverage) {
        std::vector<std::string> quoted;
        for (const std::string& name : mask.names) quoted.push_back(JsonString(name));
        names.push_back(JsonString(mask.name) + ": [" + Join(quoted, ", ") + "]");
        hertz.push_back(JsonString(mask.name) + ": " + JsonHertz(mask.frequenciesHz));
    }
    out << ",\n  \"toneAverageFrequencies\": {" << Join(names, ", ") << "},\n  \"toneAverageFrequenciesHz\": {"
        << Join(hertz, ", ") << "}";
}

std::string FileLine(const InspectReport& report) { return "File:          " + PrintableText(report.file) + '\n'; }

std::string RenderSummaryText(const InspectReport& report) {
    std::ostringstream out;
    out << FileLine(report);
    WriteSummaryText(out, report.summary);
    return out.str();
}

std::string RenderSummaryJson(const InspectReport& report) {
    std::ostringstream out;
    out << "{\n  \"file\": " << JsonString(report.file) << ",\n  \"dataStandard\": " << report.standard;
    WriteSummaryJson(out, report.summary);
    out << "\n}\n";
    return out.str();
}

// The document on one line. Strings in it never hold a raw line feed (JSON escapes them), so
// every line feed is layout, and so is the indentation after it.
std::string OneLine(const std::string& json) {
    std::string line;
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (json[i] != '\n') {
            line += json[i];
            continue;
        }
        while (i + 1 < json.size() && json[i + 1] == ' ') ++i;
    }
    return line + '\n';
}

template <class Row, std::size_t N>
std::string CsvRows(const std::vector<Row>& rows, std::array<std::string, N> (*cells)(const Row&)) {
    std::string csv;
    for (const Row& row : rows) csv += CsvLine(cells(row));
    return csv;
}

}  // namespace

std::string RenderInspectText(const InspectReport& report) {
    const model::Audiogram& audiogram = report.audiogram;
    std::ostringstream out;
    out << FileLine(report) << "Data standard: " << report.standard << '\n'
        << "Size:          " << report.size << " bytes";
    if (report.extensionBytes) out << " (" << *report.extensionBytes << " extension bytes)";
    out << '\n';
    WriteSectionsText(out, audiogram);
    for (const model::NotesBlock& notes : audiogram.notes) {
        out << '\n' << notes.name << '\n';
        WriteNamedValues(out, notes.fields);
    }
    out << "\nFrequencies used for the tone average\n";
    for (const model::ToneAverageFrequencies& mask : audiogram.toneAverage) {
        out << "    " << Padded(mask.name + ":", 10, false) << "  "
            << (mask.names.empty() ? "-" : Join(mask.names, " ")) << '\n';
    }
    out << "\nProblems the export comments on: "
        << (audiogram.problems.empty() ? "none" : std::to_string(audiogram.problems.size())) << '\n';
    for (const model::Problem& problem : audiogram.problems) {
        out << "    " << (problem.where.empty() ? "" : PrintableText(problem.where) + ": ") << PrintableText(problem.text)
            << '\n';
    }
    WriteSummaryText(out, report.summary);
    return out.str();
}

std::string RenderInspectJson(const InspectReport& report) {
    const model::Audiogram& audiogram = report.audiogram;
    std::ostringstream out;
    out << "{\n"
        << "  \"file\": " << JsonString(report.file) << ",\n"
        << "  \"dataStandard\": " << report.standard << ",\n"
        << "  \"size\": " << report.size << ",\n"
        << "  \"extensionBytes\": " << (report.extensionBytes ? std::to_string(*report.extensionBytes) : "null")
        << ",\n";
    WriteSectionsJson(out, audiogram);
    out << ",\n  \"notes\": {";
    for (std::size_t n = 0; n < audiogram.notes.size(); ++n) {
        std::vector<std::string> fields;
        for (const model::NamedValue& value : audiogram.notes[n].fields) {
            fields.push_back(JsonString(value.name) + ": " + JsonValue(value.value));
        }
        out << (n ? "," : "") << "\n    " << JsonString(audiogram.notes[n].name) << ": {" << Join(fields, ", ") << "}";
    }
    out << (audiogram.notes.empty() ? "}" : "\n  }");
    WriteToneAverageJson(out, audiogram);
    out << ",\n  \"problems\": [";
    for (std::size_t p = 0; p < audiogram.problems.size(); ++p) {
        out << (p ? "," : "") << "\n    {\"where\": " << JsonString(audiogram.problems[p].where)
            << ", \"text\": " << JsonString(audiogram.problems[p].text) << "}";
    }
    out << (audiogram.problems.empty() ? "]" : "\n  ]");
    WriteSummaryJson(out, report.summary);
    out << "\n}\n";
    return out.str();
}

}  // namespace audiogram::frontend

namespace audiogram::frontend {

std::string RenderInspect(const InspectReport& report, InspectView view, InspectFormat format) {
    const bool full = view == InspectView::Full;
    switch (format) {
        case InspectFormat::Text: return full ? RenderInspectText(report) : RenderSummaryText(report);
        case InspectFormat::Json: return full ? RenderInspectJson(report) : RenderSummaryJson(report);
        case InspectFormat::JsonLine: return OneLine(full ? RenderInspectJson(report) : RenderSummaryJson(report));
        case InspectFormat::Csv:
            return full ? CsvRows(PointRows(report.file, report.audiogram), &PointCells)
                        : CsvRows(SummaryRows(report.file, report.summary), &SummaryCells);
    }
    return {};
}

std::string InspectCsvHeader(InspectView view) {
    return view == InspectView::Full ? CsvLine(kPointColumns) : CsvLine(kSummaryColumns);
}

}  // namespace audiogram::frontend
