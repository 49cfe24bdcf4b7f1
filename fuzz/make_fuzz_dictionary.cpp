// Writes the libFuzzer dictionary of the document targets to standard output, from the
// schema table: the declaration, every element's start and end tag, every enumeration word,
// the markup of ends and comments, the five entities.
//
// Usage: make_fuzz_dictionary > documents.dict

#include <cstdio>
#include <set>
#include <string>
#include <string_view>

#include "schema/element_lists.h"
#include "schema/schema_table.h"

namespace {

constexpr std::string_view kMarkup[] = {"</", "/>", "<!--", "-->", "<?", "?>", "=\"", "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#x"};

// A dictionary line: the word in quotes, with quotes, backslashes and other bytes escaped.
std::string Entry(std::string_view word) {
    std::string line = "\"";
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || byte < 0x20 || byte >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            line += escaped;
        } else {
            line += c;
        }
    }
    return line + "\"";
}

}  // namespace

int main() {
    const audiogram::AudiogramSchemaTable schema;
    std::set<std::string> words(std::begin(kMarkup), std::end(kMarkup));
    words.insert("<" + std::string(schema.DeclarationText()) + ">");
    words.insert(std::string(schema.RootAttributeText()));
    for (std::int32_t list = 1; list <= audiogram::AudiogramSchemaTable::kListCount; ++list) {
        for (const audiogram::SchemaEntry& entry : schema.List(list)) {
            if (entry.name.empty()) continue;
            words.insert("<" + std::string(entry.name) + ">");
            words.insert("</" + std::string(entry.name) + ">");
        }
    }
    for (const auto table : audiogram::schema::kEnumerations) {
        for (const audiogram::SchemaEntry& entry : table) words.insert(std::string(entry.name));
    }
    words.erase("");
    for (const std::string& word : words) std::printf("%s\n", Entry(word).c_str());
    return 0;
}
