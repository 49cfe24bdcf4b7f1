// The page's way into the conversion library, the model and the chart: plain C functions
// over the module's memory. Each call leaves its result (bytes, a text, a second text) in
// one place that the page reads before its next call. The inputs are the page's copies in
// the module's memory, so the dispatcher's in-place calibration date fix touches nothing the
// page keeps and the conversion reads them where they are.

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "frontend/audiogram_chart.h"
#include "frontend/conversion_findings.h"
#include "frontend/file_naming.h"
#include "frontend/input_detection.h"
#include "frontend/inspect_output.h"
#include "frontend/inspect_report.h"
#include "frontend/record_loading.h"
#include "frontend/status_words.h"
#include "frontend/svg_chart.h"
#include "service/blob_dispatcher.h"

namespace {

using namespace audiogram;

struct CallResult {
    Blob bytes;
    std::string text;    // the JSON report, or the one failure line
    std::string second;  // the chart, or the warnings of a conversion (one line each)
};

CallResult g_result;

std::optional<DataStandard> SourceStandard(int from) {
    if (from == 0) return std::nullopt;  // tell it from the bytes, as --from auto
    return static_cast<DataStandard>(from);
}

std::string FailureLine(const std::string& name, const std::string& reason, HResult status) {
    return "audconv: " + frontend::FailureText(name, reason, status);
}

std::string WarningLines(const std::string& name, const std::vector<frontend::Finding>& findings) {
    std::string lines;
    for (const frontend::Finding& finding : findings) {
        lines += (lines.empty() ? "" : "\n") + ("audconv: warning: " + frontend::InputLabel(name) + ": " + finding.message);
    }
    return lines;
}

int Convert(std::uint8_t* input, std::size_t size, int from, int to, const std::string& name) {
    const MutableByteSpan bytes(input, size);
    const std::optional<DataStandard> standard = SourceStandard(from) ? SourceStandard(from) : frontend::DetectDataStandard(bytes);
    if (!standard) {
        g_result.text = FailureLine(name, frontend::UndetectedReason(size), CONV_E_INVALIDBLOB);
        return CONV_E_INVALIDBLOB;
    }
    const DataStandard target = static_cast<DataStandard>(to);
    const HResult status = ConvertDataBlob(target, *standard, bytes, g_result.bytes);
    if (Failed(status)) {
        g_result.text = FailureLine(name, frontend::DescribeFailure(status, {*standard, target, size}), status);
        return status;
    }
    g_result.second = WarningLines(name, frontend::ConversionFindings(*standard, target, bytes, g_result.bytes));
    return status;
}

int Inspect(std::uint8_t* input, std::size_t size, int from, const char* name) {
    std::vector<std::uint8_t> bytes(input, input + size);
    const frontend::LoadedRecord loaded = frontend::LoadAsRecord200(bytes, SourceStandard(from));
    if (Failed(loaded.status)) {
        g_result.text = FailureLine(name, loaded.reason, loaded.status);
        return loaded.status;
    }
    const frontend::InspectReport report = frontend::MakeInspectReport(
        name, loaded.standard, loaded.inputSize, loaded.extensionBytes, loaded.record200);
    g_result.text = frontend::RenderInspectJson(report);
    g_result.second = frontend::RenderAudiogramSvg(frontend::CollectAudiogramChart(report.audiogram),
                                                   frontend::DefaultChartTitle(name));
    return kStatusOk;
}

// No exception leaves the module: a call that runs out of memory reports it as the tool does.
template <typename Call>
int Guarded(Call call) {
    g_result = CallResult();
    try {
        return call();
    } catch (const std::bad_alloc&) {
        g_result = CallResult();
        g_result.text = "audconv: there was not enough memory for the conversion (" +
                        frontend::FormatStatus(kStatusOutOfMemory) + ")";
        return kStatusOutOfMemory;
    }
}

}  // namespace

extern "C" {

// The data standard the bytes hold as --from auto tells it, or 0.
EMSCRIPTEN_KEEPALIVE int audconv_detect(const std::uint8_t* input, std::size_t size) {
    return frontend::DetectDataStandard(ByteSpan(input, size)).value_or(0);
}

// `from` 0 tells the standard from the bytes; `name` is the input's file name. 0 (the result
// in the bytes, the tool's warning lines in the second text) or the status (the tool's
// failure line in the text).
EMSCRIPTEN_KEEPALIVE int audconv_convert(std::uint8_t* input, std::size_t size, int from, int to, const char* name) {
    return Guarded([&] { return Convert(input, size, from, to, name); });
}

// The inspect report as JSON in the text and the chart as SVG in the second text; or the
// status and the failure line.
EMSCRIPTEN_KEEPALIVE int audconv_inspect(std::uint8_t* input, std::size_t size, int from, const char* name) {
    return Guarded([&] { return Inspect(input, size, from, name); });
}

// The name the tool gives the output of `input` in data standard `to`.
EMSCRIPTEN_KEEPALIVE const char* audconv_output_name(const char* input, int to) {
    return Guarded([&] {
        g_result.text = frontend::OutputName(input, static_cast<DataStandard>(to)).string();
        return 0;
    }) == 0 ? g_result.text.c_str() : "";
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* audconv_bytes() { return g_result.bytes.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t audconv_bytes_size() { return g_result.bytes.size(); }
EMSCRIPTEN_KEEPALIVE const char* audconv_text() { return g_result.text.c_str(); }
EMSCRIPTEN_KEEPALIVE const char* audconv_second_text() { return g_result.second.c_str(); }

}  // extern "C"
