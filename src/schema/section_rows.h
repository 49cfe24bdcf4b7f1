#pragma once
// The rows of the sections: one row per child of the document's root, in the document's
// order, which is not the record's (UncomfortableLevel before MostComfortableLevel, the decay
// curves after the notes, the extension bytes last). A row says what the section is called,
// where its area lies in the 200 record and which field rows (field_rows.h) its leaves use.
//
// Walking them, e.g. over every used curve of a record:
//
//     for (const SectionRow& row : kSectionRows) {
//         if (row.kind != SectionKind::Curves) continue;
//         for (std::size_t slot = 0; slot < row.slots; ++slot) {
//             const ByteSpan curve = record.subspan(row.CurveOffset(slot), row.curve.size);
//             // conditions: kMeasurementConditionFields over curve.first(meas_cond::kSize);
//             // points: row.pointFields over curve.subspan(row.curve.PointOffset(i), row.curve.PointSize())
//         }
//     }
//
// row.rootPosition is the section's position in the root's list, derived from its name;
// row.list the list of its own element.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "records/curve_layouts.h"
#include "records/record200_layout.h"
#include "schema/element_lists.h"
#include "schema/field_rows.h"

namespace audiogram {

enum class SectionKind {
    Curves,       // every slot of a curve section: measurement conditions, then points
    Notes,        // one notes block
    ToneAverage,  // the tone-average frequency masks
    Extension,    // the extension bytes that followed the record, as Base64
};

struct SectionRow {
    std::string_view name;      // the section's element name
    std::int32_t rootPosition;  // in the root's list, derived from the name
    std::int32_t list;          // the list of the section's element
    SectionKind kind;
    std::size_t offset = 0;  // of the area in the record
    std::size_t size = 0;    // of the area (of one slot's curve for Curves)
    std::size_t slots = 1;
    CurveLayout curve = {};
    std::span<const FieldRow> pointFields = {};
    std::span<const FieldRow> fields = {};  // the leaves of a Notes or ToneAverage area
    // The import reads each further element of a counted section into its next slot and
    // ignores those beyond its slots; a section that is not counted reads every element over
    // its one block.
    bool counted = true;
    Section section = Section::ToneThreshold;  // Curves

    constexpr std::size_t CurveOffset(std::size_t slot) const { return offset + slot * curve.size; }
};

namespace section_rows {

inline constexpr std::int32_t kRootList = 1;

constexpr SectionRow Row(std::string_view name, SectionKind kind) {
    const std::int32_t position = schema::PositionIn(kRootList, name);
    return {name, position, schema::ListAt(kRootList, position), kind};
}

constexpr SectionRow Curves(std::string_view name, Section section, std::span<const FieldRow> pointFields,
                            bool counted = true) {
    const SectionLayout& layout = record200::SectionOf(section);
    SectionRow row = Row(name, SectionKind::Curves);
    row.offset = layout.offset;
    row.size = layout.curve.size;
    row.slots = layout.slots;
    row.curve = layout.curve;
    row.pointFields = pointFields;
    row.counted = counted;
    row.section = section;
    return row;
}

constexpr SectionRow Block(std::string_view name, SectionKind kind, std::size_t offset, std::size_t size,
                           std::span<const FieldRow> fields) {
    SectionRow row = Row(name, kind);
    row.offset = offset;
    row.size = size;
    row.fields = fields;
    return row;
}

}  // namespace section_rows

inline constexpr auto kSectionRows = [] {
    using namespace section_rows;
    constexpr bool kSingle = false;  // the loudness-balance and Stenger sections
    return std::array{
        Curves("ToneThresholdAudiogram", Section::ToneThreshold, kTonePointFields),
        Curves("UncomfortableLevel", Section::UncomfortableLevel, kTonePointFields),
        Curves("MostComfortableLevel", Section::MostComfortableLevel, kTonePointFields),
        Curves("SpeechDiscriminationAudiogram", Section::SpeechDiscrimination, kSpeechPointFields),
        Curves("SpeechReceptionThresholdAudiogram", Section::SpeechReceptionThreshold, kSpeechPointFields),
        Curves("SpeechMostComfortableLevel", Section::SpeechMostComfortableLevel, kSpeechPointFields),
        Curves("SpeechUncomfortableLevel", Section::SpeechUncomfortableLevel, kSpeechPointFields),
        Block("ToneNotes", SectionKind::Notes, record200::kToneNotesOffset, record200::notes::kSize,
              kNotesFields),
        Block("SpeechNotes", SectionKind::Notes, record200::kSpeechNotesOffset, record200::notes::kSize,
              kNotesFields),
        Block("FrequenciesUsedForToneAverage", SectionKind::ToneAverage, record200::kToneAverageOffset,
              record200::tone_average::kSize, kToneAverageFields),
        Curves("DecayAudiogram", Section::Decay, kDecayPointFields),
        Curves("AlternateBinauralLoudnessBalanceAudiogram", Section::AlternateBinauralLoudnessBalance,
               kTonePointFields, kSingle),
        Curves("StengerAudiogram", Section::Stenger, kTonePointFields, kSingle),
        Curves("DifferenceLimenIntensity", Section::DifferenceLimenIntensity, kIntensityLimenPointFields),
        Curves("DifferenceLimenFrequency", Section::DifferenceLimenFrequency, kFrequencyLimenPointFields),
        Curves("ShortIncrementSensitivityIndex", Section::ShortIncrementSensitivityIndex, kSiSiPointFields),
        // Always the root's last child: the import stops reading at this element.
        Row("PrivateAudiogramData", SectionKind::Extension),
    };
}();

// Positions in the list of every curve element.
inline constexpr std::int32_t kCurveConditionsPosition =
    schema::PositionIn(kSectionRows[0].list, "AudMeasurementConditions");
inline constexpr std::int32_t kCurvePointsPosition = kCurveConditionsPosition + 1;

namespace section_rows {

// Whether a row stands at `position` of the root's list. (A count, not a pointer compared
// with null: the sanitizer builds do not take such a comparison as a constant expression.)
constexpr bool HasRowAt(std::int32_t position) {
    int rows = 0;
    for (const SectionRow& row : kSectionRows) rows += row.rootPosition == position ? 1 : 0;
    return rows == 1;
}

// Every section has its own position, the positions run from 1 without a gap, every curve
// section of the record is exported exactly once, and the extension comes last.
constexpr bool RowsCoverTheRoot() {
    for (std::size_t position = 1; position <= kSectionRows.size(); ++position) {
        if (!HasRowAt(static_cast<std::int32_t>(position))) return false;
    }
    for (const SectionLayout& layout : record200::kCurveSections) {
        int seen = 0;
        for (const SectionRow& row : kSectionRows) {
            if (row.kind == SectionKind::Curves && row.offset == layout.offset) ++seen;
        }
        if (seen != 1) return false;
    }
    return kSectionRows.back().kind == SectionKind::Extension;
}
static_assert(RowsCoverTheRoot());

// The leaves of every curve's list, and of every points list, stand where the rows say: each
// curve list has its conditions and points at the same positions, and each points list holds
// every field row of the section at the row's position.
constexpr bool RowsMatchTheirLists() {
    for (const SectionRow& row : kSectionRows) {
        if (row.kind == SectionKind::Extension) continue;
        const auto leaves = row.kind == SectionKind::Curves ? row.pointFields : row.fields;
        std::int32_t leafList = row.list;
        if (row.kind == SectionKind::Curves) {
            if (schema::PositionIn(row.list, "AudMeasurementConditions") != kCurveConditionsPosition)
                return false;
            if (schema::ListAt(row.list, kCurveConditionsPosition) !=
                field_rows::kMeasurementConditionsList) {
                return false;
            }
            leafList = schema::ListAt(row.list, kCurvePointsPosition);
        }
        for (const FieldRow& field : leaves) {
            if (schema::PositionIn(leafList, field.name) != field.position) return false;
        }
    }
    return true;
}
static_assert(RowsMatchTheirLists());

// Each curve's points have one stimulus level, and at most one row of each other meaning, each
// on a number: what the model reads a point by cannot be missing or doubled.
constexpr bool PointMeaningsAreWhole() {
    for (const SectionRow& row : kSectionRows) {
        if (row.kind != SectionKind::Curves) continue;
        int counts[8] = {};
        for (const FieldRow& field : row.pointFields) {
            const auto meaning = static_cast<std::size_t>(field.meaning);
            if (meaning >= std::size(counts)) return false;
            ++counts[meaning];
            const bool number = field.form == FieldForm::Integer || field.form == FieldForm::Scaled;
            const bool status = field.meaning == FieldMeaning::Status;
            if (field.meaning != FieldMeaning::None && number == status) return false;
        }
        if (counts[static_cast<std::size_t>(FieldMeaning::Level)] != 1) return false;
        for (std::size_t meaning = 1; meaning < std::size(counts); ++meaning) {
            if (counts[meaning] > 1) return false;
        }
    }
    return true;
}
static_assert(PointMeaningsAreWhole());

}  // namespace section_rows

}  // namespace audiogram
