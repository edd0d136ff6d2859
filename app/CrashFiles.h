// The crash reports' folder: how a report is named, and which reports go when more are there
// than are kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

inline constexpr std::size_t kCrashReportsKept = 10;

// A moment in UTC, as the system's clock gives it.
struct CrashTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "Launcher-YYYYMMDD-HHMMSS-<process id>.dmp", the time in UTC: names sort as the crashes came,
// whatever the clock's time zone or summer time did in between.
std::wstring CrashReportName(const CrashTime& utc, unsigned long processId);

// Whether a file name is one that CrashReportName gives; files of any other name are the
// player's, and are never removed.
bool IsCrashReportName(std::wstring_view name);

// Of the file names in the folder, the crash reports beyond the newest `kept`, oldest first.
std::vector<std::wstring> CrashReportsToRemove(std::vector<std::wstring> names, std::size_t kept);

} // namespace app
