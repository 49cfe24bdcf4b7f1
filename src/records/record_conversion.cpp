#include "records/record_conversion.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include "records/empty_record.h"
#include "records/record100_layout.h"

namespace audiogram {
namespace {

enum class Direction { To200, To100 };

// A block of a size known at compile time, copied as 16-byte moves kept in registers: for the
// blocks of a curve (a few hundred bytes) that costs less than a string instruction or a
// library call.
template <std::size_t Size>
void CopyBlock(std::uint8_t* to, const std::uint8_t* from) {
    constexpr std::size_t kChunk = 16;
    for (std::size_t i = 0; i + kChunk <= Size; i += kChunk) std::memcpy(to + i, from + i, kChunk);
    if constexpr (Size % kChunk != 0)
        std::memcpy(to + Size - Size % kChunk, from + Size - Size % kChunk, Size % kChunk);
}

// The two block copies of every curve of one section, its row of the map given as a template
// argument: the sizes of the copies are then constants, which the compiler turns into a few
// wide moves instead of a library call per block. The bounds were checked by the callers.
template <std::size_t Row, Direction direction>
void CopySection(const std::uint8_t* from, std::uint8_t* to) {
    constexpr record100::SectionMap kMap = record100::kSections[Row];
    constexpr std::size_t kPointsSize = kMap.section200.curve.PointsSize();
    constexpr std::size_t kPoints200 = kMap.section200.curve.PointsOffset();
    for (std::size_t slot = 0; slot < kMap.slots; ++slot) {
        const std::size_t curve100 = kMap.CurveOffset(slot);
        const std::size_t curve200 = kMap.section200.CurveOffset(slot);
        if constexpr (direction == Direction::To200) {
            CopyBlock<record100::kMeasCondSize>(to + curve200, from + curve100);
            CopyBlock<kPointsSize>(to + curve200 + kPoints200, from + curve100 + kMap.PointsOffset());
        } else {
            CopyBlock<record100::kMeasCondSize>(to + curve100, from + curve200);
            CopyBlock<kPointsSize>(to + curve100 + kMap.PointsOffset(), from + curve200 + kPoints200);
        }
    }
}

// The same for every row of the map, in map order.
template <Direction direction, std::size_t... Rows>
void CopySections(const std::uint8_t* from, std::uint8_t* to, std::index_sequence<Rows...>) {
    (CopySection<Rows, direction>(from, to), ...);
}

template <Direction direction>
void CopyCurves(ByteSpan from, MutableByteSpan to) {
    CopySections<direction>(from.data(), to.data(), std::make_index_sequence<record100::kSections.size()>());
}

}  // namespace

void ConvertRecord100to200(ByteSpan record100, MutableByteSpan record200) {
    MakeEmptyRecord200(record200);
    CopyCurves100to200(record100, record200);
}

// Every curve slot of the 200 record that a 100 curve fills is overwritten whole, except
// for the parts of the measurement conditions that data standard 100 lacks; the empty
// record has those in their default state. The tone threshold slots 6 to 17, the notes and
// the masks keep the empty record's values.
void CopyCurves100to200(ByteSpan record100, MutableByteSpan record200) {
    assert(record100.size() >= record100::kSize && record200.size() >= record200::kSize);
    if (record100.size() < record100::kSize || record200.size() < record200::kSize) return;
    CopyCurves<Direction::To200>(record100, record200);
}

void ConvertRecord200to100(ByteSpan record200, MutableByteSpan record100) {
    assert(record200.size() >= record200::kSize && record100.size() >= record100::kSize);
    if (record200.size() < record200::kSize || record100.size() < record100::kSize) return;
    CopyCurves<Direction::To100>(record200, record100);
}

}  // namespace audiogram
