// Commands for windows whose parts are not direct children: finding a descendant by id, reading
// and changing window rectangles, and reading the clipboard.
#include "Driver.h"

namespace driver {

HWND FindDescendant(HWND window, int id, bool visibleOnly) {
    struct Search {
        int id;
        bool visibleOnly;
        HWND found;
    } search{id, visibleOnly, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) != s->id || (s->visibleOnly && !IsWindowVisible(child)))
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CmdFind(const Args& args) {
    HWND hwnd;
    long long id = 0;
    if (!WindowArg(args, 0, hwnd) || args.positional.size() < 2 || !ParseNumber(args.positional[1], id))
        return kUsage;
    const HWND found = FindDescendant(hwnd, static_cast<int>(id));
    if (!found) {
        Fail(L"find: no descendant " + args.positional[1] + L" in " + args.positional[0]);
        return kNotMet;
    }
    Print(Hex(reinterpret_cast<UINT_PTR>(found)));
    return kOk;
}

int CmdGeometry(const Args& args) {
    HWND hwnd;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    RECT outer{}, client{};
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    POINT origin{};
    ClientToScreen(hwnd, &origin);
    Print(L"window " + std::to_wstring(outer.right - outer.left) + L" " + std::to_wstring(outer.bottom - outer.top) +
          L" client " + std::to_wstring(client.right) + L" " + std::to_wstring(client.bottom) + L" " +
          std::to_wstring(origin.x - outer.left) + L" " + std::to_wstring(origin.y - outer.top));
    // Every shown descendant, in the order the system keeps them, placed in the window's client.
    EnumChildWindows(
        hwnd,
        [](HWND child, LPARAM top) -> BOOL {
            if (!IsWindowVisible(child))
                return TRUE;
            RECT rect{};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, reinterpret_cast<HWND>(top), reinterpret_cast<POINT*>(&rect), 2);
            wchar_t name[64]{};
            GetClassNameW(child, name, 64);
            Print(std::to_wstring(GetDlgCtrlID(child)) + L" " + name + L" " + std::to_wstring(rect.left) + L" " +
                  std::to_wstring(rect.top) + L" " + std::to_wstring(rect.right - rect.left) + L" " +
                  std::to_wstring(rect.bottom - rect.top));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(hwnd));
    return kOk;
}

int CmdRect(const Args& args) {
    HWND hwnd;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    RECT rect{};
    if (args.positional.size() > 1) {
        long long id = 0;
        if (!ParseNumber(args.positional[1], id))
            return kUsage;
        const HWND child = FindDescendant(hwnd, static_cast<int>(id));
        if (!child) {
            Fail(L"rect: no descendant " + args.positional[1] + L" in " + args.positional[0]);
            return kNotMet;
        }
        if (args.Has(L"--client")) {
            GetClientRect(child, &rect);
        } else {
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
        }
    } else if (args.Has(L"--client")) {
        GetClientRect(hwnd, &rect);
    } else {
        GetWindowRect(hwnd, &rect);
    }
    Print(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " + std::to_wstring(rect.right) + L" " +
          std::to_wstring(rect.bottom));
    return kOk;
}

int CmdResize(const Args& args) {
    HWND hwnd;
    long long width = 0, height = 0;
    if (!WindowArg(args, 0, hwnd) || args.positional.size() < 3 || !ParseNumber(args.positional[1], width) ||
        !ParseNumber(args.positional[2], height))
        return kUsage;
    return SetWindowPos(hwnd, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? kOk
               : kNotMet;
}

int CmdClipboard(const Args&) {
    // Another program may hold the clipboard for a moment.
    if (!PollUntil(
            5, [] { return OpenClipboard(nullptr) != FALSE; }, 20)) {
        Fail(L"clipboard: cannot open it (" + ErrorText(static_cast<long>(GetLastError())) + L")");
        return kNotMet;
    }
    std::wstring text;
    bool found = false;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            found = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!found) {
        Fail(L"clipboard: it holds no text");
        return kNotMet;
    }
    // One output line per text line, without the carriage returns.
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        Print(line);
        start = end + 1;
    }
    return kOk;
}

} // namespace driver
