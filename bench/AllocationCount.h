#pragma once
// Every heap allocation of the benchmark program is counted (AllocationCount.cpp replaces the
// global operator new), so a benchmark can prove that the path it measures allocates nothing.

#include <benchmark/benchmark.h>

#include <cstdint>

namespace gw::bench {

std::uint64_t AllocationCount();

// Reports the allocations since `before` per iteration as the counter "allocs"; any at all fail
// the benchmark and, at the end, the program (no path measured here may allocate per message).
// Call it right after the measured loop: recording a counter allocates too.
void ExpectNoAllocation(benchmark::State& state, std::uint64_t before);
bool AnyAllocationFailed();

// A counter divided by the iterations: "per call".
inline void PerCall(benchmark::State& state, const char* name, double total) {
    state.counters[name] = benchmark::Counter(total, benchmark::Counter::kAvgIterations);
}

} // namespace gw::bench
