#include "CrashFiles.h"

#include <gtest/gtest.h>

namespace {

using app::CrashReportName;
using app::CrashReportsToRemove;
using app::IsCrashReportName;

TEST(CrashFiles, NamesSortByTimeAndOnlyOursAreRecognised) {
    EXPECT_EQ(CrashReportName({2024, 3, 7, 9, 5, 2}, 412), L"Launcher-20240307-090502-412.dmp");
    for (const wchar_t* ours : {L"Launcher-20240307-090502-412.dmp", L"Launcher-19991231-235959-0.dmp"})
        EXPECT_TRUE(IsCrashReportName(ours)) << ours;
    for (const wchar_t* theirs :
         {L"Launcher-20240307-090502-.dmp", L"Launcher-20240307-0905-412.dmp", L"Launcher-2024030x-090502-412.dmp",
          L"Launcher-20240307-090502-412.txt", L"launcher-20240307-090502-412.dmp",
          L"Launcher-20240307-090502-41 2.dmp", L"notes.dmp", L""})
        EXPECT_FALSE(IsCrashReportName(theirs)) << theirs;
}

TEST(CrashFiles, KeepsTheNewestAndNeverTouchesOtherFiles) {
    std::vector<std::wstring> names{L"Launcher-20240102-000000-7.dmp", L"keep me.dmp",
                                    L"Launcher-20231231-235959-9.dmp", L"Launcher-20240102-000000-12.dmp",
                                    L"Launcher-20240101-120000-5.dmp"};
    EXPECT_EQ(CrashReportsToRemove(names, 2),
              (std::vector<std::wstring>{L"Launcher-20231231-235959-9.dmp", L"Launcher-20240101-120000-5.dmp"}));
    EXPECT_EQ(CrashReportsToRemove(names, 1),
              (std::vector<std::wstring>{L"Launcher-20231231-235959-9.dmp", L"Launcher-20240101-120000-5.dmp",
                                         L"Launcher-20240102-000000-7.dmp"}))
        << "in one second, process 7 before 12";
    EXPECT_TRUE(CrashReportsToRemove(names, 4).empty());
    EXPECT_TRUE(CrashReportsToRemove({}, app::kCrashReportsKept).empty());
}

} // namespace
