#pragma once
// Records built field by field, their export through the dispatcher, and the expected
// documents written line by line.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/counted_text.h"
#include "records/record200_layout.h"

namespace audiogram::testing {

// Starts as the empty record: every curve slot unused, every point field missing.
class TestRecord {
public:
    TestRecord();

    MutableByteSpan CurveBytes(Section section, std::size_t slot);
    // Puts a curve in use: StimulusSignalType PureTone, every other condition at its default.
    TestRecord& Use(Section section, std::size_t slot = 0);
    TestRecord& Cond(Section section, std::size_t slot, std::size_t offset, std::int16_t value);
    // Stores the text and its terminator; the count is the text's length unless given.
    TestRecord& CondText(Section section, std::size_t slot, CountedTextField field, std::u16string_view text,
                         std::optional<std::uint16_t> count = std::nullopt);
    // The leading fields of one point in layout order.
    TestRecord& Point(Section section, std::size_t slot, std::size_t index, const std::vector<std::int16_t>& fields);
    TestRecord& Note(std::size_t blockOffset, CountedTextField field, std::u16string_view text,
                     std::optional<std::uint16_t> count = std::nullopt);
    TestRecord& Mask(std::size_t maskOffset, std::uint16_t mask);

    Record200Bytes bytes{};
};

void StoreText(MutableByteSpan area, CountedTextField field, std::u16string_view text,
               std::optional<std::uint16_t> count);

// The document of a 200 blob (the record and `extension`), exported through the dispatcher
// and checked by xmllint for well-formedness.
std::string ExportDocument(const Record200Bytes& record, std::vector<std::uint8_t> extension = {});

// Runs `xmllint --noout` over the documents: its complaints, empty when every one is well-formed.
std::string LintErrors(const std::vector<std::string>& documents);

// One line of an expected document: `depth` tabs, the text, CR LF.
std::string At(int depth, std::string_view text);
// Declaration, root start tag, `body`, root end tag.
std::string Document(std::string_view body);
// The conditions of a curve that `TestRecord::Use` left alone, with `extra` leaf lines
// (depth 3, without tabs) after the presentation types.
std::string UsedConditions(std::initializer_list<std::string_view> extra = {});

}  // namespace audiogram::testing
