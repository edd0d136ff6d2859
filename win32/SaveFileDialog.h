// The standard save dialog on demand. Importing the common dialog library would load it (and
// the shell libraries it pulls in) on every start, before the first window, while only a
// player who saves the report ever needs it.
#pragma once

#include "win32/Owners.h"
#include "win32/Shell.h"

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
inline std::wstring DocumentsFolder() { return ShellFolder(kFolderDocuments); }

} // namespace win32
