#pragma once
// Shared by the export and import tests: records built field by field, expected documents
// written line by line, exports through the dispatcher, and runs of xmllint.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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
// The document of a built record and its extension bytes, checked by xmllint.
std::string ExportDocument(const Record200Builder& record, ByteSpan extension = {});

// Runs xmllint with `options` over the documents; `output` receives what it wrote.
::testing::AssertionResult Xmllint(std::string_view options, const std::vector<std::string>& documents,
                                   std::string* output = nullptr);

// One line of an expected document: `depth` tabs, the text, CR LF.
std::string At(int depth, std::string_view text);
// Leaf lines at `depth` from "Name=text|Name=text|<!--comment -->": a part that begins with
// '<' is a line as it stands.
std::string Leaves(int depth, std::string_view parts);
// The start tag, `inner` and the end tag of an element at `depth`.
std::string Element(int depth, std::string_view name, const std::string& inner);
// Declaration, root start tag, `body`, root end tag.
std::string Document(std::string_view body);
// The conditions of a curve that `Use` left alone, with `extra` leaves (as for `Leaves`)
// after the presentation types.
std::string UsedConditions(std::string_view extra = "");

}  // namespace audiogram::testing
