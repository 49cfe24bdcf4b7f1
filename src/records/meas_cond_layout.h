#pragma once
// TMeasCond: the 206 bytes of measurement conditions that open every curve of the
// 200 record. Paired fields hold entry 0 (stimulus, or hearing instrument 1) at the
// offset below and entry 1 (masking, or hearing instrument 2) two bytes further.

#include <cstddef>

#include "records/counted_text.h"

namespace audiogram::meas_cond {

inline constexpr std::size_t kPairEntrySize = 2;
inline constexpr std::size_t kPairSize = 2 * kPairEntrySize;

inline constexpr std::size_t kSignalType = 0;                     // code, signal type list
inline constexpr std::size_t kWarbleModulation = 4;               // whole number
inline constexpr std::size_t kWarbleModulationSize = 8;           // scale 100
inline constexpr std::size_t kAuxiliary = 12;                     // code, auxiliary parameter list
inline constexpr std::size_t kSignalOutput = 16;                  // code, signal output list
inline constexpr std::size_t kPresentationType = 20;              // code, presentation type list
inline constexpr std::size_t kPulseModulation = 24;               // scale 10
inline constexpr std::size_t kPulseCycle = 28;                    // scale 100
inline constexpr std::size_t kAmplitudeModulation = 32;           // scale 10
inline constexpr std::size_t kFrequencyModulation = 36;           // scale 100
inline constexpr std::size_t kOnTime = 40;                        // scale 1000
inline constexpr std::size_t kOffTime = 44;                       // scale 1000
inline constexpr std::size_t kSiSiParameter = 48;                 // scale 10
inline constexpr std::size_t kTransducerType = 52;                // code, transducer type list
inline constexpr std::size_t kTransducerCalibrationStandard = 56; // code, calibration standard list
inline constexpr std::size_t kdBWeighting = 60;                   // code, dB weighting list
inline constexpr std::size_t kHearingInstrumentCondition = 64;    // code, hearing instrument condition list
inline constexpr std::size_t kSpeechThresholdType = 68;           // code, speech threshold type list (single)

// The part that data standard 100 keeps for every curve ends here.
inline constexpr std::size_t kSize100 = 68;

inline constexpr CountedTextField kTransducerDescription{70, 15};
inline constexpr CountedTextField kHearingInstrumentDescription{104, 15};
inline constexpr CountedTextField kAuxiliaryParameterDescription{138, 15};
inline constexpr CountedTextField kWordListName{172, 15};

inline constexpr std::size_t kSize = 206;

static_assert(kHearingInstrumentCondition + kPairSize == kSize100);
static_assert(kSpeechThresholdType == kSize100);
static_assert(kTransducerDescription.offset == kSpeechThresholdType + 2);
static_assert(kHearingInstrumentDescription.offset == kTransducerDescription.End());
static_assert(kAuxiliaryParameterDescription.offset == kHearingInstrumentDescription.End());
static_assert(kWordListName.offset == kAuxiliaryParameterDescription.End());
static_assert(kWordListName.End() == kSize);

}  // namespace audiogram::meas_cond
