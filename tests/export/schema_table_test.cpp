#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "export/schema_positions.h"
#include "export/schema_table.h"

namespace audiogram {
namespace {

const AudiogramSchemaTable kTable;

std::vector<std::string_view> ChildNames(std::int32_t list) {
    std::vector<std::string_view> names;
    for (const SchemaEntry& entry : kTable.List(list).subspan(1)) {
        if (entry.code != AudiogramSchemaTable::kEndMark) names.push_back(entry.name);
    }
    return names;
}

TEST(SchemaTable, DocumentConstants) {
    EXPECT_EQ(kTable.DeclarationText(), "?xml version=\"1.0\" encoding=\"UTF-8\"?");
    EXPECT_EQ(kTable.RootName(), "TORVAAudiometricStandard");
    EXPECT_EQ(kTable.RootAttributeText(),
              " ConvertedFromDataStandard=\"200\" Version=\"500\" "
              "xmlns=\"http://www.torva.com/Measurement/Audiogram\"");
}

// Every list opens with its owner (code = list number) and closes with the end mark; a
// container child names a list whose owner carries the same name.
TEST(SchemaTable, ListsLinkToTheirContainers) {
    for (std::int32_t list = 1; list <= AudiogramSchemaTable::kListCount; ++list) {
        const auto entries = kTable.List(list);
        ASSERT_GE(entries.size(), 2u) << list;
        EXPECT_EQ(entries.front().code, list);
        EXPECT_EQ(entries.back().code, AudiogramSchemaTable::kEndMark);
        for (const SchemaEntry& child : entries.subspan(1, entries.size() - 2)) {
            if (child.code > 0 && child.code != list) {
                EXPECT_EQ(kTable.ElementName(child.code, 0), child.name) << "list " << list;
            }
        }
    }
    EXPECT_TRUE(kTable.List(0).empty());
    EXPECT_TRUE(kTable.List(32).empty());
    EXPECT_EQ(kTable.ElementName(4, 99), "");
}

TEST(SchemaTable, ListsOfTheSameShapeShareTheirChildren) {
    const std::vector<std::vector<std::int32_t>> families = {
        {6, 8, 23, 25}, {10, 12, 14, 16}, {19, 20}, {27, 29}};
    for (const auto& family : families) {
        for (const std::int32_t list : family) EXPECT_EQ(ChildNames(list).size(), ChildNames(family[0]).size());
    }
    for (const std::int32_t list : {8, 23, 25}) EXPECT_EQ(ChildNames(list), ChildNames(6));
    for (const std::int32_t list : {12, 14, 16}) EXPECT_EQ(ChildNames(list), ChildNames(10));
    EXPECT_EQ(ChildNames(20), ChildNames(19));
    EXPECT_EQ(ChildNames(29)[5], "DifferenceLimenFrequencyPointStatus");
    EXPECT_EQ(ChildNames(3).size(), 41u);
}

struct PositionCase {
    std::int32_t list, position;
    std::string_view name;
};
constexpr PositionCase kNamedPositions[] = {
    {schema::kRootList, schema::root::kToneThresholdAudiogram, "ToneThresholdAudiogram"},
    {schema::kRootList, schema::root::kUncomfortableLevel, "UncomfortableLevel"},
    {schema::kRootList, schema::root::kDecayAudiogram, "DecayAudiogram"},
    {schema::kRootList, schema::root::kFrequenciesUsedForToneAverage, "FrequenciesUsedForToneAverage"},
    {schema::kRootList, schema::root::kDifferenceLimenFrequency, "DifferenceLimenFrequency"},
    {schema::kRootList, schema::root::kShortIncrementSensitivityIndex, "ShortIncrementSensitivityIndex"},
    {schema::kRootList, schema::root::kPrivateAudiogramData, "PrivateAudiogramData"},
    {2, schema::curve::kMeasurementConditions, "AudMeasurementConditions"},
    {2, schema::curve::kPoints, "TonePoints"},
    {schema::kMeasurementConditionsList, schema::meas_cond::kTransducerDescription, "TransducerDescription"},
    {schema::kMeasurementConditionsList, schema::meas_cond::kHearingInstrument2Condition,
     "HearingInstrument_2_Condition"},
    {schema::kMeasurementConditionsList, schema::meas_cond::kAuxiliaryParameterDescription,
     "AuxiliaryParameterDescription"},
    {schema::kMeasurementConditionsList, schema::meas_cond::kWordListName, "WordListName"},
    {schema::kMeasurementConditionsList, schema::meas_cond::kSpeechThresholdType, "SpeechThresholdType"},
    {schema::kMeasurementConditionsList, schema::meas_cond::kMaskingPulseCycle, "MaskingPulseCycle"},
    {schema::kTonePointsList, schema::frequency_point::kTonePointStatus, "TonePointStatus"},
    {schema::kSpeechPointsList, schema::speech_point::kNumberOfWords, "NumberOfWords"},
    {schema::kDecayPointsList, schema::frequency_point::kEndTime, "EndTime"},
    {schema::kDifferenceLimenIntensityPointsList, schema::frequency_point::kPointStatus,
     "DifferenceLimenIntensityPointStatus"},
    {schema::kSiSiPointsList, schema::frequency_point::kNumberOfIncrements, "NumberOfIncrements"},
    {schema::kToneNotesList, schema::notes::kTestReliability, "TestReliability"},
    {schema::kToneAverageList, schema::tone_average::kRightEar2, "RightEar2"},
};

TEST(SchemaTable, NamedPositionsHitTheirElements) {
    for (const PositionCase& c : kNamedPositions) {
        EXPECT_EQ(kTable.ElementName(c.list, c.position), c.name) << c.list << "/" << c.position;
    }
}

TEST(SchemaTable, CodeToName) {
    EXPECT_EQ(kTable.NameOfCode(EnumTable::PointStatus, 7), std::nullopt);
    EXPECT_EQ(kTable.NameOfCode(EnumTable::PointStatus, -1), std::nullopt);  // the end mark is never found
    EXPECT_EQ(kTable.NameOfCode(EnumTable::SignalOutput, 13), "InsertPhoneBinaural");
    EXPECT_EQ(kTable.NameOfCode(EnumTable::Frequency, 32768), "User3");
    EXPECT_EQ(kTable.ReplacementName(EnumTable::PointStatus, 0), "Unknown");
    EXPECT_EQ(kTable.ReplacementName(EnumTable::PointStatus, 99), "Error");
    EXPECT_EQ(kTable.ReplacementName(EnumTable::AuxiliaryParameter, 99), "NoAuxiliaryParameter");
}

struct DefaultCase {
    EnumTable table;
    std::int32_t code;
    std::string_view name;
};
constexpr DefaultCase kDefaults[] = {
    {EnumTable::PointStatus, 1, "Normal"},
    {EnumTable::Frequency, 1, "125"},
    {EnumTable::SignalType, 0, "Unknown"},
    {EnumTable::SignalOutput, 1, "NoSignalOutput"},
    {EnumTable::dBWeighting, 2, "HL"},
    {EnumTable::PresentationType, 1, "NoPresentationType"},
    {EnumTable::TransducerType, 1, "NoTransducerType"},
    {EnumTable::CalibrationStandard, 1, "NoTransducerCalibrationStandard"},
    {EnumTable::HearingInstrumentCondition, 1, "NoCondition"},
    {EnumTable::AuxiliaryParameter, 0, "Unknown"},
    {EnumTable::SpeechThresholdType, 1, "NotUsed"},
};

TEST(SchemaTable, EveryTableOpensWithItsDefault) {
    for (const DefaultCase& c : kDefaults) {
        EXPECT_EQ(kTable.DefaultCode(c.table), c.code) << c.name;
        EXPECT_EQ(kTable.DefaultName(c.table), c.name);
        EXPECT_EQ(kTable.Enumeration(c.table).back().code, AudiogramSchemaTable::kEndMark);
    }
}

TEST(SchemaTable, NamesAndCodesRoundTrip) {
    for (const DefaultCase& c : kDefaults) {
        const auto entries = kTable.Enumeration(c.table);
        std::set<std::int32_t> codes;
        for (const SchemaEntry& entry : entries.first(entries.size() - 1)) {
            EXPECT_TRUE(codes.insert(entry.code).second) << "duplicate code " << entry.code;
            EXPECT_EQ(kTable.CodeOfName(c.table, entry.name), entry.code) << entry.name;
            EXPECT_EQ(kTable.NameOfCode(c.table, entry.code), entry.name);
        }
    }
}

TEST(SchemaTable, EveryMaskBitHasAFrequency) {
    for (std::int32_t bit = 0; bit < 16; ++bit) {
        EXPECT_TRUE(kTable.NameOfCode(EnumTable::Frequency, 1 << bit).has_value()) << bit;
    }
}

TEST(SchemaTable, NameToCodeFallsBackToTheDefault) {
    EXPECT_EQ(kTable.CodeOfName(EnumTable::dBWeighting, "spl"), 2);    // case-sensitive
    EXPECT_EQ(kTable.CodeOfName(EnumTable::dBWeighting, "Error"), 2);  // the end mark is no name
    EXPECT_EQ(kTable.CodeOfName(EnumTable::SignalType, ""), 0);
    EXPECT_EQ(kTable.CodeOfName(EnumTable::AuxiliaryParameter, "NoAuxiliaryParameter"), 1);
}

TEST(SchemaTable, ChildLookUp) {
    EXPECT_EQ(kTable.FindChild(1, "DecayAudiogram")->position, 8);
    EXPECT_EQ(kTable.FindChild(1, "DecayAudiogram")->code, 17);
    const auto catchAll = kTable.FindChild(1, "SomethingElse");
    ASSERT_TRUE(catchAll.has_value());
    EXPECT_EQ(catchAll->position, 17);
    EXPECT_EQ(catchAll->code, 0);
    EXPECT_EQ(kTable.FindChild(4, "TonePoints")->position, 0);  // the owner is position 0
    EXPECT_EQ(kTable.FindChild(4, "PrimaryKey"), std::nullopt); // list 4 has no keys
    EXPECT_EQ(kTable.FindChild(27, "ForeignKey"), std::nullopt);
    EXPECT_EQ(kTable.FindChild(6, "ForeignKey")->position, 7);
    EXPECT_EQ(kTable.FindChild(0, "TonePoints"), std::nullopt);
    EXPECT_EQ(kTable.FindChild(32, "TonePoints"), std::nullopt);
}

}  // namespace
}  // namespace audiogram
