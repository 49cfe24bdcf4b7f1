// The extension module audconv._audconv: conversion and detection of blobs, reading into the
// model (audiogram_binding.cpp) and the tool's batch rules for audconv.dask
// (batch_binding.cpp). The package audconv (python/audconv) wraps it.

#include <limits>
#include <string>
#include <vector>

#include "frontend/conversion_findings.h"
#include "frontend/input_detection.h"
#include "frontend/status_words.h"
#include "module_support.h"
#include "report_lines.h"
#include "service/blob_dispatcher.h"
#include "support/configuration.h"

namespace audconv::python {
namespace {

using audiogram::DataStandard;
namespace frontend = audiogram::frontend;

// Kept for the life of the process: the module is never unloaded, and a global py::object
// would be released after the interpreter has gone.
py::handle g_conversionError;

std::vector<std::uint8_t> CopyBytes(const py::bytes& data) {
    const std::string_view view(data);
    return {view.begin(), view.end()};
}

// The outcome of one conversion, made without the GIL.
struct Conversion {
    audiogram::HResult status = audiogram::kStatusOk;
    std::string failure;  // the reason, when the conversion failed
    audiogram::Blob result;
    std::vector<frontend::Finding> findings;
};

Conversion Convert(std::vector<std::uint8_t>& input, DataStandard to, std::optional<DataStandard> given) {
    Conversion conversion;
    const std::optional<DataStandard> from = given ? given : frontend::DetectDataStandard(input);
    if (!from) {
        conversion.status = audiogram::CONV_E_INVALIDBLOB;
        conversion.failure = frontend::UndetectedReason(input.size());
        return conversion;
    }
    conversion.status = audiogram::ConvertDataBlob(to, *from, input, conversion.result);
    if (audiogram::Failed(conversion.status)) {
        conversion.failure = frontend::DescribeFailure(conversion.status, {*from, to, input.size()});
        return conversion;
    }
    conversion.findings = frontend::ConversionFindings(*from, to, input, conversion.result);
    return conversion;
}

// The findings of a successful conversion, which the tool prints as warnings.
void LogFindings(const std::vector<frontend::Finding>& findings) {
    if (findings.empty()) return;
    const py::object logger = py::module_::import("logging").attr("getLogger")("audconv");
    for (const frontend::Finding& finding : findings) logger.attr("warning")(Text("warning: " + finding.message));
}

py::bytes ConvertBytes(const py::bytes& data, long long to, const py::handle& from) {
    const DataStandard target = TargetStandard(to);
    const std::optional<DataStandard> source = SourceStandard(from);
    std::vector<std::uint8_t> input = CopyBytes(data);
    Conversion conversion;
    {
        const py::gil_scoped_release released;
        conversion = Convert(input, target, source);
    }
    LogReportLines();
    if (audiogram::Failed(conversion.status)) {
        RaiseConversionError(conversion.failure + " (" + frontend::FormatStatus(conversion.status) + ")",
                             conversion.status);
    }
    LogFindings(conversion.findings);
    return {reinterpret_cast<const char*>(conversion.result.data()), conversion.result.size()};
}

py::object Detect(const py::bytes& data) {
    const std::string_view view(data);
    const std::optional<DataStandard> standard =
        frontend::DetectDataStandard({reinterpret_cast<const std::uint8_t*>(view.data()), view.size()});
    if (!standard) return py::none();
    return py::int_(*standard);
}

}  // namespace

std::optional<DataStandard> SourceStandard(const py::handle& from) {
    if (py::isinstance<py::str>(from)) {
        if (from.cast<std::string>() == "auto") return std::nullopt;
        throw py::value_error("from_ is 'auto' or a data standard such as 100, 200 or 500, not '" +
                              from.cast<std::string>() + "'");
    }
    if (!py::isinstance<py::int_>(from) || py::isinstance<py::bool_>(from)) {
        throw py::type_error("from_ is 'auto' or an int data standard such as 100, 200 or 500");
    }
    return TargetStandard(from.cast<long long>());
}

DataStandard TargetStandard(long long code) {
    if (code < std::numeric_limits<DataStandard>::min() || code > std::numeric_limits<DataStandard>::max()) {
        throw py::value_error("a data standard is a 16-bit code such as 100, 200 or 500, not " + std::to_string(code));
    }
    return static_cast<DataStandard>(code);
}

py::str Text(std::string_view text) {
    PyObject* decoded = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
    if (decoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

void AddConversionError(py::module_& module) {
    g_conversionError = PyErr_NewExceptionWithDoc(
        "audconv.ConversionError",
        "A record or document that could not be converted or read. str() is the reason in the tool's "
        "words with the status code; .status is the status code as an unsigned int (e.g. 0x8004051C).",
        PyExc_ValueError, nullptr);
    if (!g_conversionError) throw py::error_already_set();
    module.attr("ConversionError") = g_conversionError;
}

void RaiseConversionError(std::string_view message, audiogram::HResult status) {
    const py::object error = g_conversionError(Text(message));
    error.attr("status") = py::int_(static_cast<std::uint32_t>(status));
    PyErr_SetObject(g_conversionError.ptr(), error.ptr());
    throw py::error_already_set();
}

}  // namespace audconv::python

PYBIND11_MODULE(_audconv, module) {
    namespace python = audconv::python;
    // before any conversion of the process can set the configuration up
    audiogram::SetValidCharReportStream(&python::ReportLineStream());
    module.doc() = "The conversion library of the audiogram converter; use it through the package audconv.";
    python::AddConversionError(module);
    module.def("convert", &python::ConvertBytes, pybind11::arg("data"), pybind11::arg("to"), pybind11::arg("from_"),
               "The bytes of `data` converted to data standard `to`, as 'audconv convert' writes them.");
    module.def("detect", &python::Detect, pybind11::arg("data"),
               "The data standard the bytes hold as 'audconv convert --from auto' tells it, or None.");
    python::AddAudiogram(module);
    python::AddBatch(module);
}
