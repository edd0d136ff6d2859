// Commands for controls inside a property sheet's pages (grandchildren of the sheet, which the
// other window commands do not reach): choose a combo item, move a slider, switch pages.
#include "Driver.h"

#include <commctrl.h>

namespace driver {

namespace {

bool PageControl(const Args& args, HWND& control, int& id) {
    long long number = 0;
    const HWND window = args.positional.empty() ? nullptr : ParseWindow(args.positional[0]);
    if (!window || args.positional.size() < 3 || !ParseNumber(args.positional[1], number)) {
        Fail(L"HWND, a control id and a value are needed");
        return false;
    }
    id = static_cast<int>(number);
    control = FindDescendant(window, id, true);
    if (!control)
        Fail(L"no visible control " + std::to_wstring(id) + L" in " + args.positional[0]);
    return control != nullptr;
}

} // namespace

// The item is found and selected in the program's process (string messages of combo boxes
// are carried across processes); the page hears of it as it would of the player's choice.
int CmdSelect(const Args& args) {
    HWND combo;
    int id;
    if (!PageControl(args, combo, id))
        return kUsage;
    const std::wstring& text = args.positional[2];
    DWORD_PTR index = 0;
    if (!SendMessageTimeoutW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_NORMAL, kAnswerTimeoutMs, &index) ||
        static_cast<LRESULT>(index) == CB_ERR) {
        Fail(L"select: no item \"" + text + L"\" (or the list did not answer)");
        return kNotMet;
    }
    DWORD_PTR selected = 0;
    if (!SendMessageTimeoutW(combo, CB_SETCURSEL, index, 0, SMTO_NORMAL, kAnswerTimeoutMs, &selected) ||
        selected != index) {
        Fail(L"select: the list did not take item \"" + text + L"\"");
        return kNotMet;
    }
    return PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo))
               ? kOk
               : kNotMet;
}

// The thumb put at the position, then the notifications a keyboard move ends with.
int CmdSlider(const Args& args) {
    HWND slider;
    int id;
    long long position = 0;
    if (!PageControl(args, slider, id) || !ParseNumber(args.positional[2], position))
        return kUsage;
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(position), SMTO_NORMAL, kAnswerTimeoutMs,
                             &ignored)) {
        Fail(L"slider: the slider did not answer");
        return kNotMet;
    }
    const HWND page = GetParent(slider);
    PostMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
    return PostMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider)) ? kOk : kNotMet;
}

int CmdPage(const Args& args) {
    long long index = 0;
    const HWND sheet = args.positional.empty() ? nullptr : ParseWindow(args.positional[0]);
    if (!sheet || args.positional.size() < 2 || !ParseNumber(args.positional[1], index))
        return kUsage;
    return PostMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) ? kOk : kNotMet;
}

} // namespace driver

namespace driver {

namespace {

double MsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A shown top-level window of the process, other than `except`, with a direct child of that id.
HWND ShownTopLevelWith(DWORD pid, int id, HWND except) {
    struct Search {
        DWORD pid;
        int id;
        HWND except;
        HWND found;
    } search{pid, id, except, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->pid || window == s->except || !IsWindowVisible(window) || !GetDlgItem(window, s->id))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring OneDecimal(double ms) {
    const long long tenths = static_cast<long long>(ms * 10.0 + 0.5);
    return std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10);
}

} // namespace

// Times a window that a click opens inside a running program: from posting the click to the
// window with control `--id` shown, and to it and its shown children painted.
int CmdOpenTime(const Args& args) {
    HWND window = args.positional.empty() ? nullptr : ParseWindow(args.positional[0]);
    long long clickId = 0, target = 0;
    if (!window || args.positional.size() < 2 || !ParseNumber(args.positional[1], clickId) ||
        !ParseNumber(args.Get(L"--id"), target))
        return kUsage;
    const HWND button = GetDlgItem(window, static_cast<int>(clickId));
    if (!button) {
        Fail(L"open-time: no control " + std::to_wstring(clickId));
        return kNotMet;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    PostMessageW(button, BM_CLICK, 0, 0);
    HWND opened = nullptr;
    double shown = -1, painted = -1;
    PollUntil(
        args.Seconds(L"--timeout", 30),
        [&] {
            if (!opened) {
                opened = ShownTopLevelWith(pid, static_cast<int>(target), window);
                if (!opened)
                    return false;
                shown = MsSince(start);
            }
            if (!FullyPainted(opened))
                return false;
            painted = MsSince(start);
            return true;
        },
        1);
    if (painted < 0) {
        Fail(opened ? L"open-time: the window was shown but never finished painting"
                    : L"open-time: no window appeared");
        return kNotMet;
    }
    Print(L"hwnd=" + Hex(reinterpret_cast<UINT_PTR>(opened)) + L" shown_ms=" + OneDecimal(shown) + L" painted_ms=" +
          OneDecimal(painted));
    return kOk;
}

} // namespace driver
