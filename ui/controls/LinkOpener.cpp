#include "controls/LinkOpener.h"

#include "controls/HyperLinkLogic.h"
#include "win32/ClassesRoot.h"
#include "win32/Shell.h"

#include <string>

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
    if (win32::ReadClassesRootDefault(L".htm", document) != 0)
        return shell;
    std::wstring registered;
    if (win32::ReadClassesRootDefault(document + L"\\shell\\open\\command", registered) != 0)
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
