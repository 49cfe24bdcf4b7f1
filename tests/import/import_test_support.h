#pragma once
// Small helpers shared by the import tests: documents around a body, the import of a
// document into a fresh empty record, and UTF-16 texts shown as readable strings.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "import/convert500to200.h"
#include "records/counted_text.h"
#include "records/empty_record.h"
#include "records/record200_layout.h"

namespace audiogram::test {

inline ByteSpan BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// ASCII as it is, every other unit as \uXXXX.
inline std::string Shown(std::u16string_view text) {
    std::string shown;
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            shown.push_back(static_cast<char>(unit));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
            shown += escaped;
        }
    }
    return shown;
}

inline std::u16string Widened(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

// The declaration and the root's start tag as the export writes them, then `body`.
inline std::string OpenDocument(std::string_view body) {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<TORVAAudiometricStandard  ConvertedFromDataStandard=\"200\" Version=\"500\" "
               "xmlns=\"http://www.torva.com/Measurement/Audiogram\">\r\n") +
           std::string(body);
}

// A whole document around `body`.
inline std::string Document(std::string_view body) {
    return OpenDocument(body) + "</TORVAAudiometricStandard>\r\n";
}

struct ImportResult {
    std::int32_t status = 0;
    std::unique_ptr<Record200Bytes> record = std::make_unique<Record200Bytes>();

    std::int16_t I16(std::size_t offset) const { return LoadI16(*record, offset); }
    std::u16string Text(std::size_t areaOffset, CountedTextField field) const {
        return ReadTextToTerminator(ByteSpan(*record).subspan(areaOffset), field);
    }
    std::uint16_t Count(std::size_t areaOffset, CountedTextField field) const {
        return LoadU16(*record, areaOffset + field.offset);
    }
};

inline ImportResult Import(std::string_view document) {
    ImportResult result;
    MakeEmptyRecord200(*result.record);
    result.status = Convert500to200().Convert_Audio(BytesOf(document), *result.record);
    return result;
}

inline std::unique_ptr<Record200Bytes> EmptyRecord() {
    auto record = std::make_unique<Record200Bytes>();
    MakeEmptyRecord200(*record);
    return record;
}

}  // namespace audiogram::test
