// A probe with fixed answers for the plain logic's tests.
#pragma once

#include "SystemProbe.h"

#include <stdexcept>

namespace detection::test {

struct FakeProbe : ISystemProbe {
    std::optional<OsFacts> os = OsFacts{10, 0, 19045, false, L""};
    std::optional<CpuFacts> cpu = CpuFacts{L"Test CPU", 3000};
    std::optional<float> score = 0.5f;
    std::optional<ProcessorFacts> processors = ProcessorFacts{8, 4};
    std::optional<uint64_t> memory = 16ull << 30;
    GraphicsFacts graphics{AdapterFacts{L"Test GPU", 0x10DE, 0x0191, 768ull << 20}, Version{11, 0}};
    std::optional<DiskFacts> disk = DiskFacts{L"C:\\", 100ull << 30};
    std::optional<DisplayFacts> display = DisplayFacts{1920, 1080, 32, 60};
    bool throwFromMemory = false;

    std::optional<OsFacts> QueryOs() override { return os; }
    std::optional<CpuFacts> QueryCpu() override { return cpu; }
    std::optional<float> MeasureCpuScore() override { return score; }
    std::optional<ProcessorFacts> QueryProcessors() override { return processors; }
    std::optional<uint64_t> QueryPhysicalMemory() override {
        if (throwFromMemory)
            throw std::runtime_error("driver fault");
        return memory;
    }
    GraphicsFacts QueryGraphics() override { return graphics; }
    std::optional<DiskFacts> QueryFreeDisk() override { return disk; }
    std::optional<DisplayFacts> QueryDisplay() override { return display; }
};

} // namespace detection::test
