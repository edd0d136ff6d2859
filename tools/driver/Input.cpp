// Real input, as a player gives it: the window brought to the front, then the mouse and the
// keyboard through SendInput, so focus changes, key state and hit-testing happen as they would
// for a person. Keys go to whatever has the focus; the focus is read back from the window's thread.
#include "Driver.h"

#include "win32/Owners.h"

#include <commctrl.h>

namespace driver {

namespace {

// Absolute mouse coordinates run from 0 to 65535 over the whole virtual screen.
LONG Normalised(int offset, int size) {
    return size <= 1 ? 0 : static_cast<LONG>((static_cast<long long>(offset) * 65535 + (size - 1) / 2) / (size - 1));
}

bool ParsePoint(const std::wstring& text, POINT& point) {
    const size_t comma = text.find(L',');
    long long x = 0, y = 0;
    if (comma == std::wstring::npos || !ParseNumber(text.substr(0, comma), x) ||
        !ParseNumber(text.substr(comma + 1), y))
        return false;
    point = {static_cast<LONG>(x), static_cast<LONG>(y)};
    return true;
}

INPUT MouseInput(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

} // namespace

void BringToFront(HWND hwnd) {
    const HWND root = GetAncestor(hwnd, GA_ROOT);
    const DWORD target = GetWindowThreadProcessId(root, nullptr);
    const DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, target, TRUE);
    SetForegroundWindow(root);
    AttachThreadInput(self, target, FALSE);
    PollUntil(2, [&] { return GetForegroundWindow() == root; });
}

bool MoveMouse(POINT to) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    INPUT move = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK);
    move.mi.dx = Normalised(to.x - left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    move.mi.dy = Normalised(to.y - top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    if (SendInput(1, &move, sizeof move) != 1)
        return false;
    // The buttons must not go down before the pointer has arrived.
    return PollUntil(2, [&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == to.x && now.y == to.y;
    });
}

bool TypeKeys(HWND hwnd, const std::vector<Key>& keys) {
    BringToFront(hwnd);
    for (const Key& key : keys) {
        INPUT in[4]{};
        UINT count = 0;
        const auto add = [&](WORD vk, DWORD flags) {
            in[count].type = INPUT_KEYBOARD;
            in[count].ki.wVk = vk;
            in[count].ki.dwFlags = flags;
            ++count;
        };
        if (key.ctrl)
            add(VK_CONTROL, 0);
        add(key.vk, 0);
        add(key.vk, KEYEVENTF_KEYUP);
        if (key.ctrl)
            add(VK_CONTROL, KEYEVENTF_KEYUP);
        if (SendInput(count, in, sizeof(INPUT)) != count)
            return false;
    }
    return true;
}

// A click where the player would click: the control's centre, a point of its client area, or
// the middle of one of its tabs.
int CmdMouse(const Args& args) {
    HWND hwnd, target;
    if (const int code = WindowOrControlArgs(args, hwnd, target); code != kOk)
        return code;
    RECT client{};
    GetClientRect(target, &client);
    POINT at{client.right / 2, client.bottom / 2};
    long long tab = 0;
    if (args.Has(L"--at") && !ParsePoint(args.Get(L"--at"), at)) {
        Fail(L"mouse: --at needs X,Y");
        return kUsage;
    }
    if (args.Has(L"--tab")) {
        RECT item{};
        if (!ParseNumber(args.Get(L"--tab"), tab) || !TabItemRect(target, static_cast<int>(tab), item)) {
            Fail(L"mouse: no tab " + args.Get(L"--tab"));
            return kNotMet;
        }
        at = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    }
    ClientToScreen(target, &at);
    BringToFront(hwnd);
    if (!MoveMouse(at)) {
        Fail(L"mouse: the pointer did not reach " + std::to_wstring(at.x) + L"," + std::to_wstring(at.y));
        return kNotMet;
    }
    const bool right = args.Has(L"--right");
    INPUT click[] = {MouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                     MouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
    for (int n = args.Has(L"--double") ? 2 : 1; n > 0; --n) {
        if (SendInput(2, click, sizeof(INPUT)) != 2)
            return kNotMet;
    }
    return kOk;
}

// The pointer out of every window (the screen's bottom-right corner), so that no hover look
// or tooltip is left behind in a picture.
int CmdPark(const Args&) {
    const POINT corner{GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1,
                       GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1};
    return MoveMouse(corner) ? kOk : kNotMet;
}

int CmdFocus(const Args& args) {
    HWND hwnd;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) {
        Fail(L"focus: cannot ask the window's thread (" + ErrorText(static_cast<long>(GetLastError())) + L")");
        return kNotMet;
    }
    if (!info.hwndFocus) {
        Print(L"none");
        return kOk;
    }
    wchar_t name[256] = L"";
    GetClassNameW(info.hwndFocus, name, ARRAYSIZE(name));
    Print(std::to_wstring(GetDlgCtrlID(info.hwndFocus)) + L" " + name + L" " +
          Hex(reinterpret_cast<UINT_PTR>(info.hwndFocus)));
    return kOk;
}

} // namespace driver
