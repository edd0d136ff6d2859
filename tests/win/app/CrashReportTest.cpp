// A program that crashes under the crash reporter, by an uncaught C++ exception, abort or a fault,
// leaves a minidump, keeps only the newest reports of its folder and ends with the crash exit code.
#include "CrashFiles.h"
#include "RunFlow.h"
#include "win32/Owners.h"
#include "win32/Shell.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

std::set<std::wstring> Names(const fs::path& folder) {
    std::set<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().wstring());
    return names;
}

// The exception stream and the faulting address are read by a minidump tool in the e2e scenario.
bool IsMinidump(const fs::path& file) {
    char signature[4] = {};
    return std::ifstream(file, std::ios::binary).read(signature, 4) && std::string(signature, 4) == "MDMP";
}

DWORD RunChild(const wchar_t* how) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + (fs::path(self).parent_path() / L"crash_child.exe").wstring() + L"\" " + how;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
        return 0;
    const win32::KernelHandle process(child.hProcess), thread(child.hThread);
    DWORD code = 0;
    if (WaitForSingleObject(process.Get(), 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.Get(), &code);
    return code;
}

TEST(CrashReport, DumpOfTheExceptionNewestTenKept) {
    const fs::path folder = fs::path(win32::ShellFolder(win32::kFolderLocalAppData)) / L"Velmora/Tarnholm/Crashes";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / L"notes.dmp") << "the player's";
    for (int second = 10; second < 19; ++second)
        std::ofstream(folder / app::CrashReportName({2001, 1, 1, 0, 0, second}, 1)) << "old";
    std::set<std::wstring> seen = Names(folder);
    for (const wchar_t* how : {L"throw", L"abort", L"fault"}) {
        EXPECT_EQ(RunChild(how), static_cast<DWORD>(app::kExitCrashed)) << how;
        std::vector<std::wstring> made;
        for (const std::wstring& name : Names(folder))
            if (seen.insert(name).second)
                made.push_back(name);
        ASSERT_EQ(made.size(), 1u) << how;
        EXPECT_TRUE(IsMinidump(folder / made[0])) << how;
    }
    const std::set<std::wstring> left = Names(folder);
    EXPECT_EQ(left.size(), app::kCrashReportsKept + 1) << "ten reports and the player's file";
    EXPECT_TRUE(left.count(L"notes.dmp"));
    EXPECT_FALSE(left.count(app::CrashReportName({2001, 1, 1, 0, 0, 10}, 1))) << "the oldest went";
    fs::remove_all(folder);
}

} // namespace
