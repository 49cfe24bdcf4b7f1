#pragma once
// Shared by the export and import tests: records built field by field, documents written
// line by line, exports through the dispatcher checked for well-formedness, and imports
// compared with built records.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "service/blob_dispatcher.h"

namespace audiogram::testing {

// Puts a curve in use: StimulusSignalType PureTone, every other condition at its default.
inline CurveWriter Use(Record200Builder& record, Section section, std::size_t slot = 0) {
    return record.Curve(section, slot).Stimulus(meas_cond::kSignalType, 2);
}

// Stores the units of `text` (with a terminator when one fits) under a count that may lie.
void StoreText(MutableByteSpan area, CountedTextField field, std::u16string_view text, std::uint16_t count);

// The document of a 200 blob, exported through the dispatcher.
std::string Export(ByteSpan blob);
// A "== name" line and the document of a 100 or 200 blob, which must be well formed: one
// case of a golden file.
std::string NamedExport(std::string_view name, ByteSpan blob, DataStandard from = kDataStandard200);
inline std::string NamedExport(std::string_view name, const Record200Builder& record,
                               ByteSpan extension = {}) {
    return NamedExport(name, record.ToBlob(extension));
}

// One line of a document: `depth` tabs, the text, CR LF.
std::string At(int depth, std::string_view text);
// Leaf lines at `depth` from "Name=text|Name=text": a part that begins with '<' is a line
// as it stands.
std::string Leaves(int depth, std::string_view parts);
// The start tag, `inner` and the end tag of an element at `depth`.
std::string Element(int depth, std::string_view name, const std::string& inner);
// Declaration, root start tag, `body`, root end tag.
std::string Document(std::string_view body);

inline ByteSpan BytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}
// ASCII as it is, every other unit as \uXXXX.
std::string Shown(std::u16string_view text);
// The 200 record of a document, imported through the dispatcher; nothing when the import
// fails, which must answer E_FAIL and leave the result alone.
std::optional<Blob> Import(std::string_view document);
// Equal bytes, or the first offset where they differ.
::testing::AssertionResult SameBytes(ByteSpan actual, ByteSpan expected);

}  // namespace audiogram::testing
