// The import's look-ups by name (a length index and hash tables) answer
// as the plain walk over a list or an enumeration does, for every name the table knows, names
// one byte off and names it does not know.

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "import/name_index.h"
#include "schema/schema_table.h"

namespace audiogram {
namespace {

const AudiogramSchemaTable kTable;

// Each name of `entries` with its near misses (one byte longer, cut in half, of its length
// but shifted), and names no table has.
std::vector<std::string> NamesAndNearMisses(std::span<const SchemaEntry> entries) {
    std::vector<std::string> names = {"", "x", "PrivateAudiogramDat", std::string(70, 'A')};
    for (const SchemaEntry& entry : entries) {
        names.emplace_back(entry.name);
        names.push_back(std::string(entry.name) + "s");
        names.emplace_back(entry.name.substr(0, entry.name.size() / 2));
        if (!entry.name.empty()) names.push_back(std::string(entry.name.substr(1)) + "X");
    }
    return names;
}

// The child look-ups answer as the plain walk over a list does: the first entry whose name
// equals the name or whose code is the catch-all 0, before the end mark. Every name of every
// list is asked in every list, with its near misses and names of no list.
TEST(NameIndex, ChildLookUpsAgreeWithTheWalkOverTheList) {
    const auto walk = [](std::int32_t list, std::string_view name) -> std::optional<ChildMatch> {
        const auto entries = kTable.List(list);
        for (std::size_t position = 0; position < entries.size(); ++position) {
            if (entries[position].code == AudiogramSchemaTable::kEndMark) break;
            if (entries[position].name == name || entries[position].code == 0) {
                return ChildMatch{static_cast<std::int32_t>(position), entries[position].code};
            }
        }
        return std::nullopt;
    };
    std::vector<std::string> names;
    for (std::int32_t list = 1; list <= AudiogramSchemaTable::kListCount; ++list) {
        for (std::string& name : NamesAndNearMisses(kTable.List(list))) names.push_back(std::move(name));
    }
    for (std::int32_t list = 0; list <= AudiogramSchemaTable::kListCount + 1; ++list) {
        for (const std::string& name : names) {
            const std::optional<ChildMatch> expected = walk(list, name);
            const std::optional<ChildMatch> found = FindChild(list, name);
            ASSERT_EQ(found.has_value(), expected.has_value()) << list << " " << name;
            if (!expected) continue;
            ASSERT_EQ(found->position, expected->position) << list << " " << name;
            ASSERT_EQ(found->code, expected->code) << list << " " << name;
            // The named look-up finds the same entry, unless only the catch-all takes the name.
            const ChildMatch named = LookUpNamedChild(list, name);
            EXPECT_EQ(named.position, expected->code == 0 ? -1 : expected->position) << list << " " << name;
        }
    }
}

// Name to code answers as the walk over the table does: the first entry of the name before
// the end mark, else the first entry's code; for every name of every table, and near misses.
TEST(NameIndex, CodeOfNameAgreesWithTheWalkOverTheTable) {
    for (int t = 0; t <= static_cast<int>(EnumTable::SpeechThresholdType); ++t) {
        const auto table = static_cast<EnumTable>(t);
        const auto entries = kTable.Enumeration(table);
        for (const std::string& name : NamesAndNearMisses(entries)) {
            std::int32_t expected = entries.front().code;
            for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
                if (entries[i].name == name) {
                    expected = entries[i].code;
                    break;
                }
            }
            EXPECT_EQ(CodeOfName(table, name), expected) << t << " " << name;
        }
    }
}

}  // namespace
}  // namespace audiogram
