#include "record_input.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "record_builder/record_sets.h"
#include "schema/section_rows.h"

namespace audiogram::fuzz {
namespace {

// The input's bytes in turn; zeros once they run out.
class Reader {
  public:
    explicit Reader(ByteSpan input) : input_(input) {}
    bool AtEnd() const { return at_ >= input_.size(); }
    std::uint8_t Next() { return AtEnd() ? 0 : input_[at_++]; }
    ByteSpan Take(std::size_t count) {
        const ByteSpan taken = input_.subspan(at_, std::min(count, input_.size() - at_));
        at_ += taken.size();
        return taken;
    }

  private:
    ByteSpan input_;
    std::size_t at_ = 0;
};

template <typename Rows>
const auto& Pick(const Rows& rows, std::uint8_t selector) {
    return rows[selector % rows.size()];
}

// Where a patch's value goes in the record: its field's offset from the start of the record.
FieldRow PatchedField(const SectionRow& section, Reader& reader) {
    const std::uint8_t slot = reader.Next();
    const std::uint8_t point = reader.Next();
    std::size_t area = section.offset;
    std::span<const FieldRow> fields = section.fields;
    if (section.kind == SectionKind::Curves) {
        area = section.CurveOffset(slot % section.slots);
        fields = kMeasurementConditionFields;
        if (point != kConditions) {
            area += section.curve.PointOffset(point % section.curve.pointCount);
            fields = section.pointFields;
        }
    }
    FieldRow field = Pick(fields, reader.Next());
    field.offset += area;
    return field;
}

}  // namespace

std::vector<std::uint8_t> RecordFromInput(ByteSpan input) {
    if (IsRawRecordInput(input)) {
        const ByteSpan raw = input.subspan(std::min<std::size_t>(input.size(), 1));
        return {raw.begin(), raw.end()};
    }
    Reader reader(input.subspan(1));
    static const std::array<std::vector<std::uint8_t>, kBaseRecordCount> kBases = {
        record_sets::Empty200(), record_sets::Typical200(), record_sets::EverySection200()};
    std::vector<std::uint8_t> record = kBases[static_cast<std::size_t>(input[0] - kFirstPatchedInput) % kBaseRecordCount];
    std::vector<std::uint8_t> extension;
    while (!reader.AtEnd()) {
        const SectionRow& section = Pick(kSectionRows, reader.Next());
        if (section.kind == SectionKind::Extension) {
            const ByteSpan bytes = reader.Take(reader.Next());
            extension.insert(extension.end(), bytes.begin(), bytes.end());
            continue;
        }
        const FieldRow field = PatchedField(section, reader);
        // The rows lie inside their areas and the areas inside the record; the bound is the
        // record's all the same, as the input is untrusted.
        const ByteSpan value = reader.Take(std::min(field.width, record.size() - std::min(record.size(), field.offset)));
        std::copy(value.begin(), value.end(), record.begin() + static_cast<std::ptrdiff_t>(field.offset));
    }
    record.insert(record.end(), extension.begin(), extension.end());
    return record;
}

std::vector<std::uint8_t> RawRecordInput(ByteSpan record) {
    std::vector<std::uint8_t> input = {0};  // any first byte below kFirstPatchedInput
    input.insert(input.end(), record.begin(), record.end());
    return input;
}

std::vector<std::uint8_t> BaseRecordInput(std::uint8_t base, std::string_view extension) {
    std::vector<std::uint8_t> input = {static_cast<std::uint8_t>(kFirstPatchedInput + base % kBaseRecordCount)};
    for (std::size_t at = 0; at < extension.size(); at += UINT8_MAX) {
        const std::string_view part = extension.substr(at, UINT8_MAX);
        input.push_back(static_cast<std::uint8_t>(kSectionRows.size() - 1));
        input.push_back(static_cast<std::uint8_t>(part.size()));
        input.insert(input.end(), part.begin(), part.end());
    }
    return input;
}

}  // namespace audiogram::fuzz
