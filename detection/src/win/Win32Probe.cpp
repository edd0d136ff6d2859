#include "Win32Probe.h"

#include "Benchmark.h"
#include "InstallerRecord.h"
#include "Text.h"
#include "Win32Registry.h"

#include <windows.h>

#include <cpuid.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace detection::win {

namespace {

// The game's folder as the installer recorded it, in whichever registry view it wrote.
std::wstring InstallDir() {
    registry::Win32Registry registry;
    std::wstring dir = registry::ReadInstallerRecord(registry).installDir;
    if (dir.find(L'%') != std::wstring::npos) {
        wchar_t expanded[MAX_PATH * 2];
        const DWORD n = ExpandEnvironmentStringsW(dir.c_str(), expanded, MAX_PATH * 2);
        if (n > 0 && n <= MAX_PATH * 2)
            dir = expanded;
    }
    return dir;
}

std::optional<DiskFacts> FreeSpaceOn(const std::wstring& folder) {
    if (folder.empty())
        return std::nullopt;
    wchar_t volume[MAX_PATH + 1];
    if (!GetVolumePathNameW(folder.c_str(), volume, MAX_PATH + 1))
        return std::nullopt;
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(volume, &available, nullptr, nullptr))
        return std::nullopt;
    return DiskFacts{volume, available.QuadPart};
}

// CPUID's brand string pads with spaces; one space between words reads better in the report.
std::wstring CollapseSpaces(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\0')
            break;
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return WidenLatin1(out);
}

// The processor's rated clock: from the power manager, else from the registry's description.
unsigned ProcessorMhz() {
    // PROCESSOR_POWER_INFORMATION, which the SDK declares only in the power headers.
    struct PowerInformation {
        ULONG Number, MaxMhz, CurrentMhz, MhzLimit, MaxIdleState, CurrentIdleState;
    };
    using NtPowerInformationFn = LONG(WINAPI*)(POWER_INFORMATION_LEVEL, PVOID, ULONG, PVOID, ULONG);
    const auto ntPowerInformation = reinterpret_cast<NtPowerInformationFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtPowerInformation")));
    if (ntPowerInformation != nullptr) {
        std::vector<PowerInformation> info(GetActiveProcessorCount(ALL_PROCESSOR_GROUPS) + 1);
        const ULONG bytes = static_cast<ULONG>(info.size() * sizeof(PowerInformation));
        if (ntPowerInformation(ProcessorInformation, nullptr, 0, info.data(), bytes) == 0 && info[0].MaxMhz != 0)
            return info[0].MaxMhz;
    }
    DWORD mhz = 0, size = sizeof(mhz);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"~MHz",
                     RRF_RT_REG_DWORD, nullptr, &mhz, &size) == ERROR_SUCCESS)
        return mhz;
    return 0;
}

} // namespace

std::wstring ModuleFolder() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ModuleFolder), &self);
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2); // long paths: the name was cut, try again
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    return path;
}

std::optional<OsFacts> Win32Probe::QueryOs() {
    // GetVersionEx answers what the program's manifest allows it to know; RtlGetVersion the truth.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    if (rtlGetVersion == nullptr)
        return std::nullopt;
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (rtlGetVersion(&info) != 0)
        return std::nullopt;
    return OsFacts{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                   info.wProductType != VER_NT_WORKSTATION, info.szCSDVersion};
}

std::optional<CpuFacts> Win32Probe::QueryCpu() {
    unsigned regs[12] = {};
    std::string text;
    if (__get_cpuid(0x80000000, &regs[0], &regs[1], &regs[2], &regs[3]) && regs[0] >= 0x80000004) {
        for (unsigned leaf = 0; leaf < 3; ++leaf)
            __get_cpuid(0x80000002 + leaf, &regs[leaf * 4], &regs[leaf * 4 + 1], &regs[leaf * 4 + 2],
                        &regs[leaf * 4 + 3]);
        text.assign(reinterpret_cast<const char*>(regs), sizeof(regs));
    } else if (__get_cpuid(0, &regs[0], &regs[1], &regs[2], &regs[3])) {
        const unsigned vendor[3] = {regs[1], regs[3], regs[2]}; // "GenuineIntel" order: ebx, edx, ecx
        text.assign(reinterpret_cast<const char*>(vendor), sizeof(vendor));
    }
    CpuFacts cpu{CollapseSpaces(text), ProcessorMhz()};
    if (cpu.brand.empty() && cpu.mhz == 0)
        return std::nullopt;
    return cpu;
}

std::optional<float> Win32Probe::MeasureCpuScore() {
    // For these few dozen milliseconds, other programs' ordinary threads wait.
    struct RaisedPriority {
        HANDLE thread = GetCurrentThread();
        int previous = GetThreadPriority(thread);
        RaisedPriority() { SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST); }
        ~RaisedPriority() { SetThreadPriority(thread, previous); }
    } raised;
    DWORD_PTR processMask = 0, systemMask = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask))
        processMask = 0;
    // The thread goes back to the processors it was allowed before.
    struct RestoredAffinity {
        HANDLE thread = GetCurrentThread();
        DWORD_PTR previous = 0;
        ~RestoredAffinity() {
            if (previous != 0)
                SetThreadAffinityMask(thread, previous);
        }
    } restored;
    const float score = MeasureBenchmarkScore(BenchmarkProcessors(processMask), [&](int processor) {
        const DWORD_PTR before = SetThreadAffinityMask(restored.thread, DWORD_PTR{1} << processor);
        if (restored.previous == 0)
            restored.previous = before;
        Sleep(0); // lets the scheduler move the thread now
    });
    return std::isfinite(score) ? std::optional<float>(score) : std::nullopt;
}

uint64_t Win32Probe::ProcessorMask() {
    DWORD_PTR processMask = 0, systemMask = 0;
    return GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask) ? processMask : 0;
}

// Under Wine the binding also holds for the threads the graphics drivers start from this thread.
void Win32Probe::BindThreadTo(int processor) {
    if (processor >= 0 && processor < 64)
        SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << processor);
}

std::optional<ProcessorFacts> Win32Probe::QueryProcessors() {
    ProcessorFacts facts{GetActiveProcessorCount(ALL_PROCESSOR_GROUPS), 0};
    if (facts.logical == 0) {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        facts.logical = info.dwNumberOfProcessors;
    }
    DWORD bytes = 0;
    GetLogicalProcessorInformationEx(RelationProcessorCore, nullptr, &bytes);
    if (GetLastError() == ERROR_INSUFFICIENT_BUFFER && bytes > 0) {
        std::vector<unsigned char> buffer(bytes);
        auto* first = reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data());
        if (GetLogicalProcessorInformationEx(RelationProcessorCore, first, &bytes)) {
            for (DWORD at = 0; at < bytes;) {
                const auto* record =
                    reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data() + at);
                if (record->Size == 0)
                    break;
                ++facts.cores;
                at += record->Size;
            }
        }
    }
    if (facts.logical == 0)
        return std::nullopt;
    return facts;
}

std::optional<uint64_t> Win32Probe::QueryPhysicalMemory() {
    // Installed memory first: what Windows can use is a little less, and a 2 GB machine must
    // not fall short of a 2 GB requirement for it.
    ULONGLONG kilobytes = 0;
    if (GetPhysicallyInstalledSystemMemory(&kilobytes) && kilobytes != 0)
        return kilobytes * 1024;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status))
        return status.ullTotalPhys;
    return std::nullopt;
}

std::optional<DiskFacts> Win32Probe::QueryFreeDisk() {
    if (auto facts = FreeSpaceOn(InstallDir()))
        return facts;
    return FreeSpaceOn(ModuleFolder());
}

std::optional<DisplayFacts> Win32Probe::QueryDisplay() {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return std::nullopt;
    return DisplayFacts{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
}

} // namespace detection::win
