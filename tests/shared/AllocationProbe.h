// Test programs that link AllocationProbe.cpp get their own global operator new, which can watch
// allocations and make large ones fail on purpose.
#pragma once

#include <cstddef>

// The largest single allocation made while it lives.
class TLargestAllocation {
  public:
    TLargestAllocation();
    ~TLargestAllocation();
    TLargestAllocation(const TLargestAllocation&) = delete;
    TLargestAllocation& operator=(const TLargestAllocation&) = delete;
    size_t Bytes() const;
};

// While it lives, every allocation of at least `bytes` throws std::bad_alloc.
class TAllocationLimit {
  public:
    explicit TAllocationLimit(size_t bytes);
    ~TAllocationLimit();
    TAllocationLimit(const TAllocationLimit&) = delete;
    TAllocationLimit& operator=(const TAllocationLimit&) = delete;
};
