// The benchmark program: Google Benchmark's own command line, and a failing exit status when a
// measured path allocated on the heap.

#include "bench/AllocationCount.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return gw::bench::AnyAllocationFailed() ? 1 : 0;
}
