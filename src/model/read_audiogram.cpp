#include "model/read_audiogram.h"

#include <charconv>

#include "model/field_value.h"
#include "model/signal_route.h"
#include "model/used_curves.h"
#include "schema/field_rows.h"
#include "schema/section_rows.h"

namespace audiogram::model {
namespace {

// Codes of the signal type and point status lists the model decides by.
constexpr std::int16_t kNoSignalApplied = 1;
constexpr std::int16_t kStatusNoResponse = 3;
constexpr std::int16_t kStatusDidNotTest = 5;
constexpr std::int16_t kStatusCouldNotTest = 6;

// The row of a measurement condition the model decides by.
constexpr FieldRow ConditionRow(std::string_view name) {
    for (const FieldRow& row : kMeasurementConditionFields) {
        if (row.name == name) return row;
    }
    return {};
}
constexpr FieldRow kStimulusSignalOutput = ConditionRow("StimulusSignalOutput");
constexpr FieldRow kMaskingSignalType = ConditionRow("MaskingSignalType");
constexpr FieldRow kStimulusTransducerType = ConditionRow("StimulusTransducerType");
static_assert(kStimulusSignalOutput.position > 0 && kMaskingSignalType.position > 0 &&
              kStimulusTransducerType.position > 0);

// The conditions in the order of their list, as the model has always given them (the
// document writes WordListName before AuxiliaryParameterDescription).
constexpr auto kConditionsInListOrder = ByPosition(kMeasurementConditionFields);
static_assert(FollowPositions(kConditionsInListOrder));

struct CurveContext {
    const AudiogramSchemaTable& table;
    const SectionRow& section;
    std::int16_t maskingSignal;
};

std::optional<double> NumberOf(const Value& value) {
    if (value.kind != Value::Kind::Number) return std::nullopt;
    return value.number;
}

// A point records a masker when it has a masking level and a masker frequency other than 0;
// records write 0 as the masker frequency of unmasked points, and a speech point, which has
// no masker frequency, 0 as its masking level.
bool RecordsMasker(std::optional<double> frequency, std::optional<double> level, bool hasFrequency) {
    if (!level) return false;
    if (hasFrequency) return frequency && *frequency != 0;
    return *level != 0;
}

Point ReadPoint(const CurveContext& curve, const UsedPoint& used) {
    Point point{used.index, {}, {}, {}, {}, {}, {}, {}, {}, {}};
    std::optional<double> maskingFrequency, maskingLevel;
    bool hasMaskingFrequency = false;
    std::optional<std::int16_t> statusCode;
    for (const FieldRow& column : curve.section.pointFields) {
        Value value = ReadValue(curve.table, used.bytes, column);
        switch (column.meaning) {
            case FieldMeaning::Frequency: point.frequencyHz = NumberOf(value); break;
            case FieldMeaning::Level: point.levelDb = NumberOf(value); break;
            case FieldMeaning::MaskingFrequency:
                hasMaskingFrequency = true;
                maskingFrequency = NumberOf(value);
                break;
            case FieldMeaning::MaskingLevel: maskingLevel = NumberOf(value); break;
            case FieldMeaning::Status:
                if (value.kind != Value::Kind::Missing) statusCode = static_cast<std::int16_t>(value.number);
                if (value.kind == Value::Kind::Name) point.status = value.text;
                break;
            default: break;
        }
        point.values.push_back(std::move(value));
    }
    // a curve that says no masking signal was applied overrules its points; an Unknown
    // masking signal type keeps the point's word
    point.masked = RecordsMasker(maskingFrequency, maskingLevel, hasMaskingFrequency) &&
                   curve.maskingSignal != kNoSignalApplied;
    if (point.masked) {
        point.maskingFrequencyHz = maskingFrequency;
        point.maskingLevelDb = maskingLevel;
    }
    point.tested = point.levelDb && statusCode != kStatusDidNotTest && statusCode != kStatusCouldNotTest;
    point.response = point.tested && statusCode != kStatusNoResponse;
    return point;
}

Curve ReadCurve(const AudiogramSchemaTable& table, const SectionRow& section, const UsedCurve& used) {
    const ByteSpan measCond = used.MeasCond();
    const std::int16_t maskingSignal = LoadI16(measCond, kMaskingSignalType.offset);
    const SignalRoute route = RouteOfSignalOutput(LoadI16(measCond, kStimulusSignalOutput.offset));
    Curve curve{used.slot, route.ear, route.route, false, std::nullopt, {}, {}};
    if (!IsDefault(measCond, kStimulusTransducerType)) {
        const Value transducer = ReadValue(table, measCond, kStimulusTransducerType);
        if (transducer.kind == Value::Kind::Name) curve.transducer = transducer.text;
    }
    for (const FieldRow& field : kConditionsInListOrder) {
        if (IsDefault(measCond, field)) continue;
        curve.conditions.push_back(
            {std::string(field.name), ReadValue(table, measCond, field), std::string(field.unit)});
    }
    const CurveContext context{table, section, maskingSignal};
    for (const UsedPoint& usedPoint : UsedPoints(used)) {
        curve.points.push_back(ReadPoint(context, usedPoint));
        curve.masked = curve.masked || curve.points.back().masked;
    }
    return curve;
}

// The row of a curve section; every curve section of the record has one.
const SectionRow& RowOf(Section section) {
    for (const SectionRow& row : kSectionRows) {
        if (row.kind == SectionKind::Curves && row.section == section) return row;
    }
    return kSectionRows.front();
}

// The sections in record order, as the model has always given them (the document's order
// differs).
void ReadSections(const AudiogramSchemaTable& table, ByteSpan record, Audiogram& audiogram) {
    for (const SectionLayout& layout : record200::kCurveSections) {
        const std::vector<UsedCurve> curves = UsedCurves(record, layout);
        if (curves.empty()) continue;
        const SectionRow& section = RowOf(layout.section);
        CurveSection read{section.section, std::string(section.name), {}, {}};
        for (const FieldRow& column : section.pointFields) {
            read.columns.push_back({std::string(column.name), std::string(column.unit)});
        }
        for (const UsedCurve& curve : curves) read.curves.push_back(ReadCurve(table, section, curve));
        audiogram.sections.push_back(std::move(read));
    }
}

// A notes text; the calibration date carries the zone designator that follows it in the
// block, as in the document.
std::optional<std::string> ReadNotesText(ByteSpan notes, const FieldRow& field) {
    std::optional<std::string> text = ReadText(notes, field.Text());
    if (text && field.form == FieldForm::CalibrationDate) {
        const CountedTextField zone = record200::notes::kAudiometerLastCalibrationTimeZone;
        *text += ReadText(notes, zone).value_or(std::string());
    }
    return text;
}

void ReadNotes(ByteSpan record, Audiogram& audiogram) {
    for (const SectionRow& block : kSectionRows) {
        if (block.kind != SectionKind::Notes) continue;
        const ByteSpan notes = record.subspan(block.offset, block.size);
        NotesBlock read{std::string(block.name), {}};
        for (const FieldRow& field : block.fields) {
            std::optional<std::string> text = ReadNotesText(notes, field);
            if (!text) continue;
            read.fields.push_back({std::string(field.name), {Value::Kind::Text, 0, std::move(*text)}, {}});
        }
        if (!read.fields.empty()) audiogram.notes.push_back(std::move(read));
    }
}

// The frequency a bit's name gives in hertz; none for the user-defined bits.
std::optional<int> HertzOf(std::string_view name) {
    int hertz = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), hertz);
    if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
    return hertz;
}

// The masks' frequencies, each read the way the export writes one leaf per set bit.
void ReadMasks(const AudiogramSchemaTable& table, ByteSpan area, std::span<const FieldRow> masks,
               Audiogram& audiogram) {
    for (const FieldRow& mask : masks) {
        const std::uint16_t bits = LoadU16(area, mask.offset);
        const Ear ear = mask.meaning == FieldMeaning::LeftEarFrequencies ? Ear::Left : Ear::Right;
        ToneAverageFrequencies read{std::string(mask.name), ear, {}, {}};
        for (std::uint32_t bit = 1; bit <= 0x8000; bit <<= 1) {
            if (!(bits & bit)) continue;
            const std::string_view name = table.ReplacementName(EnumTable::Frequency, static_cast<std::int32_t>(bit));
            read.names.emplace_back(name);
            if (const std::optional<int> hertz = HertzOf(name)) read.frequenciesHz.push_back(*hertz);
        }
        audiogram.toneAverage.push_back(std::move(read));
    }
}

void ReadToneAverage(const AudiogramSchemaTable& table, ByteSpan record, Audiogram& audiogram) {
    for (const SectionRow& block : kSectionRows) {
        if (block.kind != SectionKind::ToneAverage) continue;
        ReadMasks(table, record.subspan(block.offset, block.size), block.fields, audiogram);
    }
}

}  // namespace

std::optional<Audiogram> ReadAudiogram(ByteSpan record200) {
    if (record200.size() < record200::kSize) return std::nullopt;
    const AudiogramSchemaTable table;
    Audiogram audiogram;
    ReadSections(table, record200, audiogram);
    ReadNotes(record200, audiogram);
    ReadToneAverage(table, record200, audiogram);
    return audiogram;
}

}  // namespace audiogram::model
