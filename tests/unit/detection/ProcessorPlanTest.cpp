#include "ProcessorPlan.h"

#include <gtest/gtest.h>

using namespace detection;

TEST(ProcessorPlan, GraphicsTakesTheHighestProcessorAndTheBenchmarkTheRest) {
    struct Case {
        uint64_t mask;
        uint64_t benchmark;
        int graphics; // -1: none, the query follows the benchmark
    };
    const Case cases[] = {
        {0b11, 0b01, 1},
        {0b1111, 0b0111, 3},
        {0b1010, 0b0010, 3},
        {0x8000000000000001ull, 0b1, 63},
        {~0ull, ~0ull >> 1, 63},
        // One processor, or none known: nothing to spare, the benchmark keeps what there is.
        {0b1, 0b1, -1},
        {0b1000, 0b1000, -1},
        {0, 0, -1},
    };
    for (const Case& c : cases) {
        const ProcessorPlan plan = PlanProcessors(c.mask);
        EXPECT_EQ(plan.benchmark, c.benchmark) << std::hex << c.mask;
        EXPECT_EQ(plan.graphics.value_or(-1), c.graphics) << std::hex << c.mask;
        // Never the same processor for both.
        if (plan.graphics) {
            EXPECT_EQ(plan.benchmark >> *plan.graphics & 1, 0u) << std::hex << c.mask;
        }
    }
}
