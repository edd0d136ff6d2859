// The Win32 side of the detection library: the real probes and the library's own folder.
#pragma once

#include "SystemProbe.h"

#include <string>

namespace detection::win {

// Folder of sorvane_rd.dll itself, ending with a backslash: its data files live there.
std::wstring ModuleFolder();

// Adapter 0 through DXGI, falling back to Direct3D 9 and then to the display device; the
// Direct3D feature level through Direct3D 11. All libraries are loaded on demand, so the
// library loads on any machine. Defined in GraphicsProbe.cpp.
GraphicsFacts QueryGraphicsFacts();

class Win32Probe final : public ISystemProbe {
public:
    std::optional<OsFacts> QueryOs() override;
    std::optional<CpuFacts> QueryCpu() override;
    std::optional<float> MeasureCpuScore() override;
    std::optional<ProcessorFacts> QueryProcessors() override;
    std::optional<uint64_t> QueryPhysicalMemory() override;
    GraphicsFacts QueryGraphics() override { return QueryGraphicsFacts(); }
    std::optional<DiskFacts> QueryFreeDisk() override;
    std::optional<DisplayFacts> QueryDisplay() override;
    uint64_t ProcessorMask() override;
    void BindThreadTo(int processor) override;
};

} // namespace detection::win
