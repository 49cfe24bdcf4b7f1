#pragma once
// What every binding of the module shares: the data standard arguments as Python gives
// them, texts handed to Python, and ConversionError.

#include <pybind11/pybind11.h>

#include <optional>
#include <string_view>

#include "service/data_standard.h"
#include "support/status.h"

namespace audconv::python {

namespace py = pybind11;

// `from_`: "auto" gives none, an int its code; anything else raises ValueError or TypeError.
std::optional<audiogram::DataStandard> SourceStandard(const py::handle& from);

// A data standard code as the dispatcher takes it (any 16-bit integer); ValueError otherwise.
audiogram::DataStandard TargetStandard(long long code);

// Text from the library as a Python str; bytes that are not UTF-8 (a file name, a line of
// the configuration file) become U+FFFD instead of an exception.
py::str Text(std::string_view text);

// Made once, when the module is imported: audconv.ConversionError, a ValueError.
void AddConversionError(py::module_& module);

// Raises ConversionError(message) with .status, the status code as hosts show it (unsigned).
[[noreturn]] void RaiseConversionError(std::string_view message, audiogram::HResult status);

// The bindings of each part of the module, in their own files.
void AddAudiogram(py::module_& module);
void AddBatch(py::module_& module);

}  // namespace audconv::python
