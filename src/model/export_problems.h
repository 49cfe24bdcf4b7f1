#pragma once
// The problems the export comments on, read back from the document it wrote.

#include <string_view>
#include <vector>

#include "model/audiogram.h"

namespace audiogram::model {

// The comments of a document written by the export, each with the path of the element it
// stands in.
std::vector<Problem> ExportProblems(std::string_view document);

}  // namespace audiogram::model
