#include "ProcessorPlan.h"

#include <bit>

namespace detection {

ProcessorPlan PlanProcessors(uint64_t affinityMask) {
    if (std::popcount(affinityMask) < 2)
        return {std::nullopt};
    return {63 - std::countl_zero(affinityMask)};
}

} // namespace detection
