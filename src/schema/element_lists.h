#pragma once
// The element lists and the enumeration tables of the document, as constexpr data, so that
// the rows of field_rows.h and section_rows.h derive their list positions at compile time and
// the import builds its name indexes from the same entries. Read them through
// AudiogramSchemaTable; only the schema and the import's indexes use this header directly.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "schema/schema_table.h"
#include "xml/element_tags.h"

namespace audiogram::schema {

inline constexpr std::int32_t kEnd = AudiogramSchemaTable::kEndMark;

// The element lists as one run: list N opens with its owner (code N) and closes with an
// end mark. The lists stand in the order 1 to 31.
inline constexpr std::array kElementRun = {
    // 1
    SchemaEntry{1, "TORVAAudiometricStandard"},
    SchemaEntry{2, "ToneThresholdAudiogram"},
    SchemaEntry{5, "MostComfortableLevel"},
    SchemaEntry{7, "UncomfortableLevel"},
    SchemaEntry{9, "SpeechDiscriminationAudiogram"},
    SchemaEntry{11, "SpeechReceptionThresholdAudiogram"},
    SchemaEntry{13, "SpeechMostComfortableLevel"},
    SchemaEntry{15, "SpeechUncomfortableLevel"},
    SchemaEntry{17, "DecayAudiogram"},
    SchemaEntry{19, "ToneNotes"},
    SchemaEntry{20, "SpeechNotes"},
    SchemaEntry{21, "FrequenciesUsedForToneAverage"},
    SchemaEntry{22, "AlternateBinauralLoudnessBalanceAudiogram"},
    SchemaEntry{24, "StengerAudiogram"},
    SchemaEntry{26, "DifferenceLimenIntensity"},
    SchemaEntry{28, "DifferenceLimenFrequency"},
    SchemaEntry{30, "ShortIncrementSensitivityIndex"},
    SchemaEntry{0, "PrivateAudiogramData"},
    SchemaEntry{kEnd, ""},
    // 2
    SchemaEntry{2, "ToneThresholdAudiogram"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{4, "TonePoints"},
    SchemaEntry{2, "PrimaryKey"},
    SchemaEntry{2, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 3
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{3, "StimulusSignalType"},
    SchemaEntry{3, "MaskingSignalType"},
    SchemaEntry{3, "StimulusSignalOutput"},
    SchemaEntry{3, "MaskingSignalOutput"},
    SchemaEntry{3, "StimulusdBWeighting"},
    SchemaEntry{3, "MaskingdBWeighting"},
    SchemaEntry{3, "StimulusPresentationType"},
    SchemaEntry{3, "MaskingPresentationType"},
    SchemaEntry{3, "StimulusTransducerType"},
    SchemaEntry{3, "MaskingTransducerType"},
    SchemaEntry{3, "TransducerDescription"},
    SchemaEntry{3, "StimulusTransducerCalibrationStandard"},
    SchemaEntry{3, "MaskingTransducerCalibrationStandard"},
    SchemaEntry{3, "HearingInstrument_1_Condition"},
    SchemaEntry{3, "HearingInstrument_2_Condition"},
    SchemaEntry{3, "HearingInstrumentDescription"},
    SchemaEntry{3, "StimulusAuxiliary"},
    SchemaEntry{3, "MaskingAuxiliary"},
    SchemaEntry{3, "AuxiliaryParameterDescription"},
    SchemaEntry{3, "WordListName"},
    SchemaEntry{3, "SpeechThresholdType"},
    SchemaEntry{3, "StimulusOnTime"},
    SchemaEntry{3, "MaskingOnTime"},
    SchemaEntry{3, "StimulusOffTime"},
    SchemaEntry{3, "MaskingOffTime"},
    SchemaEntry{3, "StimulusSiSiParameter"},
    SchemaEntry{3, "MaskingSiSiParameter"},
    SchemaEntry{3, "StimulusWarbleModulation"},
    SchemaEntry{3, "MaskingWarbleModulation"},
    SchemaEntry{3, "StimulusWarbleModulationSize"},
    SchemaEntry{3, "MaskingWarbleModulationSize"},
    SchemaEntry{3, "StimulusFrequencyModulation"},
    SchemaEntry{3, "MaskingFrequencyModulation"},
    SchemaEntry{3, "StimulusAmplitudeModulation"},
    SchemaEntry{3, "MaskingAmplitudeModulation"},
    SchemaEntry{3, "StimulusPulseModulation"},
    SchemaEntry{3, "MaskingPulseModulation"},
    SchemaEntry{3, "StimulusPulseCycle"},
    SchemaEntry{3, "MaskingPulseCycle"},
    SchemaEntry{3, "PrimaryKey"},
    SchemaEntry{3, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 4
    SchemaEntry{4, "TonePoints"},
    SchemaEntry{4, "StimulusFrequency"},
    SchemaEntry{4, "StimulusLevel"},
    SchemaEntry{4, "MaskingFrequency"},
    SchemaEntry{4, "MaskingLevel"},
    SchemaEntry{4, "TonePointStatus"},
    SchemaEntry{kEnd, ""},
    // 5
    SchemaEntry{5, "MostComfortableLevel"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{6, "TonePoints"},
    SchemaEntry{kEnd, ""},
    // 6
    SchemaEntry{6, "TonePoints"},
    SchemaEntry{6, "StimulusFrequency"},
    SchemaEntry{6, "StimulusLevel"},
    SchemaEntry{6, "MaskingFrequency"},
    SchemaEntry{6, "MaskingLevel"},
    SchemaEntry{6, "TonePointStatus"},
    SchemaEntry{6, "PrimaryKey"},
    SchemaEntry{6, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 7
    SchemaEntry{7, "UncomfortableLevel"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{8, "TonePoints"},
    SchemaEntry{kEnd, ""},
    // 8
    SchemaEntry{8, "TonePoints"},
    SchemaEntry{8, "StimulusFrequency"},
    SchemaEntry{8, "StimulusLevel"},
    SchemaEntry{8, "MaskingFrequency"},
    SchemaEntry{8, "MaskingLevel"},
    SchemaEntry{8, "TonePointStatus"},
    SchemaEntry{8, "PrimaryKey"},
    SchemaEntry{8, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 9
    SchemaEntry{9, "SpeechDiscriminationAudiogram"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{10, "SpeechDiscriminationPoints"},
    SchemaEntry{kEnd, ""},
    // 10
    SchemaEntry{10, "SpeechDiscriminationPoints"},
    SchemaEntry{10, "StimulusLevel"},
    SchemaEntry{10, "MaskingLevel"},
    SchemaEntry{10, "ScorePercent"},
    SchemaEntry{10, "NumberOfWords"},
    SchemaEntry{10, "PrimaryKey"},
    SchemaEntry{10, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 11
    SchemaEntry{11, "SpeechReceptionThresholdAudiogram"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{12, "SpeechReceptionPoints"},
    SchemaEntry{kEnd, ""},
    // 12
    SchemaEntry{12, "SpeechReceptionPoints"},
    SchemaEntry{12, "StimulusLevel"},
    SchemaEntry{12, "MaskingLevel"},
    SchemaEntry{12, "ScorePercent"},
    SchemaEntry{12, "NumberOfWords"},
    SchemaEntry{12, "PrimaryKey"},
    SchemaEntry{12, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 13
    SchemaEntry{13, "SpeechMostComfortableLevel"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{14, "SpeechMostComfortablePoint"},
    SchemaEntry{kEnd, ""},
    // 14
    SchemaEntry{14, "SpeechMostComfortablePoint"},
    SchemaEntry{14, "StimulusLevel"},
    SchemaEntry{14, "MaskingLevel"},
    SchemaEntry{14, "ScorePercent"},
    SchemaEntry{14, "NumberOfWords"},
    SchemaEntry{14, "PrimaryKey"},
    SchemaEntry{14, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 15
    SchemaEntry{15, "SpeechUncomfortableLevel"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{16, "SpeechUncomfortablePoint"},
    SchemaEntry{kEnd, ""},
    // 16
    SchemaEntry{16, "SpeechUncomfortablePoint"},
    SchemaEntry{16, "StimulusLevel"},
    SchemaEntry{16, "MaskingLevel"},
    SchemaEntry{16, "ScorePercent"},
    SchemaEntry{16, "NumberOfWords"},
    SchemaEntry{16, "PrimaryKey"},
    SchemaEntry{16, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 17
    SchemaEntry{17, "DecayAudiogram"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{18, "DecayPoints"},
    SchemaEntry{kEnd, ""},
    // 18
    SchemaEntry{18, "DecayPoints"},
    SchemaEntry{18, "StimulusFrequency"},
    SchemaEntry{18, "StimulusLevel"},
    SchemaEntry{18, "MaskingFrequency"},
    SchemaEntry{18, "MaskingLevel"},
    SchemaEntry{18, "StartTime"},
    SchemaEntry{18, "EndTime"},
    SchemaEntry{18, "PrimaryKey"},
    SchemaEntry{18, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 19
    SchemaEntry{19, "ToneNotes"},
    SchemaEntry{19, "AudiometerMakeModel"},
    SchemaEntry{19, "AudiometerSerialNumber"},
    SchemaEntry{19, "AudiometerLastCalibration"},
    SchemaEntry{19, "TestMethod"},
    SchemaEntry{19, "TestReliability"},
    SchemaEntry{19, "PrimaryKey"},
    SchemaEntry{19, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 20
    SchemaEntry{20, "SpeechNotes"},
    SchemaEntry{20, "AudiometerMakeModel"},
    SchemaEntry{20, "AudiometerSerialNumber"},
    SchemaEntry{20, "AudiometerLastCalibration"},
    SchemaEntry{20, "TestMethod"},
    SchemaEntry{20, "TestReliability"},
    SchemaEntry{20, "PrimaryKey"},
    SchemaEntry{20, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 21
    SchemaEntry{21, "FrequenciesUsedForToneAverage"},
    SchemaEntry{21, "LeftEar1"},
    SchemaEntry{21, "LeftEar2"},
    SchemaEntry{21, "RightEar1"},
    SchemaEntry{21, "RightEar2"},
    SchemaEntry{21, "PrimaryKey"},
    SchemaEntry{21, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 22
    SchemaEntry{22, "AlternateBinauralLoudnessBalanceAudiogram"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{23, "AlternateBinauralLoudnessBalancePoints"},
    SchemaEntry{kEnd, ""},
    // 23
    SchemaEntry{23, "AlternateBinauralLoudnessBalancePoints"},
    SchemaEntry{23, "StimulusFrequency"},
    SchemaEntry{23, "StimulusLevel"},
    SchemaEntry{23, "MaskingFrequency"},
    SchemaEntry{23, "MaskingLevel"},
    SchemaEntry{23, "TonePointStatus"},
    SchemaEntry{23, "PrimaryKey"},
    SchemaEntry{23, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 24
    SchemaEntry{24, "StengerAudiogram"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{25, "StengerPoints"},
    SchemaEntry{kEnd, ""},
    // 25
    SchemaEntry{25, "StengerPoints"},
    SchemaEntry{25, "StimulusFrequency"},
    SchemaEntry{25, "StimulusLevel"},
    SchemaEntry{25, "MaskingFrequency"},
    SchemaEntry{25, "MaskingLevel"},
    SchemaEntry{25, "TonePointStatus"},
    SchemaEntry{25, "PrimaryKey"},
    SchemaEntry{25, "ForeignKey"},
    SchemaEntry{kEnd, ""},
    // 26
    SchemaEntry{26, "DifferenceLimenIntensity"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{27, "DifferenceLimenIntensityPoints"},
    SchemaEntry{kEnd, ""},
    // 27
    SchemaEntry{27, "DifferenceLimenIntensityPoints"},
    SchemaEntry{27, "StimulusFrequency"},
    SchemaEntry{27, "StimulusLevel"},
    SchemaEntry{27, "MaskingFrequency"},
    SchemaEntry{27, "MaskingLevel"},
    SchemaEntry{27, "ModulationSize"},
    SchemaEntry{27, "DifferenceLimenIntensityPointStatus"},
    SchemaEntry{27, "PrimaryKey"},
    SchemaEntry{kEnd, ""},
    // 28
    SchemaEntry{28, "DifferenceLimenFrequency"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{29, "DifferenceLimenFrequencyPoints"},
    SchemaEntry{kEnd, ""},
    // 29
    SchemaEntry{29, "DifferenceLimenFrequencyPoints"},
    SchemaEntry{29, "StimulusFrequency"},
    SchemaEntry{29, "StimulusLevel"},
    SchemaEntry{29, "MaskingFrequency"},
    SchemaEntry{29, "MaskingLevel"},
    SchemaEntry{29, "ModulationSize"},
    SchemaEntry{29, "DifferenceLimenFrequencyPointStatus"},
    SchemaEntry{29, "PrimaryKey"},
    SchemaEntry{kEnd, ""},
    // 30
    SchemaEntry{30, "ShortIncrementSensitivityIndex"},
    SchemaEntry{3, "AudMeasurementConditions"},
    SchemaEntry{31, "ShortIncrementSensitivityIndexPoints"},
    SchemaEntry{kEnd, ""},
    // 31
    SchemaEntry{31, "ShortIncrementSensitivityIndexPoints"},
    SchemaEntry{31, "StimulusFrequency"},
    SchemaEntry{31, "StimulusLevel"},
    SchemaEntry{31, "MaskingFrequency"},
    SchemaEntry{31, "MaskingLevel"},
    SchemaEntry{31, "ModulationSize"},
    SchemaEntry{31, "NumberOfAnswers"},
    SchemaEntry{31, "NumberOfIncrements"},
    SchemaEntry{31, "PrimaryKey"},
    SchemaEntry{31, "ForeignKey"},
    SchemaEntry{kEnd, ""},
};

inline constexpr std::size_t kListCount = static_cast<std::size_t>(AudiogramSchemaTable::kListCount);

// Where each list begins in the run: index N - 1 holds the start of list N, index N its end.
constexpr std::array<std::size_t, kListCount + 1> FindListStarts() {
    std::array<std::size_t, kListCount + 1> starts{};
    std::size_t list = 0;
    bool atOwner = true;
    for (std::size_t i = 0; i < kElementRun.size(); ++i) {
        if (atOwner && list < kListCount) starts[list++] = i;
        atOwner = kElementRun[i].code == kEnd;
    }
    starts[kListCount] = kElementRun.size();
    return starts;
}
inline constexpr auto kListStarts = FindListStarts();

// The tags of every entry of the run, for the export's writer: index i holds kElementRun[i]'s.
inline constexpr auto kElementTags = [] {
    std::array<ElementTags, kElementRun.size()> tags{};
    for (std::size_t i = 0; i < kElementRun.size(); ++i) tags[i] = MakeElementTags(kElementRun[i].name);
    return tags;
}();

// Every list opens with its own number, holds no other end mark, and closes with one.
constexpr bool ListsAreWellFormed() {
    for (std::size_t list = 0; list < kListCount; ++list) {
        const std::size_t begin = kListStarts[list];
        const std::size_t end = kListStarts[list + 1];
        if (end - begin < 2) return false;
        if (kElementRun[begin].code != static_cast<std::int32_t>(list + 1)) return false;
        if (kElementRun[end - 1].code != kEnd) return false;
        for (std::size_t i = begin; i + 1 < end; ++i) {
            const std::int32_t code = kElementRun[i].code;
            if (code == kEnd || code > static_cast<std::int32_t>(kListCount)) return false;
        }
    }
    return kElementRun.back().code == kEnd;
}
static_assert(ListsAreWellFormed());

// The enumeration tables, in table order; each ends with its end mark.
inline constexpr std::array kPointStatus = {
    SchemaEntry{1, "Normal"},       SchemaEntry{0, "Unknown"},       SchemaEntry{2, "AlwaysResponse"},
    SchemaEntry{3, "NoResponse"},   SchemaEntry{4, "NotMeasurable"}, SchemaEntry{5, "DidNotTest"},
    SchemaEntry{6, "CouldNotTest"}, SchemaEntry{21, "User1"},        SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},       SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kFrequency = {
    SchemaEntry{1, "125"},       SchemaEntry{2, "250"},      SchemaEntry{4, "500"},
    SchemaEntry{8, "750"},       SchemaEntry{16, "1000"},    SchemaEntry{32, "1500"},
    SchemaEntry{64, "2000"},     SchemaEntry{128, "3000"},   SchemaEntry{256, "4000"},
    SchemaEntry{512, "6000"},    SchemaEntry{1024, "8000"},  SchemaEntry{2048, "12000"},
    SchemaEntry{4096, "16000"},  SchemaEntry{8192, "User1"}, SchemaEntry{16384, "User2"},
    SchemaEntry{32768, "User3"}, SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kSignalType = {
    SchemaEntry{0, "Unknown"},    SchemaEntry{1, "NoSignalApplied"}, SchemaEntry{2, "PureTone"},
    SchemaEntry{3, "Warble"},     SchemaEntry{4, "NarrowBandNoise"}, SchemaEntry{5, "SpeechNoise"},
    SchemaEntry{6, "WhiteNoise"}, SchemaEntry{7, "PinkNoise"},       SchemaEntry{8, "AuxiliarySignal"},
    SchemaEntry{9, "Microphone"}, SchemaEntry{21, "User1"},          SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},     SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kSignalOutput = {
    SchemaEntry{1, "NoSignalOutput"},
    SchemaEntry{0, "Unknown"},
    SchemaEntry{2, "AirConductorLeft"},
    SchemaEntry{3, "AirConductorRight"},
    SchemaEntry{4, "AirConductorBinaural"},
    SchemaEntry{5, "BoneConductorLeft"},
    SchemaEntry{6, "BoneConductorRight"},
    SchemaEntry{7, "BoneConductorBinaural"},
    SchemaEntry{8, "FreeFieldLeft"},
    SchemaEntry{9, "FreeFieldRight"},
    SchemaEntry{10, "FreeFieldBinaural"},
    SchemaEntry{11, "InsertPhoneLeft"},
    SchemaEntry{12, "InsertPhoneRight"},
    SchemaEntry{13, "InsertPhoneBinaural"},
    SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},
    SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kdBWeighting = {
    SchemaEntry{2, "HL"},       SchemaEntry{1, "NodBWeighting"}, SchemaEntry{0, "Unknown"},
    SchemaEntry{3, "SPL"},      SchemaEntry{4, "ABS"},           SchemaEntry{5, "CSL"},
    SchemaEntry{21, "User1"},   SchemaEntry{22, "User2"},        SchemaEntry{23, "User3"},
    SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kPresentationType = {
    SchemaEntry{1, "NoPresentationType"},
    SchemaEntry{0, "Unknown"},
    SchemaEntry{2, "Continuous"},
    SchemaEntry{3, "PulsedPresentation"},
    SchemaEntry{4, "Alternating"},
    SchemaEntry{5, "AmplitudeModulated"},
    SchemaEntry{6, "StepwiseFrequencyModulated"},
    SchemaEntry{7, "Impulse"},
    SchemaEntry{8, "SiSiSignal"},
    SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},
    SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kTransducerType = {
    SchemaEntry{1, "NoTransducerType"},
    SchemaEntry{0, "Unknown"},
    SchemaEntry{2, "TDH39"},
    SchemaEntry{3, "HDA200"},
    SchemaEntry{4, "EARTONE3A"},
    SchemaEntry{5, "DT48"},
    SchemaEntry{6, "TDH49"},
    SchemaEntry{7, "B71"},
    SchemaEntry{8, "B72"},
    SchemaEntry{9, "Beoton"},
    SchemaEntry{10, "Holmberg"},
    SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},
    SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kCalibrationStandard = {
    SchemaEntry{1, "NoTransducerCalibrationStandard"},
    SchemaEntry{0, "Unknown"},
    SchemaEntry{2, "ISO389"},
    SchemaEntry{3, "ISO389_FFEQ"},
    SchemaEntry{4, "ISO7566"},
    SchemaEntry{5, "ISO7566_FFEQ"},
    SchemaEntry{6, "ISO8798"},
    SchemaEntry{7, "ISO8798_FFEQ"},
    SchemaEntry{8, "ISO226"},
    SchemaEntry{9, "ISO226_FFEQ"},
    SchemaEntry{10, "ANSIS36"},
    SchemaEntry{11, "ANSIS36_FFEQ"},
    SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},
    SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kHearingInstrumentCondition = {
    SchemaEntry{1, "NoCondition"}, SchemaEntry{0, "Unknown"}, SchemaEntry{2, "UnAided"},
    SchemaEntry{3, "Aided1"},      SchemaEntry{4, "Aided2"},  SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},      SchemaEntry{23, "User3"},  SchemaEntry{kEnd, "Error"},
};

inline constexpr std::array kAuxiliaryParameter = {
    SchemaEntry{0, "Unknown"},
    SchemaEntry{1, "NoAuxiliaryParameter"},
    SchemaEntry{2, "MonoSyllabicWords"},
    SchemaEntry{3, "MultiSyllabicWords"},
    SchemaEntry{4, "DichoticWords"},
    SchemaEntry{5, "Freiburger"},
    SchemaEntry{6, "Reim"},
    SchemaEntry{7, "Numerals"},
    SchemaEntry{8, "SpondaicWords"},
    SchemaEntry{9, "ConversationalSpeech"},
    SchemaEntry{10, "PhoneticallyBalanced"},
    SchemaEntry{11, "SentenceMaterial"},
    SchemaEntry{12, "BodyParts"},
    SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},
    SchemaEntry{23, "User3"},
    SchemaEntry{kEnd, "NoAuxiliaryParameter"},
};

inline constexpr std::array kSpeechThresholdType = {
    SchemaEntry{1, "NotUsed"}, SchemaEntry{0, "Unknown"}, SchemaEntry{2, "SRT"},
    SchemaEntry{3, "SDT"},     SchemaEntry{4, "SAT"},     SchemaEntry{21, "User1"},
    SchemaEntry{22, "User2"},  SchemaEntry{23, "User3"},  SchemaEntry{kEnd, "Error"},
};

// Indexed by EnumTable, in the order of its enumerators.
inline constexpr std::array<std::span<const SchemaEntry>, 11> kEnumerations = {
    kPointStatus,        kFrequency,           kSignalType,
    kSignalOutput,       kdBWeighting,         kPresentationType,
    kTransducerType,     kCalibrationStandard, kHearingInstrumentCondition,
    kAuxiliaryParameter, kSpeechThresholdType,
};

constexpr bool EnumerationsEndWithTheirMark() {
    for (const std::span<const SchemaEntry> table : kEnumerations) {
        if (table.size() < 2 || table.back().code != kEnd) return false;
        for (std::size_t i = 0; i + 1 < table.size(); ++i) {
            if (table[i].code == kEnd) return false;
        }
    }
    return true;
}
static_assert(EnumerationsEndWithTheirMark());
static_assert(static_cast<std::size_t>(EnumTable::SpeechThresholdType) + 1 == kEnumerations.size());

// The entries before the end mark: the ones a look-up of a valid code or name may find.
constexpr std::span<const SchemaEntry> ValidEntries(EnumTable table) {
    const std::span<const SchemaEntry> entries = kEnumerations[static_cast<std::size_t>(table)];
    return entries.first(entries.size() - 1);
}

// The entries of list `list` from its owner to its end mark; empty for a number out of range.
constexpr std::span<const SchemaEntry> ListEntries(std::int32_t list) {
    if (list < 1 || list > static_cast<std::int32_t>(kListCount)) return {};
    const auto index = static_cast<std::size_t>(list - 1);
    return std::span<const SchemaEntry>(kElementRun).subspan(kListStarts[index],
                                                             kListStarts[index + 1] - kListStarts[index]);
}

// The position of the first entry named `name` in list `list`, -1 when it has none: how a
// row finds its place in the document from its element name.
constexpr std::int32_t PositionIn(std::int32_t list, std::string_view name) {
    const std::span<const SchemaEntry> entries = ListEntries(list);
    for (std::size_t position = 0; position < entries.size(); ++position) {
        if (entries[position].code != kEnd && entries[position].name == name) {
            return static_cast<std::int32_t>(position);
        }
    }
    return -1;
}

// The tags of the first entry named `name` in list `list`, null when it has none.
constexpr const ElementTags* TagsIn(std::int32_t list, std::string_view name) {
    const std::int32_t position = PositionIn(list, name);
    if (position < 0) return nullptr;
    return &kElementTags[kListStarts[static_cast<std::size_t>(list - 1)] + static_cast<std::size_t>(position)];
}

// The list number of the container at `position` of `list` (its entry's code), the end mark
// for a position the list lacks.
constexpr std::int32_t ListAt(std::int32_t list, std::int32_t position) {
    const std::span<const SchemaEntry> entries = ListEntries(list);
    if (position < 0 || static_cast<std::size_t>(position) >= entries.size()) return kEnd;
    return entries[static_cast<std::size_t>(position)].code;
}

}  // namespace audiogram::schema
