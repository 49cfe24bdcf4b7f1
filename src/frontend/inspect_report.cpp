#include "frontend/inspect_report.h"

#include <string_view>
#include <vector>

#include "frontend/status_words.h"
#include "model/export_problems.h"
#include "model/read_audiogram.h"
#include "service/blob_dispatcher.h"

namespace audiogram::frontend {
namespace {

// The export of the record, run only for the comments it writes about the data.
std::vector<model::Problem> ProblemsOf(ByteSpan record200) {
    Blob record(record200.begin(), record200.end());  // the export may complete the calibration date in place
    Blob document;
    const HResult status = ConvertBlob200to500(record, document, nullptr);
    if (Failed(status)) return {{"", "the export itself failed (" + FormatStatus(status) + ")"}};
    return model::ExportProblems(
        std::string_view(reinterpret_cast<const char*>(document.data()), document.size()));
}

}  // namespace

InspectReport MakeInspectReport(std::string file, DataStandard standard, std::size_t size,
                                std::optional<std::size_t> extensionBytes, ByteSpan record200) {
    InspectReport report{std::move(file), standard, size, extensionBytes, {}, {}};
    if (std::optional<model::Audiogram> audiogram = model::ReadAudiogram(record200))
        report.audiogram = std::move(*audiogram);
    report.audiogram.problems = ProblemsOf(record200);
    report.summary = model::Summarize(report.audiogram);
    return report;
}

}  // namespace audiogram::frontend
