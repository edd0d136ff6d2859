// What the library asks of the machine. The Win32 implementation lives in the DLL; tests give the
// plain code fake answers. Every query answers "not found" (an empty optional) rather than throw.
#pragma once

#include "Requirements.h"

#include <cstdint>
#include <optional>
#include <string>

namespace detection {

struct OsFacts {
    unsigned major = 0, minor = 0, build = 0;
    bool server = false;
    std::wstring servicePack; // e.g. "Service Pack 1"; empty when none
};

struct CpuFacts {
    std::wstring brand; // CPUID brand string, or the vendor when the processor has none
    unsigned mhz = 0;   // 0: clock unknown
};

struct ProcessorFacts {
    unsigned logical = 0;
    unsigned cores = 0; // 0: unknown
};

struct AdapterFacts {
    std::wstring description;
    unsigned vendorId = 0, deviceId = 0;
    std::optional<uint64_t> dedicatedVideoMemory; // bytes
};

struct GraphicsFacts {
    std::optional<AdapterFacts> adapter;
    std::optional<Version> direct3d; // highest Direct3D feature level, e.g. 11.0
};

struct DiskFacts {
    std::wstring drive; // the volume, e.g. "C:\"
    uint64_t freeBytes = 0;
};

struct DisplayFacts {
    unsigned width = 0, height = 0, bitsPerPixel = 0, frequency = 0; // frequency 0/1: default
};

class ISystemProbe {
public:
    virtual ~ISystemProbe() = default;
    virtual std::optional<OsFacts> QueryOs() = 0;
    virtual std::optional<CpuFacts> QueryCpu() = 0;
    // Benchmark score, lower is faster (see Benchmark.h), measured on the processors of the
    // process in turn.
    virtual std::optional<float> MeasureCpuScore() = 0;
    virtual std::optional<ProcessorFacts> QueryProcessors() = 0;
    virtual std::optional<uint64_t> QueryPhysicalMemory() = 0; // bytes installed
    // May run on a thread of its own, alongside the other queries (see ProcessorPlan.h).
    virtual GraphicsFacts QueryGraphics() = 0;
    virtual std::optional<DiskFacts> QueryFreeDisk() = 0;
    virtual std::optional<DisplayFacts> QueryDisplay() = 0;

    // The processors this process may run on (bit n = processor n); 0 when unknown.
    virtual uint64_t ProcessorMask() = 0;
    // Binds the calling thread to one processor; for a thread that ends soon after, so it is
    // never undone.
    virtual void BindThreadTo(int processor) = 0;
};

} // namespace detection
