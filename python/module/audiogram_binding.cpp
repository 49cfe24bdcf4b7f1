// audconv.Audiogram and the model it holds: what 'audconv inspect' reports of one input, as
// read-only Python objects; its rows with exactly the columns of 'inspect --csv', and its
// chart as 'audconv plot' draws it.

#include <pybind11/stl.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/audiogram_chart.h"
#include "frontend/inspect_report.h"
#include "frontend/point_table.h"
#include "frontend/record_loading.h"
#include "frontend/status_words.h"
#include "frontend/summary_table.h"
#include "frontend/svg_chart.h"
#include "model/signal_route.h"
#include "module_support.h"
#include "report_lines.h"

namespace audconv::python {
namespace {

namespace frontend = audiogram::frontend;
namespace model = audiogram::model;

// What read() keeps of one input: the inspect report and the name its chart is titled by.
struct ReadRecord {
    frontend::InspectReport report;
    std::string chartName;
};

std::string_view ValueKindName(model::Value::Kind kind) {
    switch (kind) {
        case model::Value::Kind::Missing: return "missing";
        case model::Value::Kind::Number: return "number";
        case model::Value::Kind::Name: return "name";
        case model::Value::Kind::InvalidCode: return "invalid code";
        case model::Value::Kind::Text: return "text";
    }
    return "missing";
}

py::object Optional(const std::optional<double>& number) { return number ? py::object(py::float_(*number)) : py::none(); }
py::object Optional(const std::optional<std::string>& text) { return text ? py::object(Text(*text)) : py::none(); }
py::str EarWord(model::Ear ear) { return Text(model::EarName(ear)); }

py::str Frequencies(const std::vector<int>& hertz) {
    std::string cell;
    for (const int frequency : hertz) cell += (cell.empty() ? "" : " ") + std::to_string(frequency);
    return Text(cell);
}

// A row's values in the order of its columns, typed as pandas reads the CSV's cells, and the
// dtype of each column in a frame (texts are objects; None in a float column is NaN).
inline constexpr std::array<std::string_view, frontend::kPointColumns.size()> kPointDtypes = {
    "object", "object", "int64", "object", "object", "bool", "object",
    "float64", "float64", "float64", "float64", "object", "bool"};
inline constexpr std::array<std::string_view, frontend::kSummaryColumns.size()> kSummaryDtypes = {
    "object", "object", "float64", "bool", "object", "float64", "object", "object", "object", "bool"};

std::array<py::object, frontend::kPointColumns.size()> PointValues(const frontend::PointRow& row) {
    return {Text(row.file), Text(row.section), py::int_(row.slot), EarWord(row.ear),
            Text(model::RouteName(row.route)), py::bool_(row.masked), Optional(row.transducer),
            Optional(row.frequencyHz), Optional(row.levelDb), Optional(row.maskingFrequencyHz),
            Optional(row.maskingLevelDb), Optional(row.status), py::bool_(row.response)};
}

std::array<py::object, frontend::kSummaryColumns.size()> SummaryValues(const frontend::SummaryRow& row) {
    return {Text(row.file),
            EarWord(row.ear),
            Optional(row.pta4Db),
            py::bool_(row.pta4LowerBound),
            Frequencies(row.pta4MissingHz),
            Optional(row.recordAverageDb),
            Frequencies(row.recordAverageHz),
            row.betterEar ? py::object(EarWord(*row.betterEar)) : py::none(),
            row.grade ? py::object(Text(model::GradeName(*row.grade))) : py::none(),
            py::bool_(row.unilateral)};
}

// One dict per row, keyed by the table's own column names.
template <typename Row, std::size_t N, typename Values>
py::list Records(const std::vector<Row>& rows, const std::array<std::string_view, N>& columns, Values values) {
    std::array<py::str, N> keys;
    for (std::size_t i = 0; i < N; ++i) keys[i] = Text(columns[i]);
    py::list records;
    for (const Row& row : rows) {
        const std::array<py::object, N> cells = values(row);
        py::dict record;
        for (std::size_t i = 0; i < N; ++i) record[keys[i]] = cells[i];
        records.append(std::move(record));
    }
    return records;
}

// {column: dtype} in the table's column order, for frames and their empty meta.
template <std::size_t N>
py::dict Dtypes(const std::array<std::string_view, N>& columns, const std::array<std::string_view, N>& dtypes) {
    py::dict result;
    for (std::size_t i = 0; i < N; ++i) result[Text(columns[i])] = Text(dtypes[i]);
    return result;
}

ReadRecord Read(const py::bytes& data, const py::handle& from, const std::string& name) {
    const std::optional<audiogram::DataStandard> source = SourceStandard(from);
    const std::string_view view(data);
    std::vector<std::uint8_t> input(view.begin(), view.end());
    const bool standardInput = name == "-";
    ReadRecord read;
    frontend::LoadedRecord loaded;
    {
        const py::gil_scoped_release released;
        loaded = frontend::LoadAsRecord200(input, source);
        if (!audiogram::Failed(loaded.status)) {
            read.report = frontend::MakeInspectReport(standardInput ? "(standard input)" : name, loaded.standard,
                                                      loaded.inputSize, loaded.extensionBytes, loaded.record200);
        }
    }
    LogReportLines();
    if (audiogram::Failed(loaded.status)) {
        RaiseConversionError(frontend::FailureText(name, loaded.reason, loaded.status), loaded.status);
    }
    read.chartName = standardInput ? "standard input" : std::filesystem::path(name).filename().string();
    return read;
}

void AddModelClasses(py::module_& m) {
    py::class_<model::Value>(m, "Value", "A field's value: kind, and its number or text as the kind has them.")
        .def_property_readonly("kind", [](const model::Value& v) { return Text(ValueKindName(v.kind)); },
                               "'missing', 'number', 'name' (an enumeration name), 'invalid code' or 'text'")
        .def_readonly("number", &model::Value::number, "the number, or the code of a name")
        .def_property_readonly("text", [](const model::Value& v) { return Text(v.text); },
                               "as the document writes it");
    py::class_<model::NamedValue>(m, "NamedValue", "A field by its element name, with its unit.")
        .def_readonly("name", &model::NamedValue::name)
        .def_readonly("value", &model::NamedValue::value)
        .def_readonly("unit", &model::NamedValue::unit);
    py::class_<model::Column>(m, "Column", "A column of a section's points: its name and unit.")
        .def_readonly("name", &model::Column::name)
        .def_readonly("unit", &model::Column::unit);
    py::class_<model::Point>(m, "Point", "A used point of a curve, by column and by meaning.")
        .def_readonly("index", &model::Point::index)
        .def_readonly("values", &model::Point::values)
        .def_readonly("frequency_hz", &model::Point::frequencyHz)
        .def_readonly("level_db", &model::Point::levelDb)
        .def_readonly("masking_frequency_hz", &model::Point::maskingFrequencyHz)
        .def_readonly("masking_level_db", &model::Point::maskingLevelDb)
        .def_readonly("status", &model::Point::status)
        .def_readonly("masked", &model::Point::masked)
        .def_readonly("tested", &model::Point::tested)
        .def_readonly("response", &model::Point::response);
    py::class_<model::Curve>(m, "Curve", "A used curve: its slot, ear, route, conditions and points.")
        .def_readonly("slot", &model::Curve::slot)
        .def_property_readonly("ear", [](const model::Curve& c) { return EarWord(c.ear); })
        .def_property_readonly("route", [](const model::Curve& c) { return Text(model::RouteName(c.route)); })
        .def_readonly("masked", &model::Curve::masked)
        .def_readonly("transducer", &model::Curve::transducer)
        .def_readonly("conditions", &model::Curve::conditions)
        .def_readonly("points", &model::Curve::points);
    py::class_<model::CurveSection>(m, "Section", "A section with used curves, named by its element.")
        .def_readonly("name", &model::CurveSection::name)
        .def_readonly("columns", &model::CurveSection::columns)
        .def_readonly("curves", &model::CurveSection::curves);
    py::class_<model::NotesBlock>(m, "Notes", "A notes block and the texts it holds.")
        .def_readonly("name", &model::NotesBlock::name)
        .def_readonly("fields", &model::NotesBlock::fields);
    py::class_<model::ToneAverageFrequencies>(m, "ToneAverage", "A tone-average mask: its bits by name and in hertz.")
        .def_readonly("name", &model::ToneAverageFrequencies::name)
        .def_property_readonly("ear", [](const model::ToneAverageFrequencies& t) { return EarWord(t.ear); })
        .def_readonly("names", &model::ToneAverageFrequencies::names)
        .def_readonly("frequencies_hz", &model::ToneAverageFrequencies::frequenciesHz);
    py::class_<model::Problem>(m, "Problem", "A problem the export comments on, and where.")
        .def_readonly("where", &model::Problem::where)
        .def_readonly("text", &model::Problem::text);
}

void AddSummaryClasses(py::module_& m) {
    py::class_<model::Average>(m, "Average", "A pure-tone average; db is None when a frequency has no threshold.")
        .def_readonly("frequencies_hz", &model::Average::frequenciesHz)
        .def_readonly("db", &model::Average::db)
        .def_readonly("lower_bound", &model::Average::lowerBound)
        .def_readonly("missing_hz", &model::Average::missingHz);
    py::class_<model::RecordAverage>(m, "RecordAverage", "The average over the frequencies a mask of the record names.")
        .def_readonly("name", &model::RecordAverage::name)
        .def_readonly("average", &model::RecordAverage::average);
    py::class_<model::AirBoneGap>(m, "AirBoneGap", "Air minus bone conduction at one frequency.")
        .def_readonly("frequency_hz", &model::AirBoneGap::frequencyHz)
        .def_readonly("air_db", &model::AirBoneGap::airDb)
        .def_readonly("bone_db", &model::AirBoneGap::boneDb)
        .def_readonly("gap_db", &model::AirBoneGap::gapDb);
    py::class_<model::EarSummary>(m, "EarSummary", "The averages and air-bone gaps of one ear.")
        .def_property_readonly("ear", [](const model::EarSummary& e) { return EarWord(e.ear); })
        .def_readonly("pta4", &model::EarSummary::pta4)
        .def_readonly("record_averages", &model::EarSummary::recordAverages)
        .def_readonly("air_bone_gaps", &model::EarSummary::airBoneGaps);
    py::class_<model::ClinicalSummary>(m, "Summary", "The clinical summary: both ears, better ear, grade, unilateral.")
        .def_readonly("ears", &model::ClinicalSummary::ears)
        .def_property_readonly("better_ear", [](const model::ClinicalSummary& s) {
            return s.betterEar ? py::object(EarWord(*s.betterEar)) : py::none();
        })
        .def_property_readonly("grade", [](const model::ClinicalSummary& s) {
            return s.grade ? py::object(Text(model::GradeName(*s.grade))) : py::none();
        })
        .def_readonly("grade_lower_bound", &model::ClinicalSummary::gradeLowerBound)
        .def_readonly("unilateral", &model::ClinicalSummary::unilateral);
}

}  // namespace

void AddAudiogram(py::module_& m) {
    AddModelClasses(m);
    AddSummaryClasses(m);
    py::class_<ReadRecord>(m, "Audiogram", "An audiogram read from a record or document, as 'audconv inspect' shows it.")
        .def_property_readonly("file", [](const ReadRecord& r) { return Text(r.report.file); })
        .def_property_readonly("standard", [](const ReadRecord& r) { return r.report.standard; })
        .def_property_readonly("size", [](const ReadRecord& r) { return r.report.size; })
        .def_property_readonly("extension_bytes", [](const ReadRecord& r) { return r.report.extensionBytes; })
        .def_property_readonly("sections", [](const ReadRecord& r) { return r.report.audiogram.sections; })
        .def_property_readonly("notes", [](const ReadRecord& r) { return r.report.audiogram.notes; })
        .def_property_readonly("tone_average", [](const ReadRecord& r) { return r.report.audiogram.toneAverage; })
        .def_property_readonly("problems", [](const ReadRecord& r) { return r.report.audiogram.problems; })
        .def("summary", [](const ReadRecord& r) { return r.report.summary; },
             "The clinical summary: pure-tone averages, grade, unilateral flag, air-bone gaps.")
        .def("to_records", [](const ReadRecord& r) {
            return Records(frontend::PointRows(r.report.file, r.report.audiogram), frontend::kPointColumns, PointValues);
        }, "One dict per used point with the columns of 'audconv inspect --csv'; None where the point has none.")
        .def("summary_records", [](const ReadRecord& r) {
            return Records(frontend::SummaryRows(r.report.file, r.report.summary), frontend::kSummaryColumns,
                           SummaryValues);
        }, "One dict per ear with the columns of 'audconv inspect --csv --summary'.")
        .def("plot_svg", [](const ReadRecord& r, const std::optional<std::string>& title) {
            const std::string svg = frontend::RenderAudiogramSvg(frontend::CollectAudiogramChart(r.report.audiogram),
                                                                 title ? *title : frontend::DefaultChartTitle(r.chartName));
            return Text(svg);
        }, py::arg("title") = py::none(),
           "The chart as 'audconv plot' draws it, an SVG document; title None is 'Audiogram: ' and the file's name.");
    m.def("read", &Read, py::arg("data"), py::arg("from_"), py::arg("name"),
          "The audiogram of `data`; `name` is the file's path as given, or '-' for bytes of no file.");
    m.attr("POINT_DTYPES") = Dtypes(frontend::kPointColumns, kPointDtypes);
    m.attr("SUMMARY_DTYPES") = Dtypes(frontend::kSummaryColumns, kSummaryDtypes);
}

}  // namespace audconv::python
