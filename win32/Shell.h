// The shell library on demand. Loading it with the program costs every start three libraries
// before the first window, while only a click on Launch or on a link ever needs it.
#pragma once

#include "win32/Owners.h"

#include <shellapi.h>

namespace win32 {

// ShellExecuteExW from the system's shell library, loaded for this call and freed after it. The
// call is made synchronous, so nothing of the library is still at work when it goes. False when
// the library or the function cannot be had, or when the shell fails; info.hInstApp then holds
// the shell's error code (0 when the shell was never reached).
inline bool ExecuteThroughShell(SHELLEXECUTEINFOW& info) {
    info.fMask |= SEE_MASK_NOASYNC;
    info.hInstApp = nullptr;
    const Module shell(LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    const auto execute = ProcAddress<ShellExecuteExFn>(shell.Get(), "ShellExecuteExW");
    return execute != nullptr && execute(&info) != FALSE;
}

} // namespace win32
