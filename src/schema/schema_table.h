#pragma once
// AudiogramSchemaTable: the one table of element names, list numbers and enumeration
// names that the export, the import and the model share. Every element and enumeration name
// of the system comes from here; the rows of each field and section (field_rows.h,
// section_rows.h) find their places in these lists by their names. The import's quick
// look-ups by name are indexes of its own (import/name_index.h) built from the same lists.
//
// The element lists form one run. List N (1 to 31) begins with the entry of the element
// that owns it (code N); then its children: code N is a leaf of list N, another code M > 0
// a container with list M of its own, code 0 the catch-all; code -1 ends the list. The
// position of an entry is its index within its list; position 0 is the owner.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace audiogram {

struct SchemaEntry {
    std::int32_t code;
    std::string_view name;
};

enum class EnumTable {
    PointStatus,
    Frequency,
    SignalType,
    SignalOutput,
    dBWeighting,
    PresentationType,
    TransducerType,
    CalibrationStandard,
    HearingInstrumentCondition,
    AuxiliaryParameter,
    SpeechThresholdType,
};

class AudiogramSchemaTable {
  public:
    static constexpr std::int32_t kListCount = 31;
    static constexpr std::int32_t kEndMark = -1;

    std::string_view DeclarationText() const;    // ?xml version="1.0" encoding="UTF-8"?
    std::string_view RootAttributeText() const;  // begins with a space
    std::string_view RootName() const;

    // The entries of list `listNumber` from its owner to its end mark, inclusive.
    std::span<const SchemaEntry> List(std::int32_t listNumber) const;
    // The name at `position` of list `listNumber`.
    std::string_view ElementName(std::int32_t listNumber, std::int32_t position) const;

    // The entries of an enumeration table up to and including its end mark.
    std::span<const SchemaEntry> Enumeration(EnumTable table) const;
    // Code to name: the first entry with this code, or none (the end mark's code -1 too).
    std::optional<std::string_view> NameOfCode(EnumTable table, std::int32_t code) const;
    // The code search for a replacement value: the first entry with this code, or the end
    // mark's name when none has it.
    std::string_view ReplacementName(EnumTable table, std::int32_t code) const;
    std::string_view DefaultName(EnumTable table) const;  // the first entry's name
    std::int32_t DefaultCode(EnumTable table) const;      // the first entry's code
};

}  // namespace audiogram
