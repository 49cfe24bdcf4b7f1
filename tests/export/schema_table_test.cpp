#include <gtest/gtest.h>

#include <set>

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

}  // namespace
}  // namespace audiogram
