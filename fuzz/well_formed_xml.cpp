#include "well_formed_xml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>

namespace audiogram::testing {
namespace {

struct FreeDocument {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, FreeDocument>;

// Our documents declare UTF-8 and never reach INT_MAX bytes; a longer text is refused
// rather than cut, so a check never passes on a part of its input.
Document Parse(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
    constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE;
    return Document(xmlReadMemory(text.data(), static_cast<int>(text.size()), "document.xml", nullptr, kOptions));
}

}  // namespace

std::string WellFormednessProblem(std::string_view document) {
    if (Parse(document)) return {};
    const xmlError* error = xmlGetLastError();
    if (error == nullptr || error->message == nullptr) return "not well formed";
    return "line " + std::to_string(error->line) + ": " + error->message;
}

std::string ReindentedByLibxml2(std::string_view document) {
    const Document parsed = Parse(document);
    if (!parsed) return {};
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(parsed.get(), &text, &size, "UTF-8", 1);
    std::string result(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    xmlFree(text);
    return result;
}

}  // namespace audiogram::testing
