#pragma once
// What each leaf of the measurement conditions, the points, the notes and the tone-average
// frequencies turns into: one rule per position of the element's list, in list order.
// Positions after the last rule (PrimaryKey, ForeignKey) are read and ignored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "schema/schema_positions.h"
#include "schema/schema_table.h"
#include "records/counted_text.h"
#include "records/meas_cond_layout.h"
#include "records/point_layouts.h"
#include "records/record200_layout.h"

namespace audiogram {

enum class LeafAction {
    Scaled,           // ScanScaledValue with the rule's scale
    Coded,            // FindEnumCode in the rule's table
    Text,             // the text, cut to the field's capacity
    CalibrationDate,  // split into the calibration date-time and its zone
    FrequencyBit,     // FindEnumCode in the frequency table, ORed into the mask
};

struct LeafRule {
    std::int32_t position;  // in the element's list of the schema table
    LeafAction action;
    std::size_t offset;  // of the field in the area the reader fills
    std::int32_t scale = 1;
    EnumTable table = EnumTable::PointStatus;
    std::size_t capacity = 0;  // of a text field

    constexpr CountedTextField TextField() const { return {offset, capacity}; }
};

namespace leaf_rule {

constexpr LeafRule Scaled(std::int32_t position, std::size_t offset, std::int32_t scale) {
    return {position, LeafAction::Scaled, offset, scale};
}
constexpr LeafRule Coded(std::int32_t position, std::size_t offset, EnumTable table) {
    return {position, LeafAction::Coded, offset, 1, table};
}
constexpr LeafRule Text(std::int32_t position, CountedTextField field) {
    return {position, LeafAction::Text, field.offset, 1, EnumTable::PointStatus, field.capacity};
}
constexpr LeafRule CalibrationDate(std::int32_t position) {
    return {position, LeafAction::CalibrationDate, 0};
}
constexpr LeafRule FrequencyBit(std::int32_t position, std::size_t offset) {
    return {position, LeafAction::FrequencyBit, offset, 1, EnumTable::Frequency};
}

// Entry 1 of a measurement-condition pair (masking, or hearing instrument 2).
constexpr std::size_t Second(std::size_t pairOffset) {
    return pairOffset + meas_cond::kPairEntrySize;
}

// The rule for position p stands at index p - 1, so a reader finds it without a search.
template <std::size_t N>
constexpr bool FollowPositions(const std::array<LeafRule, N>& rules) {
    for (std::size_t i = 0; i < N; ++i) {
        if (rules[i].position != static_cast<std::int32_t>(i + 1)) return false;
    }
    return true;
}

}  // namespace leaf_rule

namespace leaf_rules {

namespace at = schema::meas_cond;
namespace field = meas_cond;

inline constexpr std::array kMeasurementConditions = {
    leaf_rule::Coded(at::kStimulusSignalType, field::kSignalType, EnumTable::SignalType),
    leaf_rule::Coded(at::kMaskingSignalType, leaf_rule::Second(field::kSignalType), EnumTable::SignalType),
    leaf_rule::Coded(at::kStimulusSignalOutput, field::kSignalOutput, EnumTable::SignalOutput),
    leaf_rule::Coded(at::kMaskingSignalOutput, leaf_rule::Second(field::kSignalOutput),
                     EnumTable::SignalOutput),
    leaf_rule::Coded(at::kStimulusdBWeighting, field::kdBWeighting, EnumTable::dBWeighting),
    leaf_rule::Coded(at::kMaskingdBWeighting, leaf_rule::Second(field::kdBWeighting), EnumTable::dBWeighting),
    leaf_rule::Coded(at::kStimulusPresentationType, field::kPresentationType, EnumTable::PresentationType),
    leaf_rule::Coded(at::kMaskingPresentationType, leaf_rule::Second(field::kPresentationType),
                     EnumTable::PresentationType),
    leaf_rule::Coded(at::kStimulusTransducerType, field::kTransducerType, EnumTable::TransducerType),
    leaf_rule::Coded(at::kMaskingTransducerType, leaf_rule::Second(field::kTransducerType),
                     EnumTable::TransducerType),
    leaf_rule::Text(at::kTransducerDescription, field::kTransducerDescription),
    leaf_rule::Coded(at::kStimulusTransducerCalibrationStandard, field::kTransducerCalibrationStandard,
                     EnumTable::CalibrationStandard),
    leaf_rule::Coded(at::kMaskingTransducerCalibrationStandard,
                     leaf_rule::Second(field::kTransducerCalibrationStandard),
                     EnumTable::CalibrationStandard),
    leaf_rule::Coded(at::kHearingInstrument1Condition, field::kHearingInstrumentCondition,
                     EnumTable::HearingInstrumentCondition),
    leaf_rule::Coded(at::kHearingInstrument2Condition, leaf_rule::Second(field::kHearingInstrumentCondition),
                     EnumTable::HearingInstrumentCondition),
    leaf_rule::Text(at::kHearingInstrumentDescription, field::kHearingInstrumentDescription),
    leaf_rule::Coded(at::kStimulusAuxiliary, field::kAuxiliary, EnumTable::AuxiliaryParameter),
    leaf_rule::Coded(at::kMaskingAuxiliary, leaf_rule::Second(field::kAuxiliary),
                     EnumTable::AuxiliaryParameter),
    leaf_rule::Text(at::kAuxiliaryParameterDescription, field::kAuxiliaryParameterDescription),
    leaf_rule::Text(at::kWordListName, field::kWordListName),
    leaf_rule::Coded(at::kSpeechThresholdType, field::kSpeechThresholdType, EnumTable::SpeechThresholdType),
    leaf_rule::Scaled(at::kStimulusOnTime, field::kOnTime, 1000),
    leaf_rule::Scaled(at::kMaskingOnTime, leaf_rule::Second(field::kOnTime), 1000),
    leaf_rule::Scaled(at::kStimulusOffTime, field::kOffTime, 1000),
    leaf_rule::Scaled(at::kMaskingOffTime, leaf_rule::Second(field::kOffTime), 1000),
    leaf_rule::Scaled(at::kStimulusSiSiParameter, field::kSiSiParameter, 10),
    leaf_rule::Scaled(at::kMaskingSiSiParameter, leaf_rule::Second(field::kSiSiParameter), 10),
    leaf_rule::Scaled(at::kStimulusWarbleModulation, field::kWarbleModulation, 1),
    leaf_rule::Scaled(at::kMaskingWarbleModulation, leaf_rule::Second(field::kWarbleModulation), 1),
    leaf_rule::Scaled(at::kStimulusWarbleModulationSize, field::kWarbleModulationSize, 100),
    leaf_rule::Scaled(at::kMaskingWarbleModulationSize, leaf_rule::Second(field::kWarbleModulationSize), 100),
    leaf_rule::Scaled(at::kStimulusFrequencyModulation, field::kFrequencyModulation, 100),
    leaf_rule::Scaled(at::kMaskingFrequencyModulation, leaf_rule::Second(field::kFrequencyModulation), 100),
    leaf_rule::Scaled(at::kStimulusAmplitudeModulation, field::kAmplitudeModulation, 10),
    leaf_rule::Scaled(at::kMaskingAmplitudeModulation, leaf_rule::Second(field::kAmplitudeModulation), 10),
    leaf_rule::Scaled(at::kStimulusPulseModulation, field::kPulseModulation, 10),
    leaf_rule::Scaled(at::kMaskingPulseModulation, leaf_rule::Second(field::kPulseModulation), 10),
    leaf_rule::Scaled(at::kStimulusPulseCycle, field::kPulseCycle, 100),
    leaf_rule::Scaled(at::kMaskingPulseCycle, leaf_rule::Second(field::kPulseCycle), 100),
};

namespace fp = schema::frequency_point;
namespace sp = schema::speech_point;

inline constexpr std::array kTonePoint = {
    leaf_rule::Scaled(fp::kStimulusFrequency, tone_point::kStimulusFrequency, 1),
    leaf_rule::Scaled(fp::kStimulusLevel, tone_point::kStimulusLevel, 10),
    leaf_rule::Scaled(fp::kMaskingFrequency, tone_point::kMaskingFrequency, 1),
    leaf_rule::Scaled(fp::kMaskingLevel, tone_point::kMaskingLevel, 10),
    leaf_rule::Coded(fp::kTonePointStatus, tone_point::kTonePointStatus, EnumTable::PointStatus),
};

inline constexpr std::array kSpeechPoint = {
    leaf_rule::Scaled(sp::kStimulusLevel, speech_point::kStimulusLevel, 10),
    leaf_rule::Scaled(sp::kMaskingLevel, speech_point::kMaskingLevel, 10),
    leaf_rule::Scaled(sp::kScorePercent, speech_point::kScorePercent, 100),
    leaf_rule::Scaled(sp::kNumberOfWords, speech_point::kNumberOfWords, 1),
};

inline constexpr std::array kDecayPoint = {
    leaf_rule::Scaled(fp::kStimulusFrequency, decay_point::kStimulusFrequency, 1),
    leaf_rule::Scaled(fp::kStimulusLevel, decay_point::kStimulusLevel, 10),
    leaf_rule::Scaled(fp::kMaskingFrequency, decay_point::kMaskingFrequency, 1),
    leaf_rule::Scaled(fp::kMaskingLevel, decay_point::kMaskingLevel, 10),
    leaf_rule::Scaled(fp::kStartTime, decay_point::kStartTime, 100),
    leaf_rule::Scaled(fp::kEndTime, decay_point::kEndTime, 100),
};

// The two difference-limen layouts differ only in the scale of ModulationSize: tenths for
// intensity, hundredths for frequency.
constexpr std::array<LeafRule, 6> DifferenceLimenPoint(std::int32_t modulationScale) {
    return {
        leaf_rule::Scaled(fp::kStimulusFrequency, difference_limen_point::kStimulusFrequency, 1),
        leaf_rule::Scaled(fp::kStimulusLevel, difference_limen_point::kStimulusLevel, 10),
        leaf_rule::Scaled(fp::kMaskingFrequency, difference_limen_point::kMaskingFrequency, 1),
        leaf_rule::Scaled(fp::kMaskingLevel, difference_limen_point::kMaskingLevel, 10),
        leaf_rule::Scaled(fp::kModulationSize, difference_limen_point::kModulationSize, modulationScale),
        leaf_rule::Coded(fp::kPointStatus, difference_limen_point::kPointStatus, EnumTable::PointStatus),
    };
}
inline constexpr std::array kDifferenceLimenIntensityPoint = DifferenceLimenPoint(10);
inline constexpr std::array kDifferenceLimenFrequencyPoint = DifferenceLimenPoint(100);

inline constexpr std::array kSiSiPoint = {
    leaf_rule::Scaled(fp::kStimulusFrequency, sisi_point::kStimulusFrequency, 1),
    leaf_rule::Scaled(fp::kStimulusLevel, sisi_point::kStimulusLevel, 10),
    leaf_rule::Scaled(fp::kMaskingFrequency, sisi_point::kMaskingFrequency, 1),
    leaf_rule::Scaled(fp::kMaskingLevel, sisi_point::kMaskingLevel, 10),
    leaf_rule::Scaled(fp::kModulationSize, sisi_point::kModulationSize, 10),
    leaf_rule::Scaled(fp::kNumberOfAnswers, sisi_point::kNumberOfAnswers, 1),
    leaf_rule::Scaled(fp::kNumberOfIncrements, sisi_point::kNumberOfIncrements, 1),
};

namespace np = schema::notes;

inline constexpr std::array kNotes = {
    leaf_rule::Text(np::kAudiometerMakeModel, record200::notes::kAudiometerMakeModel),
    leaf_rule::Text(np::kAudiometerSerialNumber, record200::notes::kAudiometerSerialNumber),
    leaf_rule::CalibrationDate(np::kAudiometerLastCalibration),
    leaf_rule::Text(np::kTestMethod, record200::notes::kTestMethod),
    leaf_rule::Text(np::kTestReliability, record200::notes::kTestReliability),
};

namespace tp = schema::tone_average;

inline constexpr std::array kToneAverageFrequencies = {
    leaf_rule::FrequencyBit(tp::kLeftEar1, record200::tone_average::kLeftEar1),
    leaf_rule::FrequencyBit(tp::kLeftEar2, record200::tone_average::kLeftEar2),
    leaf_rule::FrequencyBit(tp::kRightEar1, record200::tone_average::kRightEar1),
    leaf_rule::FrequencyBit(tp::kRightEar2, record200::tone_average::kRightEar2),
};

static_assert(leaf_rule::FollowPositions(kMeasurementConditions) && kMeasurementConditions.size() == 39);
static_assert(leaf_rule::FollowPositions(kTonePoint) && leaf_rule::FollowPositions(kSpeechPoint) &&
              leaf_rule::FollowPositions(kDecayPoint) &&
              leaf_rule::FollowPositions(kDifferenceLimenIntensityPoint) &&
              leaf_rule::FollowPositions(kDifferenceLimenFrequencyPoint) &&
              leaf_rule::FollowPositions(kSiSiPoint));
static_assert(leaf_rule::FollowPositions(kNotes) && leaf_rule::FollowPositions(kToneAverageFrequencies));

}  // namespace leaf_rules

}  // namespace audiogram
