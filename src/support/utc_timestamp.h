#pragma once
// The time stamp that opens every log line.

#include <chrono>
#include <string>

namespace audiogram {

// "YYYY-MM-DD hh:mm:ss" of the moment in UTC, whole seconds (the printf form
// "%4.4d-%2.2d-%2.2d %2.2d:%2.2d:%2.2d").
std::string FormatUtcTimestamp(std::chrono::system_clock::time_point moment);

}  // namespace audiogram
