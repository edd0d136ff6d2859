#include "CrashFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(CrashFiles, NamedByTimeOldestRemovedFirstOthersLeftAlone) {
    EXPECT_EQ(app::CrashReportName({2024, 3, 7, 9, 5, 2}, 412), L"Launcher-20240307-090502-412.dmp");
    for (const wchar_t* theirs : {L"Launcher-20240307-0905-4.dmp", L"Launcher-20240307-090502-.dmp",
                                  L"launcher-20240307-090502-4.dmp", L"Launcher-2024030x-090502-4.dmp"})
        EXPECT_FALSE(app::IsCrashReportName(theirs)) << theirs;
    const std::vector<std::wstring> names{L"Launcher-20240102-000000-7.dmp", L"notes.dmp",
                                          L"Launcher-20231231-235959-9.dmp", L"Launcher-20240102-000000-12.dmp"};
    EXPECT_EQ(app::CrashReportsToRemove(names, 1),
              (std::vector<std::wstring>{L"Launcher-20231231-235959-9.dmp", L"Launcher-20240102-000000-7.dmp"}))
        << "in one second, process 7 before 12";
    EXPECT_TRUE(app::CrashReportsToRemove(names, 3).empty());
}

} // namespace
