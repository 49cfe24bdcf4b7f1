#include "model/read_audiogram.h"

#include <charconv>

#include "model/field_rows.h"
#include "model/field_value.h"
#include "model/signal_route.h"
#include "model/used_curves.h"

namespace audiogram::model {
namespace {

// Codes of the signal type and point status lists the model decides by.
constexpr std::int16_t kNoSignalApplied = 1;
constexpr std::int16_t kStatusNoResponse = 3;
constexpr std::int16_t kStatusDidNotTest = 5;
constexpr std::int16_t kStatusCouldNotTest = 6;

struct CurveContext {
    const AudiogramSchemaTable& table;
    const rows::SectionRow& section;
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
    for (const rows::FieldRow& column : curve.section.columns) {
        Value value = ReadValue(curve.table, used.bytes, column);
        switch (column.role) {
            case rows::Role::Frequency: point.frequencyHz = NumberOf(value); break;
            case rows::Role::Level: point.levelDb = NumberOf(value); break;
            case rows::Role::MaskingFrequency:
                hasMaskingFrequency = true;
                maskingFrequency = NumberOf(value);
                break;
            case rows::Role::MaskingLevel: maskingLevel = NumberOf(value); break;
            case rows::Role::Status:
                if (value.kind != Value::Kind::Missing) statusCode = static_cast<std::int16_t>(value.number);
                if (value.kind == Value::Kind::Name) point.status = value.text;
                break;
            case rows::Role::None: break;
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

Curve ReadCurve(const AudiogramSchemaTable& table, const rows::SectionRow& section, const UsedCurve& used) {
    const ByteSpan measCond = used.MeasCond();
    const std::int16_t maskingSignal = LoadI16(measCond, rows::kMaskingSignalType.offset);
    const SignalRoute route = RouteOfSignalOutput(LoadI16(measCond, rows::kStimulusSignalOutput.offset));
    Curve curve{used.slot, route.ear, route.route, false, std::nullopt, {}, {}};
    if (!IsDefault(measCond, rows::kStimulusTransducerType)) {
        const Value transducer = ReadValue(table, measCond, rows::kStimulusTransducerType);
        if (transducer.kind == Value::Kind::Name) curve.transducer = transducer.text;
    }
    for (const rows::FieldRow& field : rows::kConditionFields) {
        if (IsDefault(measCond, field)) continue;
        curve.conditions.push_back(
            {std::string(rows::ConditionName(table, field)), ReadValue(table, measCond, field), std::string(field.unit)});
    }
    const CurveContext context{table, section, maskingSignal};
    for (const UsedPoint& usedPoint : UsedPoints(used)) {
        curve.points.push_back(ReadPoint(context, usedPoint));
        curve.masked = curve.masked || curve.points.back().masked;
    }
    return curve;
}

void ReadSections(const AudiogramSchemaTable& table, ByteSpan record, Audiogram& audiogram) {
    for (const rows::SectionRow& section : rows::kSections) {
        const std::vector<UsedCurve> curves = UsedCurves(record, record200::SectionOf(section.section));
        if (curves.empty()) continue;
        CurveSection read{section.section, std::string(rows::SectionName(table, section)), {}, {}};
        for (const rows::FieldRow& column : section.columns) {
            read.columns.push_back({std::string(rows::ColumnName(table, section, column)), std::string(column.unit)});
        }
        for (const UsedCurve& curve : curves) read.curves.push_back(ReadCurve(table, section, curve));
        audiogram.sections.push_back(std::move(read));
    }
}

void ReadNotes(const AudiogramSchemaTable& table, ByteSpan record, Audiogram& audiogram) {
    for (const rows::NotesBlockRow& block : rows::kNotesBlocks) {
        const ByteSpan notes = record.subspan(block.offset, record200::notes::kSize);
        NotesBlock read{std::string(rows::NotesBlockName(table, block)), {}};
        for (const rows::NotesFieldRow& field : rows::kNotesFields) {
            std::optional<std::string> text = ReadText(notes, field.field);
            if (!text) continue;
            if (field.position == rows::kCalibrationZone.position) {
                *text += ReadText(notes, rows::kCalibrationZone.field).value_or(std::string());
            }
            read.fields.push_back({std::string(rows::NotesFieldName(table, block, field)),
                                   {Value::Kind::Text, 0, std::move(*text)}, {}});
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

void ReadToneAverage(const AudiogramSchemaTable& table, ByteSpan record, Audiogram& audiogram) {
    for (const rows::MaskRow& mask : rows::kToneAverageMasks) {
        const std::uint16_t bits = LoadU16(record, record200::kToneAverageOffset + mask.offset);
        ToneAverageFrequencies read{std::string(rows::MaskName(table, mask)),
                                    mask.ear == rows::MaskEar::Left ? Ear::Left : Ear::Right, {}, {}};
        for (std::uint32_t bit = 1; bit <= 0x8000; bit <<= 1) {
            if (!(bits & bit)) continue;
            const std::string_view name = table.ReplacementName(EnumTable::Frequency, static_cast<std::int32_t>(bit));
            read.names.emplace_back(name);
            if (const std::optional<int> hertz = HertzOf(name)) read.frequenciesHz.push_back(*hertz);
        }
        audiogram.toneAverage.push_back(std::move(read));
    }
}

}  // namespace

std::optional<Audiogram> ReadAudiogram(ByteSpan record200) {
    if (record200.size() < record200::kSize) return std::nullopt;
    const AudiogramSchemaTable table;
    Audiogram audiogram;
    ReadSections(table, record200, audiogram);
    ReadNotes(table, record200, audiogram);
    ReadToneAverage(table, record200, audiogram);
    return audiogram;
}

}  // namespace audiogram::model
