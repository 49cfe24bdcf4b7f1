#pragma once
// What every part of the export writes with: the schema table that names the elements and
// the writer that receives the document.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "schema/schema_table.h"
#include "xml/xml_writer.h"

namespace audiogram {

struct ExportContext {
    const AudiogramSchemaTable& table;
    XmlWriter& writer;

    std::string_view Name(std::int32_t list, std::int32_t position) const {
        return table.ElementName(list, position);
    }
};

}  // namespace audiogram
