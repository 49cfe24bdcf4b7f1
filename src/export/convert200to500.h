#pragma once
// The export of one 200 record, with the extension bytes that followed it, as a data
// standard 500 document.

#include <cstdint>

#include "export/export_context.h"
#include "schema/schema_table.h"
#include "records/extension_data.h"
#include "records/little_endian.h"
#include "support/status.h"
#include "xml/xml_writer.h"

namespace audiogram {

class Convert200to500 {
public:
    // The document goes into `writer`, which the caller reads after a successful export.
    explicit Convert200to500(XmlWriter& writer) : context_{table_, writer} {}
    Convert200to500(const Convert200to500&) = delete;
    Convert200to500& operator=(const Convert200to500&) = delete;

    // Writes the whole document: kStatusOk, or a failure when the record is shorter than a
    // 200 record. The writer's failures pass through as exceptions, for the step that owns
    // the writer to turn into statuses.
    HResult Convert_Audio(ByteSpan record, const CExtensionData* extension);

private:
    AudiogramSchemaTable table_;
    ExportContext context_;
};

}  // namespace audiogram
