// The end-to-end driver: a console program run under the same wineserver as the program it
// drives. Each command is a function taking its arguments and returning the exit code:
// 0 done, 1 the condition did not hold (timeout, absent, refused), 2 wrong usage. A query that
// cannot be answered ends with 1 and says why on standard error: it never prints an empty or
// made-up answer.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace driver {

enum ExitCode : int { kOk = 0, kNotMet = 1, kUsage = 2 };

// Positional arguments and "--name value" options; a bare "--" ends option parsing.
struct Args {
    std::vector<std::wstring> positional;
    std::map<std::wstring, std::wstring> options;

    bool Has(const std::wstring& name) const { return options.count(name) != 0; }
    std::wstring Get(const std::wstring& name, const std::wstring& fallback = L"") const;
    double Seconds(const std::wstring& name, double fallback) const;
};

Args ParseArgs(const std::vector<std::wstring>& words);

// Output goes out as UTF-8 whatever the console or pipe is.
void Print(const std::wstring& line);
void Fail(const std::wstring& message); // on stderr
// "error N: <the system's text>" for a Win32 error code.
std::wstring ErrorText(long code);

std::wstring Hex(UINT_PTR value);
bool ParseNumber(const std::wstring& text, long long& value);
HWND ParseWindow(const std::wstring& text);
std::wstring Quoted(const std::wstring& text);
std::wstring ToLower(std::wstring text);

// How long a command waits for a busy window (another process's, under load) to answer a message
// before it fails.
constexpr UINT kAnswerTimeoutMs = 15000;

// A tab control's item in another process: its rectangle in the control's client coordinates,
// its caption. False when the control does not answer.
bool TabItemRect(HWND tab, int index, RECT& rect);
bool TabItemText(HWND tab, int index, std::wstring& text);
// The lines of text a property tree's row list cannot show whole; false when it does not answer.
bool TreeCutLines(HWND list, std::vector<std::wstring>& lines);
// WM_DPICHANGED as the system sends it on a move to a screen of that DPI, with the suggested
// window rectangle; false when the window does not take it.
bool SendDpiChange(HWND window, int dpi, const RECT& suggested);

// Polls until done() or the timeout; true when done() held.
template <typename Done>
bool PollUntil(double seconds, Done done, DWORD intervalMs = 10) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000.0);
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(intervalMs);
    }
}

// Commands, by area.
int CmdWait(const Args&);
int CmdWindows(const Args&);
int CmdControls(const Args&);
int CmdText(const Args&);
int CmdClick(const Args&);
int CmdCheck(const Args&);
int CmdKey(const Args&);
int CmdClose(const Args&);
int CmdShot(const Args&);
int CmdFreeze(const Args&);
int CmdWatch(const Args&);

int CmdMouse(const Args&);
int CmdPark(const Args&);
int CmdFocus(const Args&);

int CmdSelect(const Args&);
int CmdSlider(const Args&);
int CmdPage(const Args&);
int CmdOpenTime(const Args&);

int CmdFind(const Args&);
int CmdRect(const Args&);
int CmdResize(const Args&);
int CmdClipboard(const Args&);

int CmdRun(const Args&);
int CmdStartup(const Args&);
int CmdGone(const Args&);
int CmdMutex(const Args&);
int CmdModes(const Args&);
int CmdCpus(const Args&);

int CmdRegGet(const Args&);
int CmdRegSet(const Args&);
int CmdRegDel(const Args&);
int CmdRegList(const Args&);
int CmdRegKey(const Args&);

int CmdShortcut(const Args&);

int CmdRegLock(const Args&);
int CmdRegUnlock(const Args&);
int CmdRegKeys(const Args&);
int CmdSaveAs(const Args&);
int CmdRunLine(const Args&);
int CmdContextMenu(const Args&);
int CmdAccess(const Args&);
int CmdAccessEvents(const Args&);

int CmdRepeats(const Args&);
int CmdCutTexts(const Args&);
int CmdDpiMove(const Args&);
int CmdGeometry(const Args&);

int CmdFault(const Args&);

int CmdContrastRun(const Args&);
int CmdContrast(const Args&);
int CmdContrastAnswer(const Args&);
int CmdColours(const Args&);
int CmdMeasure(const Args&);

// Shared by the window commands and the process commands.
// Starts the positional arguments as one command line, in --cwd when given; says why when it cannot.
bool StartProcess(const Args& args, PROCESS_INFORMATION& pi, DWORD creationFlags = 0);
std::wstring ImageNameOf(DWORD pid); // file name only, empty when unknown
std::vector<DWORD> ProcessesNamed(const std::wstring& image);
// The visible top-level window of the process that has a direct child with that id.
HWND ShownWindowWithControl(DWORD pid, int id);
bool SaveWindowBitmap(HWND hwnd, const std::wstring& path);
// The same once the window has settled (painted, and the screen no longer changing).
bool SaveSettledWindowBitmap(HWND hwnd, const std::wstring& path, double seconds);
// The window's pixels as `shot` takes them once it has settled, each as a COLORREF, leaving out the
// parts that `masks` (as shot's --mask) names.
bool SettledWindowPixels(HWND hwnd, const std::wstring& masks, double seconds, std::vector<COLORREF>& pixels);
// Nothing left to paint in the window or any of its shown descendants.
bool FullyPainted(HWND window);
// The first descendant with that id; with visibleOnly, the first visible one (a control on the
// shown page of a property sheet). Defined in Layout.cpp.
HWND FindDescendant(HWND window, int id, bool visibleOnly = false);
// The window named by the positional argument at `index`; says so and fails when there is none.
bool WindowArg(const Args& args, size_t index, HWND& hwnd);
// The control whose id is the positional argument at `index`: a child of the window, or a visible
// descendant (on a property sheet's shown page); says so and fails when there is none.
bool ControlArg(const Args& args, HWND hwnd, size_t index, HWND& control);
// "HWND [ID]": the window, or its control when an id follows. kOk, or the code to end with.
int WindowOrControlArgs(const Args& args, HWND& window, HWND& target);

// Real input (Input.cpp). A key with Ctrl held when `ctrl`.
struct Key {
    WORD vk = 0;
    bool ctrl = false;
};
// The window's top-level ancestor made the foreground window, as a player's click would.
void BringToFront(HWND hwnd);
// The pointer moved there (screen coordinates); true once it has arrived.
bool MoveMouse(POINT to);
// Keys typed to whatever has the focus once the window is in front.
bool TypeKeys(HWND hwnd, const std::vector<Key>& keys);

} // namespace driver
