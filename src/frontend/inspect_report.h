#pragma once
// What inspect shows of one input: where it came from, the audiogram it holds and its
// clinical summary. Text, JSON and the tables are renderings of the same report.

#include <cstddef>
#include <optional>
#include <string>

#include "model/audiogram.h"
#include "model/clinical_summary.h"
#include "records/little_endian.h"
#include "service/data_standard.h"

namespace audiogram::frontend {

struct InspectReport {
    std::string file;
    DataStandard standard = 0;
    std::size_t size = 0;                       // of the input in bytes
    std::optional<std::size_t> extensionBytes;  // none for a document
    model::Audiogram audiogram;
    model::ClinicalSummary summary;
};

// The report of a 200 record read from an input of `size` bytes in `standard`: its
// audiogram, the problems its export would comment on, and the summary.
InspectReport MakeInspectReport(std::string file, DataStandard standard, std::size_t size,
                                std::optional<std::size_t> extensionBytes, ByteSpan record200);

}  // namespace audiogram::frontend
