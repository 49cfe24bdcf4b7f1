#pragma once
// Batch conversion: many inputs and folders into one output folder, in parallel. Each
// output is named after its input with the suffix of the target standard (a known suffix
// .ds100, .ds200 or .xml is replaced, any other name gets the suffix appended), is never
// written over an existing file without `force`, and appears only complete (written to a
// temporary file and renamed). A failed file is reported on its own line and the batch
// goes on; one summary line ends the run.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "service/data_standard.h"
#include "support/status.h"

namespace audiogram::tool {

struct BatchOptions {
    std::optional<DataStandard> from;  // none: detect each input's standard
    DataStandard to = 0;
    std::vector<std::string> inputs;   // files and folders
    std::filesystem::path outDir;
    bool recursive = false;
    bool force = false;
    bool quiet = false;
    unsigned jobs = 1;
};

struct BatchJob {
    std::filesystem::path input;
    std::filesystem::path output;
    std::string conflict;  // when not empty, the job fails with this reason before it runs
};

// The jobs of a batch in a fixed order: named files as given, then the files of each folder
// sorted by path. In folders only files with a data-standard suffix are taken (with a
// given --from, only that standard's); subfolders are walked with `recursive` and mirrored
// under the output folder.
std::vector<BatchJob> PlanBatch(const BatchOptions& options);

enum class Outcome { Converted, Failed, Skipped };

struct JobResult {
    Outcome outcome = Outcome::Failed;
    std::string reason;            // for failed and skipped jobs
    HResult status = kStatusOk;    // for failed jobs
    std::size_t inputBytes = 0;
};

// Converts one job; never throws.
JobResult RunJob(const BatchJob& job, const BatchOptions& options);

struct BatchSummary {
    std::size_t converted = 0, failed = 0, skipped = 0;
    double seconds = 0;
    std::size_t convertedBytes = 0;
};

// Runs the whole batch: failure lines (and, unless quiet, skip lines and the summary) on
// `messages`; a progress bar there too when `progressBar` is set.
BatchSummary RunBatch(const BatchOptions& options, std::ostream& messages, bool progressBar);

// "3 converted, 1 failed, 0 skipped in 0.12 s (1.8 MB/s)".
std::string SummaryLine(const BatchSummary& summary);

}  // namespace audiogram::tool
