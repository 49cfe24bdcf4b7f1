#pragma once
// The words users read when a conversion fails: one place for every status code, told in
// terms of the pair of data standards and the input that was asked for.

#include <cstddef>
#include <string>

#include "service/data_standard.h"
#include "support/status.h"

namespace audconv {

struct ConversionRequest {
    audiogram::DataStandard from;
    audiogram::DataStandard to;
    std::size_t inputSize;
};

// What went wrong, in words, without the program name or the status code.
std::string DescribeFailure(audiogram::HResult status, const ConversionRequest& request);

// The status code as hosts show it: 0x%08X.
std::string FormatStatus(audiogram::HResult status);

// The one line a failed conversion prints: "audconv: <words> (0x8004051C)".
std::string FailureLine(audiogram::HResult status, const ConversionRequest& request);

}  // namespace audconv
