#include "export/measurement_conditions_export.h"

#include <array>
#include <string_view>

#include "schema/schema_positions.h"
#include "export/value_export.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"

namespace audiogram {
namespace {

namespace pos = schema::meas_cond;
namespace layout = meas_cond;

// When a row is written.
enum class Rule {
    Always,             // a missing value is replaced by a named default, with a comment
    WhenPresent,        // not when MissingValue
    WhenPresentNotOne,  // not when MissingValue, nor the code 1 that means "none"
    TextCount1To15,     // the count decides; the text runs to its terminator
    CountedText15,      // ReadCountedText15 must give a non-empty text
};

enum class Form { Enum, Decimals, Integer, Text };

struct ConditionRow {
    std::int32_t position;  // in the AudMeasurementConditions list
    std::size_t offset;     // of the field in TMeasCond
    Rule rule;
    Form form;
    EnumTable table = EnumTable::SignalType;  // Form::Enum
    std::int32_t decimals = 0;                // Form::Decimals
    std::string_view missingComment = {};     // Rule::Always
    std::int32_t defaultCode = 0;             // Rule::Always
    CountedTextField text = {};               // Form::Text
};

constexpr std::size_t Masking(std::size_t offset) {
    return offset + layout::kPairEntrySize;
}

constexpr ConditionRow Always(std::int32_t position, std::size_t offset, EnumTable table,
                              std::string_view missingComment, std::int32_t defaultCode) {
    return {position, offset, Rule::Always, Form::Enum, table, 0, missingComment, defaultCode};
}
constexpr ConditionRow Coded(std::int32_t position, std::size_t offset, Rule rule, EnumTable table) {
    return {position, offset, rule, Form::Enum, table};
}
constexpr ConditionRow Scaled(std::int32_t position, std::size_t offset, std::int32_t decimals) {
    return {position, offset, Rule::WhenPresent, Form::Decimals, EnumTable::SignalType, decimals};
}
constexpr ConditionRow Whole(std::int32_t position, std::size_t offset) {
    return {position, offset, Rule::WhenPresent, Form::Integer};
}
constexpr ConditionRow Text(std::int32_t position, CountedTextField field, Rule rule) {
    return {position, field.offset, rule, Form::Text, EnumTable::SignalType, 0, {}, 0, field};
}

constexpr Rule kNotOne = Rule::WhenPresentNotOne;

// The leaves in export order (WordListName comes before AuxiliaryParameterDescription,
// unlike the list); PrimaryKey and ForeignKey are never written.
constexpr std::array kConditionRows = {
    Always(pos::kStimulusSignalType, layout::kSignalType, EnumTable::SignalType,
           "Missing SignalType1 inserting default", 0),
    Always(pos::kMaskingSignalType, Masking(layout::kSignalType), EnumTable::SignalType,
           "Missing SignalType2 inserting default", 0),
    Always(pos::kStimulusSignalOutput, layout::kSignalOutput, EnumTable::SignalOutput,
           "Missing SignalOutput1 inserting default", 1),
    Always(pos::kMaskingSignalOutput, Masking(layout::kSignalOutput), EnumTable::SignalOutput,
           "Missing SignalOutput2 inserting default", 1),
    Always(pos::kStimulusdBWeighting, layout::kdBWeighting, EnumTable::dBWeighting,
           "Missing dBWeighting1 inserting default", 2),
    Always(pos::kMaskingdBWeighting, Masking(layout::kdBWeighting), EnumTable::dBWeighting,
           "Missing dBWeighting2 inserting default", 2),
    Coded(pos::kStimulusPresentationType, layout::kPresentationType, Rule::WhenPresent,
          EnumTable::PresentationType),
    Coded(pos::kMaskingPresentationType, Masking(layout::kPresentationType), Rule::WhenPresent,
          EnumTable::PresentationType),
    Coded(pos::kStimulusTransducerType, layout::kTransducerType, kNotOne, EnumTable::TransducerType),
    Coded(pos::kMaskingTransducerType, Masking(layout::kTransducerType), kNotOne, EnumTable::TransducerType),
    Text(pos::kTransducerDescription, layout::kTransducerDescription, Rule::TextCount1To15),
    Coded(pos::kStimulusTransducerCalibrationStandard, layout::kTransducerCalibrationStandard, kNotOne,
          EnumTable::CalibrationStandard),
    Coded(pos::kMaskingTransducerCalibrationStandard, Masking(layout::kTransducerCalibrationStandard),
          kNotOne, EnumTable::CalibrationStandard),
    Coded(pos::kHearingInstrument1Condition, layout::kHearingInstrumentCondition, kNotOne,
          EnumTable::HearingInstrumentCondition),
    Coded(pos::kHearingInstrument2Condition, Masking(layout::kHearingInstrumentCondition), kNotOne,
          EnumTable::HearingInstrumentCondition),
    Text(pos::kHearingInstrumentDescription, layout::kHearingInstrumentDescription, Rule::TextCount1To15),
    Coded(pos::kStimulusAuxiliary, layout::kAuxiliary, kNotOne, EnumTable::AuxiliaryParameter),
    Coded(pos::kMaskingAuxiliary, Masking(layout::kAuxiliary), kNotOne, EnumTable::AuxiliaryParameter),
    Text(pos::kWordListName, layout::kWordListName, Rule::CountedText15),
    Text(pos::kAuxiliaryParameterDescription, layout::kAuxiliaryParameterDescription, Rule::CountedText15),
    Coded(pos::kSpeechThresholdType, layout::kSpeechThresholdType, kNotOne, EnumTable::SpeechThresholdType),
    Scaled(pos::kStimulusOnTime, layout::kOnTime, 3),
    Scaled(pos::kMaskingOnTime, Masking(layout::kOnTime), 3),
    Scaled(pos::kStimulusOffTime, layout::kOffTime, 3),
    Scaled(pos::kMaskingOffTime, Masking(layout::kOffTime), 3),
    Scaled(pos::kStimulusSiSiParameter, layout::kSiSiParameter, 1),
    Scaled(pos::kMaskingSiSiParameter, Masking(layout::kSiSiParameter), 1),
    Whole(pos::kStimulusWarbleModulation, layout::kWarbleModulation),
    Whole(pos::kMaskingWarbleModulation, Masking(layout::kWarbleModulation)),
    Scaled(pos::kStimulusWarbleModulationSize, layout::kWarbleModulationSize, 2),
    Scaled(pos::kMaskingWarbleModulationSize, Masking(layout::kWarbleModulationSize), 2),
    Scaled(pos::kStimulusFrequencyModulation, layout::kFrequencyModulation, 2),
    Scaled(pos::kMaskingFrequencyModulation, Masking(layout::kFrequencyModulation), 2),
    Scaled(pos::kStimulusAmplitudeModulation, layout::kAmplitudeModulation, 1),
    Scaled(pos::kMaskingAmplitudeModulation, Masking(layout::kAmplitudeModulation), 1),
    Scaled(pos::kStimulusPulseModulation, layout::kPulseModulation, 1),
    Scaled(pos::kMaskingPulseModulation, Masking(layout::kPulseModulation), 1),
    Scaled(pos::kStimulusPulseCycle, layout::kPulseCycle, 2),
    Scaled(pos::kMaskingPulseCycle, Masking(layout::kPulseCycle), 2),
};
static_assert(kConditionRows.size() == 39);

void WriteTextRow(ExportContext& context, std::string_view name, ByteSpan measCond, const ConditionRow& row) {
    const CountedTextField field = row.text;
    if (row.rule == Rule::CountedText15) {
        CountedText15Units units;
        const auto text = ReadCountedText15(measCond, field, units);
        if (text && !text->empty()) context.writer.WriteStringElement(name, *text);
        return;
    }
    const std::uint16_t count = TextCount(measCond, field);
    if (count < 1 || count > field.capacity) return;
    context.writer.WriteStringElement(name, CountedTextUnits(measCond, field).View());
}

void WriteNumericRow(ExportContext& context, std::string_view name, std::int16_t value,
                     const ConditionRow& row) {
    if (IsMissing(value)) {
        if (row.rule != Rule::Always) return;
        context.writer.WriteComment(row.missingComment);
        context.writer.WriteElement(name, context.table.ReplacementName(row.table, row.defaultCode));
        return;
    }
    if (row.rule == Rule::WhenPresentNotOne && value == 1) return;
    switch (row.form) {
        case Form::Enum:
            WriteEnumElement(context, name, value, row.table);
            break;
        case Form::Decimals:
            WriteScaledElement(context, name, value, row.decimals);
            break;
        case Form::Integer:
            context.writer.WriteIntElement(name, value);
            break;
        case Form::Text:
            break;
    }
}

}  // namespace

std::int32_t WriteMeasurementConditions(ExportContext& context, ByteSpan measCond) {
    const std::string_view elementName = context.Name(schema::kMeasurementConditionsList, 0);
    context.writer.PushElement(elementName);
    for (const ConditionRow& row : kConditionRows) {
        const std::string_view name = context.Name(schema::kMeasurementConditionsList, row.position);
        if (row.form == Form::Text) {
            WriteTextRow(context, name, measCond, row);
        } else {
            WriteNumericRow(context, name, LoadI16(measCond, row.offset), row);
        }
    }
    context.writer.PopElement(true);
    return 0;
}

std::optional<std::u16string_view> ReadCountedText15(ByteSpan area, CountedTextField field,
                                                     CountedText15Units& units) {
    // u0 is the count, u1 to u16 the text units: 17 units, all inside the field.
    const std::size_t textUnits = field.UnitSlots();
    const auto unit = [&](std::size_t index) {
        return static_cast<char16_t>(LoadU16(area, field.offset + 2 * index));
    };
    if (unit(0) == 0) return std::nullopt;
    // A length in the last unit puts the text's start at the count unit.
    const bool lengthAtEnd = unit(textUnits) != 0;
    const std::size_t length = lengthAtEnd ? unit(textUnits) : unit(0);
    const std::size_t begin = lengthAtEnd ? 0 : 1;

    static_assert(meas_cond::kWordListName.capacity + 1 <= std::tuple_size_v<CountedText15Units>);
    if (textUnits > units.size()) return std::nullopt;
    for (std::size_t i = 0; i < textUnits; ++i) {
        const char16_t c = unit(begin + i);
        if (c == 0) {
            if (i != length || length >= textUnits) return std::nullopt;
            return std::u16string_view(units.data(), i);
        }
        units[i] = c;
    }
    return std::nullopt;  // no terminator in the units that may hold the text
}

}  // namespace audiogram
