// How the launcher finds the game to start.
#pragma once

#include <cstddef>
#include <string>

namespace launcher {

// Where the game is started from: the installer's "Executable" and "InstallDir" when both are
// known, else the game's usual file name in the current directory.
struct GameStart {
    std::wstring file;
    std::wstring directory;
};

inline constexpr std::size_t kMaxPath = 260;
inline constexpr const wchar_t* kFallbackGameFile = L"\\Ostrel_Release_Win32.exe";

// False when the fallback path would not fit in MAX_PATH: nothing is started then.
bool ChooseGameStart(const std::wstring& executable, const std::wstring& installDir,
                     const std::wstring& currentDirectory, GameStart& start);

} // namespace launcher
