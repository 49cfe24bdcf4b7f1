#pragma once
// Counts the heap allocations of the calling thread through a replacement of the global
// operator new and delete (allocation_counter.cpp, linked into the test or benchmark that
// measures), and fails one of them on request.

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
};

}  // namespace audiogram::testing
