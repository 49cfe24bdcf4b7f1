#pragma once
// The copy plan of both relocations, worked out by the compiler from the section map: the
// 200 record in record order as blocks, each taken either from the 100 record or from the
// empty record (the parts data standard 100 lacks). Neighbouring blocks that are neighbours
// in their source too are one block: a curve's points and the next curve's measurement
// conditions lie side by side in both records, so most curves cost one copy, not two.

#include <array>
#include <cstddef>

#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram::relocation {

enum class Origin { Record100, EmptyRecord };

struct Block {
    Origin origin;
    std::size_t from;  // offset in the 100 record, or in the empty record (then equal to `to`)
    std::size_t to;    // offset in the 200 record
    std::size_t length;

    constexpr bool Continues(const Block& next) const {
        return next.origin == origin && next.from == from + length && next.to == to + length;
    }
};

// Every block of the 200 record before merging, handed to `add` in record order.
template <typename Add>
constexpr void WalkRecord200(Add add) {
    using record100::kMeasCondSize;
    for (const record100::SectionMap& map : record100::kSections) {
        const SectionLayout& section = map.section200;
        for (std::size_t slot = 0; slot < section.slots; ++slot) {
            const std::size_t curve = section.CurveOffset(slot);
            if (slot >= map.slots) {
                add(Block{Origin::EmptyRecord, curve, curve, section.curve.size});
                continue;
            }
            const std::size_t curve100 = map.CurveOffset(slot);
            const std::size_t points = curve + section.curve.PointsOffset();
            add(Block{Origin::Record100, curve100, curve, kMeasCondSize});
            const std::size_t lacking = curve + kMeasCondSize;  // conditions data standard 100 lacks
            add(Block{Origin::EmptyRecord, lacking, lacking, points - lacking});
            add(Block{Origin::Record100, curve100 + map.PointsOffset(), points, section.curve.PointsSize()});
        }
    }
    const std::size_t tail = record200::kToneNotesOffset;
    add(Block{Origin::EmptyRecord, tail, tail, record200::kSize - tail});
}

// The merged blocks, `Size` of them: with `Size` 0 nothing is stored and only the count
// comes back, which is how the plan below learns its own size.
template <std::size_t Size>
struct MergedPlan {
    std::array<Block, Size> blocks{};
    std::size_t count = 0;
};

template <std::size_t Size>
constexpr MergedPlan<Size> MergeRecord200() {
    MergedPlan<Size> plan;
    Block pending{};
    bool started = false;
    const auto flush = [&] {
        if constexpr (Size > 0) plan.blocks[plan.count] = pending;
        ++plan.count;
    };
    WalkRecord200([&](const Block& block) {
        if (started && pending.Continues(block)) {
            pending.length += block.length;
            return;
        }
        if (started) flush();
        pending = block;
        started = true;
    });
    flush();
    return plan;
}

// The 200 record as merged blocks in record order. 200 to 100 copies back those that came
// from the 100 record; that the whole plan fills the 200 record exactly is what shows them
// right.
inline constexpr auto kRecord200Blocks = MergeRecord200<MergeRecord200<0>().count>().blocks;

constexpr bool PlanFillsRecord200() {
    std::size_t next = 0, from100 = 0;
    for (const Block& block : kRecord200Blocks) {
        if (block.to != next || block.length == 0) return false;
        if (block.origin == Origin::EmptyRecord && block.from != block.to) return false;
        if (block.origin == Origin::Record100) {
            if (block.from != from100) return false;  // the 100 record is read once, in order
            from100 += block.length;
        }
        next += block.length;
    }
    return next == record200::kSize && from100 == record100::kSize;
}

static_assert(PlanFillsRecord200());

}  // namespace audiogram::relocation
