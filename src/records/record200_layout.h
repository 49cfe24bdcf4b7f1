#pragma once
// AudiogramRecord200: 36128 bytes, no header, no gaps. Thirteen curve sections in
// record order, then the two notes blocks and the tone-average frequency masks.

#include <array>
#include <cstddef>
#include <cstdint>

#include "records/counted_text.h"
#include "records/curve_layouts.h"

namespace audiogram {

enum class Section {
    ToneThreshold,
    MostComfortableLevel,
    UncomfortableLevel,
    AlternateBinauralLoudnessBalance,
    Stenger,
    DifferenceLimenIntensity,
    DifferenceLimenFrequency,
    ShortIncrementSensitivityIndex,
    Decay,
    SpeechDiscrimination,
    SpeechReceptionThreshold,
    SpeechMostComfortableLevel,
    SpeechUncomfortableLevel,
};

struct SectionLayout {
    Section section;
    std::size_t offset;
    std::size_t slots;
    CurveLayout curve;

    constexpr std::size_t Size() const { return slots * curve.size; }
    constexpr std::size_t End() const { return offset + Size(); }
    constexpr std::size_t CurveOffset(std::size_t slot) const { return offset + slot * curve.size; }
};

namespace record200 {

inline constexpr std::size_t kSize = 36128;

inline constexpr std::array kCurveSections = {
    SectionLayout{Section::ToneThreshold, 0, 18, kToneCurve},
    SectionLayout{Section::MostComfortableLevel, 8028, 6, kToneCurve},
    SectionLayout{Section::UncomfortableLevel, 10704, 6, kToneCurve},
    SectionLayout{Section::AlternateBinauralLoudnessBalance, 13380, 1, kLoudnessBalanceCurve},
    SectionLayout{Section::Stenger, 15506, 1, kToneCurve},
    SectionLayout{Section::DifferenceLimenIntensity, 15952, 2, kDifferenceLimenCurve},
    SectionLayout{Section::DifferenceLimenFrequency, 16940, 2, kDifferenceLimenCurve},
    SectionLayout{Section::ShortIncrementSensitivityIndex, 17928, 2, kSiSiCurve},
    SectionLayout{Section::Decay, 19012, 2, kDecayCurve},
    SectionLayout{Section::SpeechDiscrimination, 20624, 12, kSpeechCurve},
    SectionLayout{Section::SpeechReceptionThreshold, 25400, 12, kSpeechCurve},
    SectionLayout{Section::SpeechMostComfortableLevel, 30176, 12, kSpeechLevelCurve},
    SectionLayout{Section::SpeechUncomfortableLevel, 32744, 12, kSpeechLevelCurve},
};

constexpr const SectionLayout& SectionOf(Section section) {
    for (const SectionLayout& layout : kCurveSections) {
        if (layout.section == section) return layout;
    }
    return kCurveSections[0];
}

// TAudiometerNotes: the same 404-byte layout for the tone and the speech notes.
namespace notes {
inline constexpr CountedTextField kAudiometerMakeModel{0, 40};
inline constexpr CountedTextField kAudiometerSerialNumber{84, 40};
inline constexpr CountedTextField kAudiometerLastCalibration{168, 24};
inline constexpr CountedTextField kAudiometerLastCalibrationTimeZone{220, 6};
inline constexpr CountedTextField kTestMethod{236, 40};
inline constexpr CountedTextField kTestReliability{320, 40};
inline constexpr std::size_t kSize = 404;

static_assert(kAudiometerSerialNumber.offset == kAudiometerMakeModel.End());
static_assert(kAudiometerLastCalibration.offset == kAudiometerSerialNumber.End());
static_assert(kAudiometerLastCalibrationTimeZone.offset == kAudiometerLastCalibration.End());
static_assert(kTestMethod.offset == kAudiometerLastCalibrationTimeZone.End());
static_assert(kTestReliability.offset == kTestMethod.End());
static_assert(kTestReliability.End() == kSize);
}  // namespace notes

inline constexpr std::size_t kToneNotesOffset = 35312;
inline constexpr std::size_t kSpeechNotesOffset = 35716;

// TToneAverageFrequencies: four u16 bit masks; each set bit names one frequency.
namespace tone_average {
inline constexpr std::size_t kLeftEar1 = 0;
inline constexpr std::size_t kLeftEar2 = 2;
inline constexpr std::size_t kRightEar1 = 4;
inline constexpr std::size_t kRightEar2 = 6;
inline constexpr std::size_t kSize = 8;
}  // namespace tone_average

inline constexpr std::size_t kToneAverageOffset = 36120;

// The ToneNotes calibration date that the export completes in place.
inline constexpr std::size_t kToneCalibrationCountOffset =
    kToneNotesOffset + notes::kAudiometerLastCalibration.offset;

constexpr bool SectionsAreContiguous() {
    std::size_t expected = 0;
    for (const SectionLayout& layout : kCurveSections) {
        if (layout.offset != expected) return false;
        expected = layout.End();
    }
    return expected == kToneNotesOffset;
}

static_assert(SectionsAreContiguous());
static_assert(kToneNotesOffset + notes::kSize == kSpeechNotesOffset);
static_assert(kSpeechNotesOffset + notes::kSize == kToneAverageOffset);
static_assert(kToneAverageOffset + tone_average::kSize == kSize);
static_assert(kToneCalibrationCountOffset == 35480);

}  // namespace record200

using Record200Bytes = std::array<std::uint8_t, record200::kSize>;

}  // namespace audiogram
