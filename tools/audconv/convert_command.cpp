#include "convert_command.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <new>
#include <vector>

#include "exit_codes.h"
#include "file_io.h"
#include "service/blob_dispatcher.h"
#include "status_words.h"

namespace audconv {
namespace {

using audiogram::DataStandard;

// Data standards are passed on as any 16-bit integer, so the dispatcher itself answers for
// the ones it does not know. Only plain decimal is accepted: "0100" is 100, not octal.
bool ParseDataStandard(const std::string& text, DataStandard& standard) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last) return false;
    if (value < std::numeric_limits<DataStandard>::min() || value > std::numeric_limits<DataStandard>::max()) {
        return false;
    }
    standard = static_cast<DataStandard>(value);
    return true;
}

const CLI::Validator kDataStandardCode(
    [](std::string& text) {
        DataStandard ignored = 0;
        return ParseDataStandard(text, ignored) ? std::string() : "'" + text + "' is not a 16-bit integer";
    },
    "STANDARD", "data standard");

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
    command_->add_option("--from", from_, "Data standard of the input: 100, 200 or 500 (required)")
        ->required()
        ->check(kDataStandardCode)
        ->option_text("OLD");
    command_->add_option("--to", to_, "Data standard to convert to: 100, 200 or 500 (required)")
        ->required()
        ->check(kDataStandardCode)
        ->option_text("NEW");
    command_->add_option("-o,--output", output_,
                         "Result file, replaced only when the conversion succeeds (default: standard output)")
        ->option_text("OUT");
    command_->add_option("IN", input_, "Input file (default: standard input)")->option_text(" ");
    command_->footer(
        "'-' as IN or OUT means the standard stream.\n"
        "Exit status: 0 done; 1 the conversion or a file failed (one line on standard error with the\n"
        "status code, OUT untouched); 2 the command line was not understood.\n"
        "Example: audconv convert --from 100 --to 200 -o left.ds200 left.ds100");
}

int ConvertCommand::Run() const {
    const DataStandard from = ToDataStandard(from_);
    const DataStandard to = ToDataStandard(to_);
    try {
        std::vector<std::uint8_t> input = ReadInput(input_);
        audiogram::Blob result;
        const audiogram::HResult status = audiogram::ConvertDataBlob(to, from, input, result);
        if (audiogram::Failed(status)) {
            std::cerr << FailureLine(status, ConversionRequest{from, to, input.size()}) << '\n';
            return kExitFailure;
        }
        WriteOutput(output_, result);
        return kExitSuccess;
    } catch (const FileError& error) {
        std::cerr << "audconv: " << error.what() << '\n';
        return kExitFailure;
    } catch (const std::bad_alloc&) {
        std::cerr << "audconv: there was not enough memory to read the input\n";
        return kExitFailure;
    }
}

}  // namespace audconv
