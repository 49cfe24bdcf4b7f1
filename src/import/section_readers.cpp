#include "import/section_readers.h"

#include <algorithm>
#include <array>

#include "import/calibration_split.h"
#include "import/leaf_values.h"
#include "records/counted_text.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

// The calibration split writes both fields with their terminators, so a second notes
// element never leaves characters of the first behind.
void StoreCalibration(MutableByteSpan notes, std::u16string_view text) {
    if (text.empty()) return;
    const CalibrationParts parts = SplitCalibration(text);
    WriteCountedText(notes, record200::notes::kAudiometerLastCalibration, parts.dateTime);
    WriteCountedText(notes, record200::notes::kAudiometerLastCalibrationTimeZone, parts.zone);
}

void StoreLeaf(const FieldRow& row, const LeafText& text, MutableByteSpan area) {
    switch (row.form) {
        case FieldForm::Scaled:
        case FieldForm::Integer:
            StoreI16(area, row.offset, ScanScaledValue(text, row.scale));
            return;
        case FieldForm::Enumeration:
            StoreU16(area, row.offset, static_cast<std::uint16_t>(FindEnumCode(row.table, text)));
            return;
        case FieldForm::Text:
            WriteCountedText(area, row.Text(), text.View());
            return;
        case FieldForm::CalibrationDate:
            StoreCalibration(area, text.View());
            return;
        case FieldForm::FrequencyMask: {
            const auto bit = static_cast<std::uint16_t>(FindEnumCode(row.table, text));
            StoreU16(area, row.offset, static_cast<std::uint16_t>(LoadU16(area, row.offset) | bit));
            return;
        }
    }
}

constexpr std::size_t kLargestPointSize =
    std::max({tone_point::kSize, speech_point::kSize, decay_point::kSize, difference_limen_point::kSize,
              sisi_point::kSize});

}  // namespace

HResult ReadLeaves(AudiogramXmlReader& reader, MutableByteSpan area, std::span<const FieldRow> rules) {
    LeafText text;
    for (;;) {
        const Result<std::int32_t> next = reader.NextElement(text);
        if (next.Failed()) return next.status;
        if (next.value == 0) return kStatusOk;  // the element's end tag
        const auto index = static_cast<std::size_t>(next.value - 1);
        if (index < rules.size()) StoreLeaf(rules[index], text, area);
    }
}

HResult ReadMeasurementConditions(AudiogramXmlReader& reader, MutableByteSpan condition) {
    return ReadLeaves(reader, condition, leaf_rules::kMeasurementConditions);
}

HResult ReadPoint(AudiogramXmlReader& reader, MutableByteSpan point, std::span<const FieldRow> pointRules) {
    return ReadLeaves(reader, point, pointRules);
}

HResult ReadNotes(AudiogramXmlReader& reader, MutableByteSpan notes) {
    return ReadLeaves(reader, notes, kNotesFields);
}

HResult ReadFrequencyMasks(AudiogramXmlReader& reader, MutableByteSpan masks) {
    std::fill_n(masks.begin(), record200::tone_average::kSize, std::uint8_t{0});
    return ReadLeaves(reader, masks, kToneAverageFields);
}

HResult ReadCurve(AudiogramXmlReader& reader, MutableByteSpan curve, const CurveLayout& layout,
                  std::span<const FieldRow> pointRules) {
    std::array<std::uint8_t, kLargestPointSize> surplusPoint{};
    std::size_t pointIndex = 0;
    LeafText text;
    for (;;) {
        const Result<std::int32_t> next = reader.NextElement(text);
        if (next.Failed()) return next.status;
        switch (next.value) {
            case 0:
                return kStatusOk;  // the curve's end tag
            case kCurveConditionsPosition:
                RETURN_IF_FAILED_STATUS(ReadMeasurementConditions(reader, curve.first(meas_cond::kSize)));
                break;
            case kCurvePointsPosition: {
                const MutableByteSpan point =
                    pointIndex < layout.pointCount
                        ? curve.subspan(layout.PointOffset(pointIndex), layout.PointSize())
                        : MutableByteSpan(surplusPoint).first(layout.PointSize());
                ++pointIndex;  // whatever the points element held
                RETURN_IF_FAILED_STATUS(ReadPoint(reader, point, pointRules));
                break;
            }
            case kCurvePointsPosition + 1:
            case kCurvePointsPosition + 2:
                break;  // PrimaryKey and ForeignKey carry nothing of the record
            default:
                return kStatusFail;
        }
    }
}

}  // namespace audiogram
