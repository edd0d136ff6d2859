// A tab control's items read from another process. Its messages fill in structures through
// pointers, which the system does not carry across processes: the structures are placed in the
// control's own process and read back from there. (A pointer into this process's memory would
// make the control write into whatever lies at that address in its own.)
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

bool Ask(HWND tab, UINT message, int index, void* remote) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(tab, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                               kAnswerTimeoutMs, &answer) &&
           answer;
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

} // namespace driver
