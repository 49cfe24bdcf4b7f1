#include "record_builder/record_sets.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "record_builder/condition_codes.h"
#include "records/meas_cond_layout.h"
#include "records/record200_layout.h"

namespace audiogram::record_sets {
namespace {

namespace mc = meas_cond;
using namespace codes;

constexpr std::array<std::int16_t, 11> kAudiometricHertz = {125,  250,  500,  750,  1000, 1500,
                                                             2000, 3000, 4000, 6000, 8000};

std::int16_t Hertz(std::size_t index) { return kAudiometricHertz[index % kAudiometricHertz.size()]; }
std::int16_t Tenths(std::size_t value) { return static_cast<std::int16_t>(value * 10 % 1200); }

void ToneConditions(CurveWriter& curve, std::int16_t output, std::int16_t maskingOutput) {
    curve.Pair(mc::kSignalType, signal_type::kPureTone, signal_type::kNarrowBandNoise)
        .Pair(mc::kSignalOutput, output, maskingOutput)
        .Pair(mc::kPresentationType, presentation_type::kPulsedPresentation, presentation_type::kContinuous)
        .Pair(mc::kPulseCycle, 50, 25)
        .Pair(mc::kTransducerType, transducer_type::kTDH39, transducer_type::kTDH39)
        .Pair(mc::kTransducerCalibrationStandard, calibration_standard::kISO389, calibration_standard::kISO389)
        .Pair(mc::kdBWeighting, db_weighting::kHL, db_weighting::kHL)
        .Pair(mc::kHearingInstrumentCondition, hearing_instrument_condition::kUnAided,
              hearing_instrument_condition::kUnAided);
}

void SpeechConditions(CurveWriter& curve, std::int16_t output) {
    curve.Pair(mc::kSignalType, signal_type::kAuxiliarySignal, signal_type::kSpeechNoise)
        .Pair(mc::kAuxiliary, auxiliary::kMonoSyllabicWords, auxiliary::kMonoSyllabicWords)
        .Pair(mc::kSignalOutput, output, signal_output::kNoSignalOutput)
        .Pair(mc::kPresentationType, presentation_type::kContinuous, presentation_type::kContinuous)
        .Pair(mc::kTransducerType, transducer_type::kTDH39, transducer_type::kTDH39)
        .Pair(mc::kdBWeighting, db_weighting::kHL, db_weighting::kHL);
}

// Every field a heavy curve can carry besides the codes: timing, modulation and the texts.
void AllConditionValues(CurveWriter& curve) {
    curve.Pair(mc::kWarbleModulation, 5, 6)
        .Pair(mc::kWarbleModulationSize, 250, 125)
        .Pair(mc::kPulseModulation, 15, 20)
        .Pair(mc::kAmplitudeModulation, 35, 40)
        .Pair(mc::kFrequencyModulation, 275, 300)
        .Pair(mc::kOnTime, 200, 250)
        .Pair(mc::kOffTime, 1500, 1750)
        .Pair(mc::kSiSiParameter, 10, 20)
        .SpeechThresholdType(speech_threshold_type::kSRT)
        .Text(mc::kTransducerDescription, u"TDH39 & cushion")
        .Text(mc::kHearingInstrumentDescription, u"Right <BTE> 2")
        .Text(mc::kAuxiliaryParameterDescription, u"List \"A\" (20)")
        .Text(mc::kWordListName, u"Mono\u00e9 list 3");
}

void FillPoints(CurveWriter& curve, const CurveLayout& layout, std::size_t slot, std::size_t points) {
    for (std::size_t index = 0; index < points; ++index) {
        const std::size_t n = index + slot;
        switch (layout.points) {
            case PointKind::Tone:
                curve.Point(index, {Hertz(n), Tenths(n + 10), Hertz(n), Tenths(n + 40), point_status::kNormal});
                break;
            case PointKind::Speech:
                curve.Point(index, {Tenths(n + 30), Tenths(n), static_cast<std::int16_t>(n * 377 % 10000), 25});
                break;
            case PointKind::Decay:
                curve.Point(index, {Hertz(n), Tenths(n + 20), Hertz(n), Tenths(n + 50),
                                    static_cast<std::int16_t>(n * 10), static_cast<std::int16_t>(n * 10 + 600)});
                break;
            case PointKind::DifferenceLimen:
                curve.Point(index, {Hertz(n), Tenths(n + 20), Hertz(n), Tenths(n + 50),
                                    static_cast<std::int16_t>(n % 40 + 5), point_status::kNormal});
                break;
            case PointKind::SiSi:
                curve.Point(index, {Hertz(n), Tenths(n + 20), Hertz(n), Tenths(n + 50), 10,
                                    static_cast<std::int16_t>(n % 20), 20});
                break;
        }
    }
}

void Notes(Record200Builder& record, NotesBlock block) {
    namespace notes = record200::notes;
    record.Note(block, notes::kAudiometerMakeModel, u"Model A-12 clinical audiometer")
        .Note(block, notes::kAudiometerSerialNumber, u"A12-004711")
        .Note(block, notes::kAudiometerLastCalibration, u"2009-05-01")
        .Note(block, notes::kTestMethod, u"Ascending method \u2013 5 dB steps")
        .Note(block, notes::kTestReliability, u"Good");
}

}  // namespace

BlobBytes Empty200() { return Record200Builder().ToBlob(); }

BlobBytes Typical200() {
    struct ToneCurve {
        Section section;
        std::size_t firstSlot;  // the right ear's; the left ear's follows it
        std::size_t points;
    };
    constexpr std::array kToneCurves = {ToneCurve{Section::ToneThreshold, 0, 7}, ToneCurve{Section::ToneThreshold, 2, 4},
                                        ToneCurve{Section::MostComfortableLevel, 0, 4},
                                        ToneCurve{Section::UncomfortableLevel, 0, 4}};
    constexpr std::array kEars = {std::pair{signal_output::kAirConductorRight, signal_output::kAirConductorLeft},
                                  std::pair{signal_output::kAirConductorLeft, signal_output::kAirConductorRight}};
    Record200Builder record;
    for (std::size_t ear = 0; ear < kEars.size(); ++ear) {
        const auto [output, other] = kEars[ear];
        for (const ToneCurve& tone : kToneCurves) {
            CurveWriter curve = record.Curve(tone.section, tone.firstSlot + ear);
            ToneConditions(curve, output, other);
            for (std::size_t index = 0; index < tone.points; ++index) {
                curve.Point(index, {Hertz(index + 1), Tenths(index + 2), 0, 0, point_status::kNormal});
            }
        }
        CurveWriter speech = record.Curve(Section::SpeechDiscrimination, ear);
        SpeechConditions(speech, output);
        speech.Text(mc::kWordListName, u"Monosyllables 3");
        for (std::size_t index = 0; index < 4; ++index) {
            speech.Point(index, {Tenths(index * 2 + 5), 0, static_cast<std::int16_t>(4000 + index * 1500), 20});
        }
    }
    Notes(record, NotesBlock::Tone);
    const std::uint16_t average = ToneAverageMask({500, 1000, 2000});
    record.ToneAverage(record200::tone_average::kLeftEar1, average)
        .ToneAverage(record200::tone_average::kRightEar1, average);
    return record.ToBlob();
}

namespace {

BlobBytes Filled(std::size_t mostSlots, std::size_t mostPoints) {
    Record200Builder record;
    for (const SectionLayout& section : record200::kCurveSections) {
        for (std::size_t slot = 0; slot < std::min(section.slots, mostSlots); ++slot) {
            CurveWriter curve = record.Curve(section.section, slot);
            const std::int16_t output = slot % 2 == 0 ? signal_output::kAirConductorRight
                                                      : signal_output::kAirConductorLeft;
            if (section.curve.points == PointKind::Speech) {
                SpeechConditions(curve, output);
            } else {
                ToneConditions(curve, output, signal_output::kAirConductorLeft);
            }
            AllConditionValues(curve);
            FillPoints(curve, section.curve, slot, std::min(section.curve.pointCount, mostPoints));
        }
    }
    Notes(record, NotesBlock::Tone);
    Notes(record, NotesBlock::Speech);
    for (const std::size_t mask : {record200::tone_average::kLeftEar1, record200::tone_average::kLeftEar2,
                                   record200::tone_average::kRightEar1, record200::tone_average::kRightEar2}) {
        record.ToneAverage(mask, 0x1FFF);
    }
    return record.ToBlob();
}

}  // namespace

BlobBytes Heavy200() { return Filled(SIZE_MAX, SIZE_MAX); }

BlobBytes EverySection200() { return Filled(1, 2); }

}  // namespace audiogram::record_sets
