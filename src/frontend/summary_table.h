#pragma once
// The clinical summary as a table: one row per ear of a file, with the file's better ear,
// grade and unilateral flag repeated on both, so one table holds an archive. The air-bone
// gaps do not fit one row; they are in the JSON forms only.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/clinical_summary.h"

namespace audiogram::frontend {

struct SummaryRow {
    std::string file;
    model::Ear ear;  // Right or Left
    std::optional<double> pta4Db;
    bool pta4LowerBound;
    std::vector<int> pta4MissingHz;
    // The ear's first tone-average mask that names a frequency in hertz (Ear1 before Ear2).
    std::optional<double> recordAverageDb;
    std::vector<int> recordAverageHz;
    std::optional<model::Ear> betterEar;
    std::optional<model::Grade> grade;
    bool unilateral;
};

inline constexpr std::array<std::string_view, 10> kSummaryColumns = {"file",
                                                                     "ear",
                                                                     "pta4_db",
                                                                     "pta4_lower_bound",
                                                                     "pta4_missing_hz",
                                                                     "record_average_db",
                                                                     "record_average_hz",
                                                                     "better_ear",
                                                                     "grade",
                                                                     "unilateral"};

// The right ear's row, then the left's.
std::vector<SummaryRow> SummaryRows(std::string_view file, const model::ClinicalSummary& summary);

// One cell per column of kSummaryColumns: numbers as numbers, lists of frequencies
// separated by spaces ("500 4000"), an empty cell for what the file does not have.
std::array<std::string, kSummaryColumns.size()> SummaryCells(const SummaryRow& row);

}  // namespace audiogram::frontend
