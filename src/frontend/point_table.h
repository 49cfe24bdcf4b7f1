#pragma once
// The tidy table of an audiogram: one row per used point, with its curve's section, slot,
// ear, route and transducer beside the point's own values, for data-frame readers.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/audiogram.h"

namespace audiogram::frontend {

struct PointRow {
    std::string file;
    std::string section;  // the section's element name
    std::size_t slot;
    model::Ear ear;
    model::Route route;
    bool masked;  // this point is masked
    std::optional<std::string> transducer;
    std::optional<double> frequencyHz;
    std::optional<double> levelDb;
    std::optional<double> maskingFrequencyHz;  // only when the point is masked
    std::optional<double> maskingLevelDb;      // only when the point is masked
    std::optional<std::string> status;
    bool response;
};

inline constexpr std::array<std::string_view, 13> kPointColumns = {"file",
                                                                   "section",
                                                                   "slot",
                                                                   "ear",
                                                                   "route",
                                                                   "masked",
                                                                   "transducer",
                                                                   "frequency_hz",
                                                                   "level_db",
                                                                   "masking_frequency_hz",
                                                                   "masking_level_db",
                                                                   "status",
                                                                   "response"};

// The rows of every used point, sections and curves in record order.
std::vector<PointRow> PointRows(std::string_view file, const model::Audiogram& audiogram);

// One cell per column of kPointColumns: numbers as plain numbers, booleans "true" or
// "false", and an empty cell for what the point does not have.
std::array<std::string, kPointColumns.size()> PointCells(const PointRow& row);

}  // namespace audiogram::frontend
