#include "ProcessorPlan.h"

#include <gtest/gtest.h>

using namespace detection;

TEST(ProcessorPlan, GraphicsTakesTheHighestProcessor) {
    struct Case {
        uint64_t mask;
        int graphics; // -1: none, the query precedes the benchmark on the caller's thread
    };
    const Case cases[] = {
        {0b11, 1}, {0b1111, 3}, {0b1010, 3}, {0x8000000000000001ull, 63}, {~0ull, 63},
        // One processor, or none known: nothing to spare.
        {0b1, -1}, {0b1000, -1}, {0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlanProcessors(c.mask).graphics.value_or(-1), c.graphics) << std::hex << c.mask;
}
