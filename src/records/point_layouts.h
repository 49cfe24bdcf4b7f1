#pragma once
// The point layouts that follow the measurement conditions of every curve. Every
// field is a signed 16-bit integer; the first field of each layout ends the curve's
// list of points when it holds MissingValue.

#include <cstddef>

namespace audiogram {

namespace tone_point {  // TTonePoint: threshold, MCL, UCL, loudness balance and Stenger curves
inline constexpr std::size_t kStimulusFrequency = 0;
inline constexpr std::size_t kStimulusLevel = 2;     // tenths of a decibel
inline constexpr std::size_t kMaskingFrequency = 4;
inline constexpr std::size_t kMaskingLevel = 6;      // tenths of a decibel
inline constexpr std::size_t kTonePointStatus = 8;   // point status code
inline constexpr std::size_t kSize = 10;
}  // namespace tone_point

namespace speech_point {  // TSpeechPoint: speech curves
inline constexpr std::size_t kStimulusLevel = 0;     // tenths; ends the list when missing
inline constexpr std::size_t kMaskingLevel = 2;      // tenths
inline constexpr std::size_t kScorePercent = 4;      // hundredths of a percent
inline constexpr std::size_t kNumberOfWords = 6;
inline constexpr std::size_t kSize = 8;
}  // namespace speech_point

namespace decay_point {  // TDecayPoint
inline constexpr std::size_t kStimulusFrequency = 0;
inline constexpr std::size_t kStimulusLevel = 2;
inline constexpr std::size_t kMaskingFrequency = 4;
inline constexpr std::size_t kMaskingLevel = 6;
inline constexpr std::size_t kStartTime = 8;         // hundredths
inline constexpr std::size_t kEndTime = 10;          // hundredths
inline constexpr std::size_t kSize = 12;
}  // namespace decay_point

namespace difference_limen_point {  // TDifferenceLimenPoint: intensity and frequency curves
inline constexpr std::size_t kStimulusFrequency = 0;
inline constexpr std::size_t kStimulusLevel = 2;
inline constexpr std::size_t kMaskingFrequency = 4;
inline constexpr std::size_t kMaskingLevel = 6;
inline constexpr std::size_t kModulationSize = 8;    // tenths (intensity) or hundredths (frequency)
inline constexpr std::size_t kPointStatus = 10;
inline constexpr std::size_t kSize = 12;
}  // namespace difference_limen_point

namespace sisi_point {  // TSiSiPoint
inline constexpr std::size_t kStimulusFrequency = 0;
inline constexpr std::size_t kStimulusLevel = 2;
inline constexpr std::size_t kMaskingFrequency = 4;
inline constexpr std::size_t kMaskingLevel = 6;
inline constexpr std::size_t kModulationSize = 8;    // tenths
inline constexpr std::size_t kNumberOfAnswers = 10;
inline constexpr std::size_t kNumberOfIncrements = 12;
inline constexpr std::size_t kSize = 14;
}  // namespace sisi_point

enum class PointKind { Tone, Speech, Decay, DifferenceLimen, SiSi };

constexpr std::size_t PointSize(PointKind kind) {
    switch (kind) {
        case PointKind::Tone: return tone_point::kSize;
        case PointKind::Speech: return speech_point::kSize;
        case PointKind::Decay: return decay_point::kSize;
        case PointKind::DifferenceLimen: return difference_limen_point::kSize;
        case PointKind::SiSi: return sisi_point::kSize;
    }
    return 0;
}

}  // namespace audiogram
