// The standard save dialog on demand. Importing the common dialog library would load it (and
// the shell libraries it pulls in) on every start, before the first window, while only a
// player who saves the report ever needs it.
#pragma once

#include "win32/Owners.h"

#include <commdlg.h>

#include <string>

namespace win32 {

enum class SaveDialogAnswer { Chosen, Cancelled, Failed };

// GetSaveFileNameW from the system's common dialog library, loaded at the first call and pinned
// from then on: the shell objects of the dialog may still be at work in the background when it
// has returned, so the library is not freed under them. info.lpstrFile holds the chosen path
// when the answer is Chosen; error is the dialog's extended error code when it Failed (0 when
// the library could not be had).
inline SaveDialogAnswer AskSaveFileName(OPENFILENAMEW& info, DWORD& error) {
    error = 0;
    static const PinnedModule dialogs(L"comdlg32.dll");
    using GetSaveFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    using ExtendedErrorFn = DWORD(WINAPI*)();
    const auto ask = ProcAddress<GetSaveFileNameFn>(dialogs.Get(), "GetSaveFileNameW");
    const auto extendedError = ProcAddress<ExtendedErrorFn>(dialogs.Get(), "CommDlgExtendedError");
    if (ask == nullptr)
        return SaveDialogAnswer::Failed;
    if (ask(&info))
        return SaveDialogAnswer::Chosen;
    error = extendedError != nullptr ? extendedError() : 0;
    return error == 0 ? SaveDialogAnswer::Cancelled : SaveDialogAnswer::Failed;
}

// The player's Documents folder, from the shell library (which the save dialog loads anyway);
// empty when it cannot be had.
inline std::wstring DocumentsFolder() {
    constexpr int kPersonal = 5;  // CSIDL_PERSONAL
    constexpr DWORD kCurrent = 0; // SHGFP_TYPE_CURRENT
    const Module shell(LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, wchar_t*);
    const auto getFolderPath = ProcAddress<GetFolderPathFn>(shell.Get(), "SHGetFolderPathW");
    wchar_t path[MAX_PATH] = {};
    if (getFolderPath == nullptr || FAILED(getFolderPath(nullptr, kPersonal, nullptr, kCurrent, path)))
        return {};
    return path;
}

} // namespace win32
