#include "bench/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> allocations{0};
bool failed = false;

void* Allocate(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace gw::bench {

std::uint64_t AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

void ExpectNoAllocation(benchmark::State& state, std::uint64_t before) {
    const std::uint64_t count = AllocationCount() - before;
    PerCall(state, "allocs", static_cast<double>(count));
    if (count != 0) {
        failed = true;
        state.SkipWithError("allocates on the heap");
    }
}

bool AnyAllocationFailed() {
    return failed;
}

} // namespace gw::bench
