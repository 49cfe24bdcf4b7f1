#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "export/schema_table.h"

namespace audiogram {
namespace {

const AudiogramSchemaTable kTable;

// A container child names a list whose owner carries the same name.
TEST(SchemaTable, ContainersLinkToTheirLists) {
    for (std::int32_t list = 1; list <= AudiogramSchemaTable::kListCount; ++list) {
        for (const SchemaEntry& child : kTable.List(list).subspan(1)) {
            if (child.code > 0 && child.code != list) {
                EXPECT_EQ(kTable.ElementName(child.code, 0), child.name) << "list " << list;
            }
        }
    }
    EXPECT_TRUE(kTable.List(0).empty());
    EXPECT_TRUE(kTable.List(32).empty());
}

struct DefaultCase {
    EnumTable table;
    std::int32_t code;
    std::string_view name;
};
constexpr DefaultCase kDefaults[] = {
    {EnumTable::PointStatus, 1, "Normal"},          {EnumTable::Frequency, 1, "125"},
    {EnumTable::SignalType, 0, "Unknown"},          {EnumTable::SignalOutput, 1, "NoSignalOutput"},
    {EnumTable::dBWeighting, 2, "HL"},              {EnumTable::PresentationType, 1, "NoPresentationType"},
    {EnumTable::TransducerType, 1, "NoTransducerType"},
    {EnumTable::CalibrationStandard, 1, "NoTransducerCalibrationStandard"},
    {EnumTable::HearingInstrumentCondition, 1, "NoCondition"},
    {EnumTable::AuxiliaryParameter, 0, "Unknown"},  {EnumTable::SpeechThresholdType, 1, "NotUsed"},
};

// Each table opens with its default; every code and name before the end mark is unique,
// so code to name and name to code undo each other.
TEST(SchemaTable, EnumerationsRoundTrip) {
    for (const DefaultCase& c : kDefaults) {
        EXPECT_EQ(kTable.DefaultCode(c.table), c.code) << c.name;
        EXPECT_EQ(kTable.DefaultName(c.table), c.name);
        const auto entries = kTable.Enumeration(c.table);
        std::set<std::int32_t> codes;
        for (const SchemaEntry& entry : entries.first(entries.size() - 1)) {
            EXPECT_TRUE(codes.insert(entry.code).second) << "duplicate code " << entry.code;
            EXPECT_EQ(kTable.CodeOfName(c.table, entry.name), entry.code) << entry.name;
            EXPECT_EQ(kTable.NameOfCode(c.table, entry.code), entry.name);
        }
    }
}

TEST(SchemaTable, LookUpsMissingTheirEntry) {
    EXPECT_EQ(kTable.NameOfCode(EnumTable::PointStatus, -1), std::nullopt);  // the end mark is never found
    EXPECT_EQ(kTable.ReplacementName(EnumTable::PointStatus, 99), "Error");
    EXPECT_EQ(kTable.ReplacementName(EnumTable::AuxiliaryParameter, 99), "NoAuxiliaryParameter");
    EXPECT_EQ(kTable.CodeOfName(EnumTable::dBWeighting, "spl"), 2);    // case-sensitive
    EXPECT_EQ(kTable.CodeOfName(EnumTable::dBWeighting, "Error"), 2);  // the end mark is no name
}

TEST(SchemaTable, ChildLookUp) {
    const auto decay = kTable.FindChild(1, "DecayAudiogram");
    EXPECT_TRUE(decay && decay->position == 8 && decay->code == 17);
    const auto catchAll = kTable.FindChild(1, "SomethingElse");
    EXPECT_TRUE(catchAll && catchAll->position == 17 && catchAll->code == 0);
    EXPECT_EQ(kTable.FindChild(4, "TonePoints")->position, 0);   // the owner is position 0
    EXPECT_EQ(kTable.FindChild(4, "PrimaryKey"), std::nullopt);  // the end mark stops the search
    EXPECT_EQ(kTable.FindChild(27, "ForeignKey"), std::nullopt);
    EXPECT_EQ(kTable.FindChild(6, "ForeignKey")->position, 7);
    EXPECT_EQ(kTable.FindChild(32, "TonePoints"), std::nullopt);
}

// The child look-ups answer as the plain walk over a list does: the first entry whose name
// equals the name or whose code is the catch-all 0, before the end mark. Every name of every
// list is asked in every list, with names one byte off and names of no list.
TEST(SchemaTable, ChildLookUpsAgreeWithTheWalkOverTheList) {
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
    std::vector<std::string> names = {"", "x", "PrivateAudiogramDat", std::string(70, 'A')};
    for (std::int32_t list = 1; list <= AudiogramSchemaTable::kListCount; ++list) {
        for (const SchemaEntry& entry : kTable.List(list)) {
            names.emplace_back(entry.name);
            names.push_back(std::string(entry.name) + "s");
            if (!entry.name.empty()) names.push_back(std::string(entry.name.substr(1)) + "X");
        }
    }
    for (std::int32_t list = 0; list <= AudiogramSchemaTable::kListCount + 1; ++list) {
        for (const std::string& name : names) {
            const std::optional<ChildMatch> expected = walk(list, name);
            const std::optional<ChildMatch> found = kTable.FindChild(list, name);
            ASSERT_EQ(found.has_value(), expected.has_value()) << list << " " << name;
            if (!expected) continue;
            ASSERT_EQ(found->position, expected->position) << list << " " << name;
            ASSERT_EQ(found->code, expected->code) << list << " " << name;
            // The named look-up finds the same entry, unless only the catch-all takes the name.
            const ChildMatch named = kTable.LookUpNamedChild(list, name);
            EXPECT_EQ(named.position, expected->code == 0 ? -1 : expected->position) << list << " " << name;
        }
    }
}

// Name to code answers as the walk over the table does: the first entry of the name before
// the end mark, else the first entry's code; for every name of every table, and near misses.
TEST(SchemaTable, CodeOfNameAgreesWithTheWalkOverTheTable) {
    for (int t = 0; t <= static_cast<int>(EnumTable::SpeechThresholdType); ++t) {
        const auto table = static_cast<EnumTable>(t);
        const auto entries = kTable.Enumeration(table);
        std::vector<std::string> names = {"", "x", std::string(70, 'A')};
        for (const SchemaEntry& entry : entries) {
            names.emplace_back(entry.name);
            names.push_back(std::string(entry.name) + "s");
            names.push_back(std::string(entry.name.substr(0, entry.name.size() / 2)));
        }
        for (const std::string& name : names) {
            std::int32_t expected = entries.front().code;
            for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
                if (entries[i].name == name) {
                    expected = entries[i].code;
                    break;
                }
            }
            EXPECT_EQ(kTable.CodeOfName(table, name), expected) << t << " " << name;
        }
    }
}

}  // namespace
}  // namespace audiogram
