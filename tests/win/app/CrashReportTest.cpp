// A program that crashes under the crash reporter leaves a minidump that records the exception,
// keeps only the newest reports of its folder and ends with the crash exit code.
#include "CrashFiles.h"
#include "RunFlow.h"
#include "win32/Owners.h"
#include "win32/Shell.h"

#include <dbghelp.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// The exception code that the dump's exception stream holds; 0 when it has none.
DWORD DumpedExceptionCode(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto at = [&](std::size_t offset, auto& out) {
        if (offset + sizeof out <= bytes.size())
            std::memcpy(&out, bytes.data() + offset, sizeof out);
    };
    MINIDUMP_HEADER header{};
    at(0, header);
    if (bytes.compare(0, 4, "MDMP") != 0)
        return 0;
    for (ULONG32 i = 0; i < header.NumberOfStreams; ++i) {
        MINIDUMP_DIRECTORY entry{};
        at(header.StreamDirectoryRva + i * sizeof entry, entry);
        MINIDUMP_EXCEPTION_STREAM exception{};
        if (entry.StreamType == ExceptionStream) {
            at(entry.Location.Rva, exception);
            return exception.ExceptionRecord.ExceptionCode;
        }
    }
    return 0;
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

    const struct {
        const wchar_t* how;
        DWORD code;
    } crashes[] = {{L"throw", 0xE0000001}, {L"fault", EXCEPTION_ACCESS_VIOLATION}};
    for (const auto& crash : crashes) {
        SCOPED_TRACE(testing::Message() << crash.how);
        const std::set<std::wstring> before = Names(folder);
        EXPECT_EQ(RunChild(crash.how), static_cast<DWORD>(kExitCrashed));
        std::set<std::wstring> made;
        for (const std::wstring& name : Names(folder))
            if (!before.count(name))
                made.insert(name);
        ASSERT_EQ(made.size(), 1u);
        EXPECT_TRUE(app::IsCrashReportName(*made.begin()));
        EXPECT_EQ(DumpedExceptionCode(folder / *made.begin()), crash.code);
    }
    const std::set<std::wstring> left = Names(folder);
    EXPECT_EQ(left.size(), app::kCrashReportsKept + 1) << "ten reports and the player's file";
    EXPECT_TRUE(left.count(L"notes.dmp"));
    EXPECT_FALSE(left.count(app::CrashReportName({2001, 1, 1, 0, 0, 10}, 1))) << "the oldest went";
    EXPECT_TRUE(left.count(app::CrashReportName({2001, 1, 1, 0, 0, 12}, 1)));
    fs::remove_all(folder);
}

} // namespace
