#pragma once
// Named list numbers and positions of the AudiogramSchemaTable for the inspect report, which
// keeps its own columns until it walks the field rows of src/schema (field_rows.h,
// section_rows.h), where the library derives every position from the element names.

#include <cstdint>

namespace audiogram::schema {

// List numbers.
inline constexpr std::int32_t kRootList = 1;
inline constexpr std::int32_t kMeasurementConditionsList = 3;
inline constexpr std::int32_t kTonePointsList = 4;               // inside ToneThresholdAudiogram
inline constexpr std::int32_t kSpeechPointsList = 10;            // SpeechDiscriminationPoints
inline constexpr std::int32_t kDecayPointsList = 18;
inline constexpr std::int32_t kToneNotesList = 19;
inline constexpr std::int32_t kSpeechNotesList = 20;
inline constexpr std::int32_t kToneAverageList = 21;
inline constexpr std::int32_t kDifferenceLimenIntensityPointsList = 27;
inline constexpr std::int32_t kDifferenceLimenFrequencyPointsList = 29;
inline constexpr std::int32_t kSiSiCurveList = 30;
inline constexpr std::int32_t kSiSiPointsList = 31;

// Positions in the root list (1).
namespace root {
inline constexpr std::int32_t kToneThresholdAudiogram = 1;
inline constexpr std::int32_t kMostComfortableLevel = 2;
inline constexpr std::int32_t kUncomfortableLevel = 3;
inline constexpr std::int32_t kSpeechDiscriminationAudiogram = 4;
inline constexpr std::int32_t kSpeechReceptionThresholdAudiogram = 5;
inline constexpr std::int32_t kSpeechMostComfortableLevel = 6;
inline constexpr std::int32_t kSpeechUncomfortableLevel = 7;
inline constexpr std::int32_t kDecayAudiogram = 8;
inline constexpr std::int32_t kToneNotes = 9;
inline constexpr std::int32_t kSpeechNotes = 10;
inline constexpr std::int32_t kFrequenciesUsedForToneAverage = 11;
inline constexpr std::int32_t kAlternateBinauralLoudnessBalanceAudiogram = 12;
inline constexpr std::int32_t kStengerAudiogram = 13;
inline constexpr std::int32_t kDifferenceLimenIntensity = 14;
inline constexpr std::int32_t kDifferenceLimenFrequency = 15;
inline constexpr std::int32_t kShortIncrementSensitivityIndex = 16;
inline constexpr std::int32_t kPrivateAudiogramData = 17;
}  // namespace root

// Positions in the list of every curve element (2, 5, 7, ... 30).
namespace curve {
inline constexpr std::int32_t kMeasurementConditions = 1;
inline constexpr std::int32_t kPoints = 2;
}  // namespace curve

// Positions in the AudMeasurementConditions list (3).
namespace meas_cond {
inline constexpr std::int32_t kStimulusSignalType = 1;
inline constexpr std::int32_t kMaskingSignalType = 2;
inline constexpr std::int32_t kStimulusSignalOutput = 3;
inline constexpr std::int32_t kMaskingSignalOutput = 4;
inline constexpr std::int32_t kStimulusdBWeighting = 5;
inline constexpr std::int32_t kMaskingdBWeighting = 6;
inline constexpr std::int32_t kStimulusPresentationType = 7;
inline constexpr std::int32_t kMaskingPresentationType = 8;
inline constexpr std::int32_t kStimulusTransducerType = 9;
inline constexpr std::int32_t kMaskingTransducerType = 10;
inline constexpr std::int32_t kTransducerDescription = 11;
inline constexpr std::int32_t kStimulusTransducerCalibrationStandard = 12;
inline constexpr std::int32_t kMaskingTransducerCalibrationStandard = 13;
inline constexpr std::int32_t kHearingInstrument1Condition = 14;
inline constexpr std::int32_t kHearingInstrument2Condition = 15;
inline constexpr std::int32_t kHearingInstrumentDescription = 16;
inline constexpr std::int32_t kStimulusAuxiliary = 17;
inline constexpr std::int32_t kMaskingAuxiliary = 18;
inline constexpr std::int32_t kAuxiliaryParameterDescription = 19;
inline constexpr std::int32_t kWordListName = 20;
inline constexpr std::int32_t kSpeechThresholdType = 21;
inline constexpr std::int32_t kStimulusOnTime = 22;
inline constexpr std::int32_t kMaskingOnTime = 23;
inline constexpr std::int32_t kStimulusOffTime = 24;
inline constexpr std::int32_t kMaskingOffTime = 25;
inline constexpr std::int32_t kStimulusSiSiParameter = 26;
inline constexpr std::int32_t kMaskingSiSiParameter = 27;
inline constexpr std::int32_t kStimulusWarbleModulation = 28;
inline constexpr std::int32_t kMaskingWarbleModulation = 29;
inline constexpr std::int32_t kStimulusWarbleModulationSize = 30;
inline constexpr std::int32_t kMaskingWarbleModulationSize = 31;
inline constexpr std::int32_t kStimulusFrequencyModulation = 32;
inline constexpr std::int32_t kMaskingFrequencyModulation = 33;
inline constexpr std::int32_t kStimulusAmplitudeModulation = 34;
inline constexpr std::int32_t kMaskingAmplitudeModulation = 35;
inline constexpr std::int32_t kStimulusPulseModulation = 36;
inline constexpr std::int32_t kMaskingPulseModulation = 37;
inline constexpr std::int32_t kStimulusPulseCycle = 38;
inline constexpr std::int32_t kMaskingPulseCycle = 39;
}  // namespace meas_cond

// Positions shared by the points lists that carry them: tone (4, 6, 8, 23, 25),
// decay (18), difference limen (27, 29) and SISI (31).
namespace frequency_point {
inline constexpr std::int32_t kStimulusFrequency = 1;
inline constexpr std::int32_t kStimulusLevel = 2;
inline constexpr std::int32_t kMaskingFrequency = 3;
inline constexpr std::int32_t kMaskingLevel = 4;
inline constexpr std::int32_t kTonePointStatus = 5;      // tone lists
inline constexpr std::int32_t kStartTime = 5;            // decay list
inline constexpr std::int32_t kEndTime = 6;              // decay list
inline constexpr std::int32_t kModulationSize = 5;       // difference limen and SISI lists
inline constexpr std::int32_t kPointStatus = 6;          // difference limen lists
inline constexpr std::int32_t kNumberOfAnswers = 6;      // SISI list
inline constexpr std::int32_t kNumberOfIncrements = 7;   // SISI list
}  // namespace frequency_point

// Positions in the speech points lists (10, 12, 14, 16).
namespace speech_point {
inline constexpr std::int32_t kStimulusLevel = 1;
inline constexpr std::int32_t kMaskingLevel = 2;
inline constexpr std::int32_t kScorePercent = 3;
inline constexpr std::int32_t kNumberOfWords = 4;
}  // namespace speech_point

// Positions in the notes lists (19, 20).
namespace notes {
inline constexpr std::int32_t kAudiometerMakeModel = 1;
inline constexpr std::int32_t kAudiometerSerialNumber = 2;
inline constexpr std::int32_t kAudiometerLastCalibration = 3;
inline constexpr std::int32_t kTestMethod = 4;
inline constexpr std::int32_t kTestReliability = 5;
}  // namespace notes

// Positions in the FrequenciesUsedForToneAverage list (21).
namespace tone_average {
inline constexpr std::int32_t kLeftEar1 = 1;
inline constexpr std::int32_t kLeftEar2 = 2;
inline constexpr std::int32_t kRightEar1 = 3;
inline constexpr std::int32_t kRightEar2 = 4;
}  // namespace tone_average

}  // namespace audiogram::schema
