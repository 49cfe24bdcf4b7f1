#pragma once
// Convert500to200: reads one data standard 500 document into one 200 record. Every field
// the document does not mention keeps its value of the empty record the caller made.

#include <cstdint>

#include "schema/schema_table.h"
#include "records/little_endian.h"

namespace audiogram {

class Convert500to200 {
public:
    // 0 when the walk ended at the end of an element (the document was read), -1 on error.
    // `document` ends at its first NUL byte or its end; `record` is 36128 bytes, made empty.
    std::int32_t Convert_Audio(ByteSpan document, MutableByteSpan record);

private:
    AudiogramSchemaTable schema_;
};

}  // namespace audiogram
