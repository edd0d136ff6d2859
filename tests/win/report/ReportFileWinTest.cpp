// The report file on the real file system: written whole or not at all, beside the file and
// renamed over it, the old file untouched on every failure and no temporary file left behind;
// the header's facts; the reasons given in the player's language.
#include "report/ReportFileSave.h"
#include "MemoryRegistry.h"
#include "win32/FileWrite.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace {

// A fresh folder under the temporary folder, removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"tarnholm-report-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++count_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::wstring& name : Names()) {
            const std::wstring file = path_ + L"\\" + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(file.c_str()))
                RemoveDirectoryW(file.c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    const std::wstring& Path() const { return path_; }
    std::set<std::wstring> Names() const {
        std::set<std::wstring> names;
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.insert(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    static inline int count_ = 0;
    std::wstring path_;
};

std::string Contents(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

TextLookup Texts() {
    return [](const wchar_t* key) { return L"<" + std::wstring(key) + L">"; };
}

TEST(FileWriteWhole, WritesANewFileAndLeavesNothingElse) {
    ScratchFolder folder;
    const auto result = win32::WriteFileWhole(folder / L"Tarnholm system check.txt", "abc\r\n");
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.fullPath, folder / L"Tarnholm system check.txt");
    EXPECT_EQ(Contents(folder / L"Tarnholm system check.txt"), "abc\r\n");
    EXPECT_EQ(folder.Names(), std::set<std::wstring>{L"Tarnholm system check.txt"});
}

TEST(FileWriteWhole, ReplacesALongerFileWhole) {
    ScratchFolder folder;
    Put(folder / L"r.txt", std::string(100000, 'x'));
    ASSERT_TRUE(win32::WriteFileWhole(folder / L"r.txt", "short"));
    EXPECT_EQ(Contents(folder / L"r.txt"), "short");
    EXPECT_EQ(folder.Names(), std::set<std::wstring>{L"r.txt"});
    // And the other way round: a longer one over a short one, larger than one write.
    const std::string large(3 << 20, 'y');
    ASSERT_TRUE(win32::WriteFileWhole(folder / L"r.txt", large));
    EXPECT_EQ(Contents(folder / L"r.txt"), large);
}

TEST(FileWriteWhole, RelativeToTheCurrentFolder) {
    ScratchFolder folder;
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
    const auto result = win32::WriteFileWhole(L"Tårnholm check.txt", "1");
    SetCurrentDirectoryW(previous);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.fullPath, folder / L"Tårnholm check.txt");
    EXPECT_EQ(Contents(folder / L"Tårnholm check.txt"), "1");
}

TEST(FileWriteWhole, MissingFolderWritesNothing) {
    ScratchFolder folder;
    const auto result = win32::WriteFileWhole(folder / L"no such folder\\r.txt", "abc");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(result.fullPath, folder / L"no such folder\\r.txt");
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_STREQ(report::WriteFailureReasonKey(result.error), L"IDS_REPORT_REASON_FOLDER");

    EXPECT_EQ(win32::WriteFileWhole(L"", "abc").error, static_cast<DWORD>(ERROR_INVALID_NAME));
}

// A file that may not be replaced (read-only), one that another program holds open without
// letting it be deleted, and a folder in the file's place: each stays as it was, and the
// temporary file goes again.
TEST(FileWriteWhole, AFileThatCannotBeReplacedStaysAsItWas) {
    ScratchFolder folder;
    Put(folder / L"readonly.txt", "old");
    ASSERT_TRUE(SetFileAttributesW((folder / L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    auto result = win32::WriteFileWhole(folder / L"readonly.txt", "new");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Contents(folder / L"readonly.txt"), "old");
    EXPECT_EQ(folder.Names(), std::set<std::wstring>{L"readonly.txt"});

    Put(folder / L"open.txt", "old");
    const HANDLE held =
        CreateFileW((folder / L"open.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    result = win32::WriteFileWhole(folder / L"open.txt", "new");
    CloseHandle(held);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error == ERROR_SHARING_VIOLATION || result.error == ERROR_ACCESS_DENIED) << result.error;
    EXPECT_EQ(Contents(folder / L"open.txt"), "old");

    ASSERT_TRUE(CreateDirectoryW((folder / L"folder.txt").c_str(), nullptr));
    result = win32::WriteFileWhole(folder / L"folder.txt", "new");
    EXPECT_FALSE(result);
    EXPECT_EQ(GetFileAttributesW((folder / L"folder.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(folder.Names(), (std::set<std::wstring>{L"folder.txt", L"open.txt", L"readonly.txt"}));
}

TEST(ReportFileOnDisk, HeaderTextEncodingAndLineEnds) {
    ScratchFolder folder;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    registry::MemoryRegistry nothingInstalled;
    const auto result = report::WriteReportFile(folder / L"r.txt", L"Verdict\r\n\r\nHeading\r\nMemory: 1 GB\r\n",
                                                Texts(), nothingInstalled);
    ASSERT_TRUE(result) << result.error;
    const std::string bytes = Contents(folder / L"r.txt");
    ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
    const std::string text = bytes.substr(3);
    const std::string expectedStart =
        "<IDS_REPORT_TITLE>\r\n<IDS_REPORT_PROGRAM_VERSION>: " + std::string(TARNHOLM_TEST_PROGRAM_VERSION) + "\r\n";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
    // Nothing installed: the record is missing.
    EXPECT_NE(text.find("<IDS_REPORT_GAME_VERSION>: <IDS_REPORT_NOT_RECORDED>\r\n"), std::string::npos) << text;
    char today[16];
    snprintf(today, sizeof today, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    EXPECT_NE(text.find(std::string("<IDS_REPORT_DATE>: ") + today), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 36), "\r\nVerdict\r\n\r\nHeading\r\nMemory: 1 GB\r\n");
}

TEST(ReportFileOnDisk, Reasons) {
    EXPECT_EQ(report::WriteFailureReason(ERROR_PATH_NOT_FOUND, Texts()), L"<IDS_REPORT_REASON_FOLDER>");
    EXPECT_EQ(report::WriteFailureReason(ERROR_DISK_FULL, Texts()), L"<IDS_REPORT_REASON_DISK_FULL>");
    const std::wstring other = report::WriteFailureReason(ERROR_INVALID_PARAMETER, Texts());
    EXPECT_EQ(other.substr(other.size() - 4), L"(87)") << "the system's words and the code";
    EXPECT_GT(other.size(), 5u) << "the system's own message";
}

} // namespace
