// Processes, the single-instance marker, display facts and screen captures.
#include "Driver.h"

#include "win32/Owners.h"

#include <tlhelp32.h>

#include <cstdio>

namespace driver {

namespace {

std::wstring QuoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    for (wchar_t c : arg) {
        if (c == L'"')
            out += L'\\';
        out += c;
    }
    return out + L"\"";
}

// Milliseconds since start, from the high-resolution counter.
class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Ms() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_, start_;
};

std::wstring Ms(double ms) {
    wchar_t buffer[32];
    _snwprintf(buffer, ARRAYSIZE(buffer), L"%.1f", ms);
    return buffer;
}

struct FoundWindow {
    DWORD pid;
    int id;
    HWND hwnd;
};

BOOL CALLBACK FindShownWithControl(HWND hwnd, LPARAM param) {
    auto* f = reinterpret_cast<FoundWindow*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == f->pid && IsWindowVisible(hwnd) && GetDlgItem(hwnd, f->id)) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool StartProcess(const Args& args, PROCESS_INFORMATION& pi, DWORD creationFlags) {
    if (args.positional.empty())
        return false;
    std::wstring commandLine;
    for (const std::wstring& word : args.positional)
        commandLine += (commandLine.empty() ? L"" : L" ") + QuoteArgument(word);
    const std::wstring cwd = args.Get(L"--cwd");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                        cwd.empty() ? nullptr : cwd.c_str(), &si, &pi)) {
        Fail(L"cannot start " + commandLine + L" (error " + std::to_wstring(GetLastError()) + L")");
        return false;
    }
    return true;
}

HWND ShownWindowWithControl(DWORD pid, int id) {
    FoundWindow f{pid, id, nullptr};
    EnumWindows(FindShownWithControl, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

std::wstring ImageNameOf(DWORD pid) {
    const win32::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return {};
    wchar_t path[MAX_PATH * 2];
    DWORD size = ARRAYSIZE(path);
    std::wstring name;
    if (QueryFullProcessImageNameW(process.Get(), 0, path, &size)) {
        name.assign(path, size);
        name = name.substr(name.find_last_of(L"\\/") + 1);
    }
    return name;
}

std::vector<DWORD> ProcessesNamed(const std::wstring& image) {
    std::vector<DWORD> pids;
    const win32::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return pids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    const std::wstring wanted = ToLower(image);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        if (ToLower(entry.szExeFile) == wanted)
            pids.push_back(entry.th32ProcessID);
    }
    return pids;
}

int CmdRun(const Args& args) {
    PROCESS_INFORMATION pi{};
    if (!StartProcess(args, pi))
        return kUsage;
    Print(L"pid=" + std::to_wstring(pi.dwProcessId));
    DWORD waited = WaitForSingleObject(pi.hProcess, static_cast<DWORD>(args.Seconds(L"--timeout", 300) * 1000));
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (waited != WAIT_OBJECT_0) {
        Fail(L"run: still running after the timeout");
        return kNotMet;
    }
    Print(L"exit=" + std::to_wstring(code));
    return kOk;
}

// Start-up timing for the benchmark: from process creation to the first visible window that has
// control --ids; --during ID times a window that comes and goes before it (the progress window);
// then --close ID is clicked and the exit awaited.
int CmdStartup(const Args& args) {
    long long target = 0, during = 0, closeId = 0;
    if (!ParseNumber(args.Get(L"--id"), target) ||
        (args.Has(L"--during") && !ParseNumber(args.Get(L"--during"), during)) ||
        (args.Has(L"--close") && !ParseNumber(args.Get(L"--close"), closeId))) {
        return kUsage;
    }
    Stopwatch clock;
    PROCESS_INFORMATION pi{};
    if (!StartProcess(args, pi))
        return kUsage;
    double duringShown = -1, duringGone = -1, shown = -1;
    HWND window = nullptr;
    PollUntil(
        args.Seconds(L"--timeout", 120),
        [&] {
            if (during) {
                const bool duringVisible = ShownWindowWithControl(pi.dwProcessId, static_cast<int>(during)) != nullptr;
                if (duringVisible && duringShown < 0)
                    duringShown = clock.Ms();
                if (!duringVisible && duringShown >= 0 && duringGone < 0)
                    duringGone = clock.Ms();
            }
            window = ShownWindowWithControl(pi.dwProcessId, static_cast<int>(target));
            if (window)
                shown = clock.Ms();
            return window != nullptr || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
        },
        1);
    if (window) {
        if (closeId)
            PostMessageW(GetDlgItem(window, static_cast<int>(closeId)), BM_CLICK, 0, 0);
        else
            PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!window) {
        Fail(L"startup: the window never appeared");
        return kNotMet;
    }
    std::wstring line = L"shown_ms=" + Ms(shown);
    if (during)
        line += L" during_shown_ms=" + Ms(duringShown) + L" during_gone_ms=" + Ms(duringGone);
    Print(line);
    return ended ? kOk : kNotMet;
}

int CmdGone(const Args& args) {
    const std::wstring exe = args.Get(L"--exe");
    if (exe.empty())
        return kUsage;
    if (PollUntil(args.Seconds(L"--timeout", 30), [&] { return ProcessesNamed(exe).empty(); }))
        return kOk;
    Fail(L"gone: " + exe + L" is still running");
    return kNotMet;
}

int CmdMutex(const Args& args) {
    if (args.positional.empty())
        return kUsage;
    const win32::KernelHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, args.positional[0].c_str()));
    const DWORD error = mutex ? ERROR_SUCCESS : GetLastError();
    // A mutex we may not open exists all the same.
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_ACCESS_DENIED) {
        Fail(L"mutex: cannot tell (" + ErrorText(static_cast<long>(error)) + L")");
        return kNotMet;
    }
    Print(error == ERROR_FILE_NOT_FOUND ? L"absent" : L"exists");
    return kOk;
}

int CmdModes(const Args&) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &mode); ++i) {
        Print(std::to_wstring(mode.dmPelsWidth) + L" " + std::to_wstring(mode.dmPelsHeight) + L" " +
              std::to_wstring(mode.dmBitsPerPel) + L" " + std::to_wstring(mode.dmDisplayFrequency));
    }
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        Fail(L"modes: no current display mode");
        return kNotMet;
    }
    Print(L"current " + std::to_wstring(mode.dmPelsWidth) + L" " + std::to_wstring(mode.dmPelsHeight));
    return kOk;
}

int CmdCpus(const Args&) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    Print(std::to_wstring(info.dwNumberOfProcessors));
    return kOk;
}

} // namespace driver
