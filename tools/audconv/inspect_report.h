#pragma once
// What a 200 record holds, for a person: the used curves of every section with their
// measurement conditions in words and their points as a table, the notes, the tone-average
// frequencies, and the problems the export comments on. Text and JSON are two renderings
// of the same report.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/little_endian.h"
#include "service/data_standard.h"

namespace audiogram::tool {

struct ReportValue {
    enum class Kind {
        Missing,      // the field holds MissingValue
        Number,       // text is the number as the document writes it ("25.5", "1000")
        Name,         // text is an enumeration name
        InvalidCode,  // text is a code that its enumeration table does not have
        Text,         // text is a record text, as UTF-8
    };
    Kind kind = Kind::Missing;
    std::string text;
};

struct NamedValue {
    std::string name;   // the element name of the document
    ReportValue value;
    std::string unit;   // empty when the value has none
};

struct PointColumn {
    std::string name;
    std::string unit;
};

struct CurveReport {
    std::size_t slot;                             // in its section, from 0
    std::vector<NamedValue> conditions;           // fields not in their default state
    std::vector<std::size_t> pointIndexes;        // of the used points in the curve's array
    std::vector<std::vector<ReportValue>> points; // one value per column
};

struct SectionReport {
    std::string name;
    std::vector<PointColumn> columns;
    std::vector<CurveReport> curves;
};

struct NotesReport {
    std::string name;
    std::vector<NamedValue> fields;  // the texts that are present
};

struct ToneAverageReport {
    std::string name;
    std::vector<std::string> frequencies;  // names of the set bits, lowest first
};

struct Problem {
    std::string where;  // element path, e.g. "ToneThresholdAudiogram[2]/TonePoints[1]"
    std::string text;   // the export's comment
};

struct InspectReport {
    std::string file;
    DataStandard standard = 0;
    std::size_t size = 0;                        // of the input in bytes
    std::optional<std::size_t> extensionBytes;   // none for a document
    std::vector<SectionReport> sections;         // only sections with used curves
    std::vector<NotesReport> notes;              // only notes blocks with a text
    std::vector<ToneAverageReport> toneAverage;  // all four masks, in record order
    std::vector<Problem> problems;
};

// The sections, notes and tone-average frequencies of a 200 record (36128 bytes).
void DescribeRecord(ByteSpan record200, InspectReport& report);

// The comments of a document written by the export, each with the path of the element it
// stands in.
std::vector<Problem> ExportProblems(std::string_view document);

}  // namespace audiogram::tool
