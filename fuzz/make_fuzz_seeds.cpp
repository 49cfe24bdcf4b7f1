// Writes the seed corpus of every fuzz target into OUTPUT_FOLDER/<target>/, and the
// libFuzzer dictionary of the document targets, made from the schema table, into
// OUTPUT_FOLDER/documents.dict: the declaration, the root's attributes, every element's start
// and end tag, every enumeration word, the markup of ends and comments, the five entities.
//
// Usage: make_fuzz_seeds OUTPUT_FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

#include "fuzz_properties.h"
#include "schema/element_lists.h"
#include "schema/schema_table.h"
#include "seed_corpus.h"

namespace {

constexpr std::string_view kMarkup[] = {"</",    "/>",   "<!--",   "-->",    "<?",  "?>", "=\"",
                                        "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#x"};

// A dictionary line: the word in quotes, with quotes, backslashes and other bytes escaped.
std::string Entry(std::string_view word) {
    std::string line = "\"";
    for (const char c : word) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        line += c == '"' || c == '\\' || byte < 0x20 || byte >= 0x7F ? std::string(escaped) : std::string(1, c);
    }
    return line + "\"\n";
}

std::string Dictionary() {
    const audiogram::AudiogramSchemaTable schema;
    std::set<std::string> words(std::begin(kMarkup), std::end(kMarkup));
    words.insert("<" + std::string(schema.DeclarationText()) + ">");
    words.insert(std::string(schema.RootAttributeText()));
    for (std::int32_t list = 1; list <= audiogram::AudiogramSchemaTable::kListCount; ++list) {
        for (const audiogram::SchemaEntry& entry : schema.List(list)) {
            words.insert({"<" + std::string(entry.name) + ">", "</" + std::string(entry.name) + ">"});
        }
    }
    for (const auto table : audiogram::schema::kEnumerations) {
        for (const audiogram::SchemaEntry& entry : table) words.insert(std::string(entry.name));
    }
    words.erase("");
    std::string dictionary;
    for (const std::string& word : words) dictionary += Entry(word);
    return dictionary;
}

bool Write(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) std::cerr << "make_fuzz_seeds: cannot write " << path << '\n';
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_seeds OUTPUT_FOLDER\n";
        return 2;
    }
    audiogram::fuzz::UseDefaultConfiguration();
    const std::filesystem::path output = argv[1];
    for (const audiogram::fuzz::Target target : audiogram::fuzz::kTargets) {
        const std::filesystem::path folder = output / audiogram::fuzz::TargetName(target);
        std::filesystem::create_directories(folder);
        for (const audiogram::fuzz::Seed& seed : audiogram::fuzz::SeedsFor(target)) {
            if (!Write(folder / seed.name, {reinterpret_cast<const char*>(seed.bytes.data()), seed.bytes.size()})) return 1;
        }
    }
    return Write(output / "documents.dict", Dictionary()) ? 0 : 1;
}
