#include "records/meas_cond.h"

#include <array>

#include "records/meas_cond_layout.h"
#include "records/missing_value.h"

namespace audiogram {
namespace {

using namespace meas_cond;

// The default of every numeric field, by offset: coded fields 1, values missing.
struct FieldDefault {
    std::size_t offset;
    std::int16_t value;
    bool paired;
};

constexpr std::array kNumericDefaults = {
    FieldDefault{kSignalType, 1, true},
    FieldDefault{kWarbleModulation, MissingValue, true},
    FieldDefault{kWarbleModulationSize, MissingValue, true},
    FieldDefault{kAuxiliary, 1, true},
    FieldDefault{kSignalOutput, 1, true},
    FieldDefault{kPresentationType, 1, true},
    FieldDefault{kPulseModulation, MissingValue, true},
    FieldDefault{kPulseCycle, MissingValue, true},
    FieldDefault{kAmplitudeModulation, MissingValue, true},
    FieldDefault{kFrequencyModulation, MissingValue, true},
    FieldDefault{kOnTime, MissingValue, true},
    FieldDefault{kOffTime, MissingValue, true},
    FieldDefault{kSiSiParameter, MissingValue, true},
    FieldDefault{kTransducerType, 1, true},
    FieldDefault{kTransducerCalibrationStandard, 1, true},
    FieldDefault{kdBWeighting, 1, true},
    FieldDefault{kHearingInstrumentCondition, 1, true},
    FieldDefault{kSpeechThresholdType, 1, false},
};

constexpr std::array kTextFields = {kTransducerDescription, kHearingInstrumentDescription,
                                    kAuxiliaryParameterDescription, kWordListName};

constexpr bool DefaultsCoverNumericFields() {
    std::size_t expected = 0;
    for (const FieldDefault& field : kNumericDefaults) {
        if (field.offset != expected) return false;
        expected += field.paired ? kPairSize : kPairEntrySize;
    }
    return expected == kTransducerDescription.offset;
}
static_assert(DefaultsCoverNumericFields());

}  // namespace

void InitMeasCond(MutableByteSpan area, std::size_t stride, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const MutableByteSpan record = area.subspan(i * stride, kSize);
        for (const FieldDefault& field : kNumericDefaults) {
            StoreI16(record, field.offset, field.value);
            if (field.paired) StoreI16(record, field.offset + kPairEntrySize, field.value);
        }
    }
}

bool IsEmptyMeasCond(ByteSpan measCond) {
    for (const FieldDefault& field : kNumericDefaults) {
        if (LoadI16(measCond, field.offset) != field.value) return false;
        if (field.paired && LoadI16(measCond, field.offset + kPairEntrySize) != field.value) return false;
    }
    for (const CountedTextField& text : kTextFields) {
        if (TextCount(measCond, text) != 0) return false;
    }
    return true;
}

}  // namespace audiogram
