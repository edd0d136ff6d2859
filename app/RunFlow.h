// The run's decisions, apart from the windows that carry them out.
#pragma once

#include <string>

struct LaunchSwitches {
    bool silent = false;
    bool forceReport = false;
    bool onlyDetection = false;
};

// Case-sensitive substring search anywhere in the raw command line.
LaunchSwitches ParseSwitches(const std::wstring& commandLine);

// Language file for an engine language id, relative to the program's folder.
const wchar_t* LanguageFileFor(int engineLanguage);

// The language of the resource library's numbered strings for an engine language id (a
// Windows language id); English for an id without a language file of its own.
unsigned short ResourceLanguageFor(int engineLanguage);

// programPath cut after its last backslash, with the language file appended.
std::wstring LanguageFilePath(const std::wstring& programPath, int engineLanguage);

// Overall results of the detection run.
inline constexpr int kResultIdeal = 0;
inline constexpr int kResultFailed = 1;
inline constexpr int kResultSufficient = 2;

struct WindowPlan {
    bool report = false;
    bool warning = false; // after the report
    bool launcher = false;
};

// Which windows follow the detection run. showDetectionUIPresent: the Launcher key holds a
// "ShowDetectionUI" value of any type or content.
WindowPlan PlanWindows(const LaunchSwitches& switches, int overallResult, bool showDetectionUIPresent);

// Progress bar position after completed of total tests: percent truncated, minus one.
// No tests at all leaves the bar at its start.
int ProgressPosition(int completed, int total);
