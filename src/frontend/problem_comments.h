#pragma once
// The problems the export wrote into a document as comments (invalid values, statuses
// inserted, texts cut, characters dropped). The export writes every tag and comment on a
// line of its own, so a comment is a line that opens with "<!--".

#include <cstddef>
#include <string_view>

namespace audiogram::frontend {

std::size_t CountProblemComments(std::string_view document);

}  // namespace audiogram::frontend
