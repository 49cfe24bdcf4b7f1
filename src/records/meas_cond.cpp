#include "records/meas_cond.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>

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

namespace {

// The numeric fields in their default state as the record holds them: the bytes that
// InitMeasCond writes, each value little-endian.
using NumericBytes = std::array<std::uint8_t, kTransducerDescription.offset>;

constexpr NumericBytes kDefaultNumericBytes = [] {
    NumericBytes bytes{};
    for (const FieldDefault& field : kNumericDefaults) {
        const auto value = static_cast<std::uint16_t>(field.value);
        for (std::size_t entry = 0; entry < (field.paired ? 2u : 1u); ++entry) {
            bytes[field.offset + entry * kPairEntrySize] = static_cast<std::uint8_t>(value & 0xFF);
            bytes[field.offset + entry * kPairEntrySize + 1] = static_cast<std::uint8_t>(value >> 8);
        }
    }
    return bytes;
}();

// Whether two byte areas of the same size differ, eight bytes at a time and without a branch
// per field: the export asks this of every curve slot of the record.
bool Differ(const std::uint8_t* left, const std::uint8_t* right, std::size_t size) {
    std::uint64_t difference = 0;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, left + i, 8);
        std::memcpy(&b, right + i, 8);
        difference |= a ^ b;
    }
    for (; i < size; ++i) difference |= static_cast<std::uint64_t>(left[i] ^ right[i]);
    return difference != 0;
}

}  // namespace

bool IsEmptyMeasCond(ByteSpan measCond) {
    assert(measCond.size() >= kSize);
    if (Differ(measCond.data(), kDefaultNumericBytes.data(), kDefaultNumericBytes.size())) return false;
    std::uint16_t counts = 0;
    for (const CountedTextField& text : kTextFields) counts |= TextCount(measCond, text);
    return counts == 0;
}

}  // namespace audiogram
