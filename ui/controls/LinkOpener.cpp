#include "controls/LinkOpener.h"

#include "controls/HyperLinkLogic.h"
#include "win32/Owners.h"
#include "win32/Shell.h"

#include <string>

long ReadClassesRootDefault(const std::wstring& key, std::wstring& value) {
    win32::RegKey handle;
    const LONG opened = RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, handle.Out());
    if (opened != ERROR_SUCCESS)
        return opened;
    wchar_t buffer[131] = {}; // 260 bytes and a terminator of our own
    DWORD bytes = 260;
    DWORD type = 0;
    const LONG read = RegQueryValueExW(handle.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (read != ERROR_SUCCESS)
        return read;
    value.assign(buffer, bytes / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0')
        value.pop_back();
    return 0;
}

int OpenLinkTarget(const std::wstring& target, int showCommand) {
    // As ShellExecuteW: no message from the shell (the link shows its own), its code in hInstApp.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.nShow = showCommand;
    win32::ExecuteThroughShell(info);
    const auto shell = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
    if (shell > 32)
        return shell;
    std::wstring document;
    if (ReadClassesRootDefault(L".htm", document) != 0)
        return shell;
    std::wstring registered;
    if (ReadClassesRootDefault(document + L"\\shell\\open\\command", registered) != 0)
        return shell;
    std::wstring command;
    // A command that does not fit is refused whole: cut short it would open something else.
    if (!hyperlink::BuildBrowserCommand(registered, target, command))
        return shell;
    const int bytes = WideCharToMultiByte(CP_THREAD_ACP, 0, command.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return shell;
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, command.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
    return static_cast<int>(WinExec(ansi.c_str(), static_cast<UINT>(showCommand)));
}
