// Messages to another process's windows that carry structures by pointer: a tab control's items,
// a property tree's cut lines, a change of scale with its rectangle. The system does not carry
// such pointers across processes: the structures are placed in the window's own process and read
// back from there. (A pointer into this process's memory would make the window write into
// whatever lies at that address in its own.)
#include "Driver.h"
#include "RemoteMemory.h"

#include "win32/Owners.h"

#include <commctrl.h>

namespace driver {

namespace {

win32::KernelHandle ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return win32::KernelHandle(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
}

bool Send(HWND window, UINT message, WPARAM wParam, void* remote, DWORD_PTR& answer) {
    return SendMessageTimeoutW(window, message, wParam, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                               kAnswerTimeoutMs, &answer) != 0;
}

bool Ask(HWND tab, UINT message, int index, void* remote) {
    DWORD_PTR answer = 0;
    return Send(tab, message, static_cast<WPARAM>(index), remote, answer) && answer;
}

} // namespace

bool TabItemRect(HWND tab, int index, RECT& rect) {
    const win32::KernelHandle process = ProcessOf(tab);
    if (!process)
        return false;
    const RemoteMemory remote(process.Get(), sizeof rect);
    return remote.Address() && Ask(tab, TCM_GETITEMRECT, index, remote.Address()) &&
           ReadProcessMemory(process.Get(), remote.Address(), &rect, sizeof rect, nullptr);
}

bool TabItemText(HWND tab, int index, std::wstring& text) {
    constexpr int kRoom = 256;
    const win32::KernelHandle process = ProcessOf(tab);
    if (!process)
        return false;
    // The item structure, then the room for its caption.
    const RemoteMemory remote(process.Get(), sizeof(TCITEMW) + kRoom * sizeof(wchar_t));
    if (!remote.Address())
        return false;
    BYTE* const remoteText = remote.Address() + sizeof(TCITEMW);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remoteText);
    item.cchTextMax = kRoom;
    wchar_t caption[kRoom]{};
    if (!WriteProcessMemory(process.Get(), remote.Address(), &item, sizeof item, nullptr) ||
        !Ask(tab, TCM_GETITEMW, index, remote.Address()) ||
        !ReadProcessMemory(process.Get(), remoteText, caption, sizeof caption, nullptr))
        return false;
    caption[kRoom - 1] = L'\0';
    text = caption;
    return true;
}

bool TreeCutLines(HWND list, std::vector<std::wstring>& lines) {
    constexpr int kRoom = 260; // the list's own room for one line
    static const UINT message = RegisterWindowMessageW(L"Tarnholm.TreeCutLines");
    DWORD_PTR count = 0;
    if (!message || !Send(list, message, 0, nullptr, count))
        return false;
    const win32::KernelHandle process = ProcessOf(list);
    const RemoteMemory remote(process.Get(), kRoom * sizeof(wchar_t));
    if (!process || !remote.Address())
        return false;
    lines.clear();
    for (DWORD_PTR index = 0; index < count; ++index) {
        wchar_t line[kRoom]{};
        DWORD_PTR length = 0;
        if (!Send(list, message, index, remote.Address(), length) ||
            !ReadProcessMemory(process.Get(), remote.Address(), line, sizeof line, nullptr))
            return false;
        line[kRoom - 1] = L'\0';
        lines.push_back(line);
    }
    return true;
}

bool SendDpiChange(HWND window, int dpi, const RECT& suggested) {
    const win32::KernelHandle process = ProcessOf(window);
    const RemoteMemory remote(process.Get(), sizeof suggested);
    DWORD_PTR answer = 0;
    return process && remote.Address() &&
           WriteProcessMemory(process.Get(), remote.Address(), &suggested, sizeof suggested, nullptr) &&
           Send(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), remote.Address(), answer);
}

} // namespace driver
