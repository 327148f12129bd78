// In a source file of its own, so that the compiler never sees a block's operator new and its
// operator delete inlined side by side (it would take malloc and free for a mismatch).
#include "AllocationProbe.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
bool gWatching = false;
size_t gLargest = 0;
size_t gFailFrom = SIZE_MAX;
} // namespace

TLargestAllocation::TLargestAllocation() {
    gLargest = 0;
    gWatching = true;
}
TLargestAllocation::~TLargestAllocation() {
    gWatching = false;
}
size_t TLargestAllocation::Bytes() const {
    return gLargest;
}

TAllocationLimit::TAllocationLimit(size_t bytes) {
    gFailFrom = bytes;
}
TAllocationLimit::~TAllocationLimit() {
    gFailFrom = SIZE_MAX;
}

void* operator new(size_t n, const std::nothrow_t&) noexcept {
    if (gWatching) gLargest = std::max(gLargest, n);
    return n >= gFailFrom ? nullptr : std::malloc(n ? n : 1);
}
void* operator new(size_t n) {
    if (void* p = operator new(n, std::nothrow)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
