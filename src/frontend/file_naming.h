#pragma once
// How files of each data standard are named: the suffix that marks them (.ds100, .ds200,
// .xml) and the name a converted file takes. A known suffix is replaced, any other name
// keeps its whole name and gets the suffix appended, so "a.bin" and "a.dat" cannot meet
// in one output.

#include <filesystem>
#include <optional>
#include <string>

#include "service/data_standard.h"

namespace audiogram::frontend {

// The file suffix of a data standard's files (".ds100", ".ds200", ".xml"), or ".dsN" for
// any other code.
std::string SuffixOf(DataStandard standard);

// The data standard a file suffix stands for, compared without regard to case.
std::optional<DataStandard> StandardOfSuffix(std::string suffix);

// The file name of `input` converted to `to`, without its folder.
std::filesystem::path OutputName(const std::filesystem::path& input, DataStandard to);

// "'.ds100', '.ds200' or '.xml'": the suffixes a folder is searched for, for messages.
std::string KnownSuffixes();

}  // namespace audiogram::frontend
