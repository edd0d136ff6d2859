// The run's decisions, apart from the windows that carry them out.
#pragma once

#include "Detection.h"

#include <cstddef>
#include <string>
#include <vector>

namespace app {

struct LaunchSwitches {
    bool silent = false;
    bool forceReport = false;
    bool onlyDetection = false;
    // "/Report <file>": the system check written to a file, no window shown.
    bool report = false;
    // The argument after "/Report", unquoted; empty when it is missing.
    std::wstring reportFile;
};

// Each switch by a case-sensitive substring search anywhere in the raw command line, so a
// switch inside a longer word counts ("/silently" is "/silent"). The argument that contains
// "/Report" (the first one that does) is "/Report", whatever else it holds; the argument after it,
// split and unquoted as Windows splits a command line, is the report's file. That file argument
// is no switch and is left out of the search for the others ("/Report C:/silent.txt" is not
// silent). An argument after "/Report" that starts with "/" and holds a switch (it is that
// switch), an empty one ("") or none at all leaves the file missing.
LaunchSwitches ParseSwitches(const std::wstring& commandLine);

// One argument of a command line: its text as the program receives it (quotes and escaping
// backslashes removed) and where it stands in the raw line.
struct CommandLineArgument {
    std::wstring text;
    std::size_t begin = 0; // first character in the raw line
    std::size_t end = 0;   // one past the last
};

// Splits a command line as Windows programs' start-up code does: blanks separate arguments,
// double quotes group, 2n backslashes before a quote give n and the quote groups, 2n+1 give n
// and a literal quote, and "" inside quotes is a literal quote.
std::vector<CommandLineArgument> SplitCommandLine(const std::wstring& commandLine);

// Whether the run shows no window of its own: "/silent", or "/Report" (which writes a file
// instead; only a message about that file may show).
inline bool RunsWithoutWindows(const LaunchSwitches& switches) { return switches.silent || switches.report; }

// Language file for an engine language id, relative to the program's folder.
const wchar_t* LanguageFileFor(int engineLanguage);

// The language of the resource library's numbered strings for an engine language id (a
// Windows language id); English for an id without a language file of its own.
unsigned short ResourceLanguageFor(int engineLanguage);

// programPath cut after its last backslash, with the language file appended.
std::wstring LanguageFilePath(const std::wstring& programPath, int engineLanguage);

// Overall results of the detection run.
inline constexpr int kResultIdeal = kOverallIdeal;
inline constexpr int kResultFailed = kOverallFailed;
inline constexpr int kResultSufficient = kOverallSufficient;

struct WindowPlan {
    bool report = false;
    bool warning = false; // after the report
    bool launcher = false;
};

// Which windows follow the detection run; none when RunsWithoutWindows. showDetectionUIPresent:
// the Launcher key holds a "ShowDetectionUI" value of any type or content.
WindowPlan PlanWindows(const LaunchSwitches& switches, int overallResult, bool showDetectionUIPresent);

// The process's exit codes.
inline constexpr int kExitDone = 0;
inline constexpr int kExitReportNotWritten = 1; // "/Report": no file written (or none named)
inline constexpr int kExitDefaultsNotStored = 2;
inline constexpr int kExitCrashed = 3; // ended by the crash report

// The exit code of a run that got through its detection. "/Report" whose file was not written
// ends with 1; otherwise a run without windows (which tells no one) whose first-run defaults
// could not be stored ends with 2; else 0. A run with windows has told the player instead.
int RunExitCode(const LaunchSwitches& switches, bool reportWritten, bool defaultsStored);

// Progress bar position after completed of total tests: percent truncated, minus one.
// No tests at all leaves the bar at its start.
int ProgressPosition(int completed, int total);

} // namespace app
