// The contrast test library's side of a scenario, from outside the program: starting the program
// with the library loaded (contrast-run), switching the library's answer while the program runs
// (contrast), asking the program's own import what it answers now (contrast-answer), and
// threads of the library run in the program to read and set its system colours.
#include "Injection.h"
#include "Themes.h"

#include "contrast/ContrastState.h"

#include <tlhelp32.h>

namespace driver {

namespace {

// The library's state in the process with that id, while the process lives.
class RemoteState {
public:
    explicit RemoteState(DWORD pid)
        : mapping_(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, contrast::StateName(pid).c_str())) {
        if (mapping_)
            view_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(contrast::SharedState)));
    }
    explicit operator bool() const { return static_cast<bool>(view_); }
    contrast::SharedState* Get() const { return static_cast<contrast::SharedState*>(view_.Get()); }
    contrast::SharedState* operator->() const { return Get(); }

private:
    win32::KernelHandle mapping_;
    win32::MappedView view_;
};

// Runs the library's thread that starts at `start` in the process, waited for.
bool RunInProgram(DWORD pid, ULONG64 start, DWORD& exitCode) {
    const win32::KernelHandle process(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                                      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                                  FALSE, pid));
    if (!process) {
        Fail(L"cannot open process " + std::to_wstring(pid) + L" (" + ErrorText(static_cast<long>(GetLastError())) +
             L")");
        return false;
    }
    return RunRemoteThread(process.Get(), reinterpret_cast<const void*>(start), nullptr, exitCode);
}

// The probe run in the first process of that name that has the library: its flags, and its state
// as the probe left it.
bool Probe(const std::wstring& exe, DWORD& flags, contrast::SharedState& probed) {
    for (DWORD pid : ProcessesNamed(exe)) {
        const RemoteState state(pid);
        if (!state)
            continue;
        if (!RunInProgram(pid, state->probe, flags))
            return false;
        if (flags == contrast::kProbeFailed) {
            Fail(L"the program's imports of SystemParametersInfoW failed or disagreed");
            return false;
        }
        probed = *state.Get();
        return true;
    }
    Fail(L"no process " + exe + L" has the contrast library loaded");
    return false;
}

void SetAnswer(const RemoteState& state, bool on, const Theme* theme) {
    if (theme)
        lstrcpynW(state->scheme, theme->scheme, static_cast<int>(contrast::kSchemeRoom));
    InterlockedExchange(&state->on, on ? 1 : 0);
}

// "on" or "off", and for "on" the theme: false (having said why) for anything else.
bool ParseAnswer(const std::wstring& word, const Args& args, bool& on, const Theme*& theme) {
    on = word == L"on";
    theme = args.Has(L"--theme") ? ThemeNamed(args.Get(L"--theme")) : nullptr;
    if (word != L"on" && word != L"off") {
        Fail(L"say on or off");
        return false;
    }
    if (on && !theme) {
        Fail(L"on needs --theme");
        return false;
    }
    return true;
}

} // namespace

int CmdContrastRun(const Args& args) {
    const std::wstring library = args.Get(L"--library");
    bool on = false;
    const Theme* theme = nullptr;
    if (library.empty() || args.positional.empty() || !ParseAnswer(args.Get(L"--answer", L"on"), args, on, theme))
        return kUsage;
    StartedProcess started;
    if (!StartWithLibrary(args, library, started))
        return kNotMet;
    const RemoteState state(started.id);
    if (!state || state->replaced == 0 || state->unbound != 0) {
        Fail(state ? L"contrast-run: of the program's imports of SystemParametersInfoW, " +
                         std::to_wstring(state->replaced) + L" were replaced and " + std::to_wstring(state->unbound) +
                         L" were not yet filled in by the loader"
                   : L"contrast-run: the library made no state in the program");
        TerminateProcess(started.process.Get(), 1);
        return kNotMet;
    }
    SetAnswer(state, on, theme);
    ResumeThread(started.thread.Get());
    Print(L"pid=" + std::to_wstring(started.id));
    WaitForSingleObject(started.process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(started.process.Get(), &code);
    Print(L"exit=" + std::to_wstring(code));
    return kOk;
}

int CmdContrast(const Args& args) {
    bool on = false;
    const Theme* theme = nullptr;
    const std::wstring exe = args.Get(L"--exe");
    if (exe.empty() || !ParseAnswer(args.positional.empty() ? L"" : args.positional[0], args, on, theme))
        return kUsage;
    int switched = 0;
    for (DWORD pid : ProcessesNamed(exe)) {
        if (const RemoteState state(pid); state) {
            SetAnswer(state, on, theme);
            ++switched;
        }
    }
    if (switched == 0) {
        Fail(L"contrast: no process " + exe + L" has the contrast library loaded");
        return kNotMet;
    }
    // As Windows tells every window when the player switches high contrast.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                        &result);
    return kOk;
}

int CmdContrastAnswer(const Args& args) {
    const std::wstring exe = args.Get(L"--exe");
    if (exe.empty())
        return kUsage;
    DWORD flags = 0;
    contrast::SharedState probed{};
    if (!Probe(exe, flags, probed))
        return kNotMet;
    Print((flags & HCF_HIGHCONTRASTON) ? L"on " + std::wstring(probed.answeredScheme) : L"off");
    return kOk;
}

bool ProgramColours(const std::wstring& exe, COLORREF (&seen)[contrast::kColourCount]) {
    DWORD flags = 0;
    contrast::SharedState probed{};
    if (!Probe(exe, flags, probed))
        return false;
    std::copy(std::begin(probed.seenColours), std::end(probed.seenColours), seen);
    return true;
}

bool SetColoursInPrograms(const std::vector<SystemColour>& colours) {
    const win32::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        const RemoteState state(entry.th32ProcessID);
        if (!state || colours.size() > std::size(state->colourIndices))
            continue;
        state->colourCount = static_cast<LONG>(colours.size());
        for (size_t i = 0; i < colours.size(); ++i) {
            state->colourIndices[i] = colours[i].index;
            state->colourValues[i] = colours[i].colour;
        }
        DWORD error = 0;
        if (!RunInProgram(entry.th32ProcessID, state->applyColours, error))
            return false;
        if (error != 0) {
            Fail(L"process " + std::to_wstring(entry.th32ProcessID) + L" could not set the colours (" +
                 ErrorText(static_cast<long>(error)) + L")");
            return false;
        }
    }
    return true;
}

} // namespace driver
