#include "ProcessorPlan.h"

#include <bit>

namespace detection {

ProcessorPlan PlanProcessors(uint64_t affinityMask) {
    if (std::popcount(affinityMask) < 2)
        return {affinityMask, std::nullopt};
    const int highest = 63 - std::countl_zero(affinityMask);
    return {affinityMask & ~(uint64_t{1} << highest), highest};
}

} // namespace detection
