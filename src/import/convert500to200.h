#pragma once
// Convert500to200: reads one data standard 500 document into one 200 record. Every field
// the document does not mention keeps its value of the empty record the caller made.

#include <cstdint>

#include "schema/schema_table.h"
#include "records/little_endian.h"
#include "support/status.h"
#include "xml/text_rules.h"

namespace audiogram {

class Convert500to200 {
public:
    // The rules turn the escapes of element text back; they outlive the converter.
    explicit Convert500to200(TextRules& textRules) : textRules_(textRules) {}

    // kStatusOk when the walk ended at the end of an element (the document was read), a
    // failure when the document could not be read.
    // `document` ends at its first NUL byte or its end; `record` is 36128 bytes, made empty.
    HResult Convert_Audio(ByteSpan document, MutableByteSpan record);

private:
    AudiogramSchemaTable schema_;
    TextRules& textRules_;
};

}  // namespace audiogram
