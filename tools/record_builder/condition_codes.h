#pragma once
// Codes of the measurement-condition and point-status lists that records are commonly built
// with. The names stay those of the document's enumeration tables.

#include <cstdint>

namespace audiogram::codes {

namespace signal_type {
inline constexpr std::int16_t kNoSignalApplied = 1;
inline constexpr std::int16_t kPureTone = 2;
inline constexpr std::int16_t kWarble = 3;
inline constexpr std::int16_t kNarrowBandNoise = 4;
inline constexpr std::int16_t kSpeechNoise = 5;
inline constexpr std::int16_t kAuxiliarySignal = 8;
}  // namespace signal_type

namespace signal_output {
inline constexpr std::int16_t kNoSignalOutput = 1;
inline constexpr std::int16_t kAirConductorLeft = 2;
inline constexpr std::int16_t kAirConductorRight = 3;
inline constexpr std::int16_t kBoneConductorLeft = 5;
inline constexpr std::int16_t kBoneConductorRight = 6;
inline constexpr std::int16_t kFreeFieldBinaural = 10;
}  // namespace signal_output

namespace presentation_type {
inline constexpr std::int16_t kContinuous = 2;
inline constexpr std::int16_t kPulsedPresentation = 3;
inline constexpr std::int16_t kSiSiSignal = 8;
}  // namespace presentation_type

namespace transducer_type {
inline constexpr std::int16_t kTDH39 = 2;
inline constexpr std::int16_t kB71 = 7;
}  // namespace transducer_type

namespace calibration_standard {
inline constexpr std::int16_t kISO389 = 2;
inline constexpr std::int16_t kISO8798 = 6;
}  // namespace calibration_standard

namespace db_weighting {
inline constexpr std::int16_t kHL = 2;
inline constexpr std::int16_t kSPL = 3;
}  // namespace db_weighting

namespace hearing_instrument_condition {
inline constexpr std::int16_t kUnAided = 2;
}  // namespace hearing_instrument_condition

namespace auxiliary {
inline constexpr std::int16_t kMonoSyllabicWords = 2;
inline constexpr std::int16_t kNumerals = 7;
}  // namespace auxiliary

namespace speech_threshold_type {
inline constexpr std::int16_t kSRT = 2;
}  // namespace speech_threshold_type

namespace point_status {
inline constexpr std::int16_t kNormal = 1;
inline constexpr std::int16_t kNoResponse = 3;
}  // namespace point_status

}  // namespace audiogram::codes
