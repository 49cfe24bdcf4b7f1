#include "inspect_command.h"

#include <iostream>
#include <optional>

#include "exit_codes.h"
#include "file_io.h"
#include "input_files.h"
#include "record_source.h"
#include "source_standard_option.h"
#include "frontend/status_words.h"

namespace audiogram::tool {
namespace {

using frontend::InspectFormat;

// The report of one file; none, after one line on standard error, when it cannot be read.
std::optional<frontend::InspectReport> ReportOf(const InputFile& file, const std::string& from) {
    const std::string name = file.path.string();
    if (!file.error.empty()) {
        std::cerr << "audconv: '" << name << "': " << file.error << '\n';
        return std::nullopt;
    }
    try {
        const std::optional<LoadedRecord> loaded = ReadAsRecord200(name, from);
        if (!loaded) return std::nullopt;
        return frontend::MakeInspectReport(audconv::IsStandardStream(name) ? "(standard input)" : name,
                                           loaded->standard, loaded->inputSize, loaded->extensionBytes,
                                           loaded->record200);
    } catch (const audconv::FileError& error) {
        std::cerr << "audconv: " << error.what() << '\n';
        return std::nullopt;
    }
}

// Several JSON documents make one array; its elements are the documents as they are.
class JsonArray {
  public:
    explicit JsonArray(bool open) : open_(open) {
        if (open_) std::cout << '[';
    }
    std::string Element(const std::string& document) {
        if (!open_) return document;
        const std::string separator = count_++ ? ",\n" : "\n";
        return separator + document.substr(0, document.size() - 1);  // without its closing line feed
    }
    void Close() const {
        if (open_) std::cout << (count_ ? "\n]\n" : "]\n");
    }

  private:
    bool open_;
    std::size_t count_ = 0;
};

}  // namespace

InspectCommand::InspectCommand(CLI::App& app)
    : command_(app.add_subcommand("inspect",
                                  "Show what records and documents hold: curves, measurement "
                                  "conditions, points, notes, tone-average frequencies, problems and "
                                  "the clinical summary; as text, JSON or a CSV table.")) {
    command_->add_option("FILE", inputs_, "Records, documents and folders to read ('-' is standard input)")
        ->required();
    command_
        ->add_option("--from", from_,
                     "Data standard of the files: 100, 200, 500, or auto to tell each file's from its bytes "
                     "(default: auto)")
        ->check(SourceStandardValidator())
        ->option_text("STANDARD");
    command_->add_flag("-r,--recursive", recursive_, "Read the subfolders of folders too (default: off)");
    command_->add_flag(
        "--summary", summary_,
        "Show only the clinical summary, in any of the forms below (default: the whole report)");
    CLI::Option* json = command_->add_flag(
        "--json", json_,
        "Print a JSON document, an array of them for several files; its shape is described in "
        "docs/inspect-json.md (default: text)");
    CLI::Option* jsonl = command_->add_flag(
        "--jsonl", jsonl_, "Print one JSON document per file, each on one line (default: text)");
    CLI::Option* csv = command_->add_flag(
        "--csv", csv_,
        "Print a CSV table with a header: one row per point, or with --summary one row per file and ear "
        "(default: text)");
    json->excludes(jsonl)->excludes(csv);
    jsonl->excludes(csv);
    verbosity_.AddTo(*command_);
    command_->footer(
        "A 500 document is imported first and shown as the record it gives. Measurement conditions in their\n"
        "default state are left out. Problems are the comments the export would write into a document.\n"
        "In folders only files with a data-standard suffix (.ds100, .ds200, .xml) are read. A file that\n"
        "cannot be read gets one line on standard error and the others are still shown.\n"
        "Exit status: 0 all shown; 1 a file could not be read or converted; 2 the command line was not\n"
        "understood.\n"
        "Examples: audconv inspect --json samples/full-audiogram.ds200 | jq '.sections[].name'\n"
        "          audconv inspect --csv --recursive archive > thresholds.csv");
}

InspectFormat InspectCommand::Format() const {
    if (json_) return InspectFormat::Json;
    if (jsonl_) return InspectFormat::JsonLine;
    if (csv_) return InspectFormat::Csv;
    return InspectFormat::Text;
}

int InspectCommand::Run() const {
    const InspectFormat format = Format();
    const frontend::InspectView view =
        summary_ ? frontend::InspectView::Summary : frontend::InspectView::Full;
    const std::vector<InputFile> files = ListInputFiles(inputs_, recursive_, ToSourceStandard(from_));
    // one named file keeps the single document scripts already read; anything more is an array
    const bool oneFile = files.size() == 1 && files.front().folder.empty() && inputs_.size() == 1;
    JsonArray array(format == InspectFormat::Json && !oneFile);
    if (format == InspectFormat::Csv) std::cout << frontend::InspectCsvHeader(view);
    bool failed = false;
    std::size_t shown = 0;
    for (const InputFile& file : files) {
        const std::optional<frontend::InspectReport> report = ReportOf(file, from_);
        if (!report) {
            failed = true;
            continue;
        }
        if (format == InspectFormat::Text && shown) std::cout << '\n';
        std::cout << array.Element(frontend::RenderInspect(*report, view, format)) << std::flush;
        ++shown;
    }
    array.Close();
    std::cout << std::flush;
    return failed ? audconv::kExitFailure : audconv::kExitSuccess;
}

}  // namespace audiogram::tool
