#include "export/convert200to500.h"

#include <array>

#include "export/base64.h"
#include "export/curve_export.h"
#include "export/notes_export.h"
#include "export/point_export.h"
#include "schema/schema_positions.h"
#include "records/record200_layout.h"

namespace audiogram {
namespace {

namespace root = schema::root;

enum class ExportKind {
    Curves,  // every slot of a curve section, each through the curve walk
    Notes,   // one notes block inside its element
    Masks,   // the tone-average frequency masks
};

// One row of the export order.
struct ExportSection {
    ExportKind kind;
    std::int32_t rootPosition;  // the section's element in the root list
    std::size_t offset;         // in the record
    std::size_t slots = 1;
    CurveLayout curve = {};
    PointWriter writePoint = nullptr;
};

constexpr ExportSection Curves(std::int32_t rootPosition, Section section, PointWriter writePoint) {
    const SectionLayout& layout = record200::SectionOf(section);
    return {ExportKind::Curves, rootPosition, layout.offset, layout.slots, layout.curve, writePoint};
}

constexpr ExportSection Block(ExportKind kind, std::int32_t rootPosition, std::size_t offset) {
    return {kind, rootPosition, offset};
}

// The document's order, which is not the record's: UncomfortableLevel before
// MostComfortableLevel, the decay curves after the notes, the DifferenceLimenFrequency
// curves after the DifferenceLimenIntensity ones.
constexpr std::array kExportOrder = {
    Curves(root::kToneThresholdAudiogram, Section::ToneThreshold, WriteTonePoint),
    Curves(root::kUncomfortableLevel, Section::UncomfortableLevel, WriteTonePoint),
    Curves(root::kMostComfortableLevel, Section::MostComfortableLevel, WriteTonePoint),
    Curves(root::kSpeechDiscriminationAudiogram, Section::SpeechDiscrimination, WriteSpeechPoint),
    Curves(root::kSpeechReceptionThresholdAudiogram, Section::SpeechReceptionThreshold, WriteSpeechPoint),
    Curves(root::kSpeechMostComfortableLevel, Section::SpeechMostComfortableLevel, WriteSpeechPoint),
    Curves(root::kSpeechUncomfortableLevel, Section::SpeechUncomfortableLevel, WriteSpeechPoint),
    Block(ExportKind::Notes, root::kToneNotes, record200::kToneNotesOffset),
    Block(ExportKind::Notes, root::kSpeechNotes, record200::kSpeechNotesOffset),
    Block(ExportKind::Masks, root::kFrequenciesUsedForToneAverage, record200::kToneAverageOffset),
    Curves(root::kDecayAudiogram, Section::Decay, WriteDecayPoint),
    Curves(root::kAlternateBinauralLoudnessBalanceAudiogram, Section::AlternateBinauralLoudnessBalance,
           WriteTonePoint),
    Curves(root::kStengerAudiogram, Section::Stenger, WriteTonePoint),
    Curves(root::kDifferenceLimenIntensity, Section::DifferenceLimenIntensity, WriteDifferenceLimenIntensityPoint),
    Curves(root::kDifferenceLimenFrequency, Section::DifferenceLimenFrequency, WriteDifferenceLimenFrequencyPoint),
    Curves(root::kShortIncrementSensitivityIndex, Section::ShortIncrementSensitivityIndex, WriteSiSiPoint),
};

// Every curve section of the record is exported exactly once.
constexpr bool EveryCurveSectionOnce() {
    for (const SectionLayout& layout : record200::kCurveSections) {
        int seen = 0;
        for (const ExportSection& section : kExportOrder) {
            if (section.kind == ExportKind::Curves && section.offset == layout.offset) ++seen;
        }
        if (seen != 1) return false;
    }
    return true;
}
static_assert(EveryCurveSectionOnce());

std::int32_t ExportSectionOf(ExportContext& context, ByteSpan record, const ExportSection& section) {
    const std::int32_t list = context.ListOf(schema::kRootList, section.rootPosition);
    switch (section.kind) {
        case ExportKind::Curves:
            for (std::size_t slot = 0; slot < section.slots; ++slot) {
                const ByteSpan curve = record.subspan(section.offset + slot * section.curve.size, section.curve.size);
                if (const auto status = WriteCurve(context, list, curve, section.curve, section.writePoint);
                    status != 0) {
                    return status;
                }
            }
            return 0;
        case ExportKind::Notes: {
            context.writer.PushElement(context.Name(list, 0));
            const auto status = WriteNotes(context, list, record.subspan(section.offset, record200::notes::kSize));
            context.writer.PopElement(true);
            return status;
        }
        case ExportKind::Masks:
            return WriteToneAverageFrequencies(context, record.subspan(section.offset, record200::tone_average::kSize));
    }
    return 0;
}

}  // namespace

std::int32_t Convert200to500::Convert_Audio(ByteSpan record, const CExtensionData* extension) {
    if (record.size() < record200::kSize) return -1;
    record = record.first(record200::kSize);
    XmlWriter& writer = context_.writer;

    writer.AppendText("<");
    writer.AppendText(table_.DeclarationText());
    writer.AppendText(">");
    writer.NewLine();
    writer.PushElement(table_.RootName(), table_.RootAttributeText());

    for (const ExportSection& section : kExportOrder) {
        if (const auto status = ExportSectionOf(context_, record, section); status != 0) return status;
    }

    // Always the root's last child: the import stops reading at this element.
    if (extension != nullptr && extension->DataSize() > 0) {
        writer.WriteElement(context_.Name(schema::kRootList, root::kPrivateAudiogramData),
                            EncodeBase64(extension->Data()));
    }
    // The root is closed even when empty.
    writer.PopElement(false);
    return 0;
}

}  // namespace audiogram
