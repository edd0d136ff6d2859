// Where the detection run's two heavy jobs go: the processor benchmark, which must have its
// processor to itself, and the graphics query, whose Direct3D start-up keeps a processor busy
// for a few hundred milliseconds and is run alongside the other tests to hide that time.
#pragma once

#include <cstdint>
#include <optional>

namespace detection {

struct ProcessorPlan {
    // Processors the benchmark may measure on (bit n = processor n); 0 means wherever it runs.
    uint64_t benchmark = 0;
    // The processor the graphics query's own thread is bound to. None: the machine has a single
    // processor (or says nothing of its processors), and the query runs in RunTests on the
    // calling thread, before the benchmark.
    std::optional<int> graphics;
};

// The graphics query takes the highest processor of the affinity mask, the benchmark the rest:
// on hybrid designs the low numbers are the fast cores, which the benchmark wants.
ProcessorPlan PlanProcessors(uint64_t affinityMask);

} // namespace detection
