// Where the detection run's graphics query goes. Its Direct3D start-up keeps a processor busy for
// a few hundred milliseconds and runs alongside the other tests and the program's own start-up
// to hide that time; on a processor of its own (with the driver threads it starts), it leaves the
// others to the program's thread. The processor benchmark follows the query, once it is over.
#pragma once

#include <cstdint>
#include <optional>

namespace detection {

struct ProcessorPlan {
    // The processor the graphics query's own thread is bound to. None: the machine has a single
    // processor (or says nothing of its processors), and the query runs in RunTests on the
    // calling thread, before the benchmark.
    std::optional<int> graphics;
};

// The graphics query takes the highest processor of the affinity mask: on hybrid designs the low
// numbers are the fast cores, which the program's thread wants.
ProcessorPlan PlanProcessors(uint64_t affinityMask);

} // namespace detection
