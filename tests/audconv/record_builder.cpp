#include "record_builder.h"

#include "records/empty_record.h"
#include "records/meas_cond_layout.h"

namespace audiogram::test {

RecordBuilder::RecordBuilder() : bytes_(record200::kSize) { MakeEmptyRecord200(bytes_); }

RecordBuilder& RecordBuilder::ToneCurve(Section section, std::size_t slot, std::int16_t signalOutput,
                                        std::int16_t maskingSignalType, std::initializer_list<TonePoint> points) {
    const SectionLayout& layout = record200::SectionOf(section);
    const std::size_t curve = layout.CurveOffset(slot);
    StoreI16(bytes_, curve + meas_cond::kSignalType, 2);  // PureTone
    StoreI16(bytes_, curve + meas_cond::kSignalType + meas_cond::kPairEntrySize, maskingSignalType);
    StoreI16(bytes_, curve + meas_cond::kSignalOutput, signalOutput);
    std::size_t index = 0;
    for (const TonePoint& point : points) {
        const std::size_t at = curve + layout.curve.PointOffset(index++);
        StoreI16(bytes_, at + tone_point::kStimulusFrequency, point.frequency);
        StoreI16(bytes_, at + tone_point::kStimulusLevel, point.level);
        StoreI16(bytes_, at + tone_point::kMaskingFrequency, point.maskingFrequency);
        StoreI16(bytes_, at + tone_point::kMaskingLevel, point.maskingLevel);
        StoreI16(bytes_, at + tone_point::kTonePointStatus, point.status);
    }
    return *this;
}

RecordBuilder& RecordBuilder::MeasCondField(Section section, std::size_t slot, std::size_t offset,
                                            std::int16_t value) {
    return Field(record200::SectionOf(section).CurveOffset(slot) + offset, value);
}

RecordBuilder& RecordBuilder::Field(std::size_t offset, std::int16_t value) {
    StoreI16(bytes_, offset, value);
    return *this;
}

}  // namespace audiogram::test
