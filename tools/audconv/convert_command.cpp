#include "convert_command.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <new>
#include <optional>
#include <thread>
#include <vector>

#include "batch_convert.h"
#include "exit_codes.h"
#include "file_io.h"
#include "frontend/conversion_findings.h"
#include "frontend/input_detection.h"
#include "frontend/status_words.h"
#include "service/blob_dispatcher.h"
#include "source_standard_option.h"
#include "terminal.h"

namespace audconv {
namespace {

using audiogram::DataStandard;
using audiogram::tool::ParseDataStandard;
namespace frontend = audiogram::frontend;

const CLI::Validator kDataStandardCode(
    [](std::string& text) {
        DataStandard ignored = 0;
        return ParseDataStandard(text, ignored) ? std::string()
                                                : "'" + text + "' is not a data standard: use 100, 200 or 500";
    },
    "STANDARD", "data standard");

// Checked before CLI11's own conversion, which would only say that it could not convert.
const CLI::Validator kCount(
    [](std::string& text) {
        const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
        return digits ? std::string() : "'" + text + "' is not a number";
    },
    "N", "count");

unsigned DefaultJobs() { return std::max(1u, std::thread::hardware_concurrency()); }

bool IsBinaryRecord(DataStandard standard) {
    return standard == audiogram::kDataStandard100 || standard == audiogram::kDataStandard200;
}

// The findings of a successful conversion: warnings unless quiet, or with strict the one
// failure line each and true (the result is not written).
bool RefusedForFindings(const std::vector<frontend::Finding>& findings, const std::string& inputName, bool strict,
                        audiogram::tool::Verbosity verbosity) {
    const std::string label = frontend::InputLabel(inputName);
    for (const frontend::Finding& finding : findings) {
        if (strict) {
            std::cerr << "audconv: " << label << ": " << finding.message << " (refused under --strict)\n";
        } else if (verbosity != audiogram::tool::Verbosity::Quiet) {
            std::cerr << "audconv: warning: " << label << ": " << finding.message << '\n';
        }
    }
    return strict && !findings.empty();
}

int UsageError(const std::string& message) {
    std::cerr << "audconv: " << message << "\nRun 'audconv convert --help' for more information.\n";
    return kExitUsage;
}

// A folder given where a file belongs is most likely meant for a batch.
std::string FolderHint(const std::string& inputName) {
    std::error_code error;
    if (IsStandardStream(inputName) || !std::filesystem::is_directory(inputName, error)) return {};
    return "; convert a folder with --out-dir DIR";
}

DataStandard ToDataStandard(const std::string& text) {
    DataStandard standard = 0;
    ParseDataStandard(text, standard);  // checked by kDataStandardCode during parsing
    return standard;
}

}  // namespace

ConvertCommand::ConvertCommand(CLI::App& app)
    : command_(app.add_subcommand("convert", "Convert one record or document between data standards."
                                             "\nData standards: 100 (.ds100 records), 200 (.ds200 records),"
                                             " 500 (.xml documents).")) {
    command_->add_option("--from", from_,
                         "Data standard of the input: 100, 200 or 500, or auto to tell it from each input's bytes "
                         "(a document starts with '<' after an optional byte-order mark and white space; a record "
                         "of exactly 19472 bytes is 100, of exactly 36128 bytes 200) (required)")
        ->check(audiogram::tool::SourceStandardValidator())
        ->option_text("OLD");
    command_->add_option("--to", to_, "Data standard to convert to: 100, 200 or 500 (required)")
        ->check(kDataStandardCode)
        ->option_text("NEW");
    CLI::Option* output =
        command_->add_option("-o,--output", output_,
                             "Result file of a single input, replaced only when the conversion succeeds "
                             "(default: standard output)")
            ->option_text("OUT");
    command_->add_option("--out-dir", outDir_,
                         "Convert every IN into this folder (made when missing), each output named after its input "
                         "with the suffix of NEW (.ds100, .ds200, .xml); required for several inputs or a folder "
                         "(default: none, single-file form)")
        ->option_text("DIR")
        ->excludes(output);
    command_->add_flag("-r,--recursive", recursive_,
                       "With --out-dir: also walk the subfolders of folder inputs, mirrored under DIR (default: off)");
    command_->add_flag("-f,--force", force_, "With --out-dir: replace existing outputs (default: off, they are skipped)");
    command_->add_flag("--strict", strict_,
                       "Fail instead of warning when the output holds problem comments, the input looks like "
                       "another standard, a document is not an audiogram document or bytes are left behind; "
                       "nothing is written for such an input (default: off, a warning)");
    command_->add_option("-j,--jobs", jobs_, "With --out-dir: conversions run at once (default: one per core)")
        ->option_text("N")
        ->check(kCount)
        ->check(CLI::Range(1u, 1024u));
    command_->add_option("IN", inputs_,
                         "Input files, or folders with --out-dir (default: standard input; '-' is standard input "
                         "in the single-file form)")
        ->option_text(" ");
    verbosity_.AddTo(*command_);
    command_->footer(
        "'-' as IN or OUT means the standard stream; a binary record is not written to a terminal\n"
        "unless '-o -' is given.\n"
        "Exit status: 0 done; 1 the conversion or a file failed (one line on standard error with the\n"
        "status code, OUT untouched); 2 the command line was not understood.\n"
        "With --out-dir: files in folders are taken by their suffix (.ds100, .ds200, .xml; with a numeric\n"
        "--from only its own), an input already in NEW is skipped under --from auto, each failed file gets\n"
        "one line (file, reason, status code) and the batch goes on; the summary line follows, and the exit\n"
        "status is 1 when any file failed.\n"
        "Examples:\n"
        "  audconv convert --from 100 --to 200 -o left.ds200 left.ds100\n"
        "  audconv convert --from auto --to 500 --out-dir documents --recursive archive/");
}

int ConvertCommand::Run() const {
    // checked here rather than by CLI11, which would report them before an unknown option
    if (from_.empty()) return UsageError("--from is required: 100, 200, 500 or auto");
    if (to_.empty()) return UsageError("--to is required: 100, 200 or 500");
    if (!outDir_.empty()) return RunBatch();
    if (inputs_.size() > 1) return UsageError("several inputs need --out-dir");
    for (const auto* option : {"--recursive", "--force", "--jobs"}) {
        if (command_->count(option) > 0) return UsageError(std::string(option) + " needs --out-dir");
    }
    return RunSingle();
}

int ConvertCommand::RunBatch() const {
    if (inputs_.empty()) return UsageError("--out-dir needs at least one input file or folder");
    if (std::find_if(inputs_.begin(), inputs_.end(), IsStandardStream) != inputs_.end()) {
        return UsageError("standard input cannot be part of a batch");
    }
    audiogram::tool::BatchOptions options;
    options.from = audiogram::tool::ToSourceStandard(from_);
    options.to = ToDataStandard(to_);
    options.inputs = inputs_;
    options.outDir = outDir_;
    options.recursive = recursive_;
    options.force = force_;
    options.strict = strict_;
    options.verbosity = Level();
    options.jobs = jobs_ ? jobs_ : DefaultJobs();
    const auto summary = audiogram::tool::RunBatch(options, std::cerr, audiogram::tool::IsTerminal(stderr));
    return summary.failed ? kExitFailure : kExitSuccess;
}

int ConvertCommand::RunSingle() const {
    const std::string inputName = inputs_.empty() ? "-" : inputs_.front();
    const DataStandard to = ToDataStandard(to_);
    if (IsBinaryRecord(to) && command_->count("--output") == 0 && audiogram::tool::IsTerminal(stdout)) {
        std::cerr << "audconv: a data standard " << to << " record is binary and is not written to a terminal; "
                  << "give -o FILE, or -o - to write it anyway\n";
        return kExitFailure;
    }
    try {
        std::vector<std::uint8_t> input = ReadInput(inputName);
        const std::optional<DataStandard> given = audiogram::tool::ToSourceStandard(from_);
        const std::optional<DataStandard> detected = given ? given : frontend::DetectDataStandard(input);
        if (!detected) {
            std::cerr << "audconv: "
                      << frontend::FailureText(inputName, frontend::UndetectedReason(input.size()),
                                               audiogram::CONV_E_INVALIDBLOB)
                      << '\n';
            return kExitFailure;
        }
        const DataStandard from = *detected;
        audiogram::Blob result;
        const audiogram::HResult status = audiogram::ConvertDataBlob(to, from, input, result);
        if (audiogram::Failed(status)) {
            const std::string reason = frontend::DescribeFailure(status, {from, to, input.size()});
            std::cerr << "audconv: " << frontend::FailureText(inputName, reason, status) << '\n';
            return kExitFailure;
        }
        if (RefusedForFindings(frontend::ConversionFindings(from, to, input, result), inputName, strict_, Level())) {
            return kExitFailure;
        }
        WriteOutput(output_, result);
        return kExitSuccess;
    } catch (const FileError& error) {
        std::cerr << "audconv: " << error.what() << FolderHint(inputName) << '\n';
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        std::cerr << "audconv: there was not enough memory to read the input\n";
        return kExitFailure;
    }
}

}  // namespace audconv
