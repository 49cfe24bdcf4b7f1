// Writes the bundled sample records into a folder: small, realistic audiograms of data
// standards 100 and 200 built field by field. The output is deterministic, so the committed
// samples can be checked against a fresh run. The builders start with every point field
// missing, so each curve's list of points ends right after the points written here.
//
// Usage: make_samples OUTPUT_FOLDER

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string_view>
#include <utility>

#include "record_builder/condition_codes.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"

namespace audiogram {
namespace {

namespace mc = meas_cond;
using namespace codes;
using record200::notes::kAudiometerLastCalibration;
using record200::notes::kAudiometerLastCalibrationTimeZone;
using record200::notes::kAudiometerMakeModel;
using record200::notes::kAudiometerSerialNumber;
using record200::notes::kTestMethod;
using record200::notes::kTestReliability;

// A threshold point: frequency in hertz, level in whole decibels (stored in tenths).
struct Threshold {
    std::int16_t hertz;
    std::int16_t decibels;
    std::int16_t maskingDecibels = 0;  // 0: no masking at this point
    std::int16_t status = point_status::kNormal;
};

std::int16_t Tenths(int decibels) { return static_cast<std::int16_t>(decibels * 10); }

// Conditions of a pure-tone curve on one route, masked in the other ear with narrow-band noise
// unless the masking output is kNoSignalOutput.
void PureToneConditions(CurveWriter& curve, std::int16_t output, std::int16_t maskingOutput,
                        std::int16_t transducer) {
    const std::int16_t masking = maskingOutput == signal_output::kNoSignalOutput ? signal_type::kNoSignalApplied
                                                                                : signal_type::kNarrowBandNoise;
    curve.Pair(mc::kSignalType, signal_type::kPureTone, masking)
        .Pair(mc::kSignalOutput, output, maskingOutput)
        .Pair(mc::kPresentationType, presentation_type::kPulsedPresentation, presentation_type::kContinuous)
        .Pair(mc::kPulseCycle, 50, MissingValue)  // 0.50 s per cycle
        .Pair(mc::kTransducerType, transducer, transducer_type::kTDH39)
        .Pair(mc::kTransducerCalibrationStandard, calibration_standard::kISO389, calibration_standard::kISO389)
        .Pair(mc::kdBWeighting, db_weighting::kHL, db_weighting::kHL)
        .Pair(mc::kHearingInstrumentCondition, hearing_instrument_condition::kUnAided,
              hearing_instrument_condition::kUnAided);
}

void ThresholdPoints(CurveWriter& curve, std::initializer_list<Threshold> thresholds) {
    std::size_t index = 0;
    for (const Threshold& point : thresholds) {
        const bool masked = point.maskingDecibels != 0;
        curve.Point(index++, {point.hertz, Tenths(point.decibels), masked ? point.hertz : std::int16_t{0},
                              masked ? Tenths(point.maskingDecibels) : std::int16_t{0}, point.status});
    }
}

// Conditions of a speech test over headphones with a recorded word list.
void SpeechConditions(CurveWriter& curve, std::int16_t output, std::int16_t auxiliary) {
    curve.Pair(mc::kSignalType, signal_type::kAuxiliarySignal, signal_type::kNoSignalApplied)
        .Pair(mc::kAuxiliary, auxiliary, auxiliary)
        .Pair(mc::kSignalOutput, output, signal_output::kNoSignalOutput)
        .Pair(mc::kPresentationType, presentation_type::kContinuous, presentation_type::kContinuous)
        .Pair(mc::kTransducerType, transducer_type::kTDH39, transducer_type::kTDH39)
        .Pair(mc::kdBWeighting, db_weighting::kHL, db_weighting::kHL);
}

// A speech point: presentation level in decibels, score in percent, words presented.
void SpeechPoints(CurveWriter& curve, std::initializer_list<std::array<int, 3>> points) {
    std::size_t index = 0;
    for (const auto& [decibels, percent, words] : points) {
        curve.Point(index++, {Tenths(decibels), 0, static_cast<std::int16_t>(percent * 100),
                              static_cast<std::int16_t>(words)});
    }
}

void AddRightLeftAirThresholds(CurveWriter right, CurveWriter left) {
    PureToneConditions(right, signal_output::kAirConductorRight, signal_output::kAirConductorLeft,
                       transducer_type::kTDH39);
    ThresholdPoints(right, {{125, 10}, {250, 10}, {500, 15}, {1000, 20}, {2000, 30}, {4000, 45}, {8000, 55}});
    PureToneConditions(left, signal_output::kAirConductorLeft, signal_output::kAirConductorRight,
                       transducer_type::kTDH39);
    ThresholdPoints(left, {{125, 15},
                           {250, 15},
                           {500, 20},
                           {1000, 25},
                           {2000, 40, 30},
                           {4000, 60, 45},
                           {8000, 90, 60, point_status::kNoResponse}});
}

BlobBytes LeftRightThresholds100() {
    Record100Builder record;
    AddRightLeftAirThresholds(record.Curve(Section::ToneThreshold, 0), record.Curve(Section::ToneThreshold, 1));
    return record.ToBlob();
}

BlobBytes SpeechWithExtension100() {
    Record100Builder record;
    for (const auto& [slot, output] : {std::pair{std::size_t{0}, signal_output::kAirConductorRight},
                                       std::pair{std::size_t{1}, signal_output::kAirConductorLeft}}) {
        CurveWriter discrimination = record.Curve(Section::SpeechDiscrimination, slot);
        SpeechConditions(discrimination, output, auxiliary::kMonoSyllabicWords);
        SpeechPoints(discrimination, {{50, 45, 20}, {65, 80, 20}, {80, 95, 20}});
        CurveWriter comfortable = record.Curve(Section::SpeechMostComfortableLevel, slot);
        SpeechConditions(comfortable, output, auxiliary::kMonoSyllabicWords);
        comfortable.Point(0, {Tenths(65), 0, 0, 0});
    }
    // Bytes a host keeps after the record; they travel with the blob as extension data.
    constexpr std::string_view kPrivate = "HOST-PRIVATE v1: room 2, booth B";
    return record.ToBlob(ByteSpan(reinterpret_cast<const std::uint8_t*>(kPrivate.data()), kPrivate.size()));
}

void AddNotes(Record200Builder& record) {
    record.Note(NotesBlock::Tone, kAudiometerMakeModel, u"Model A-12 clinical audiometer")
        .Note(NotesBlock::Tone, kAudiometerSerialNumber, u"A12-004711")
        .Note(NotesBlock::Tone, kAudiometerLastCalibration, u"2009-05-01")
        .Note(NotesBlock::Tone, kTestMethod, u"Ascending method \u2013 5 dB steps")
        .Note(NotesBlock::Tone, kTestReliability, u"Good")
        .Note(NotesBlock::Speech, kAudiometerMakeModel, u"Model A-12 clinical audiometer")
        .Note(NotesBlock::Speech, kAudiometerSerialNumber, u"A12-004711")
        .Note(NotesBlock::Speech, kAudiometerLastCalibration, u"2009-05-01T09:30:00")
        .Note(NotesBlock::Speech, kAudiometerLastCalibrationTimeZone, u"+01:00")
        .Note(NotesBlock::Speech, kTestMethod, u"Recorded word lists")
        .Note(NotesBlock::Speech, kTestReliability, u"Fair, patient tired");
}

BlobBytes FullAudiogram200() {
    Record200Builder record;
    AddRightLeftAirThresholds(record.Curve(Section::ToneThreshold, 0), record.Curve(Section::ToneThreshold, 1));

    CurveWriter boneRight = record.Curve(Section::ToneThreshold, 2);
    PureToneConditions(boneRight, signal_output::kBoneConductorRight, signal_output::kAirConductorLeft,
                       transducer_type::kB71);
    boneRight.Pair(mc::kTransducerCalibrationStandard, calibration_standard::kISO389, calibration_standard::kISO389)
        .Text(mc::kTransducerDescription, u"B71 on mastoid");
    ThresholdPoints(boneRight, {{500, 10, 40}, {1000, 15, 45}, {2000, 25, 50}, {4000, 40, 55}});

    // A curve in a slot that data standard 100 has no room for.
    CurveWriter boneLeft = record.Curve(Section::ToneThreshold, 7);
    PureToneConditions(boneLeft, signal_output::kBoneConductorLeft, signal_output::kAirConductorRight,
                       transducer_type::kB71);
    ThresholdPoints(boneLeft, {{500, 15}, {1000, 20}, {2000, 35}, {4000, 55}});

    for (const auto& [slot, output] : {std::pair{std::size_t{0}, signal_output::kAirConductorRight},
                                       std::pair{std::size_t{1}, signal_output::kAirConductorLeft}}) {
        CurveWriter comfortable = record.Curve(Section::MostComfortableLevel, slot);
        PureToneConditions(comfortable, output, signal_output::kNoSignalOutput, transducer_type::kTDH39);
        ThresholdPoints(comfortable, {{500, 65}, {1000, 65}, {2000, 70}, {4000, 75}});
        CurveWriter uncomfortable = record.Curve(Section::UncomfortableLevel, slot);
        PureToneConditions(uncomfortable, output, signal_output::kNoSignalOutput, transducer_type::kTDH39);
        ThresholdPoints(uncomfortable, {{500, 100}, {1000, 105}, {2000, 105}, {4000, 110}});

        CurveWriter discrimination = record.Curve(Section::SpeechDiscrimination, slot);
        SpeechConditions(discrimination, output, auxiliary::kMonoSyllabicWords);
        discrimination.Text(mc::kWordListName, u"Monosyllables 3");
        SpeechPoints(discrimination, {{50, 40, 20}, {65, 75, 20}, {80, 90, 20}, {95, 85, 20}});

        CurveWriter reception = record.Curve(Section::SpeechReceptionThreshold, slot);
        SpeechConditions(reception, output, auxiliary::kNumerals);
        reception.SpeechThresholdType(speech_threshold_type::kSRT).Text(mc::kWordListName, u"Numerals");
        SpeechPoints(reception, {{25, 20, 10}, {30, 50, 10}, {35, 90, 10}});
    }

    AddNotes(record);
    const std::uint16_t average = ToneAverageMask({500, 1000, 2000});
    const std::uint16_t wideAverage = ToneAverageMask({500, 1000, 2000, 4000});
    record.ToneAverage(record200::tone_average::kLeftEar1, average)
        .ToneAverage(record200::tone_average::kLeftEar2, wideAverage)
        .ToneAverage(record200::tone_average::kRightEar1, average)
        .ToneAverage(record200::tone_average::kRightEar2, wideAverage);
    return record.ToBlob();
}

BlobBytes SpecialTests200() {
    Record200Builder record;
    CurveWriter stenger = record.Curve(Section::Stenger, 0);
    PureToneConditions(stenger, signal_output::kAirConductorLeft, signal_output::kAirConductorRight,
                       transducer_type::kTDH39);
    ThresholdPoints(stenger, {{1000, 30, 20}});

    CurveWriter balance = record.Curve(Section::AlternateBinauralLoudnessBalance, 0);
    PureToneConditions(balance, signal_output::kAirConductorRight, signal_output::kAirConductorLeft,
                       transducer_type::kTDH39);
    // Alternating tones: the reference ear's level, then the level matched in the other ear.
    ThresholdPoints(balance, {{2000, 40}, {2000, 55}, {2000, 60}, {2000, 70}, {2000, 80}, {2000, 85}});

    CurveWriter intensity = record.Curve(Section::DifferenceLimenIntensity, 0);
    PureToneConditions(intensity, signal_output::kAirConductorRight, signal_output::kNoSignalOutput,
                       transducer_type::kTDH39);
    intensity.Point(0, {1000, Tenths(40), 0, 0, 15, point_status::kNormal})  // 1.5 dB
        .Point(1, {4000, Tenths(60), 0, 0, 8, point_status::kNormal});

    CurveWriter frequency = record.Curve(Section::DifferenceLimenFrequency, 0);
    PureToneConditions(frequency, signal_output::kAirConductorRight, signal_output::kNoSignalOutput,
                       transducer_type::kTDH39);
    frequency.Point(0, {1000, Tenths(40), 0, 0, 250, point_status::kNormal});  // 2.50 Hz

    CurveWriter sisi = record.Curve(Section::ShortIncrementSensitivityIndex, 1);
    PureToneConditions(sisi, signal_output::kAirConductorLeft, signal_output::kNoSignalOutput,
                       transducer_type::kTDH39);
    sisi.Pair(mc::kPresentationType, presentation_type::kSiSiSignal, presentation_type::kContinuous)
        .Pair(mc::kSiSiParameter, 10, MissingValue);  // 1.0 dB increments
    sisi.Point(0, {4000, Tenths(65), 0, 0, 10, 18, 20}).Point(1, {1000, Tenths(45), 0, 0, 10, 4, 20});

    CurveWriter decay = record.Curve(Section::Decay, 0);
    PureToneConditions(decay, signal_output::kAirConductorRight, signal_output::kNoSignalOutput,
                       transducer_type::kTDH39);
    decay.Pair(mc::kPresentationType, presentation_type::kContinuous, presentation_type::kContinuous);
    // Level steps of 5 dB above threshold with the time the tone stayed audible.
    decay.Point(0, {4000, Tenths(50), 0, 0, 0, 2300})
        .Point(1, {4000, Tenths(55), 0, 0, 2300, 6000});

    record.Note(NotesBlock::Tone, kAudiometerMakeModel, u"Model A-12 clinical audiometer")
        .Note(NotesBlock::Tone, kAudiometerLastCalibration, u"2010-11-23");
    return record.ToBlob();
}

struct Sample {
    std::string_view fileName;
    std::function<BlobBytes()> build;
};

bool WriteSample(const std::filesystem::path& folder, const Sample& sample) {
    const std::filesystem::path path = folder / sample.fileName;
    const BlobBytes blob = sample.build();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(blob.data()), static_cast<std::streamsize>(blob.size()));
    out.close();
    if (!out) {
        std::cerr << "make_samples: cannot write " << path << '\n';
        return false;
    }
    std::cout << path.string() << " (" << blob.size() << " bytes)\n";
    return true;
}

}  // namespace
}  // namespace audiogram

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_samples OUTPUT_FOLDER\n";
        return 2;
    }
    const audiogram::Sample samples[] = {
        {"left-right-thresholds.ds100", audiogram::LeftRightThresholds100},
        {"speech-with-extension.ds100", audiogram::SpeechWithExtension100},
        {"full-audiogram.ds200", audiogram::FullAudiogram200},
        {"special-tests.ds200", audiogram::SpecialTests200},
    };
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = true;
    for (const audiogram::Sample& sample : samples) ok = audiogram::WriteSample(folder, sample) && ok;
    return ok ? 0 : 1;
}
