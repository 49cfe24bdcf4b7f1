#include "export/point_export.h"

#include <string_view>

#include "schema/schema_positions.h"
#include "export/short_text.h"
#include "export/value_export.h"
#include "records/missing_value.h"
#include "records/point_layouts.h"
#include "xml/number_text.h"

namespace audiogram {
namespace {

namespace pos = schema::frequency_point;

// Reads and names the fields of one point.
struct PointFields {
    ExportContext& context;
    std::int32_t list;
    ByteSpan point;

    std::int16_t operator[](std::size_t offset) const { return LoadI16(point, offset); }
    std::string_view Name(std::int32_t position) const { return context.Name(list, position); }
    XmlWriter& Writer() const { return context.writer; }

    void Int(std::int32_t position, std::int16_t value) const {
        Writer().WriteIntElement(Name(position), value);
    }
    void Scaled(std::int32_t position, std::int16_t value, std::int32_t decimals) const {
        WriteScaledElement(context, Name(position), value, decimals);
    }
    void Zero(std::int32_t position, std::int32_t decimals) const {
        WriteScaledElement(context, Name(position), 0, decimals);
    }
    // A value that must always stand: a missing one becomes 0 after the comment.
    void ScaledOrZero(std::int32_t position, std::int16_t value, std::int32_t decimals,
                      std::string_view missingComment) const {
        if (IsMissing(value)) {
            Writer().WriteComment(missingComment);
            Zero(position, decimals);
        } else {
            Scaled(position, value, decimals);
        }
    }
};

bool IsMissingOrZero(std::int16_t value) {
    return IsMissing(value) || value == 0;
}

// A time that must not be negative: the comment and 0.00 stand in for one that is.
void WriteTime(const PointFields& f, std::int32_t position, std::int16_t stored,
               std::string_view negativeComment) {
    constexpr std::int32_t kDecimals = 2;
    if (stored < 0) {
        f.Writer().WriteComment(negativeComment);
        f.Zero(position, kDecimals);
        return;
    }
    f.Scaled(position, stored, kDecimals);
}

}  // namespace

std::int32_t WriteTonePoint(ExportContext& context, std::int32_t pointsList, ByteSpan point) {
    namespace field = tone_point;
    const PointFields f{context, pointsList, point};
    if (IsMissingOrZero(f[field::kStimulusFrequency])) return 0;
    f.Int(pos::kStimulusFrequency, f[field::kStimulusFrequency]);
    if (!IsMissing(f[field::kStimulusLevel])) f.Scaled(pos::kStimulusLevel, f[field::kStimulusLevel], 1);
    // A masking level without its frequency is not written.
    if (!IsMissing(f[field::kMaskingFrequency])) {
        f.Int(pos::kMaskingFrequency, f[field::kMaskingFrequency]);
        if (!IsMissing(f[field::kMaskingLevel])) f.Scaled(pos::kMaskingLevel, f[field::kMaskingLevel], 1);
    }
    if (!IsMissing(f[field::kTonePointStatus])) {
        WriteEnumElement(context, f.Name(pos::kTonePointStatus), f[field::kTonePointStatus],
                         EnumTable::PointStatus);
    }
    return 0;
}

std::int32_t WriteSpeechPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point) {
    namespace field = speech_point;
    namespace at = schema::speech_point;
    const PointFields f{context, pointsList, point};
    const std::int16_t stimulus = f[field::kStimulusLevel];
    const std::int16_t masking = f[field::kMaskingLevel];
    if (IsMissing(stimulus) || (stimulus == 0 && masking == 0)) return 0;
    f.Scaled(at::kStimulusLevel, stimulus, 1);
    if (!IsMissing(masking)) f.Scaled(at::kMaskingLevel, masking, 1);

    const std::int16_t score = f[field::kScorePercent];
    if (IsMissing(score)) {
        f.Writer().WriteComment("Missing ScorePct inserting 0");
        f.Zero(at::kScorePercent, 2);
    } else {
        if (score < 0) f.Writer().WriteComment("ScorePct was less than 0");
        // The magnitude of a negative score stands (32768 included, hence the wider type).
        const std::int32_t magnitude = score < 0 ? -std::int32_t{score} : std::int32_t{score};
        f.Writer().WriteElement(f.Name(at::kScorePercent), NumberText::Decimal(magnitude, 2).View());
    }
    if (!IsMissing(f[field::kNumberOfWords])) f.Int(at::kNumberOfWords, f[field::kNumberOfWords]);
    return 0;
}

std::int32_t WriteDecayPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point) {
    namespace field = decay_point;
    const PointFields f{context, pointsList, point};
    if (IsMissingOrZero(f[field::kStimulusFrequency])) return 0;
    f.Int(pos::kStimulusFrequency, f[field::kStimulusFrequency]);
    f.ScaledOrZero(pos::kStimulusLevel, f[field::kStimulusLevel], 1, "Mising Intensity1 inserting a zero");
    if (!IsMissing(f[field::kMaskingFrequency])) {
        f.Int(pos::kMaskingFrequency, f[field::kMaskingFrequency]);
        f.ScaledOrZero(pos::kMaskingLevel, f[field::kMaskingLevel], 1, "Mising Intensity2 inserting a zero");
    }
    // A missing start makes the whole interval 0; the stored end is not looked at then.
    if (IsMissing(f[field::kStartTime])) {
        f.Writer().WriteComment("Missing StartTime inserting Zero");
        f.Zero(pos::kStartTime, 2);
        f.Zero(pos::kEndTime, 2);
        return 0;
    }
    WriteTime(f, pos::kStartTime, f[field::kStartTime], "StartTime was less than 0");
    if (IsMissing(f[field::kEndTime])) {
        f.Writer().WriteComment("Missing EndTime inserting Zero");
        f.Zero(pos::kEndTime, 2);
    } else {
        WriteTime(f, pos::kEndTime, f[field::kEndTime], "EndTime was less than 0");
    }
    return 0;
}

std::int32_t WriteDifferenceLimenPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point,
                                       std::int32_t modulationDecimals) {
    namespace field = difference_limen_point;
    const PointFields f{context, pointsList, point};
    if (IsMissingOrZero(f[field::kStimulusFrequency])) return 0;
    f.Int(pos::kStimulusFrequency, f[field::kStimulusFrequency]);
    f.ScaledOrZero(pos::kStimulusLevel, f[field::kStimulusLevel], 1, "Missing Intensity1 inserting a Zero");
    if (!IsMissing(f[field::kMaskingFrequency])) {
        f.Int(pos::kMaskingFrequency, f[field::kMaskingFrequency]);
        f.ScaledOrZero(pos::kMaskingLevel, f[field::kMaskingLevel], 1, "Missing Intensity2 inserting a Zero");
    }
    f.ScaledOrZero(pos::kModulationSize, f[field::kModulationSize], modulationDecimals,
                   "Missing ModulationSize inserting a Unknown");

    const std::string_view statusName = f.Name(pos::kPointStatus);
    const std::int16_t status = f[field::kPointStatus];
    if (IsMissing(status)) {
        // The comment names the status element of this curve's kind (intensity or frequency).
        f.Writer().WriteComment((ShortText() << "Missing " << statusName << " inserting a Unknown").View());
        f.Writer().WriteElement(statusName, context.table.ReplacementName(EnumTable::PointStatus, 0));
    } else {
        WriteEnumElement(context, statusName, status, EnumTable::PointStatus);
    }
    return 0;
}

std::int32_t WriteDifferenceLimenIntensityPoint(ExportContext& context, std::int32_t pointsList,
                                                ByteSpan point) {
    return WriteDifferenceLimenPoint(context, pointsList, point, 1);
}

std::int32_t WriteDifferenceLimenFrequencyPoint(ExportContext& context, std::int32_t pointsList,
                                                ByteSpan point) {
    return WriteDifferenceLimenPoint(context, pointsList, point, 2);
}

// Only the frequency decides whether a SISI point is written; its other values stand as
// they are, a missing one included.
std::int32_t WriteSiSiPoint(ExportContext& context, std::int32_t pointsList, ByteSpan point) {
    namespace field = sisi_point;
    const PointFields f{context, pointsList, point};
    if (IsMissingOrZero(f[field::kStimulusFrequency])) return 0;
    f.Int(pos::kStimulusFrequency, f[field::kStimulusFrequency]);
    f.Scaled(pos::kStimulusLevel, f[field::kStimulusLevel], 1);
    if (!IsMissing(f[field::kMaskingFrequency])) f.Int(pos::kMaskingFrequency, f[field::kMaskingFrequency]);
    if (!IsMissing(f[field::kMaskingLevel])) f.Scaled(pos::kMaskingLevel, f[field::kMaskingLevel], 1);
    f.Scaled(pos::kModulationSize, f[field::kModulationSize], 1);
    f.Int(pos::kNumberOfAnswers, f[field::kNumberOfAnswers]);
    f.Int(pos::kNumberOfIncrements, f[field::kNumberOfIncrements]);
    return 0;
}

}  // namespace audiogram
