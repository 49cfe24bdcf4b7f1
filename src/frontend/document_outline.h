#pragma once
// What a front end needs to know of a document's text without importing it: the name of
// its root element and how many bytes its private data element carries. Both are read
// from the raw text, bounded by it, and never fail: what is not found is empty or zero.

#include <cstddef>
#include <string_view>

namespace audiogram::frontend {

// The name of the first element after the declaration, comments and a document type;
// empty when the text holds no element.
std::string_view RootElementName(std::string_view document);

// The count of bytes the Base64 text of the first `<elementName>` element decodes to; 0
// when there is no such element.
std::size_t Base64ElementBytes(std::string_view document, std::string_view elementName);

}  // namespace audiogram::frontend
