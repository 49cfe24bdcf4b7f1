#include "inspect_command.h"

#include <iostream>

#include "exit_codes.h"
#include "file_io.h"
#include "inspect_output.h"
#include "inspect_report.h"
#include "model/export_problems.h"
#include "model/read_audiogram.h"
#include "record_source.h"
#include "source_standard_option.h"
#include "frontend/status_words.h"

namespace audiogram::tool {
namespace {

// The export of the record, run only for the comments it writes about the data.
std::vector<model::Problem> ProblemsOf(const Blob& record200) {
    Blob record = record200;  // the export may complete the calibration date in place
    Blob document;
    const HResult status = ConvertBlob200to500(record, document, nullptr);
    if (Failed(status)) return {{"", "the export itself failed (" + frontend::FormatStatus(status) + ")"}};
    return model::ExportProblems(std::string_view(reinterpret_cast<const char*>(document.data()), document.size()));
}

}  // namespace

InspectCommand::InspectCommand(CLI::App& app)
    : command_(app.add_subcommand("inspect", "Show what a record or document holds: curves, measurement "
                                             "conditions, points, notes, tone-average frequencies and problems.")) {
    command_->add_option("FILE", input_, "Record or document to read ('-' is standard input)")->required();
    command_->add_option("--from", from_,
                         "Data standard of FILE: 100, 200, 500, or auto to tell it from the bytes (default: auto)")
        ->check(SourceStandardValidator())
        ->option_text("STANDARD");
    command_->add_flag("--json", json_,
                       "Print one JSON document instead of text; its shape is described in docs/inspect-json.md "
                       "(default: off)");
    verbosity_.AddTo(*command_);
    command_->footer(
        "A 500 document is imported first and shown as the record it gives. Measurement conditions in their\n"
        "default state are left out. Problems are the comments the export would write into a document.\n"
        "Exit status: 0 shown; 1 the file could not be read or converted; 2 the command line was not understood.\n"
        "Example: audconv inspect --json samples/full-audiogram.ds200 | jq '.sections[].name'");
}

int InspectCommand::Run() const {
    try {
        const std::optional<LoadedRecord> loaded = ReadAsRecord200(input_, from_);
        if (!loaded) return audconv::kExitFailure;
        InspectReport report;
        report.file = audconv::IsStandardStream(input_) ? "(standard input)" : input_;
        report.standard = loaded->standard;
        report.size = loaded->inputSize;
        report.extensionBytes = loaded->extensionBytes;
        std::optional<model::Audiogram> audiogram = model::ReadAudiogram(loaded->record200);
        if (audiogram) report.audiogram = std::move(*audiogram);
        report.audiogram.problems = ProblemsOf(loaded->record200);
        report.summary = model::Summarize(report.audiogram);
        std::cout << (json_ ? RenderInspectJson(report) : RenderInspectText(report)) << std::flush;
        return audconv::kExitSuccess;
    } catch (const audconv::FileError& error) {
        std::cerr << "audconv: " << error.what() << '\n';
        return audconv::kExitFailure;
    }
}

}  // namespace audiogram::tool
