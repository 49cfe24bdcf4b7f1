#include "frontend/point_table.h"

#include "frontend/table_numbers.h"
#include "model/signal_route.h"

namespace audiogram::frontend {
namespace {

std::string Cell(const std::optional<double>& value) {
    return value ? PlainNumber(*value) : std::string();
}
std::string Cell(const std::optional<std::string>& text) {
    return text.value_or(std::string());
}
std::string Cell(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::vector<PointRow> PointRows(std::string_view file, const model::Audiogram& audiogram) {
    std::vector<PointRow> rows;
    for (const model::CurveSection& section : audiogram.sections) {
        for (const model::Curve& curve : section.curves) {
            for (const model::Point& point : curve.points) {
                rows.push_back({std::string(file), section.name, curve.slot, curve.ear, curve.route,
                                point.masked, curve.transducer, point.frequencyHz, point.levelDb,
                                point.maskingFrequencyHz, point.maskingLevelDb, point.status,
                                point.response});
            }
        }
    }
    return rows;
}

std::array<std::string, kPointColumns.size()> PointCells(const PointRow& row) {
    return {row.file,
            row.section,
            std::to_string(row.slot),
            std::string(model::EarName(row.ear)),
            std::string(model::RouteName(row.route)),
            Cell(row.masked),
            Cell(row.transducer),
            Cell(row.frequencyHz),
            Cell(row.levelDb),
            Cell(row.maskingFrequencyHz),
            Cell(row.maskingLevelDb),
            Cell(row.status),
            Cell(row.response)};
}

}  // namespace audiogram::frontend
