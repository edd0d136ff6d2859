// The shell library on demand. Loading it with the program costs every start three libraries
// before the first window, while only a click on Launch or on a link, a save of the report or a
// crash report ever needs it.
#pragma once

#include "win32/Owners.h"

#include <shellapi.h>

#include <string>

namespace win32 {

// The system's shell library, loaded at the first call and kept from then on: the shell may go on
// working in it (threads, objects it handed out) after a call has returned, so it is never freed
// under that work. Null when it cannot be had.
inline HMODULE ShellLibrary() {
    static const PinnedModule shell(L"shell32.dll");
    return shell.Get();
}

// ShellExecuteExW from the shell library. The call is made synchronous: the launcher closes right
// after starting the game, and an execution still under way would go with it. False when the
// function cannot be had, or when the shell fails; info.hInstApp then holds the shell's error
// code (0 when the shell was never reached).
inline bool ExecuteThroughShell(SHELLEXECUTEINFOW& info) {
    info.fMask |= SEE_MASK_NOASYNC;
    info.hInstApp = nullptr;
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    const auto execute = ProcAddress<ShellExecuteExFn>(ShellLibrary(), "ShellExecuteExW");
    return execute != nullptr && execute(&info) != FALSE;
}

inline constexpr int kFolderDocuments = 0x05;    // CSIDL_PERSONAL
inline constexpr int kFolderLocalAppData = 0x1C; // CSIDL_LOCAL_APPDATA

// A folder of the player's profile (kFolder*) as it is now; empty when it cannot be had.
inline std::wstring ShellFolder(int folder) {
    constexpr DWORD kCurrent = 0; // SHGFP_TYPE_CURRENT
    using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*);
    const auto getFolderPath = ProcAddress<GetFolderPathFn>(ShellLibrary(), "SHGetFolderPathW");
    wchar_t path[MAX_PATH] = {};
    if (getFolderPath == nullptr || FAILED(getFolderPath(nullptr, folder, nullptr, kCurrent, path)))
        return {};
    return path;
}

} // namespace win32
