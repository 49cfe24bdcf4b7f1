#pragma once
// Counts the heap allocations of the calling thread through a replacement of the global
// operator new and delete (allocation_counter.cpp, linked into the test or benchmark that
// measures). Every allocation of the conversions goes through them: the writer's buffer,
// strings, vectors and blobs.

#include <cstddef>
#include <cstdint>

namespace audiogram::testing {

// What the calling thread allocated since the probe was made, and the most bytes it held
// at once beyond what it held when the probe was made.
class AllocationProbe {
  public:
    AllocationProbe();

    std::uint64_t Allocations() const;
    std::size_t PeakBytes() const;
    // The bytes allocated since and not yet freed (0 when as much was freed as allocated).
    std::size_t HeldBytes() const;

  private:
    std::uint64_t allocationsAtStart_;
    std::size_t liveAtStart_;
};

// While it lives, the `index`-th allocation of the calling thread after its making (0 the
// next one) fails as on an exhausted heap; the ones after it succeed again.
class AllocationFailure {
  public:
    explicit AllocationFailure(std::uint64_t index);
    ~AllocationFailure();
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;

    bool Happened() const;
};

}  // namespace audiogram::testing
