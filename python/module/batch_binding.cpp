// The tool's batch rules for audconv.dask: the jobs a batch plans (inputs, output names,
// outputs two inputs would share), one job run as the tool runs it (the written output
// appears only complete), the files a folder gives, and the summary line. Python only
// distributes the jobs.

#include <pybind11/stl.h>

#include <string>
#include <tuple>
#include <vector>

#include "batch_convert.h"
#include "file_error.h"
#include "frontend/status_words.h"
#include "input_files.h"
#include "module_support.h"
#include "report_lines.h"

namespace audconv::python {
namespace {

namespace tool = audiogram::tool;
namespace fs = std::filesystem;

using PlannedJob = std::tuple<std::string, std::string, std::string>;  // input, output, conflict

tool::BatchOptions Options(long long to, const py::handle& from) {
    tool::BatchOptions options;
    options.to = TargetStandard(to);
    options.from = SourceStandard(from);
    return options;
}

std::vector<PlannedJob> Plan(const std::vector<std::string>& inputs, long long to, const std::string& outDir,
                             const py::handle& from, bool recursive) {
    tool::BatchOptions options = Options(to, from);
    options.inputs = inputs;
    options.outDir = outDir;
    options.recursive = recursive;
    std::vector<tool::BatchJob> jobs;
    {
        const py::gil_scoped_release released;
        jobs = tool::PlanBatch(options);
    }
    std::vector<PlannedJob> planned;
    for (const tool::BatchJob& job : jobs) planned.emplace_back(job.input.string(), job.output.string(), job.conflict);
    return planned;
}

std::string_view OutcomeName(tool::Outcome outcome) {
    switch (outcome) {
        case tool::Outcome::Converted: return "converted";
        case tool::Outcome::Failed: return "failed";
        case tool::Outcome::Skipped: return "skipped";
        case tool::Outcome::NotTried: break;
    }
    return "not tried";
}

// (outcome, message, input bytes, warnings, output unwritable); a failure's message is the
// tool's line without its program name.
py::tuple Run(const PlannedJob& planned, long long to, const py::handle& from, bool force) {
    tool::BatchOptions options = Options(to, from);
    options.force = force;
    const tool::BatchJob job{std::get<0>(planned), std::get<1>(planned), std::get<2>(planned)};
    tool::JobResult result;
    {
        const py::gil_scoped_release released;
        result = tool::RunJob(job, options);
    }
    LogReportLines();
    std::string message = result.reason;
    if (result.outcome == tool::Outcome::Failed) {
        message = audiogram::frontend::FailureText(job.input.string(), result.reason, result.status);
    } else if (result.outcome == tool::Outcome::Skipped) {
        message = QuotedName(job.input) + ": " + result.reason;
    }
    py::list warnings;
    for (const std::string& warning : result.warnings) warnings.append(Text(warning));
    return py::make_tuple(Text(OutcomeName(result.outcome)), Text(message), result.inputBytes, warnings,
                          result.outputUnwritable);
}

std::vector<std::tuple<std::string, std::string>> ListInputs(const std::vector<std::string>& inputs, bool recursive,
                                                             const py::handle& from) {
    const std::optional<audiogram::DataStandard> source = SourceStandard(from);
    std::vector<std::tuple<std::string, std::string>> files;
    for (const tool::InputFile& file : tool::ListInputFiles(inputs, recursive, source)) {
        files.emplace_back(file.path.string(), file.error);
    }
    return files;
}

std::string Summary(std::size_t converted, std::size_t failed, std::size_t skipped, std::size_t notTried,
                    double seconds, std::size_t convertedBytes) {
    tool::BatchSummary summary;
    summary.converted = converted;
    summary.failed = failed;
    summary.skipped = skipped;
    summary.notTried = notTried;
    summary.seconds = seconds;
    summary.convertedBytes = convertedBytes;
    return tool::SummaryLine(summary);
}

}  // namespace

void AddBatch(py::module_& m) {
    m.def("plan_batch", &Plan, py::arg("inputs"), py::arg("to"), py::arg("out_dir"), py::arg("from_"),
          py::arg("recursive"), "The batch's jobs as (input, output, conflict), in the tool's order.");
    m.def("run_job", &Run, py::arg("job"), py::arg("to"), py::arg("from_"), py::arg("force"),
          "Runs one planned job as the tool does: (outcome, message, input bytes, warnings, output unwritable).");
    m.def("list_inputs", &ListInputs, py::arg("inputs"), py::arg("recursive"), py::arg("from_"),
          "The files that inspect takes from files and folders, as (path, error).");
    m.def("summary_line", &Summary, py::arg("converted"), py::arg("failed"), py::arg("skipped"),
          py::arg("not_tried"), py::arg("seconds"), py::arg("converted_bytes"), "The batch's summary line.");
}

}  // namespace audconv::python
