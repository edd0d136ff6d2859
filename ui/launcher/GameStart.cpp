#include "GameStart.h"

namespace launcher {

bool ChooseGameStart(const std::wstring& executable, const std::wstring& installDir,
                     const std::wstring& currentDirectory, GameStart& start) {
    if (!executable.empty() && !installDir.empty()) {
        start = {executable, installDir};
        return true;
    }
    std::wstring file = currentDirectory + kFallbackGameFile;
    if (currentDirectory.size() >= kMaxPath || file.size() >= kMaxPath)
        return false;
    start = {std::move(file), currentDirectory};
    return true;
}

} // namespace launcher
