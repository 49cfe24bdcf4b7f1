#pragma once
// Hand-built 200 records for the tool's tests: an empty record with curves put in place
// field by field.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "records/little_endian.h"
#include "records/missing_value.h"
#include "records/record200_layout.h"

namespace audiogram::test {

struct TonePoint {
    std::int16_t frequency;
    std::int16_t level;  // tenths
    std::int16_t maskingFrequency = MissingValue;
    std::int16_t maskingLevel = MissingValue;
    std::int16_t status = 1;
};

class RecordBuilder {
public:
    RecordBuilder();

    // Puts a tone curve into `slot` of `section` with the stimulus signal output and the
    // masking signal type given, then its points.
    RecordBuilder& ToneCurve(Section section, std::size_t slot, std::int16_t signalOutput,
                             std::int16_t maskingSignalType, std::initializer_list<TonePoint> points);
    // Sets one 16-bit field of the measurement conditions of a curve.
    RecordBuilder& MeasCondField(Section section, std::size_t slot, std::size_t offset, std::int16_t value);
    RecordBuilder& Field(std::size_t offset, std::int16_t value);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    MutableByteSpan Span() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace audiogram::test
