// One long launcher run as a player might make it: the settings sheet opened, its pages shown in
// turn (the report last) and the sheet cancelled, again and again. The launcher's private bytes
// and handle count are taken before the first round and after every third of them, each once
// the sheet has gone and the launcher has nothing left to do.
//   session_bench.exe LAUNCHER [ROUNDS]     (LAUNCHER: the program, started in its folder)
#include "Timing.h"
#include "win32/Owners.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kSettingsButton = 3;
constexpr int kQuitButton = 4;
constexpr int kLaunchButton = 1024;
constexpr int kSheetTabs = 12321;
// A control of each page that is there only while that page is shown: video, language, report.
constexpr int kPageMarks[] = {1104, 1100, 101};
constexpr double kTimeoutMs = 60000;

struct Figures {
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    DWORD handles = 0;
};

struct Search {
    DWORD pid;
    int id;
    HWND found;
};

// A shown top-level window of the process with a child of that id.
HWND ShownWithChild(DWORD pid, int id) {
    Search search{pid, id, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s.pid && IsWindowVisible(hwnd) && GetDlgItem(hwnd, s.id)) {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Descendant {
    int id;
    HWND found;
};

HWND VisibleDescendant(HWND window, int id) {
    Descendant search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Descendant*>(param);
            if (GetDlgCtrlID(hwnd) == s.id && IsWindowVisible(hwnd)) {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

template <typename Done>
bool WaitFor(Done done) {
    const auto start = bench::Clock::now();
    while (!done()) {
        if (bench::Ms(start) > kTimeoutMs)
            return false;
        Sleep(5);
    }
    return true;
}

// Every message posted to the window's thread so far has been handled, and what they made painted.
bool Settle(HWND window) {
    DWORD_PTR ignored = 0;
    for (int i = 0; i < 2; ++i)
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kTimeoutMs), &ignored))
            return false;
    return true;
}

bool Click(HWND window, int id) {
    const HWND button = GetDlgItem(window, id);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

// The sheet opened from the launcher, each page shown, the sheet cancelled; true once it has gone.
bool Round(HWND launcher, DWORD pid) {
    HWND sheet = nullptr;
    if (!Click(launcher, kSettingsButton) ||
        !WaitFor([&] { return (sheet = ShownWithChild(pid, kSheetTabs)) != nullptr; }))
        return false;
    for (int page = 0; page < 3; ++page) {
        PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
        if (!WaitFor([&] { return VisibleDescendant(sheet, kPageMarks[page]) != nullptr; }) || !Settle(sheet))
            return false;
    }
    return Click(sheet, IDCANCEL) && WaitFor([&] { return !IsWindow(sheet); }) && Settle(launcher);
}

// The process's entries in the system's handle table (SystemHandleInformation), for a system
// whose GetProcessHandleCount answers 0 (Wine); 0 when the table cannot be read.
DWORD HandlesInTable(DWORD pid) {
    struct Entry {
        ULONG pid;
        BYTE type, flags;
        USHORT handle;
        void* object;
        ACCESS_MASK access;
    };
    using QueryFn = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const auto query = win32::ProcAddress<QueryFn>(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation");
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<BYTE> table(1 << 20);
    LONG status = kLengthMismatch;
    for (ULONG needed = 0; query != nullptr && status == kLengthMismatch && table.size() < (1u << 28);) {
        status = query(kSystemHandleInformation, table.data(), static_cast<ULONG>(table.size()), &needed);
        if (status == kLengthMismatch)
            table.resize(table.size() * 2);
    }
    if (query == nullptr || status != 0)
        return 0;
    ULONG count = 0;
    std::memcpy(&count, table.data(), sizeof count);
    const auto* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(void*));
    DWORD handles = 0;
    for (ULONG i = 0; i < count; ++i)
        handles += entries[i].pid == pid ? 1 : 0;
    return handles;
}

// Private bytes: PrivateUsage, or where the system leaves it at 0 (Wine) PagefileUsage, which
// Windows documents as the same commit charge. Handles: GetProcessHandleCount, or where it
// answers 0 (Wine) the handle table's count.
bool Measure(HANDLE process, DWORD pid, Figures& figures) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters) ||
        !GetProcessHandleCount(process, &figures.handles))
        return false;
    figures.privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    figures.workingSet = counters.WorkingSetSize;
    if (figures.handles == 0)
        figures.handles = HandlesInTable(pid);
    return figures.privateBytes != 0 && figures.handles != 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 300;
    if (argc < 2 || rounds < 3) {
        std::fwprintf(stderr, L"usage: session_bench.exe LAUNCHER [ROUNDS, at least 3]\n");
        return 2;
    }
    std::wstring program = argv[1], folder = program.substr(0, program.find_last_of(L"\\/") + 1);
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        return 1;
    }
    const win32::KernelHandle launcherProcess(started.hProcess), launcherThread(started.hThread);
    HWND launcher = nullptr;
    if (!WaitFor([&] { return (launcher = ShownWithChild(started.dwProcessId, kLaunchButton)) != nullptr; })) {
        std::fwprintf(stderr, L"no launcher window\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(launcher, &pid);
    const win32::KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    std::vector<std::pair<int, Figures>> taken;
    Figures figures;
    if (!process || !Settle(launcher) || !Measure(process.Get(), pid, figures)) {
        std::fwprintf(stderr, L"the launcher's figures cannot be read (error %lu)\n", GetLastError());
        return 1;
    }
    taken.emplace_back(0, figures);
    const auto start = bench::Clock::now();
    for (int round = 1; round <= rounds; ++round) {
        if (!Round(launcher, pid)) {
            std::fwprintf(stderr, L"round %d did not finish\n", round);
            return 1;
        }
        if (round % (rounds / 3) == 0 && round / (rounds / 3) <= 3) {
            Sleep(200);
            if (!Settle(launcher) || !Measure(process.Get(), pid, figures))
                return 1;
            taken.emplace_back(round, figures);
        }
    }
    const double seconds = bench::Ms(start) / 1000;

    std::wprintf(L"settings sheet opened, its three pages shown and cancelled %d times (%.0f s, %.0f ms a round)\n",
                 rounds, seconds, seconds * 1000 / rounds);
    std::wprintf(L"  rounds   private bytes   handles   (working set)\n");
    for (const auto& [round, f] : taken)
        std::wprintf(L"  %6d   %13llu   %7lu   (%llu)\n", round, static_cast<unsigned long long>(f.privateBytes),
                     f.handles, static_cast<unsigned long long>(f.workingSet));
    const Figures& third = taken[1].second;
    const Figures& last = taken.back().second;
    const double growth = 100.0 * (static_cast<double>(last.privateBytes) - static_cast<double>(third.privateBytes)) /
                          static_cast<double>(third.privateBytes);
    std::wprintf(L"private bytes, round %d against round %d: %+.2f %% (target within 2 %%: %ls)\n", taken.back().first,
                 taken[1].first, growth, growth <= 2.0 && growth >= -2.0 ? L"met" : L"NOT met");
    std::wprintf(L"handles, round %d against round %d: %+ld (target unchanged: %ls)\n", taken.back().first,
                 taken[1].first, static_cast<long>(last.handles) - static_cast<long>(third.handles),
                 last.handles == third.handles ? L"met" : L"NOT met");
    Click(launcher, kQuitButton);
    WaitForSingleObject(launcherProcess.Get(), static_cast<DWORD>(kTimeoutMs));
    return 0;
}
