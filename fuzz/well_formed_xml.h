#pragma once
// The one well-formedness check of the tests and the fuzz targets: libxml2 reads the text in
// this process, without the network, entities from outside or messages of its own.

#include <string>
#include <string_view>

namespace audiogram::testing {

// Empty when the text is a well-formed XML document; else libxml2's complaint with its line.
std::string WellFormednessProblem(std::string_view document);

// The document as libxml2 writes it back indented: the same content with other white space
// between the elements, for checks that the import takes what other writers write. Empty
// when the text is not well formed.
std::string ReindentedByLibxml2(std::string_view document);

}  // namespace audiogram::testing
