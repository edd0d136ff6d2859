#include "GameStart.h"

#include <gtest/gtest.h>

namespace {

TEST(GameStartChoice, InstallerValuesOrCurrentDirectory) {
    launcher::GameStart start;
    ASSERT_TRUE(launcher::ChooseGameStart(L"D:\\Tarnholm\\Tarnholm.exe", L"D:\\Tarnholm", L"C:\\cwd", start));
    EXPECT_EQ(start.file, L"D:\\Tarnholm\\Tarnholm.exe");
    EXPECT_EQ(start.directory, L"D:\\Tarnholm");

    for (auto [exe, dir] :
         {std::pair<const wchar_t*, const wchar_t*>{L"D:\\T.exe", L""}, {L"", L"D:\\T"}, {L"", L""}}) {
        ASSERT_TRUE(launcher::ChooseGameStart(exe, dir, L"C:\\cwd", start));
        EXPECT_EQ(start.file, L"C:\\cwd\\Ostrel_Release_Win32.exe");
        EXPECT_EQ(start.directory, L"C:\\cwd");
    }

    const std::wstring deep = L"C:\\" + std::wstring(240, L'd');
    EXPECT_FALSE(launcher::ChooseGameStart(L"", L"", deep, start)) << "would exceed MAX_PATH: refused";
    const std::wstring fits = L"C:\\" + std::wstring(230, L'd');
    EXPECT_TRUE(launcher::ChooseGameStart(L"", L"", fits, start));
}

} // namespace
