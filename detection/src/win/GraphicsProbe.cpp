#include "Win32Probe.h"

#include "DeviceIds.h"
#include "win32/Owners.h"

#include <windows.h>

#include <d3d10.h>
#include <d3d11.h>
#include <d3d9.h>
#include <dxgi.h>

#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace detection::win {

namespace {

// The graphics runtimes stay loaded for the life of the process: they do not like being
// unloaded. Each is loaded and pinned the first time it is asked for.
HMODULE GraphicsRuntime(const wchar_t* library) {
    static std::mutex guard;
    static std::map<std::wstring, win32::PinnedModule> pinned;
    const std::lock_guard lock(guard);
    return pinned.try_emplace(library, library).first->second.Get();
}

template <class Fn>
Fn Export(const wchar_t* library, const char* name) {
    return win32::ProcAddress<Fn>(GraphicsRuntime(library), name);
}

// The display adapter's memory as its driver recorded it under the device's registry key.
std::optional<uint64_t> RegistryVideoMemory(const std::wstring& deviceKey) {
    const auto subkey = MachineSubkey(deviceKey);
    if (!subkey)
        return std::nullopt;
    win32::RegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey->c_str(), 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<uint64_t> bytes;
    ULONGLONG wide = 0;
    DWORD size = sizeof(wide);
    if (RegGetValueW(key.Get(), nullptr, L"HardwareInformation.qwMemorySize", RRF_RT_REG_QWORD, nullptr, &wide,
                     &size) == ERROR_SUCCESS) {
        bytes = wide;
    } else {
        // Older drivers store a 32-bit count, as a DWORD or as 4 raw bytes.
        DWORD narrow = 0;
        size = sizeof(narrow);
        if (RegGetValueW(key.Get(), nullptr, L"HardwareInformation.MemorySize", RRF_RT_REG_DWORD | RRF_RT_REG_BINARY,
                         nullptr, &narrow, &size) == ERROR_SUCCESS &&
            size == sizeof(narrow))
            bytes = narrow;
    }
    if (bytes && *bytes == 0)
        bytes.reset();
    return bytes;
}

// The primary display device: name, ids from its plug and play id, memory from its key.
bool PrimaryDisplayDevice(DISPLAY_DEVICEW& device) {
    for (DWORD i = 0;; ++i) {
        device = {};
        device.cb = sizeof(device);
        if (!EnumDisplayDevicesW(nullptr, i, &device, 0))
            return false;
        if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE)
            return true;
    }
}

// Highest feature level that Direct3D 11 offers on the adapter. Older runtimes refuse levels
// they do not know with E_INVALIDARG, so the list is shortened until one accepts it.
std::optional<Version> FeatureLevel(IDXGIAdapter* adapter) {
    const auto create = Export<PFN_D3D11_CREATE_DEVICE>(L"d3d11.dll", "D3D11CreateDevice");
    if (create == nullptr)
        return std::nullopt;
    static constexpr D3D_FEATURE_LEVEL kLevels[] = {
        D3D_FEATURE_LEVEL_12_1, D3D_FEATURE_LEVEL_12_0, D3D_FEATURE_LEVEL_11_1,
        D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1, D3D_FEATURE_LEVEL_10_0,
        D3D_FEATURE_LEVEL_9_3,  D3D_FEATURE_LEVEL_9_2,  D3D_FEATURE_LEVEL_9_1};
    for (size_t first : {0, 2, 3}) {
        D3D_FEATURE_LEVEL level{};
        // No device is kept: asking without one only reports the level.
        const HRESULT hr =
            create(adapter, adapter ? D3D_DRIVER_TYPE_UNKNOWN : D3D_DRIVER_TYPE_HARDWARE, nullptr, 0, kLevels + first,
                   static_cast<UINT>(std::size(kLevels) - first), D3D11_SDK_VERSION, nullptr, &level, nullptr);
        if (SUCCEEDED(hr))
            return Version{static_cast<unsigned>(level) >> 12, (static_cast<unsigned>(level) >> 8) & 0xF};
        if (hr != E_INVALIDARG)
            return std::nullopt;
    }
    return std::nullopt;
}

bool QueryDxgi(GraphicsFacts& facts) {
    using CreateFactoryFn = HRESULT(WINAPI*)(REFIID, void**);
    win32::ComPtr<IDXGIFactory> factory;
    if (const auto create1 = Export<CreateFactoryFn>(L"dxgi.dll", "CreateDXGIFactory1")) {
        create1(__uuidof(IDXGIFactory1), factory.OutVoid());
    } else if (const auto create = Export<CreateFactoryFn>(L"dxgi.dll", "CreateDXGIFactory")) {
        create(__uuidof(IDXGIFactory), factory.OutVoid());
    }
    win32::ComPtr<IDXGIAdapter> adapter;
    if (!factory || FAILED(factory->EnumAdapters(0, adapter.Out())))
        return false;
    DXGI_ADAPTER_DESC desc{};
    if (FAILED(adapter->GetDesc(&desc)))
        return false;
    // SIZE_T is 64 bits here, so memory above 4 GB comes through whole.
    facts.adapter =
        AdapterFacts{desc.Description, desc.VendorId, desc.DeviceId, static_cast<uint64_t>(desc.DedicatedVideoMemory)};
    facts.direct3d = FeatureLevel(adapter.Get());
    LARGE_INTEGER driverVersion;
    if (!facts.direct3d && adapter->CheckInterfaceSupport(__uuidof(ID3D10Device), &driverVersion) == S_OK)
        facts.direct3d = Version{10, 0};
    return true;
}

bool QueryDirect3D9(GraphicsFacts& facts) {
    using CreateFn = IDirect3D9*(WINAPI*)(UINT);
    const auto create = Export<CreateFn>(L"d3d9.dll", "Direct3DCreate9");
    if (create == nullptr)
        return false;
    win32::ComPtr<IDirect3D9> d3d;
    d3d.Reset(create(D3D_SDK_VERSION));
    if (!d3d)
        return false;
    D3DADAPTER_IDENTIFIER9 id{};
    D3DCAPS9 caps{};
    const bool found = SUCCEEDED(d3d->GetAdapterIdentifier(0, 0, &id));
    const bool hal = SUCCEEDED(d3d->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps));
    d3d.Reset();
    if (!found)
        return false;
    wchar_t description[MAX_DEVICE_IDENTIFIER_STRING] = {};
    MultiByteToWideChar(CP_ACP, 0, id.Description, -1, description, MAX_DEVICE_IDENTIFIER_STRING);
    description[MAX_DEVICE_IDENTIFIER_STRING - 1] = L'\0';
    facts.adapter = AdapterFacts{description, id.VendorId, id.DeviceId, std::nullopt};
    DISPLAY_DEVICEW device;
    if (PrimaryDisplayDevice(device))
        facts.adapter->dedicatedVideoMemory = RegistryVideoMemory(device.DeviceKey);
    if (!facts.direct3d && hal)
        facts.direct3d = Version{9, 0};
    return true;
}

void QueryDisplayDevice(GraphicsFacts& facts) {
    DISPLAY_DEVICEW device;
    if (!PrimaryDisplayDevice(device))
        return;
    const auto ids = ParsePciIds(device.DeviceID);
    facts.adapter = AdapterFacts{device.DeviceString, ids ? ids->vendorId : 0, ids ? ids->deviceId : 0,
                                 RegistryVideoMemory(device.DeviceKey)};
}

} // namespace

GraphicsFacts QueryGraphicsFacts() {
    GraphicsFacts facts;
    if (!QueryDxgi(facts) && !QueryDirect3D9(facts))
        QueryDisplayDevice(facts);
    if (!facts.direct3d)
        facts.direct3d = FeatureLevel(nullptr);
    return facts;
}

} // namespace detection::win
