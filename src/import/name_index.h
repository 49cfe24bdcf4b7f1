#pragma once
// The import's look-ups by name, built at compile time from the schema's element lists and
// enumeration tables: a length index and small hash tables, so that a look-up compares a
// name or two instead of walking a list. They answer as the plain walk over the list or the
// table does (tests/import/name_index_test.cpp holds them to it).

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "schema/schema_table.h"

namespace audiogram {

struct ChildMatch {
    std::int32_t position;
    std::int32_t code;
};

// Name to code: the first entry whose name equals `name` byte for byte, else the table's
// first entry's code.
std::int32_t CodeOfName(EnumTable table, std::string_view name);

// Child look-up: none when the list number is out of range or the name is not found before
// the end mark; the catch-all matches every name not found before it.
std::optional<ChildMatch> FindChild(std::int32_t listNumber, std::string_view name);
// The same answer with position -1 for none, returned in registers rather than through memory:
// the import's look-up of every element.
ChildMatch LookUpChild(std::int32_t listNumber, std::string_view name);
// The entry whose name equals `name` when FindChild finds that very entry (no catch-all
// before it); position -1 for every other name, including those only the catch-all takes.
ChildMatch LookUpNamedChild(std::int32_t listNumber, std::string_view name);
// The entries of a list from its owner up to (not including) its catch-all or end mark: the
// ones FindChild finds by their own names, since the names of a list differ. Empty for a
// number out of range.
std::span<const SchemaEntry> NamedChildren(std::int32_t listNumber);

}  // namespace audiogram
