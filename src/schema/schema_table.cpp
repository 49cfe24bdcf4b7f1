#include "schema/schema_table.h"

#include "schema/element_lists.h"

namespace audiogram {
namespace {

constexpr std::string_view kDeclarationText = "?xml version=\"1.0\" encoding=\"UTF-8\"?";
constexpr std::string_view kRootAttributeText =
    " ConvertedFromDataStandard=\"200\" Version=\"500\" xmlns=\"http://www.torva.com/Measurement/Audiogram\"";

using schema::kElementRun;
using schema::kEnumerations;
using schema::ValidEntries;

}  // namespace

std::string_view AudiogramSchemaTable::DeclarationText() const {
    return kDeclarationText;
}

std::string_view AudiogramSchemaTable::RootAttributeText() const {
    return kRootAttributeText;
}

std::string_view AudiogramSchemaTable::RootName() const {
    return kElementRun[0].name;
}

std::span<const SchemaEntry> AudiogramSchemaTable::List(std::int32_t listNumber) const {
    return schema::ListEntries(listNumber);
}

std::string_view AudiogramSchemaTable::ElementName(std::int32_t listNumber, std::int32_t position) const {
    const std::span<const SchemaEntry> list = List(listNumber);
    if (position < 0 || static_cast<std::size_t>(position) >= list.size()) return {};
    return list[static_cast<std::size_t>(position)].name;
}

std::span<const SchemaEntry> AudiogramSchemaTable::Enumeration(EnumTable table) const {
    return kEnumerations[static_cast<std::size_t>(table)];
}

std::optional<std::string_view> AudiogramSchemaTable::NameOfCode(EnumTable table, std::int32_t code) const {
    for (const SchemaEntry& entry : ValidEntries(table)) {
        if (entry.code == code) return entry.name;
    }
    return std::nullopt;
}

std::string_view AudiogramSchemaTable::ReplacementName(EnumTable table, std::int32_t code) const {
    return NameOfCode(table, code).value_or(Enumeration(table).back().name);
}

std::string_view AudiogramSchemaTable::DefaultName(EnumTable table) const {
    return Enumeration(table).front().name;
}

std::int32_t AudiogramSchemaTable::DefaultCode(EnumTable table) const {
    return Enumeration(table).front().code;
}

}  // namespace audiogram
