#include "frontend/summary_table.h"

#include "frontend/table_numbers.h"
#include "model/signal_route.h"

namespace audiogram::frontend {
namespace {

std::string Cell(const std::optional<double>& decibels) {
    return decibels ? Decibels(*decibels) : std::string();
}
std::string Cell(bool value) {
    return value ? "true" : "false";
}

std::string Cell(const std::vector<int>& hertz) {
    std::string cell;
    for (const int frequency : hertz) cell += (cell.empty() ? "" : " ") + std::to_string(frequency);
    return cell;
}

}  // namespace

std::vector<SummaryRow> SummaryRows(std::string_view file, const model::ClinicalSummary& summary) {
    std::vector<SummaryRow> rows;
    for (const model::EarSummary& ear : summary.ears) {
        SummaryRow row{std::string(file),  ear.ear,           ear.pta4.db, ear.pta4.lowerBound,
                       ear.pta4.missingHz, std::nullopt,      {},          summary.betterEar,
                       summary.grade,      summary.unilateral};
        if (!ear.recordAverages.empty()) {
            row.recordAverageDb = ear.recordAverages.front().average.db;
            row.recordAverageHz = ear.recordAverages.front().average.frequenciesHz;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::array<std::string, kSummaryColumns.size()> SummaryCells(const SummaryRow& row) {
    return {row.file,
            std::string(model::EarName(row.ear)),
            Cell(row.pta4Db),
            Cell(row.pta4LowerBound),
            Cell(row.pta4MissingHz),
            Cell(row.recordAverageDb),
            Cell(row.recordAverageHz),
            row.betterEar ? std::string(model::EarName(*row.betterEar)) : std::string(),
            row.grade ? std::string(model::GradeName(*row.grade)) : std::string(),
            Cell(row.unilateral)};
}

}  // namespace audiogram::frontend
