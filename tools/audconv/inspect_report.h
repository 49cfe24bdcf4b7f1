#pragma once
// What inspect shows of one input: where it came from, the audiogram it holds and its
// clinical summary. Text and JSON are two renderings of the same report.

#include <cstddef>
#include <optional>
#include <string>

#include "model/audiogram.h"
#include "model/clinical_summary.h"
#include "service/data_standard.h"

namespace audiogram::tool {

struct InspectReport {
    std::string file;
    DataStandard standard = 0;
    std::size_t size = 0;                       // of the input in bytes
    std::optional<std::size_t> extensionBytes;  // none for a document
    model::Audiogram audiogram;
    model::ClinicalSummary summary;
};

}  // namespace audiogram::tool
