#pragma once
// AudiogramSchemaTable: the one table of element names, list numbers and enumeration
// names that the export and the import share. Every element and enumeration name of the
// system comes from here.
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

struct ChildMatch {
    std::int32_t position;
    std::int32_t code;
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
    // Name to code: the first entry whose name equals `name` byte for byte, else the
    // default code.
    std::int32_t CodeOfName(EnumTable table, std::string_view name) const;

    // Child look-up of the import: none when the list number is out of range or the name
    // is not found before the end mark; the catch-all matches every name not found before it.
    std::optional<ChildMatch> FindChild(std::int32_t listNumber, std::string_view name) const;
    // The same answer with position -1 for none: the import's look-up of every element,
    // returned in registers rather than through memory.
    ChildMatch LookUpChild(std::int32_t listNumber, std::string_view name) const;
    // The entry whose name equals `name` when FindChild finds that very entry (no catch-all
    // before it); position -1 for every other name, including those only the catch-all takes.
    ChildMatch LookUpNamedChild(std::int32_t listNumber, std::string_view name) const;
    // The entries of a list from its owner up to (not including) its catch-all or end mark:
    // the ones FindChild finds by their own names, since the names of a list differ. Empty
    // for a number out of range.
    std::span<const SchemaEntry> NamedChildren(std::int32_t listNumber) const;
};

}  // namespace audiogram
