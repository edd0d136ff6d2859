// Turns what the probes found into the report's items: a localized name, the value found, a
// verdict against the requirements, and a description that tells the player what was measured
// and what the game needs.
#pragma once

#include "Detection.h"
#include "Requirements.h"
#include "SystemProbe.h"
#include "texts/TextLookup.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace detection {

// Everything one test run found; an empty optional is a test that found nothing.
struct Facts {
    std::optional<OsFacts> os;
    std::optional<CpuFacts> cpu;
    std::optional<float> cpuScore;
    std::optional<ProcessorFacts> processors;
    std::optional<uint64_t> memoryBytes;
    GraphicsFacts graphics;
    std::optional<DiskFacts> disk;
    std::optional<DisplayFacts> display;
};

// Items in report order; the processor item (tag "frequency") is a RequirementCPU.
inline constexpr int kItemCount = 9;
std::vector<std::unique_ptr<Information>> BuildItems(const Facts& facts, const Requirements& requirements,
                                                     const TextLookup& text);

// 1 when any item failed, else 2 when any item only met the minimum or was not detected, else 0.
int OverallResult(const std::vector<std::unique_ptr<Information>>& items);

// "Windows 7", "Windows Server 2008 R2", "Windows 11" … from the version numbers.
std::wstring WindowsName(unsigned major, unsigned minor, unsigned build, bool server);

} // namespace detection
