#include "records/record_conversion.h"

#include <cassert>
#include <cstring>
#include <utility>

#include "records/empty_record.h"
#include "records/record100_layout.h"
#include "records/relocation_plan.h"

namespace audiogram {
namespace {

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
// (From 200 to 100 the merged blocks of the copy plan measured faster: see below.)
template <std::size_t Row>
void CopySection(const std::uint8_t* from, std::uint8_t* to) {
    constexpr record100::SectionMap kMap = record100::kSections[Row];
    constexpr std::size_t kPointsSize = kMap.section200.curve.PointsSize();
    constexpr std::size_t kPoints200 = kMap.section200.curve.PointsOffset();
    for (std::size_t slot = 0; slot < kMap.slots; ++slot) {
        const std::size_t curve100 = kMap.CurveOffset(slot);
        const std::size_t curve200 = kMap.section200.CurveOffset(slot);
        CopyBlock<record100::kMeasCondSize>(to + curve200, from + curve100);
        CopyBlock<kPointsSize>(to + curve200 + kPoints200, from + curve100 + kMap.PointsOffset());
    }
}

// The same for every row of the map, in map order.
template <std::size_t... Rows>
void CopySections(const std::uint8_t* from, std::uint8_t* to, std::index_sequence<Rows...>) {
    (CopySection<Rows>(from, to), ...);
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
    CopySections(record100.data(), record200.data(), std::make_index_sequence<record100::kSections.size()>());
}

// The 100 record is the 200 record's blocks that came from it, in the same order: the
// merged blocks of the copy plan (one per curve, a curve's points run on into the next
// curve's conditions) with the library's memcpy.
void ConvertRecord200to100(ByteSpan record200, MutableByteSpan record100) {
    assert(record200.size() >= record200::kSize && record100.size() >= record100::kSize);
    if (record200.size() < record200::kSize || record100.size() < record100::kSize) return;
    for (const relocation::Block& block : relocation::kRecord200Blocks) {
        if (block.origin != relocation::Origin::Record100) continue;
        std::memcpy(record100.data() + block.from, record200.data() + block.to, block.length);
    }
}

// Appending the blocks in record order writes every byte of the result once: no clearing
// first, no second copy from a working record.
void AppendRecord200to100(ByteSpan record200, std::vector<std::uint8_t>& out) {
    if (record200.size() < record200::kSize) return;
    out.reserve(out.size() + record100::kSize);
    for (const relocation::Block& block : relocation::kRecord200Blocks) {
        if (block.origin != relocation::Origin::Record100) continue;
        const std::uint8_t* from = record200.data() + block.to;
        out.insert(out.end(), from, from + block.length);
    }
}

}  // namespace audiogram
