#pragma once
// The rows of the fields: one row per leaf element of the measurement conditions, of each
// point kind, of the notes and of the tone-average frequencies. A row says what the leaf is
// called, where its value lives in its structure of the 200 record (offset and width), what
// form the value has and when the export writes it; for the model, a number's unit and what
// the field means to a point or a tone average. The export, the import and the model walk
// these rows; none of them keeps a list of fields of its own.
//
// Walking the rows, e.g. to show a point of a tone curve:
//
//     for (const FieldRow& row : kTonePointFields) {
//         const std::int16_t stored = LoadI16(point, row.offset);   // width 2 for numbers
//         // row.name: the element name; row.form and row.scale / row.table / row.capacity:
//         // how to read the value (Scaled: stored / scale; Enumeration: a code of row.table)
//     }
//
// The section rows (section_rows.h) say which rows the points of each curve section use.
// Rows stand in the document's order; row.position is the leaf's position in its list of the
// schema table, derived from its name (so row.name is the list's name at that position, in
// every list the section rows give the rows to), and ByPosition gives the rows in list order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "records/counted_text.h"
#include "records/meas_cond_layout.h"
#include "records/point_layouts.h"
#include "records/record200_layout.h"
#include "schema/element_lists.h"
#include "schema/schema_table.h"

namespace audiogram {

// What a field holds.
enum class FieldForm {
    Enumeration,      // a code of `table`, written as its name
    Scaled,           // a fixed-point number: the stored value over `scale` (10, 100 or 1000)
    Integer,          // a whole number as stored
    Text,             // a counted text of at most `capacity` units
    CalibrationDate,  // the notes' calibration date and, after it in the block, its zone
    FrequencyMask,    // a bit mask of the Frequency table's codes; one leaf per set bit
};

// When the export writes a numeric field, and what stands in for a missing or odd value.
enum class ExportRule {
    WhenPresent,           // not when MissingValue
    WhenPresentNotOne,     // not when MissingValue, nor the code 1 that means "none"
    AsStored,              // always, a missing value too
    DefaultWhenMissing,    // a missing value gives `missingComment` and the name of `defaultCode`
    ZeroWhenMissing,       // a missing value gives `missingComment` and 0
    PointKey,              // a missing or 0 value drops the whole point
    SpeechPointKey,        // a missing value drops the point, and so does 0 with a 0 in the next row
    MagnitudeOrZero,       // missing: `missingComment` and 0; negative: `negativeComment`, magnitude
    NonNegativeOrZero,     // missing: `missingComment` and 0; negative: `negativeComment` and 0
    NonNegativeOrAllZero,  // as NonNegativeOrZero, but a missing value also gives 0 for every row
                           // after it, without their comments, and ends the point
    TextWhenCounted,       // a text whose count is 1 to its capacity; it runs to its terminator
    TextOf15WhenNotEmpty,  // a text of 15 whose count (or length in its last unit) fits, not empty
    CalibrationDate,       // a date checked and completed with midnight and the zone
    EachSetBit,            // one leaf per set bit of the mask, from the low bit up
};

// What a field means to a reader that interprets the record, not only writes it.
enum class FieldMeaning {
    None,
    Frequency,            // the stimulus frequency of a point
    Level,                // the stimulus level of a point
    MaskingFrequency,     // the masker's frequency of a point
    MaskingLevel,         // the masker's level of a point
    Status,               // the status of a point
    LeftEarFrequencies,   // a tone-average mask of the left ear
    RightEarFrequencies,  // a tone-average mask of the right ear
};

struct FieldRow {
    std::string_view name;  // the leaf's element name
    std::int32_t position;  // of the name in its list, derived from the name
    std::size_t offset;     // of the value in its structure
    std::size_t width;      // bytes
    FieldForm form;
    ExportRule rule;
    EnumTable table = EnumTable::PointStatus;  // Enumeration, FrequencyMask
    std::int32_t scale = 1;                    // Scaled: 10, 100 or 1000
    std::int32_t decimals = 0;                 // Scaled: the digits after the point the scale gives
    std::size_t capacity = 0;                  // Text, CalibrationDate
    std::int32_t defaultCode = 0;              // DefaultWhenMissing
    std::string_view missingComment = {};
    std::string_view negativeComment = {};
    // Written only when the row before it was: a masking level needs its masking frequency.
    bool needsRowBefore = false;
    std::string_view unit = {};  // of a number: "Hz", "dB", "s" or "%"; empty when it has none
    FieldMeaning meaning = FieldMeaning::None;
    // The leaf's start and end tag, made once for every document the export writes.
    const ElementTags* tags = nullptr;

    constexpr CountedTextField Text() const { return {offset, capacity}; }
};

namespace field_rows {

// The list whose owner entry has this name (the first, when several do).
constexpr std::int32_t ListOwnedBy(std::string_view owner) {
    for (std::int32_t list = 1; list <= AudiogramSchemaTable::kListCount; ++list) {
        if (schema::ListEntries(list).front().name == owner) return list;
    }
    return AudiogramSchemaTable::kEndMark;
}

inline constexpr std::int32_t kMeasurementConditionsList = ListOwnedBy("AudMeasurementConditions");
inline constexpr std::int32_t kTonePointsList = ListOwnedBy("TonePoints");
inline constexpr std::int32_t kSpeechPointsList = ListOwnedBy("SpeechDiscriminationPoints");
inline constexpr std::int32_t kDecayPointsList = ListOwnedBy("DecayPoints");
inline constexpr std::int32_t kIntensityLimenPointsList = ListOwnedBy("DifferenceLimenIntensityPoints");
inline constexpr std::int32_t kFrequencyLimenPointsList = ListOwnedBy("DifferenceLimenFrequencyPoints");
inline constexpr std::int32_t kSiSiPointsList = ListOwnedBy("ShortIncrementSensitivityIndexPoints");
inline constexpr std::int32_t kNotesList = ListOwnedBy("ToneNotes");
inline constexpr std::int32_t kToneAverageList = ListOwnedBy("FrequenciesUsedForToneAverage");

constexpr std::int32_t DecimalsOf(std::int32_t scale) {
    std::int32_t decimals = 0;
    for (std::int32_t rest = scale; rest > 1; rest /= 10) ++decimals;
    return decimals;
}

constexpr FieldRow Number(std::int32_t list, std::string_view name, std::size_t offset, FieldForm form,
                          ExportRule rule, std::int32_t scale = 1) {
    FieldRow row{name, schema::PositionIn(list, name), offset, 2, form, rule, EnumTable::PointStatus, scale,
                 DecimalsOf(scale)};
    row.tags = schema::TagsIn(list, name);
    return row;
}
constexpr FieldRow Scaled(std::int32_t list, std::string_view name, std::size_t offset, std::int32_t scale,
                          ExportRule rule = ExportRule::WhenPresent) {
    return Number(list, name, offset, FieldForm::Scaled, rule, scale);
}
constexpr FieldRow Integer(std::int32_t list, std::string_view name, std::size_t offset,
                           ExportRule rule = ExportRule::WhenPresent) {
    return Number(list, name, offset, FieldForm::Integer, rule);
}
constexpr FieldRow Coded(std::int32_t list, std::string_view name, std::size_t offset, EnumTable table,
                         ExportRule rule) {
    FieldRow row = Number(list, name, offset, FieldForm::Enumeration, rule);
    row.table = table;
    return row;
}
constexpr FieldRow Defaulted(std::int32_t list, std::string_view name, std::size_t offset, EnumTable table,
                             std::int32_t defaultCode, std::string_view missingComment) {
    FieldRow row = Coded(list, name, offset, table, ExportRule::DefaultWhenMissing);
    row.defaultCode = defaultCode;
    row.missingComment = missingComment;
    return row;
}
constexpr FieldRow Commented(FieldRow row, ExportRule rule, std::string_view missingComment,
                             std::string_view negativeComment = {}) {
    row.rule = rule;
    row.missingComment = missingComment;
    row.negativeComment = negativeComment;
    return row;
}
constexpr FieldRow AfterRowBefore(FieldRow row) {
    row.needsRowBefore = true;
    return row;
}
constexpr FieldRow Measured(FieldRow row, std::string_view unit, FieldMeaning meaning = FieldMeaning::None) {
    row.unit = unit;
    row.meaning = meaning;
    return row;
}
constexpr FieldRow Meaning(FieldRow row, FieldMeaning meaning) {
    row.meaning = meaning;
    return row;
}
inline constexpr std::string_view kHertz = "Hz";
inline constexpr std::string_view kDecibels = "dB";
inline constexpr std::string_view kSeconds = "s";
inline constexpr std::string_view kPercent = "%";
constexpr FieldRow Text(std::int32_t list, std::string_view name, CountedTextField field, ExportRule rule) {
    FieldRow row{name,  schema::PositionIn(list, name), field.offset, field.Size(), FieldForm::Text, rule,
                 EnumTable::PointStatus, 1, 0, field.capacity};
    row.tags = schema::TagsIn(list, name);
    return row;
}
constexpr FieldRow Mask(std::int32_t list, std::string_view name, std::size_t offset, FieldMeaning ear) {
    FieldRow row = Number(list, name, offset, FieldForm::FrequencyMask, ExportRule::EachSetBit);
    row.table = EnumTable::Frequency;
    row.meaning = ear;
    return row;
}

// Entry 1 of a measurement-condition pair (masking, or hearing instrument 2).
constexpr std::size_t Second(std::size_t pairOffset) {
    return pairOffset + meas_cond::kPairEntrySize;
}

}  // namespace field_rows

// The measurement conditions (TMeasCond) in the document's order: WordListName comes before
// AuxiliaryParameterDescription, unlike the list. PrimaryKey and ForeignKey have no field.
inline constexpr auto kMeasurementConditionFields = [] {
    using namespace field_rows;
    namespace at = meas_cond;
    constexpr std::int32_t L = kMeasurementConditionsList;
    constexpr ExportRule kPresent = ExportRule::WhenPresent;
    constexpr ExportRule kNotOne = ExportRule::WhenPresentNotOne;
    constexpr ExportRule kCounted = ExportRule::TextWhenCounted;
    constexpr ExportRule kOf15 = ExportRule::TextOf15WhenNotEmpty;
    return std::array{
        Defaulted(L, "StimulusSignalType", at::kSignalType, EnumTable::SignalType, 0,
                  "Missing SignalType1 inserting default"),
        Defaulted(L, "MaskingSignalType", Second(at::kSignalType), EnumTable::SignalType, 0,
                  "Missing SignalType2 inserting default"),
        Defaulted(L, "StimulusSignalOutput", at::kSignalOutput, EnumTable::SignalOutput, 1,
                  "Missing SignalOutput1 inserting default"),
        Defaulted(L, "MaskingSignalOutput", Second(at::kSignalOutput), EnumTable::SignalOutput, 1,
                  "Missing SignalOutput2 inserting default"),
        Defaulted(L, "StimulusdBWeighting", at::kdBWeighting, EnumTable::dBWeighting, 2,
                  "Missing dBWeighting1 inserting default"),
        Defaulted(L, "MaskingdBWeighting", Second(at::kdBWeighting), EnumTable::dBWeighting, 2,
                  "Missing dBWeighting2 inserting default"),
        Coded(L, "StimulusPresentationType", at::kPresentationType, EnumTable::PresentationType, kPresent),
        Coded(L, "MaskingPresentationType", Second(at::kPresentationType), EnumTable::PresentationType,
              kPresent),
        Coded(L, "StimulusTransducerType", at::kTransducerType, EnumTable::TransducerType, kNotOne),
        Coded(L, "MaskingTransducerType", Second(at::kTransducerType), EnumTable::TransducerType, kNotOne),
        Text(L, "TransducerDescription", at::kTransducerDescription, kCounted),
        Coded(L, "StimulusTransducerCalibrationStandard", at::kTransducerCalibrationStandard,
              EnumTable::CalibrationStandard, kNotOne),
        Coded(L, "MaskingTransducerCalibrationStandard", Second(at::kTransducerCalibrationStandard),
              EnumTable::CalibrationStandard, kNotOne),
        Coded(L, "HearingInstrument_1_Condition", at::kHearingInstrumentCondition,
              EnumTable::HearingInstrumentCondition, kNotOne),
        Coded(L, "HearingInstrument_2_Condition", Second(at::kHearingInstrumentCondition),
              EnumTable::HearingInstrumentCondition, kNotOne),
        Text(L, "HearingInstrumentDescription", at::kHearingInstrumentDescription, kCounted),
        Coded(L, "StimulusAuxiliary", at::kAuxiliary, EnumTable::AuxiliaryParameter, kNotOne),
        Coded(L, "MaskingAuxiliary", Second(at::kAuxiliary), EnumTable::AuxiliaryParameter, kNotOne),
        Text(L, "WordListName", at::kWordListName, kOf15),
        Text(L, "AuxiliaryParameterDescription", at::kAuxiliaryParameterDescription, kOf15),
        Coded(L, "SpeechThresholdType", at::kSpeechThresholdType, EnumTable::SpeechThresholdType, kNotOne),
        Measured(Scaled(L, "StimulusOnTime", at::kOnTime, 1000), kSeconds),
        Measured(Scaled(L, "MaskingOnTime", Second(at::kOnTime), 1000), kSeconds),
        Measured(Scaled(L, "StimulusOffTime", at::kOffTime, 1000), kSeconds),
        Measured(Scaled(L, "MaskingOffTime", Second(at::kOffTime), 1000), kSeconds),
        Measured(Scaled(L, "StimulusSiSiParameter", at::kSiSiParameter, 10), kDecibels),
        Measured(Scaled(L, "MaskingSiSiParameter", Second(at::kSiSiParameter), 10), kDecibels),
        Integer(L, "StimulusWarbleModulation", at::kWarbleModulation),
        Integer(L, "MaskingWarbleModulation", Second(at::kWarbleModulation)),
        Scaled(L, "StimulusWarbleModulationSize", at::kWarbleModulationSize, 100),
        Scaled(L, "MaskingWarbleModulationSize", Second(at::kWarbleModulationSize), 100),
        Scaled(L, "StimulusFrequencyModulation", at::kFrequencyModulation, 100),
        Scaled(L, "MaskingFrequencyModulation", Second(at::kFrequencyModulation), 100),
        Scaled(L, "StimulusAmplitudeModulation", at::kAmplitudeModulation, 10),
        Scaled(L, "MaskingAmplitudeModulation", Second(at::kAmplitudeModulation), 10),
        Scaled(L, "StimulusPulseModulation", at::kPulseModulation, 10),
        Scaled(L, "MaskingPulseModulation", Second(at::kPulseModulation), 10),
        Scaled(L, "StimulusPulseCycle", at::kPulseCycle, 100),
        Scaled(L, "MaskingPulseCycle", Second(at::kPulseCycle), 100),
    };
}();

// The fields of a point of the tone, loudness-balance and Stenger curves (TTonePoint).
inline constexpr auto kTonePointFields = [] {
    using namespace field_rows;
    namespace at = tone_point;
    constexpr std::int32_t L = kTonePointsList;
    return std::array{
        Measured(Integer(L, "StimulusFrequency", at::kStimulusFrequency, ExportRule::PointKey), kHertz,
                 FieldMeaning::Frequency),
        Measured(Scaled(L, "StimulusLevel", at::kStimulusLevel, 10), kDecibels, FieldMeaning::Level),
        Measured(Integer(L, "MaskingFrequency", at::kMaskingFrequency), kHertz,
                 FieldMeaning::MaskingFrequency),
        Measured(AfterRowBefore(Scaled(L, "MaskingLevel", at::kMaskingLevel, 10)), kDecibels,
                 FieldMeaning::MaskingLevel),
        Meaning(Coded(L, "TonePointStatus", at::kTonePointStatus, EnumTable::PointStatus,
                      ExportRule::WhenPresent),
                FieldMeaning::Status),
    };
}();

// The fields of a point of the speech curves (TSpeechPoint).
inline constexpr auto kSpeechPointFields = [] {
    using namespace field_rows;
    namespace at = speech_point;
    constexpr std::int32_t L = kSpeechPointsList;
    return std::array{
        Measured(Scaled(L, "StimulusLevel", at::kStimulusLevel, 10, ExportRule::SpeechPointKey), kDecibels,
                 FieldMeaning::Level),
        Measured(Scaled(L, "MaskingLevel", at::kMaskingLevel, 10), kDecibels, FieldMeaning::MaskingLevel),
        Measured(Commented(Scaled(L, "ScorePercent", at::kScorePercent, 100), ExportRule::MagnitudeOrZero,
                           "Missing ScorePct inserting 0", "ScorePct was less than 0"),
                 kPercent),
        Integer(L, "NumberOfWords", at::kNumberOfWords),
    };
}();

// The fields of a point of the decay curves (TDecayPoint). (The comments' spelling is the
// documents'.)
inline constexpr auto kDecayPointFields = [] {
    using namespace field_rows;
    namespace at = decay_point;
    constexpr std::int32_t L = kDecayPointsList;
    constexpr ExportRule kZero = ExportRule::ZeroWhenMissing;
    return std::array{
        Measured(Integer(L, "StimulusFrequency", at::kStimulusFrequency, ExportRule::PointKey), kHertz,
                 FieldMeaning::Frequency),
        Measured(Commented(Scaled(L, "StimulusLevel", at::kStimulusLevel, 10), kZero,
                           "Mising Intensity1 inserting a zero"),
                 kDecibels, FieldMeaning::Level),
        Measured(Integer(L, "MaskingFrequency", at::kMaskingFrequency), kHertz,
                 FieldMeaning::MaskingFrequency),
        Measured(AfterRowBefore(Commented(Scaled(L, "MaskingLevel", at::kMaskingLevel, 10), kZero,
                                          "Mising Intensity2 inserting a zero")),
                 kDecibels, FieldMeaning::MaskingLevel),
        Measured(Commented(Scaled(L, "StartTime", at::kStartTime, 100), ExportRule::NonNegativeOrAllZero,
                           "Missing StartTime inserting Zero", "StartTime was less than 0"),
                 kSeconds),
        Measured(Commented(Scaled(L, "EndTime", at::kEndTime, 100), ExportRule::NonNegativeOrZero,
                           "Missing EndTime inserting Zero", "EndTime was less than 0"),
                 kSeconds),
    };
}();

namespace field_rows {

// The two difference-limen layouts (TDifferenceLimenPoint) differ in the scale of
// ModulationSize, tenths of a decibel for intensity and hundredths without a unit for
// frequency, and in the name of the status, which its comment repeats.
constexpr std::array<FieldRow, 6> DifferenceLimenPointFields(std::int32_t list, std::int32_t modulationScale,
                                                             std::string_view modulationUnit,
                                                             std::string_view status,
                                                             std::string_view missingStatusComment) {
    namespace at = difference_limen_point;
    constexpr ExportRule kZero = ExportRule::ZeroWhenMissing;
    return {
        Measured(Integer(list, "StimulusFrequency", at::kStimulusFrequency, ExportRule::PointKey), kHertz,
                 FieldMeaning::Frequency),
        Measured(Commented(Scaled(list, "StimulusLevel", at::kStimulusLevel, 10), kZero,
                           "Missing Intensity1 inserting a Zero"),
                 kDecibels, FieldMeaning::Level),
        Measured(Integer(list, "MaskingFrequency", at::kMaskingFrequency), kHertz,
                 FieldMeaning::MaskingFrequency),
        Measured(AfterRowBefore(Commented(Scaled(list, "MaskingLevel", at::kMaskingLevel, 10), kZero,
                                          "Missing Intensity2 inserting a Zero")),
                 kDecibels, FieldMeaning::MaskingLevel),
        Measured(Commented(Scaled(list, "ModulationSize", at::kModulationSize, modulationScale), kZero,
                           "Missing ModulationSize inserting a Unknown"),
                 modulationUnit),
        Meaning(Defaulted(list, status, at::kPointStatus, EnumTable::PointStatus, 0, missingStatusComment),
                FieldMeaning::Status),
    };
}

}  // namespace field_rows

inline constexpr auto kIntensityLimenPointFields = field_rows::DifferenceLimenPointFields(
    field_rows::kIntensityLimenPointsList, 10, field_rows::kDecibels, "DifferenceLimenIntensityPointStatus",
    "Missing DifferenceLimenIntensityPointStatus inserting a Unknown");
inline constexpr auto kFrequencyLimenPointFields = field_rows::DifferenceLimenPointFields(
    field_rows::kFrequencyLimenPointsList, 100, {}, "DifferenceLimenFrequencyPointStatus",
    "Missing DifferenceLimenFrequencyPointStatus inserting a Unknown");

// The fields of a point of the SISI curves (TSiSiPoint): only the frequency decides whether
// the point is written; its other values stand as they are, a missing one included.
inline constexpr auto kSiSiPointFields = [] {
    using namespace field_rows;
    namespace at = sisi_point;
    constexpr std::int32_t L = kSiSiPointsList;
    constexpr ExportRule kAsStored = ExportRule::AsStored;
    return std::array{
        Measured(Integer(L, "StimulusFrequency", at::kStimulusFrequency, ExportRule::PointKey), kHertz,
                 FieldMeaning::Frequency),
        Measured(Scaled(L, "StimulusLevel", at::kStimulusLevel, 10, kAsStored), kDecibels,
                 FieldMeaning::Level),
        Measured(Integer(L, "MaskingFrequency", at::kMaskingFrequency), kHertz,
                 FieldMeaning::MaskingFrequency),
        Measured(Scaled(L, "MaskingLevel", at::kMaskingLevel, 10), kDecibels, FieldMeaning::MaskingLevel),
        Measured(Scaled(L, "ModulationSize", at::kModulationSize, 10, kAsStored), kDecibels),
        Integer(L, "NumberOfAnswers", at::kNumberOfAnswers, kAsStored),
        Integer(L, "NumberOfIncrements", at::kNumberOfIncrements, kAsStored),
    };
}();

// The notes block (TAudiometerNotes) of the tone and the speech notes.
inline constexpr auto kNotesFields = [] {
    using namespace field_rows;
    namespace at = record200::notes;
    constexpr std::int32_t L = kNotesList;
    constexpr ExportRule kCounted = ExportRule::TextWhenCounted;
    FieldRow calibration = Text(L, "AudiometerLastCalibration", at::kAudiometerLastCalibration,
                                ExportRule::CalibrationDate);
    calibration.form = FieldForm::CalibrationDate;
    calibration.width = at::kAudiometerLastCalibrationTimeZone.End() - at::kAudiometerLastCalibration.offset;
    return std::array{
        Text(L, "AudiometerMakeModel", at::kAudiometerMakeModel, kCounted),
        Text(L, "AudiometerSerialNumber", at::kAudiometerSerialNumber, kCounted),
        calibration,
        Text(L, "TestMethod", at::kTestMethod, kCounted),
        Text(L, "TestReliability", at::kTestReliability, kCounted),
    };
}();

// The tone-average frequency masks (TToneAverageFrequencies).
inline constexpr auto kToneAverageFields = [] {
    using namespace field_rows;
    namespace at = record200::tone_average;
    constexpr std::int32_t L = kToneAverageList;
    return std::array{
        Mask(L, "LeftEar1", at::kLeftEar1, FieldMeaning::LeftEarFrequencies),
        Mask(L, "LeftEar2", at::kLeftEar2, FieldMeaning::LeftEarFrequencies),
        Mask(L, "RightEar1", at::kRightEar1, FieldMeaning::RightEarFrequencies),
        Mask(L, "RightEar2", at::kRightEar2, FieldMeaning::RightEarFrequencies),
    };
}();

namespace field_rows {

// The rows cover their structure: each lies inside it, none overlaps another, and together
// they fill it (a field added to a layout without a row, or a typo in an offset, fails here).
// Every row carries the tags of its own name (a row without tags fails too: reading through
// its null pointer is not a constant expression; g++ with the sanitizers refuses to compare
// the table's addresses with null here).
template <std::size_t N>
constexpr bool RowsFill(const std::array<FieldRow, N>& rows, std::size_t structureSize) {
    std::size_t covered = 0;
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].position < 1 || rows[i].offset + rows[i].width > structureSize) return false;
        if (!Fits(*rows[i].tags) || rows[i].tags->Name() != rows[i].name) return false;
        for (std::size_t j = i + 1; j < N; ++j) {
            const bool apart = rows[i].offset + rows[i].width <= rows[j].offset ||
                               rows[j].offset + rows[j].width <= rows[i].offset;
            if (!apart || rows[i].position == rows[j].position) return false;
        }
        covered += rows[i].width;
    }
    return covered == structureSize;
}

static_assert(RowsFill(kMeasurementConditionFields, meas_cond::kSize));
static_assert(RowsFill(kTonePointFields, tone_point::kSize));
static_assert(RowsFill(kSpeechPointFields, speech_point::kSize));
static_assert(RowsFill(kDecayPointFields, decay_point::kSize));
static_assert(RowsFill(kIntensityLimenPointFields, difference_limen_point::kSize));
static_assert(RowsFill(kFrequencyLimenPointFields, difference_limen_point::kSize));
static_assert(RowsFill(kSiSiPointFields, sisi_point::kSize));
static_assert(RowsFill(kNotesFields, record200::notes::kSize));
static_assert(RowsFill(kToneAverageFields, record200::tone_average::kSize));

// A row whose value needs the row before it follows a row that can be missing.
template <std::size_t N>
constexpr bool NeedsFollowAWrittenRow(const std::array<FieldRow, N>& rows) {
    if (rows[0].needsRowBefore) return false;
    for (std::size_t i = 1; i < N; ++i) {
        if (rows[i].needsRowBefore && rows[i - 1].rule != ExportRule::WhenPresent) return false;
    }
    return true;
}
static_assert(NeedsFollowAWrittenRow(kTonePointFields) && NeedsFollowAWrittenRow(kDecayPointFields) &&
              NeedsFollowAWrittenRow(kIntensityLimenPointFields) && NeedsFollowAWrittenRow(kSiSiPointFields));

}  // namespace field_rows

// The rows of a set in the order of their list's positions 1, 2, ...: where the import finds
// the row of a leaf without a search. The positions of a set run from 1 without a gap.
template <std::size_t N>
constexpr std::array<FieldRow, N> ByPosition(const std::array<FieldRow, N>& rows) {
    std::array<FieldRow, N> ordered = rows;
    for (const FieldRow& row : rows) {
        if (row.position >= 1 && static_cast<std::size_t>(row.position) <= N) {
            ordered[static_cast<std::size_t>(row.position - 1)] = row;
        }
    }
    return ordered;
}

template <std::size_t N>
constexpr bool FollowPositions(const std::array<FieldRow, N>& rows) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rows[i].position != static_cast<std::int32_t>(i + 1)) return false;
    }
    return true;
}

}  // namespace audiogram
