#pragma once
// The configuration's report lines (the "token ..." line of every legal-character entry)
// must never reach the process's standard output, where a notebook or a pipeline keeps its
// own results: they are collected here while a call runs without the GIL, and handed to
// Python's logging (logger "audconv", level DEBUG) once the call holds the GIL again.

#include <ostream>
#include <string>
#include <vector>

namespace audconv::python {

// The stream the process's configuration reports into; made the report stream when the
// module is imported, before any conversion can set the configuration up.
std::ostream& ReportLineStream();

// The complete lines reported since the last call, in order; empty almost always (the
// configuration reports once per process). Safe while another thread reports.
std::vector<std::string> TakeReportLines();

// Passes the lines taken to logging.getLogger("audconv").debug; needs the GIL.
void LogReportLines();

}  // namespace audconv::python
