// Reading the display device's identity when neither DXGI nor Direct3D 9 is there: the plug and
// play id and the registry key that Windows reports for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace detection {

struct PciIds {
    unsigned vendorId = 0, deviceId = 0;
};

// "PCI\VEN_10DE&DEV_0191&SUBSYS_…" -> {0x10DE, 0x0191}; anything else -> nothing.
std::optional<PciIds> ParsePciIds(std::wstring_view deviceId);

// "\Registry\Machine\System\…" -> "System\…" below HKEY_LOCAL_MACHINE; other roots -> nothing.
std::optional<std::wstring> MachineSubkey(std::wstring_view registryPath);

} // namespace detection
