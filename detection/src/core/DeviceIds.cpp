#include "DeviceIds.h"

#include "Text.h"

namespace detection {

namespace {

// The four hex digits after tag (e.g. "VEN_"), searched without regard to case.
std::optional<unsigned> HexAfter(std::wstring_view text, std::wstring_view tag) {
    for (size_t at = 0; at + tag.size() + 4 <= text.size(); ++at) {
        if (!EqualsIgnoreAsciiCase(text.substr(at, tag.size()), tag))
            continue;
        unsigned value = 0;
        for (wchar_t c : text.substr(at + tag.size(), 4)) {
            const unsigned digit = (c >= L'0' && c <= L'9')   ? unsigned(c - L'0')
                                   : (c >= L'a' && c <= L'f') ? unsigned(c - L'a' + 10)
                                   : (c >= L'A' && c <= L'F') ? unsigned(c - L'A' + 10)
                                                              : 16u;
            if (digit == 16)
                return std::nullopt;
            value = value * 16 + digit;
        }
        return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<PciIds> ParsePciIds(std::wstring_view deviceId) {
    if (deviceId.size() < 4 || !EqualsIgnoreAsciiCase(deviceId.substr(0, 4), L"PCI\\"))
        return std::nullopt;
    const auto vendor = HexAfter(deviceId, L"VEN_");
    const auto device = HexAfter(deviceId, L"DEV_");
    if (!vendor || !device)
        return std::nullopt;
    return PciIds{*vendor, *device};
}

std::optional<std::wstring> MachineSubkey(std::wstring_view registryPath) {
    constexpr std::wstring_view kRoot = L"\\Registry\\Machine\\";
    if (registryPath.size() <= kRoot.size() || !EqualsIgnoreAsciiCase(registryPath.substr(0, kRoot.size()), kRoot))
        return std::nullopt;
    return std::wstring(registryPath.substr(kRoot.size()));
}

} // namespace detection
