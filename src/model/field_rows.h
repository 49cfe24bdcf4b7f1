#pragma once
// The model's one view of the record's fields: where each measurement condition, point
// field, notes text and frequency mask lives, its form, and where the schema table keeps
// its element name. Only this header knows the schema table's list positions; the model
// reads every name through the functions at its end.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/schema_positions.h"
#include "schema/schema_table.h"
#include "records/counted_text.h"
#include "records/meas_cond_layout.h"
#include "records/point_layouts.h"
#include "records/record200_layout.h"

namespace audiogram::model::rows {

enum class Form { Integer, Decimals1, Decimals2, Decimals3, Enumeration, Text };

// What a point field means to the model's typed point.
enum class Role { None, Frequency, Level, MaskingFrequency, MaskingLevel, Status };

struct FieldRow {
    std::int32_t position;  // in the element list the name comes from
    std::size_t offset;     // in the measurement conditions or the point
    Form form;
    std::string_view unit = {};
    EnumTable table = EnumTable::PointStatus;  // for Form::Enumeration
    CountedTextField text = {};                // for Form::Text
    Role role = Role::None;
};

inline constexpr std::size_t kMasking = meas_cond::kPairEntrySize;
namespace mc = meas_cond;
namespace pos = schema::meas_cond;

// The measurement conditions in the order of the document's AudMeasurementConditions list.
inline constexpr std::array kConditionFields = {
    FieldRow{pos::kStimulusSignalType, mc::kSignalType, Form::Enumeration, {}, EnumTable::SignalType},
    FieldRow{pos::kMaskingSignalType, mc::kSignalType + kMasking, Form::Enumeration, {}, EnumTable::SignalType},
    FieldRow{pos::kStimulusSignalOutput, mc::kSignalOutput, Form::Enumeration, {}, EnumTable::SignalOutput},
    FieldRow{pos::kMaskingSignalOutput, mc::kSignalOutput + kMasking, Form::Enumeration, {}, EnumTable::SignalOutput},
    FieldRow{pos::kStimulusdBWeighting, mc::kdBWeighting, Form::Enumeration, {}, EnumTable::dBWeighting},
    FieldRow{pos::kMaskingdBWeighting, mc::kdBWeighting + kMasking, Form::Enumeration, {}, EnumTable::dBWeighting},
    FieldRow{pos::kStimulusPresentationType, mc::kPresentationType, Form::Enumeration, {},
             EnumTable::PresentationType},
    FieldRow{pos::kMaskingPresentationType, mc::kPresentationType + kMasking, Form::Enumeration, {},
             EnumTable::PresentationType},
    FieldRow{pos::kStimulusTransducerType, mc::kTransducerType, Form::Enumeration, {}, EnumTable::TransducerType},
    FieldRow{pos::kMaskingTransducerType, mc::kTransducerType + kMasking, Form::Enumeration, {},
             EnumTable::TransducerType},
    FieldRow{pos::kTransducerDescription, 0, Form::Text, {}, {}, mc::kTransducerDescription},
    FieldRow{pos::kStimulusTransducerCalibrationStandard, mc::kTransducerCalibrationStandard, Form::Enumeration, {},
             EnumTable::CalibrationStandard},
    FieldRow{pos::kMaskingTransducerCalibrationStandard, mc::kTransducerCalibrationStandard + kMasking,
             Form::Enumeration, {}, EnumTable::CalibrationStandard},
    FieldRow{pos::kHearingInstrument1Condition, mc::kHearingInstrumentCondition, Form::Enumeration, {},
             EnumTable::HearingInstrumentCondition},
    FieldRow{pos::kHearingInstrument2Condition, mc::kHearingInstrumentCondition + kMasking, Form::Enumeration, {},
             EnumTable::HearingInstrumentCondition},
    FieldRow{pos::kHearingInstrumentDescription, 0, Form::Text, {}, {}, mc::kHearingInstrumentDescription},
    FieldRow{pos::kStimulusAuxiliary, mc::kAuxiliary, Form::Enumeration, {}, EnumTable::AuxiliaryParameter},
    FieldRow{pos::kMaskingAuxiliary, mc::kAuxiliary + kMasking, Form::Enumeration, {}, EnumTable::AuxiliaryParameter},
    FieldRow{pos::kAuxiliaryParameterDescription, 0, Form::Text, {}, {}, mc::kAuxiliaryParameterDescription},
    FieldRow{pos::kWordListName, 0, Form::Text, {}, {}, mc::kWordListName},
    FieldRow{pos::kSpeechThresholdType, mc::kSpeechThresholdType, Form::Enumeration, {},
             EnumTable::SpeechThresholdType},
    FieldRow{pos::kStimulusOnTime, mc::kOnTime, Form::Decimals3, "s"},
    FieldRow{pos::kMaskingOnTime, mc::kOnTime + kMasking, Form::Decimals3, "s"},
    FieldRow{pos::kStimulusOffTime, mc::kOffTime, Form::Decimals3, "s"},
    FieldRow{pos::kMaskingOffTime, mc::kOffTime + kMasking, Form::Decimals3, "s"},
    FieldRow{pos::kStimulusSiSiParameter, mc::kSiSiParameter, Form::Decimals1, "dB"},
    FieldRow{pos::kMaskingSiSiParameter, mc::kSiSiParameter + kMasking, Form::Decimals1, "dB"},
    FieldRow{pos::kStimulusWarbleModulation, mc::kWarbleModulation, Form::Integer},
    FieldRow{pos::kMaskingWarbleModulation, mc::kWarbleModulation + kMasking, Form::Integer},
    FieldRow{pos::kStimulusWarbleModulationSize, mc::kWarbleModulationSize, Form::Decimals2},
    FieldRow{pos::kMaskingWarbleModulationSize, mc::kWarbleModulationSize + kMasking, Form::Decimals2},
    FieldRow{pos::kStimulusFrequencyModulation, mc::kFrequencyModulation, Form::Decimals2},
    FieldRow{pos::kMaskingFrequencyModulation, mc::kFrequencyModulation + kMasking, Form::Decimals2},
    FieldRow{pos::kStimulusAmplitudeModulation, mc::kAmplitudeModulation, Form::Decimals1},
    FieldRow{pos::kMaskingAmplitudeModulation, mc::kAmplitudeModulation + kMasking, Form::Decimals1},
    FieldRow{pos::kStimulusPulseModulation, mc::kPulseModulation, Form::Decimals1},
    FieldRow{pos::kMaskingPulseModulation, mc::kPulseModulation + kMasking, Form::Decimals1},
    FieldRow{pos::kStimulusPulseCycle, mc::kPulseCycle, Form::Decimals2},
    FieldRow{pos::kMaskingPulseCycle, mc::kPulseCycle + kMasking, Form::Decimals2},
};

// The conditions the model reads for itself: which ear and route, which masker, which
// transducer.
inline constexpr FieldRow kStimulusSignalOutput = kConditionFields[2];
inline constexpr FieldRow kMaskingSignalType = kConditionFields[1];
inline constexpr FieldRow kStimulusTransducerType = kConditionFields[8];
static_assert(kStimulusSignalOutput.position == pos::kStimulusSignalOutput &&
              kMaskingSignalType.position == pos::kMaskingSignalType &&
              kStimulusTransducerType.position == pos::kStimulusTransducerType);

namespace fp = schema::frequency_point;
namespace sp = schema::speech_point;

// Every point layout with a stimulus frequency opens with the same four fields.
static_assert(decay_point::kMaskingLevel == tone_point::kMaskingLevel &&
              difference_limen_point::kMaskingLevel == tone_point::kMaskingLevel &&
              sisi_point::kMaskingLevel == tone_point::kMaskingLevel && tone_point::kStimulusFrequency == 0);

template <std::size_t N>
constexpr std::array<FieldRow, 4 + N> AfterFrequencyColumns(const std::array<FieldRow, N>& rest) {
    std::array<FieldRow, 4 + N> columns{
        FieldRow{fp::kStimulusFrequency, tone_point::kStimulusFrequency, Form::Integer, "Hz", {}, {}, Role::Frequency},
        FieldRow{fp::kStimulusLevel, tone_point::kStimulusLevel, Form::Decimals1, "dB", {}, {}, Role::Level},
        FieldRow{fp::kMaskingFrequency, tone_point::kMaskingFrequency, Form::Integer, "Hz", {}, {},
                 Role::MaskingFrequency},
        FieldRow{fp::kMaskingLevel, tone_point::kMaskingLevel, Form::Decimals1, "dB", {}, {}, Role::MaskingLevel},
    };
    for (std::size_t i = 0; i < N; ++i) columns[4 + i] = rest[i];
    return columns;
}

inline constexpr auto kToneColumns = AfterFrequencyColumns(std::array{
    FieldRow{fp::kTonePointStatus, tone_point::kTonePointStatus, Form::Enumeration, {}, EnumTable::PointStatus, {},
             Role::Status},
});
inline constexpr std::array kSpeechColumns = {
    FieldRow{sp::kStimulusLevel, speech_point::kStimulusLevel, Form::Decimals1, "dB", {}, {}, Role::Level},
    FieldRow{sp::kMaskingLevel, speech_point::kMaskingLevel, Form::Decimals1, "dB", {}, {}, Role::MaskingLevel},
    FieldRow{sp::kScorePercent, speech_point::kScorePercent, Form::Decimals2, "%"},
    FieldRow{sp::kNumberOfWords, speech_point::kNumberOfWords, Form::Integer},
};
inline constexpr auto kDecayColumns = AfterFrequencyColumns(std::array{
    FieldRow{fp::kStartTime, decay_point::kStartTime, Form::Decimals2, "s"},
    FieldRow{fp::kEndTime, decay_point::kEndTime, Form::Decimals2, "s"},
});
inline constexpr auto kDifferenceLimenIntensityColumns = AfterFrequencyColumns(std::array{
    FieldRow{fp::kModulationSize, difference_limen_point::kModulationSize, Form::Decimals1, "dB"},
    FieldRow{fp::kPointStatus, difference_limen_point::kPointStatus, Form::Enumeration, {}, EnumTable::PointStatus,
             {}, Role::Status},
});
// ModulationSize is stored in hundredths in the frequency curves.
inline constexpr auto kDifferenceLimenFrequencyColumns = AfterFrequencyColumns(std::array{
    FieldRow{fp::kModulationSize, difference_limen_point::kModulationSize, Form::Decimals2},
    FieldRow{fp::kPointStatus, difference_limen_point::kPointStatus, Form::Enumeration, {}, EnumTable::PointStatus,
             {}, Role::Status},
});
inline constexpr auto kSiSiColumns = AfterFrequencyColumns(std::array{
    FieldRow{fp::kModulationSize, sisi_point::kModulationSize, Form::Decimals1, "dB"},
    FieldRow{fp::kNumberOfAnswers, sisi_point::kNumberOfAnswers, Form::Integer},
    FieldRow{fp::kNumberOfIncrements, sisi_point::kNumberOfIncrements, Form::Integer},
});

struct SectionRow {
    Section section;
    std::int32_t rootPosition;
    std::span<const FieldRow> columns;
};

// The curve sections in record order.
inline constexpr std::array kSections = {
    SectionRow{Section::ToneThreshold, schema::root::kToneThresholdAudiogram, kToneColumns},
    SectionRow{Section::MostComfortableLevel, schema::root::kMostComfortableLevel, kToneColumns},
    SectionRow{Section::UncomfortableLevel, schema::root::kUncomfortableLevel, kToneColumns},
    SectionRow{Section::AlternateBinauralLoudnessBalance, schema::root::kAlternateBinauralLoudnessBalanceAudiogram,
               kToneColumns},
    SectionRow{Section::Stenger, schema::root::kStengerAudiogram, kToneColumns},
    SectionRow{Section::DifferenceLimenIntensity, schema::root::kDifferenceLimenIntensity,
               kDifferenceLimenIntensityColumns},
    SectionRow{Section::DifferenceLimenFrequency, schema::root::kDifferenceLimenFrequency,
               kDifferenceLimenFrequencyColumns},
    SectionRow{Section::ShortIncrementSensitivityIndex, schema::root::kShortIncrementSensitivityIndex, kSiSiColumns},
    SectionRow{Section::Decay, schema::root::kDecayAudiogram, kDecayColumns},
    SectionRow{Section::SpeechDiscrimination, schema::root::kSpeechDiscriminationAudiogram, kSpeechColumns},
    SectionRow{Section::SpeechReceptionThreshold, schema::root::kSpeechReceptionThresholdAudiogram, kSpeechColumns},
    SectionRow{Section::SpeechMostComfortableLevel, schema::root::kSpeechMostComfortableLevel, kSpeechColumns},
    SectionRow{Section::SpeechUncomfortableLevel, schema::root::kSpeechUncomfortableLevel, kSpeechColumns},
};

constexpr bool SectionsFollowTheRecord() {
    if (kSections.size() != record200::kCurveSections.size()) return false;
    for (std::size_t i = 0; i < kSections.size(); ++i) {
        if (kSections[i].section != record200::kCurveSections[i].section) return false;
    }
    return true;
}
static_assert(SectionsFollowTheRecord());

struct NotesFieldRow {
    std::int32_t position;
    CountedTextField field;
};

inline constexpr std::array kNotesFields = {
    NotesFieldRow{schema::notes::kAudiometerMakeModel, record200::notes::kAudiometerMakeModel},
    NotesFieldRow{schema::notes::kAudiometerSerialNumber, record200::notes::kAudiometerSerialNumber},
    NotesFieldRow{schema::notes::kAudiometerLastCalibration, record200::notes::kAudiometerLastCalibration},
    NotesFieldRow{schema::notes::kTestMethod, record200::notes::kTestMethod},
    NotesFieldRow{schema::notes::kTestReliability, record200::notes::kTestReliability},
};
// The zone designator that belongs to the calibration date-time, as in the document.
inline constexpr NotesFieldRow kCalibrationZone{schema::notes::kAudiometerLastCalibration,
                                                record200::notes::kAudiometerLastCalibrationTimeZone};

struct NotesBlockRow {
    std::int32_t rootPosition;
    std::size_t offset;
};

inline constexpr std::array kNotesBlocks = {
    NotesBlockRow{schema::root::kToneNotes, record200::kToneNotesOffset},
    NotesBlockRow{schema::root::kSpeechNotes, record200::kSpeechNotesOffset},
};

enum class MaskEar { Left, Right };

struct MaskRow {
    std::int32_t position;
    std::size_t offset;
    MaskEar ear;
};

// The four frequency masks in record order.
inline constexpr std::array kToneAverageMasks = {
    MaskRow{schema::tone_average::kLeftEar1, record200::tone_average::kLeftEar1, MaskEar::Left},
    MaskRow{schema::tone_average::kLeftEar2, record200::tone_average::kLeftEar2, MaskEar::Left},
    MaskRow{schema::tone_average::kRightEar1, record200::tone_average::kRightEar1, MaskEar::Right},
    MaskRow{schema::tone_average::kRightEar2, record200::tone_average::kRightEar2, MaskEar::Right},
};

// The list number of the container at `position` of list `list`, or none when the table
// has no such entry or the entry is not a container.
inline std::optional<std::int32_t> ChildList(const AudiogramSchemaTable& table, std::int32_t list,
                                             std::int32_t position) {
    const std::span<const SchemaEntry> entries = table.List(list);
    if (position < 1 || static_cast<std::size_t>(position) >= entries.size()) return std::nullopt;
    const std::int32_t code = entries[static_cast<std::size_t>(position)].code;
    if (code <= 0 || code == list) return std::nullopt;
    return code;
}

inline std::string_view SectionName(const AudiogramSchemaTable& table, const SectionRow& section) {
    return table.ElementName(schema::kRootList, section.rootPosition);
}

// The element name of a point column; empty when the table has no such list or entry.
inline std::string_view ColumnName(const AudiogramSchemaTable& table, const SectionRow& section,
                                   const FieldRow& column) {
    const std::optional<std::int32_t> curveList = ChildList(table, schema::kRootList, section.rootPosition);
    if (!curveList) return {};
    const std::optional<std::int32_t> pointsList = ChildList(table, *curveList, schema::curve::kPoints);
    if (!pointsList) return {};
    return table.ElementName(*pointsList, column.position);
}

inline std::string_view ConditionName(const AudiogramSchemaTable& table, const FieldRow& field) {
    return table.ElementName(schema::kMeasurementConditionsList, field.position);
}

inline std::string_view NotesBlockName(const AudiogramSchemaTable& table, const NotesBlockRow& block) {
    return table.ElementName(schema::kRootList, block.rootPosition);
}

inline std::string_view NotesFieldName(const AudiogramSchemaTable& table, const NotesBlockRow& block,
                                       const NotesFieldRow& field) {
    const std::optional<std::int32_t> list = ChildList(table, schema::kRootList, block.rootPosition);
    return list ? table.ElementName(*list, field.position) : std::string_view();
}

inline std::string_view MaskName(const AudiogramSchemaTable& table, const MaskRow& mask) {
    return table.ElementName(schema::kToneAverageList, mask.position);
}

}  // namespace audiogram::model::rows
