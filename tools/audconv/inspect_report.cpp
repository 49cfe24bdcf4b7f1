#include "inspect_report.h"

#include <array>
#include <cstdlib>
#include <map>
#include <span>

#include "schema_positions.h"
#include "schema/schema_table.h"
#include "record_walk.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "records/point_layouts.h"
#include "records/record200_layout.h"
#include "xml/text_legality.h"

namespace audiogram::tool {
namespace {

enum class Format { Integer, Decimals1, Decimals2, Decimals3, Enumeration, Text };

struct FieldSpec {
    std::int32_t position;  // in the element list the names come from
    std::size_t offset;     // in the measurement conditions or the point
    Format format;
    std::string_view unit = {};
    EnumTable table = EnumTable::PointStatus;  // for Format::Enumeration
    CountedTextField text = {};                // for Format::Text
};

constexpr std::size_t kMasking = meas_cond::kPairEntrySize;
namespace mc = meas_cond;
namespace pos = schema::meas_cond;

// The measurement conditions in the order of the document's AudMeasurementConditions list.
constexpr std::array kConditionFields = {
    FieldSpec{pos::kStimulusSignalType, mc::kSignalType, Format::Enumeration, {}, EnumTable::SignalType},
    FieldSpec{pos::kMaskingSignalType, mc::kSignalType + kMasking, Format::Enumeration, {}, EnumTable::SignalType},
    FieldSpec{pos::kStimulusSignalOutput, mc::kSignalOutput, Format::Enumeration, {}, EnumTable::SignalOutput},
    FieldSpec{pos::kMaskingSignalOutput, mc::kSignalOutput + kMasking, Format::Enumeration, {}, EnumTable::SignalOutput},
    FieldSpec{pos::kStimulusdBWeighting, mc::kdBWeighting, Format::Enumeration, {}, EnumTable::dBWeighting},
    FieldSpec{pos::kMaskingdBWeighting, mc::kdBWeighting + kMasking, Format::Enumeration, {}, EnumTable::dBWeighting},
    FieldSpec{pos::kStimulusPresentationType, mc::kPresentationType, Format::Enumeration, {},
              EnumTable::PresentationType},
    FieldSpec{pos::kMaskingPresentationType, mc::kPresentationType + kMasking, Format::Enumeration, {},
              EnumTable::PresentationType},
    FieldSpec{pos::kStimulusTransducerType, mc::kTransducerType, Format::Enumeration, {}, EnumTable::TransducerType},
    FieldSpec{pos::kMaskingTransducerType, mc::kTransducerType + kMasking, Format::Enumeration, {},
              EnumTable::TransducerType},
    FieldSpec{pos::kTransducerDescription, 0, Format::Text, {}, {}, mc::kTransducerDescription},
    FieldSpec{pos::kStimulusTransducerCalibrationStandard, mc::kTransducerCalibrationStandard, Format::Enumeration,
              {}, EnumTable::CalibrationStandard},
    FieldSpec{pos::kMaskingTransducerCalibrationStandard, mc::kTransducerCalibrationStandard + kMasking,
              Format::Enumeration, {}, EnumTable::CalibrationStandard},
    FieldSpec{pos::kHearingInstrument1Condition, mc::kHearingInstrumentCondition, Format::Enumeration, {},
              EnumTable::HearingInstrumentCondition},
    FieldSpec{pos::kHearingInstrument2Condition, mc::kHearingInstrumentCondition + kMasking, Format::Enumeration, {},
              EnumTable::HearingInstrumentCondition},
    FieldSpec{pos::kHearingInstrumentDescription, 0, Format::Text, {}, {}, mc::kHearingInstrumentDescription},
    FieldSpec{pos::kStimulusAuxiliary, mc::kAuxiliary, Format::Enumeration, {}, EnumTable::AuxiliaryParameter},
    FieldSpec{pos::kMaskingAuxiliary, mc::kAuxiliary + kMasking, Format::Enumeration, {}, EnumTable::AuxiliaryParameter},
    FieldSpec{pos::kAuxiliaryParameterDescription, 0, Format::Text, {}, {}, mc::kAuxiliaryParameterDescription},
    FieldSpec{pos::kWordListName, 0, Format::Text, {}, {}, mc::kWordListName},
    FieldSpec{pos::kSpeechThresholdType, mc::kSpeechThresholdType, Format::Enumeration, {},
              EnumTable::SpeechThresholdType},
    FieldSpec{pos::kStimulusOnTime, mc::kOnTime, Format::Decimals3, "s"},
    FieldSpec{pos::kMaskingOnTime, mc::kOnTime + kMasking, Format::Decimals3, "s"},
    FieldSpec{pos::kStimulusOffTime, mc::kOffTime, Format::Decimals3, "s"},
    FieldSpec{pos::kMaskingOffTime, mc::kOffTime + kMasking, Format::Decimals3, "s"},
    FieldSpec{pos::kStimulusSiSiParameter, mc::kSiSiParameter, Format::Decimals1, "dB"},
    FieldSpec{pos::kMaskingSiSiParameter, mc::kSiSiParameter + kMasking, Format::Decimals1, "dB"},
    FieldSpec{pos::kStimulusWarbleModulation, mc::kWarbleModulation, Format::Integer},
    FieldSpec{pos::kMaskingWarbleModulation, mc::kWarbleModulation + kMasking, Format::Integer},
    FieldSpec{pos::kStimulusWarbleModulationSize, mc::kWarbleModulationSize, Format::Decimals2},
    FieldSpec{pos::kMaskingWarbleModulationSize, mc::kWarbleModulationSize + kMasking, Format::Decimals2},
    FieldSpec{pos::kStimulusFrequencyModulation, mc::kFrequencyModulation, Format::Decimals2},
    FieldSpec{pos::kMaskingFrequencyModulation, mc::kFrequencyModulation + kMasking, Format::Decimals2},
    FieldSpec{pos::kStimulusAmplitudeModulation, mc::kAmplitudeModulation, Format::Decimals1},
    FieldSpec{pos::kMaskingAmplitudeModulation, mc::kAmplitudeModulation + kMasking, Format::Decimals1},
    FieldSpec{pos::kStimulusPulseModulation, mc::kPulseModulation, Format::Decimals1},
    FieldSpec{pos::kMaskingPulseModulation, mc::kPulseModulation + kMasking, Format::Decimals1},
    FieldSpec{pos::kStimulusPulseCycle, mc::kPulseCycle, Format::Decimals2},
    FieldSpec{pos::kMaskingPulseCycle, mc::kPulseCycle + kMasking, Format::Decimals2},
};

namespace fp = schema::frequency_point;
namespace sp = schema::speech_point;

// Every point layout with a stimulus frequency opens with the same four fields.
static_assert(decay_point::kMaskingLevel == tone_point::kMaskingLevel &&
              difference_limen_point::kMaskingLevel == tone_point::kMaskingLevel &&
              sisi_point::kMaskingLevel == tone_point::kMaskingLevel && tone_point::kStimulusFrequency == 0);

template <std::size_t N>
constexpr std::array<FieldSpec, 4 + N> AfterFrequencyColumns(const std::array<FieldSpec, N>& rest) {
    std::array<FieldSpec, 4 + N> columns{
        FieldSpec{fp::kStimulusFrequency, tone_point::kStimulusFrequency, Format::Integer, "Hz"},
        FieldSpec{fp::kStimulusLevel, tone_point::kStimulusLevel, Format::Decimals1, "dB"},
        FieldSpec{fp::kMaskingFrequency, tone_point::kMaskingFrequency, Format::Integer, "Hz"},
        FieldSpec{fp::kMaskingLevel, tone_point::kMaskingLevel, Format::Decimals1, "dB"},
    };
    for (std::size_t i = 0; i < N; ++i) columns[4 + i] = rest[i];
    return columns;
}

constexpr auto kToneColumns = AfterFrequencyColumns(std::array{
    FieldSpec{fp::kTonePointStatus, tone_point::kTonePointStatus, Format::Enumeration, {}, EnumTable::PointStatus},
});
constexpr std::array kSpeechColumns = {
    FieldSpec{sp::kStimulusLevel, speech_point::kStimulusLevel, Format::Decimals1, "dB"},
    FieldSpec{sp::kMaskingLevel, speech_point::kMaskingLevel, Format::Decimals1, "dB"},
    FieldSpec{sp::kScorePercent, speech_point::kScorePercent, Format::Decimals2, "%"},
    FieldSpec{sp::kNumberOfWords, speech_point::kNumberOfWords, Format::Integer},
};
constexpr auto kDecayColumns = AfterFrequencyColumns(std::array{
    FieldSpec{fp::kStartTime, decay_point::kStartTime, Format::Decimals2, "s"},
    FieldSpec{fp::kEndTime, decay_point::kEndTime, Format::Decimals2, "s"},
});
constexpr auto kDifferenceLimenIntensityColumns = AfterFrequencyColumns(std::array{
    FieldSpec{fp::kModulationSize, difference_limen_point::kModulationSize, Format::Decimals1, "dB"},
    FieldSpec{fp::kPointStatus, difference_limen_point::kPointStatus, Format::Enumeration, {}, EnumTable::PointStatus},
});
// ModulationSize is stored in hundredths in the frequency curves.
constexpr auto kDifferenceLimenFrequencyColumns = AfterFrequencyColumns(std::array{
    FieldSpec{fp::kModulationSize, difference_limen_point::kModulationSize, Format::Decimals2},
    FieldSpec{fp::kPointStatus, difference_limen_point::kPointStatus, Format::Enumeration, {}, EnumTable::PointStatus},
});
constexpr auto kSiSiColumns = AfterFrequencyColumns(std::array{
    FieldSpec{fp::kModulationSize, sisi_point::kModulationSize, Format::Decimals1, "dB"},
    FieldSpec{fp::kNumberOfAnswers, sisi_point::kNumberOfAnswers, Format::Integer},
    FieldSpec{fp::kNumberOfIncrements, sisi_point::kNumberOfIncrements, Format::Integer},
});

struct SectionSpec {
    Section section;
    std::int32_t rootPosition;
    std::span<const FieldSpec> columns;
};

constexpr std::array kSectionSpecs = {
    SectionSpec{Section::ToneThreshold, schema::root::kToneThresholdAudiogram, kToneColumns},
    SectionSpec{Section::MostComfortableLevel, schema::root::kMostComfortableLevel, kToneColumns},
    SectionSpec{Section::UncomfortableLevel, schema::root::kUncomfortableLevel, kToneColumns},
    SectionSpec{Section::AlternateBinauralLoudnessBalance, schema::root::kAlternateBinauralLoudnessBalanceAudiogram,
                kToneColumns},
    SectionSpec{Section::Stenger, schema::root::kStengerAudiogram, kToneColumns},
    SectionSpec{Section::DifferenceLimenIntensity, schema::root::kDifferenceLimenIntensity,
                kDifferenceLimenIntensityColumns},
    SectionSpec{Section::DifferenceLimenFrequency, schema::root::kDifferenceLimenFrequency,
                kDifferenceLimenFrequencyColumns},
    SectionSpec{Section::ShortIncrementSensitivityIndex, schema::root::kShortIncrementSensitivityIndex, kSiSiColumns},
    SectionSpec{Section::Decay, schema::root::kDecayAudiogram, kDecayColumns},
    SectionSpec{Section::SpeechDiscrimination, schema::root::kSpeechDiscriminationAudiogram, kSpeechColumns},
    SectionSpec{Section::SpeechReceptionThreshold, schema::root::kSpeechReceptionThresholdAudiogram, kSpeechColumns},
    SectionSpec{Section::SpeechMostComfortableLevel, schema::root::kSpeechMostComfortableLevel, kSpeechColumns},
    SectionSpec{Section::SpeechUncomfortableLevel, schema::root::kSpeechUncomfortableLevel, kSpeechColumns},
};
static_assert(kSectionSpecs.size() == record200::kCurveSections.size());

struct NotesField {
    std::int32_t position;
    CountedTextField field;
};

constexpr std::array kNotesFields = {
    NotesField{schema::notes::kAudiometerMakeModel, record200::notes::kAudiometerMakeModel},
    NotesField{schema::notes::kAudiometerSerialNumber, record200::notes::kAudiometerSerialNumber},
    NotesField{schema::notes::kAudiometerLastCalibration, record200::notes::kAudiometerLastCalibration},
    NotesField{schema::notes::kTestMethod, record200::notes::kTestMethod},
    NotesField{schema::notes::kTestReliability, record200::notes::kTestReliability},
};

struct NotesBlock {
    std::int32_t rootPosition;
    std::size_t offset;
};

constexpr std::array kNotesBlocks = {
    NotesBlock{schema::root::kToneNotes, record200::kToneNotesOffset},
    NotesBlock{schema::root::kSpeechNotes, record200::kSpeechNotesOffset},
};

struct MaskSpec {
    std::int32_t position;
    std::size_t offset;
};

constexpr std::array kToneAverageMasks = {
    MaskSpec{schema::tone_average::kLeftEar1, record200::tone_average::kLeftEar1},
    MaskSpec{schema::tone_average::kLeftEar2, record200::tone_average::kLeftEar2},
    MaskSpec{schema::tone_average::kRightEar1, record200::tone_average::kRightEar1},
    MaskSpec{schema::tone_average::kRightEar2, record200::tone_average::kRightEar2},
};

// The stored integer divided by 10 to the power `decimals`, with exactly that many digits
// after the point; done in integers so no rounding can change a digit.
std::string Decimals(std::int16_t stored, int decimals) {
    const int magnitude = std::abs(static_cast<int>(stored));
    int scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return (stored < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

std::string Utf8(const std::u16string& text) { return WideToUtf8(text).value_or(std::string()); }

// A text field holds a text when its count is 1 to its capacity; the text runs to its 0 unit.
std::optional<std::string> TextOf(ByteSpan area, CountedTextField field) {
    const std::uint16_t count = TextCount(area, field);
    if (count == 0 || count > field.capacity) return std::nullopt;
    return Utf8(ReadTextToTerminator(area, field));
}

ReportValue ValueOf(const AudiogramSchemaTable& table, ByteSpan area, const FieldSpec& field) {
    if (field.format == Format::Text) {
        return {ReportValue::Kind::Text, TextOf(area, field.text).value_or(std::string())};
    }
    const std::int16_t stored = LoadI16(area, field.offset);
    if (IsMissing(stored)) return {};
    switch (field.format) {
        case Format::Integer: return {ReportValue::Kind::Number, std::to_string(stored)};
        case Format::Decimals1: return {ReportValue::Kind::Number, Decimals(stored, 1)};
        case Format::Decimals2: return {ReportValue::Kind::Number, Decimals(stored, 2)};
        case Format::Decimals3: return {ReportValue::Kind::Number, Decimals(stored, 3)};
        case Format::Enumeration:
            if (auto name = table.NameOfCode(field.table, stored)) return {ReportValue::Kind::Name, std::string(*name)};
            return {ReportValue::Kind::InvalidCode, std::to_string(stored)};
        case Format::Text: break;
    }
    return {};
}

// Coded fields are 1 in the default state, values MissingValue and texts empty.
bool IsDefault(ByteSpan measCond, const FieldSpec& field) {
    switch (field.format) {
        case Format::Text: return TextCount(measCond, field.text) == 0;
        case Format::Enumeration: return LoadI16(measCond, field.offset) == 1;
        default: return IsMissing(LoadI16(measCond, field.offset));
    }
}

CurveReport DescribeCurve(const AudiogramSchemaTable& table, const SectionSpec& section, const UsedCurve& curve) {
    CurveReport report{curve.slot, {}, {}, {}};
    const ByteSpan measCond = curve.MeasCond();
    for (const FieldSpec& field : kConditionFields) {
        if (IsDefault(measCond, field)) continue;
        report.conditions.push_back({std::string(table.ElementName(schema::kMeasurementConditionsList, field.position)),
                                     ValueOf(table, measCond, field), std::string(field.unit)});
    }
    for (const UsedPoint& point : UsedPoints(curve)) {
        std::vector<ReportValue> row;
        for (const FieldSpec& column : section.columns) row.push_back(ValueOf(table, point.bytes, column));
        report.pointIndexes.push_back(point.index);
        report.points.push_back(std::move(row));
    }
    return report;
}

std::int32_t ListOf(const AudiogramSchemaTable& table, std::int32_t list, std::int32_t position) {
    return table.List(list)[static_cast<std::size_t>(position)].code;
}

void DescribeSections(const AudiogramSchemaTable& table, ByteSpan record, InspectReport& report) {
    for (const SectionSpec& section : kSectionSpecs) {
        const std::vector<UsedCurve> curves = UsedCurves(record, record200::SectionOf(section.section));
        if (curves.empty()) continue;
        const std::int32_t curveList = ListOf(table, schema::kRootList, section.rootPosition);
        const std::int32_t pointsList = ListOf(table, curveList, schema::curve::kPoints);
        SectionReport described{std::string(table.ElementName(schema::kRootList, section.rootPosition)), {}, {}};
        for (const FieldSpec& column : section.columns) {
            described.columns.push_back({std::string(table.ElementName(pointsList, column.position)),
                                        std::string(column.unit)});
        }
        for (const UsedCurve& curve : curves) described.curves.push_back(DescribeCurve(table, section, curve));
        report.sections.push_back(std::move(described));
    }
}

void DescribeNotes(const AudiogramSchemaTable& table, ByteSpan record, InspectReport& report) {
    for (const NotesBlock& block : kNotesBlocks) {
        const ByteSpan notes = record.subspan(block.offset, record200::notes::kSize);
        const std::int32_t list = ListOf(table, schema::kRootList, block.rootPosition);
        NotesReport described{std::string(table.ElementName(schema::kRootList, block.rootPosition)), {}};
        for (const NotesField& field : kNotesFields) {
            std::optional<std::string> text = TextOf(notes, field.field);
            if (!text) continue;
            // the zone designator belongs to the calibration date-time, as in the document
            if (field.position == schema::notes::kAudiometerLastCalibration) {
                *text += TextOf(notes, record200::notes::kAudiometerLastCalibrationTimeZone).value_or(std::string());
            }
            described.fields.push_back({std::string(table.ElementName(list, field.position)),
                                        {ReportValue::Kind::Text, std::move(*text)}, {}});
        }
        if (!described.fields.empty()) report.notes.push_back(std::move(described));
    }
}

void DescribeToneAverage(const AudiogramSchemaTable& table, ByteSpan record, InspectReport& report) {
    for (const MaskSpec& mask : kToneAverageMasks) {
        const std::uint16_t bits = LoadU16(record, record200::kToneAverageOffset + mask.offset);
        ToneAverageReport described{std::string(table.ElementName(schema::kToneAverageList, mask.position)), {}};
        for (std::uint32_t bit = 1; bit <= 0x8000; bit <<= 1) {
            if (bits & bit) {
                described.frequencies.emplace_back(
                    table.ReplacementName(EnumTable::Frequency, static_cast<std::int32_t>(bit)));
            }
        }
        report.toneAverage.push_back(std::move(described));
    }
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == '\t' || line.front() == ' ')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    return line;
}

}  // namespace

void DescribeRecord(ByteSpan record200, InspectReport& report) {
    const AudiogramSchemaTable table;
    DescribeSections(table, record200, report);
    DescribeNotes(table, record200, report);
    DescribeToneAverage(table, record200, report);
}

// The export writes every tag and comment on a line of its own, so the element path of a
// comment follows from the start and end tags before it.
std::vector<Problem> ExportProblems(std::string_view document) {
    struct Open {
        std::string name;
        std::map<std::string, int, std::less<>> children;
    };
    std::vector<Open> open;
    std::vector<std::string> path;  // "Name[k]" of every open element below the root
    std::vector<Problem> problems;
    while (!document.empty()) {
        const std::size_t end = document.find('\n');
        const std::string_view line = Trimmed(document.substr(0, end));
        document.remove_prefix(end == std::string_view::npos ? document.size() : end + 1);
        if (line.starts_with("<!--")) {
            std::string_view text = line.substr(4);
            if (text.ends_with("-->")) text.remove_suffix(3);
            std::string where;
            for (const std::string& step : path) where += (where.empty() ? "" : "/") + step;
            problems.push_back({where, std::string(Trimmed(text))});
        } else if (line.starts_with("</")) {
            if (open.size() > 1) path.pop_back();  // the root has no step in the path
            if (!open.empty()) open.pop_back();
        } else if (line.starts_with("<") && !line.starts_with("<?") && line.find("</") == std::string_view::npos) {
            const std::string name(line.substr(1, line.find_first_of(" >") - 1));
            if (!open.empty()) path.push_back(name + "[" + std::to_string(++open.back().children[name]) + "]");
            open.push_back({name, {}});
        }
    }
    return problems;
}

}  // namespace audiogram::tool
