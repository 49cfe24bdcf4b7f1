// Replaces the global operator new and delete with counting ones. Each block carries its
// size in a header of one maximal alignment, so the delete without a size knows what it
// frees and the blocks keep the alignment malloc gives. Every form is replaced, so that a
// sanitizer's own forms never meet a block of ours.

#include "support/allocation_counter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace audiogram::testing {
namespace {

constexpr std::size_t kHeader = alignof(std::max_align_t);

// Plain per-thread counters: no lock and no atomic on the allocation path, so the counting
// barely shows in the timings it runs beside.
struct ThreadCounts {
    std::uint64_t allocations = 0;
    std::size_t liveBytes = 0;
    std::size_t peakBytes = 0;
};
thread_local ThreadCounts counts;

constexpr std::uint64_t kNoFailure = UINT64_MAX;
thread_local std::uint64_t failingAllocation = kNoFailure;  // by the count of allocations

void* CountedAllocate(std::size_t size) noexcept {
    if (counts.allocations == failingAllocation) {
        failingAllocation = kNoFailure;
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (block == nullptr) return nullptr;
    std::memcpy(block, &size, sizeof size);
    ++counts.allocations;
    counts.liveBytes += size;
    counts.peakBytes = std::max(counts.peakBytes, counts.liveBytes);
    return block + kHeader;
}

void CountedFree(void* pointer) noexcept {
    if (pointer == nullptr) return;
    unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    // A block freed by another thread than the one that made it may take a count below zero.
    counts.liveBytes = counts.liveBytes >= size ? counts.liveBytes - size : 0;
    std::free(block);
}

void* CountedNew(std::size_t size) {
    if (void* pointer = CountedAllocate(size)) return pointer;
    throw std::bad_alloc();
}

}  // namespace

AllocationProbe::AllocationProbe() : allocationsAtStart_(counts.allocations), liveAtStart_(counts.liveBytes) {
    counts.peakBytes = counts.liveBytes;
}

std::uint64_t AllocationProbe::Allocations() const { return counts.allocations - allocationsAtStart_; }

std::size_t AllocationProbe::PeakBytes() const {
    return counts.peakBytes > liveAtStart_ ? counts.peakBytes - liveAtStart_ : 0;
}

AllocationFailure::AllocationFailure(std::uint64_t index) { failingAllocation = counts.allocations + index; }
AllocationFailure::~AllocationFailure() { failingAllocation = kNoFailure; }

}  // namespace audiogram::testing

using audiogram::testing::CountedAllocate;
using audiogram::testing::CountedFree;
using audiogram::testing::CountedNew;

// clang-format off
void* operator new(std::size_t size) { return CountedNew(size); }
void* operator new[](std::size_t size) { return CountedNew(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return CountedAllocate(size); }
void operator delete(void* pointer) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { CountedFree(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { CountedFree(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { CountedFree(pointer); }
// clang-format on
