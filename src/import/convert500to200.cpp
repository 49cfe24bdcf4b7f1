#include "import/convert500to200.h"

#include <algorithm>
#include <array>
#include <span>

#include "import/leaf_rules.h"
#include "import/section_readers.h"
#include "import/xml_reader.h"
#include "records/record200_layout.h"
#include "schema/section_rows.h"

namespace audiogram {
namespace {

// The section rows by their positions in the root's list: row p - 1 for position p.
constexpr std::array<SectionRow, kSectionRows.size()> RowsByRootPosition() {
    std::array<SectionRow, kSectionRows.size()> rows = kSectionRows;
    for (const SectionRow& row : kSectionRows) rows[static_cast<std::size_t>(row.rootPosition - 1)] = row;
    return rows;
}
constexpr auto kRootChildren = RowsByRootPosition();

constexpr std::size_t LargestCurveSize() {
    std::size_t largest = 0;
    for (const SectionLayout& layout : record200::kCurveSections)
        largest = std::max(largest, layout.curve.size);
    return largest;
}

// The state of one walk over the root's children.
class RootWalk {
public:
    RootWalk(AudiogramXmlReader& reader, MutableByteSpan record) : reader_(reader), record_(record) {}

    // Every child of the root in turn, until the end tag of the element the walk is in.
    HResult Run() {
        LeafText text;
        for (;;) {
            const Result<std::int32_t> next = reader_.NextElement(text);
            if (next.Failed()) return next.status;
            if (next.value == 0) return kStatusOk;
            RETURN_IF_FAILED_STATUS(ImportChild(next.value));
        }
    }

private:
    HResult ImportChild(std::int32_t position) {
        if (position < 1 || static_cast<std::size_t>(position) > kRootChildren.size()) return kStatusFail;
        const auto index = static_cast<std::size_t>(position - 1);
        const SectionRow& row = kRootChildren[index];
        switch (row.kind) {
            case SectionKind::Curves:
                return ReadCurve(reader_, CurveArea(row, index), row.curve, row.pointFields);
            case SectionKind::Notes:
                return ReadNotes(reader_, record_.subspan(row.offset, row.size));
            case SectionKind::ToneAverage:
                return ReadFrequencyMasks(reader_, record_.subspan(row.offset, row.size));
            case SectionKind::Extension:
                // PrivateAudiogramData, and every name the root's list does not know.
                // Its content is never read; its end tag then ends the walk.
                return reader_.SkipToNextTag();
        }
        return kStatusFail;
    }

    // The block of the row's next slot, or a scratch block for an element beyond the slots.
    MutableByteSpan CurveArea(const SectionRow& row, std::size_t index) {
        std::size_t slot = 0;
        if (row.counted) {
            slot = usedSlots_[index];
            if (slot == row.slots) return MutableByteSpan(surplusCurve_).first(row.curve.size);
            ++usedSlots_[index];
        }
        return record_.subspan(row.offset + slot * row.curve.size, row.curve.size);
    }

    AudiogramXmlReader& reader_;
    MutableByteSpan record_;
    std::array<std::size_t, kRootChildren.size()> usedSlots_{};
    std::array<std::uint8_t, LargestCurveSize()> surplusCurve_{};
};

}  // namespace

HResult Convert500to200::Convert_Audio(ByteSpan document, MutableByteSpan record) {
    if (record.size() < record200::kSize) return kStatusFail;
    AudiogramXmlReader reader(schema_, document, textRules_);
    return RootWalk(reader, record).Run();
}

}  // namespace audiogram
