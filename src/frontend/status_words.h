#pragma once
// The words users read when a conversion fails: one place for every status code, told in
// terms of the pair of data standards and the input that was asked for. The front-end
// layer keeps them so that every front end says the same.

#include <cstddef>
#include <string>
#include <string_view>

#include "service/data_standard.h"
#include "service/status.h"

namespace audiogram::frontend {

struct ConversionRequest {
    DataStandard from;
    DataStandard to;
    std::size_t inputSize;
};

// What went wrong, in words, without the program name or the status code.
std::string DescribeFailure(HResult status, const ConversionRequest& request);

// A binary record shorter than its standard's size: the size found and the size expected.
std::string DescribeShortRecord(DataStandard standard, std::size_t inputSize);

// The status code as hosts show it: 0x%08X.
std::string FormatStatus(HResult status);

// How messages name an input: "'left.ds100'", or "standard input" for "-" or no name.
std::string InputLabel(std::string_view name);

// A failure as a front end prints it after its own name:
// "'left.ds100': <reason> (0x8004051C)".
std::string FailureText(std::string_view inputName, std::string_view reason, HResult status);

}  // namespace audiogram::frontend
