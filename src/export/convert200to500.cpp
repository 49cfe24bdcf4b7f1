#include "export/convert200to500.h"

#include "export/base64.h"
#include "export/curve_export.h"
#include "export/notes_export.h"
#include "records/record200_layout.h"
#include "schema/section_rows.h"

namespace audiogram {
namespace {

void ExportSection(ExportContext& context, ByteSpan record, const CExtensionData* extension,
                   const SectionRow& section) {
    switch (section.kind) {
        case SectionKind::Curves:
            for (std::size_t slot = 0; slot < section.slots; ++slot) {
                WriteCurve(context, section.list,
                           record.subspan(section.CurveOffset(slot), section.curve.size), section.curve,
                           section.pointFields);
            }
            return;
        case SectionKind::Notes:
            context.writer.PushElement(context.Name(section.list, 0));
            WriteNotes(context, record.subspan(section.offset, section.size));
            context.writer.PopElement(true);
            return;
        case SectionKind::ToneAverage:
            WriteToneAverageFrequencies(context, record.subspan(section.offset, section.size));
            return;
        case SectionKind::Extension:
            if (extension != nullptr && extension->DataSize() > 0) {
                context.writer.WriteElement(section.name, EncodeBase64(extension->Data()));
            }
            return;
    }
}

}  // namespace

HResult Convert200to500::Convert_Audio(ByteSpan record, const CExtensionData* extension) {
    if (record.size() < record200::kSize) return kStatusFail;
    record = record.first(record200::kSize);
    XmlWriter& writer = context_.writer;

    writer.AppendText("<");
    writer.AppendText(table_.DeclarationText());
    writer.AppendText(">");
    writer.NewLine();
    writer.PushElement(table_.RootName(), table_.RootAttributeText());
    for (const SectionRow& section : kSectionRows) ExportSection(context_, record, extension, section);
    // The root is closed even when empty.
    writer.PopElement(false);
    return kStatusOk;
}

}  // namespace audiogram
