// Commands for the support paths: a registry key that refuses writes, the uninstall entries
// under a key, the standard save dialog, and the report's context menu.
#include "Driver.h"

#include "win32/Owners.h"

#include <sddl.h>

namespace driver {

namespace {

bool ParseRoot(const std::wstring& path, HKEY& root, std::wstring& subkey) {
    const size_t slash = path.find(L'\\');
    const std::wstring name = ToLower(path.substr(0, slash));
    subkey = slash == std::wstring::npos ? L"" : path.substr(slash + 1);
    if (name == L"hkcu" || name == L"hkey_current_user")
        root = HKEY_CURRENT_USER;
    else if (name == L"hklm" || name == L"hkey_local_machine")
        root = HKEY_LOCAL_MACHINE;
    else {
        Fail(L"unknown root: " + name);
        return false;
    }
    return true;
}

// The key's DACL replaced by one given in SDDL; the owner may always do that.
int SetKeyDacl(const Args& args, const wchar_t* sddl) {
    HKEY root = nullptr;
    std::wstring subkey;
    if (args.positional.empty() || !ParseRoot(args.positional[0], root, subkey))
        return kUsage;
    win32::RegKey key;
    LSTATUS rc = RegOpenKeyExW(root, subkey.c_str(), 0, WRITE_DAC, key.Out());
    if (rc != ERROR_SUCCESS) {
        Fail(L"cannot open " + args.positional[0] + L" to change its security (error " + std::to_wstring(rc) + L")");
        return kNotMet;
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return kNotMet;
    rc = RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    if (rc != ERROR_SUCCESS) {
        Fail(L"RegSetKeySecurity failed (error " + std::to_wstring(rc) + L")");
        return kNotMet;
    }
    return kOk;
}

HWND DescendantOfClass(HWND parent, const wchar_t* className) {
    HWND found = nullptr;
    struct Search {
        const wchar_t* name;
        HWND* found;
    } search{className, &found};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (lstrcmpiW(name, s->name) == 0) {
                *s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return found;
}

// The first visible popup menu window of the process.
HWND PopupMenuOf(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[16] = {};
            GetClassNameW(hwnd, name, 16);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid && IsWindowVisible(hwnd) && lstrcmpW(name, L"#32768") == 0) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PostKey(HWND window, WORD vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, vk, 1 | scan);
    PostMessageW(window, WM_KEYUP, vk, 1 | scan | (LPARAM{3} << 30));
}

} // namespace

int CmdRegLock(const Args& args) { return SetKeyDacl(args, L"D:P(A;;KR;;;WD)"); }

int CmdRegUnlock(const Args& args) {
    // Everyone may read and write it again.
    return SetKeyDacl(args, L"D:(A;;KA;;;WD)");
}

int CmdRegKeys(const Args& args) {
    HKEY root = nullptr;
    std::wstring subkey;
    if (args.positional.empty() || !ParseRoot(args.positional[0], root, subkey))
        return kUsage;
    REGSAM view = 0;
    const std::wstring wanted = args.Get(L"--view", L"64");
    if (wanted == L"32")
        view = KEY_WOW64_32KEY;
    else if (wanted == L"64")
        view = KEY_WOW64_64KEY;
    else
        return kUsage;
    win32::RegKey key;
    if (const LSTATUS rc = RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ | view, key.Out()); rc != ERROR_SUCCESS) {
        if (rc == ERROR_FILE_NOT_FOUND)
            return kOk; // no key, no subkeys
        Fail(L"reg-keys: cannot open " + args.positional[0] + L" (" + ErrorText(rc) + L")");
        return kNotMet;
    }
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = ARRAYSIZE(name);
        const LSTATUS rc = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc != ERROR_SUCCESS) {
            Fail(L"reg-keys: cannot list " + args.positional[0] + L" (" + ErrorText(rc) + L")");
            return kNotMet;
        }
        std::wstring line = name;
        // The entry's display name, which is what the list of programs shows.
        wchar_t display[512] = {};
        DWORD size = sizeof display;
        if (RegGetValueW(key.Get(), name, L"DisplayName", RRF_RT_REG_SZ, nullptr, display, &size) == ERROR_SUCCESS)
            line += L"\t" + std::wstring(display);
        Print(line);
    }
    return kOk;
}

int CmdSaveAs(const Args& args) {
    HWND dialog;
    if (!WindowArg(args, 0, dialog) || args.positional.size() < 2)
        return kUsage;
    HWND name = GetDlgItem(dialog, 1148); // the file name box (cmb13)
    if (!name)
        name = GetDlgItem(dialog, 1152); // or edt1 in older dialogs
    if (!name) {
        Fail(L"save-as: no file name box in " + Hex(reinterpret_cast<UINT_PTR>(dialog)));
        return kNotMet;
    }
    HWND edit = DescendantOfClass(name, L"Edit");
    if (!edit)
        edit = name;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.positional[1].c_str()));
    const HWND save = GetDlgItem(dialog, IDOK);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(save));
    return kOk;
}

int CmdRunLine(const Args& args) {
    if (args.positional.size() != 1)
        return kUsage;
    // The line exactly as given: some programs (NSIS's "_?=") read their command line unquoted.
    std::wstring line = args.positional[0];
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        Fail(L"cannot start " + line + L" (error " + std::to_wstring(GetLastError()) + L")");
        return kNotMet;
    }
    const win32::KernelHandle process(pi.hProcess), thread(pi.hThread);
    if (WaitForSingleObject(process.Get(), static_cast<DWORD>(args.Seconds(L"--timeout", 300) * 1000)) !=
        WAIT_OBJECT_0) {
        Fail(L"run-line: still running after the timeout");
        return kNotMet;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    Print(L"exit=" + std::to_wstring(code));
    return kOk;
}

int CmdContextMenu(const Args& args) {
    HWND window;
    long long id = 0;
    if (!WindowArg(args, 0, window) || args.positional.size() < 2 || !ParseNumber(args.positional[1], id))
        return kUsage;
    const HWND from = FindDescendant(window, static_cast<int>(id), true);
    if (!from) {
        Fail(L"context-menu: no visible descendant " + args.positional[1]);
        return kNotMet;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // As the keyboard's menu key asks for it: from the control, at no particular point.
    PostMessageW(GetAncestor(from, GA_ROOT), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(from), MAKELPARAM(-1, -1));
    HWND menu = nullptr;
    if (!PollUntil(args.Seconds(L"--timeout", 10), [&] { return (menu = PopupMenuOf(pid)) != nullptr; })) {
        Fail(L"context-menu: no menu appeared");
        return kNotMet;
    }
    Print(Hex(reinterpret_cast<UINT_PTR>(menu)));
    // Wine lets no other process read a menu's entries: a picture of the window with the menu
    // over it shows them.
    if (args.Has(L"--shot")) {
        if (!PollUntil(10, [&] { return FullyPainted(menu); }) ||
            !SaveSettledWindowBitmap(GetAncestor(window, GA_ROOT), args.Get(L"--shot"), 10))
            Fail(L"context-menu: no picture of the window with its menu");
    }
    if (args.Has(L"--choose")) {
        long long item = 0;
        if (!ParseNumber(args.Get(L"--choose"), item) || item < 1)
            return kUsage;
        // Down to the item (the first Down selects the first), then Enter, as a player's keys.
        for (long long i = 0; i < item; ++i)
            PostKey(menu, VK_DOWN);
        PostKey(menu, VK_RETURN);
        if (!PollUntil(10, [&] { return !IsWindowVisible(menu); })) {
            Fail(L"context-menu: the menu stayed open");
            return kNotMet;
        }
    }
    return kOk;
}

} // namespace driver
