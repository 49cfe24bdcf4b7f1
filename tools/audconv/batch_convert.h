#pragma once
// Batch conversion: many inputs and folders into one output folder, in parallel. Each
// output is named after its input with the suffix of the target standard (a known suffix
// .ds100, .ds200 or .xml is replaced, any other name gets the suffix appended), is never
// written over an existing file without `force`, and appears only complete (written to a
// temporary file and renamed). A failed file is reported on its own line and the batch
// goes on, unless its output could not be written: the output folder is then most likely
// unwritable and the batch stops. The outputs are made durable together at the end of the
// batch (output_batch.h); only then are the files reported, each on its line in the order
// of the jobs, and one summary line ends the run.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "output_batch.h"
#include "service/data_standard.h"
#include "support/status.h"
#include "verbosity_option.h"

namespace audiogram::tool {

struct BatchOptions {
    std::optional<DataStandard> from;  // none: detect each input's standard
    DataStandard to = 0;
    std::vector<std::string> inputs;   // files and folders
    std::filesystem::path outDir;
    bool recursive = false;
    bool force = false;
    bool strict = false;  // a conversion with findings fails and writes nothing
    Verbosity verbosity = Verbosity::Normal;
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

enum class Outcome { NotTried, Converted, Failed, Skipped };
enum class SkipReason { None, OutputExists, AlreadyInTarget };

struct JobResult {
    Outcome outcome = Outcome::NotTried;
    std::string reason;            // for failed and skipped jobs
    HResult status = kStatusOk;    // for failed jobs; none for a refusal under strict
    std::size_t inputBytes = 0;
    SkipReason skip = SkipReason::None;
    bool outputUnwritable = false;        // the batch stops after this failure
    std::vector<std::string> warnings;    // the findings of a converted job
    std::optional<std::size_t> staged;    // its output's place in the batch's outputs
};

// Converts one job; never throws. Its output is written durably on its own, or, given
// `outputs`, staged there to be committed with the rest of the batch.
JobResult RunJob(const BatchJob& job, const BatchOptions& options, audconv::OutputBatch* outputs = nullptr);

struct BatchSummary {
    std::size_t converted = 0, failed = 0, skipped = 0;
    double seconds = 0;
    std::size_t convertedBytes = 0;
    std::size_t notTried = 0;                           // after the batch stopped
    std::size_t outputsExist = 0, alreadyInTarget = 0;  // the skipped ones by reason
};

// Runs the whole batch: failure lines, the summary line unless quiet, and a line for every
// converted or skipped file when verbose, on `messages`; a progress bar there too when
// `progressBar` is set and the run is not quiet.
BatchSummary RunBatch(const BatchOptions& options, std::ostream& messages, bool progressBar);

// "3 converted, 1 failed, 0 skipped in 0.12 s (1.8 MB/s)"; ", 4 not tried" after the
// skipped count when the batch stopped.
std::string SummaryLine(const BatchSummary& summary);

// "skipped 3 files: 2 outputs exist (--force replaces them), 1 already data standard 500";
// empty when none was skipped.
std::string SkippedLine(const BatchSummary& summary, DataStandard to);

// The hint for a folder input that gives no job: empty unless `recursive` is off and the
// folder has subfolders.
std::string RecursiveHint(const std::filesystem::path& folder, const BatchOptions& options);

}  // namespace audiogram::tool
