#include "plot_command.h"

#include <filesystem>
#include <iostream>

#include "exit_codes.h"
#include "file_io.h"
#include "frontend/audiogram_chart.h"
#include "frontend/svg_chart.h"
#include "model/read_audiogram.h"
#include "record_source.h"
#include "source_standard_option.h"

namespace audiogram::tool {

PlotCommand::PlotCommand(CLI::App& app)
    : command_(app.add_subcommand("plot", "Draw the pure-tone audiogram of a record or document as an SVG chart.")) {
    command_->add_option("FILE", input_, "Record or document to read ('-' is standard input)")->required();
    command_->add_option("-o,--output", output_,
                         "SVG file to write, replaced only when the chart is made (default: standard output)")
        ->option_text("OUT");
    command_->add_option("--from", from_,
                         "Data standard of FILE: 100, 200, 500, or auto to tell it from the bytes (default: auto)")
        ->check(SourceStandardValidator())
        ->option_text("STANDARD");
    titleOption_ = command_->add_option(
        "--title", title_,
        "Title above the chart; an empty TEXT draws none (default: \"Audiogram: \" and the file's name)");
    titleOption_->option_text("TEXT");
    verbosity_.AddTo(*command_);
    command_->footer(
        "The chart shows the tone threshold curves, and the comfortable (M) and uncomfortable (U) levels,\n"
        "from 125 to 8000 Hz and from -10 to 120 dB HL: right ear red, left ear blue; air conduction O and X,\n"
        "masked a triangle and a square; bone conduction < and >, masked [ and ]; sound field S; a point\n"
        "without response carries a downward arrow. The legend names what is shown.\n"
        "Exit status: 0 written; 1 the file could not be read or converted; 2 the command line was not understood.\n"
        "Example: audconv plot samples/full-audiogram.ds200 -o chart.svg");
}

int PlotCommand::Run() const {
    try {
        const std::optional<LoadedRecord> loaded = ReadAsRecord200(input_, from_);
        if (!loaded) return audconv::kExitFailure;
        const std::string name = audconv::IsStandardStream(input_)
                                     ? std::string("standard input")
                                     : std::filesystem::path(input_).filename().string();
        const model::Audiogram audiogram = model::ReadAudiogram(loaded->record200).value_or(model::Audiogram());
        const std::string title = titleOption_->count() ? title_ : frontend::DefaultChartTitle(name);
        const std::string svg = frontend::RenderAudiogramSvg(frontend::CollectAudiogramChart(audiogram), title);
        audconv::WriteOutput(output_, ByteSpan(reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()));
        return audconv::kExitSuccess;
    } catch (const audconv::FileError& error) {
        std::cerr << "audconv: " << error.what() << '\n';
        return audconv::kExitFailure;
    }
}

}  // namespace audiogram::tool
