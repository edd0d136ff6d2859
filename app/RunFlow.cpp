#include "RunFlow.h"

namespace app {

namespace {

constexpr const wchar_t* kSilent = L"/silent";
constexpr const wchar_t* kForceReport = L"/ForceDetectionUI";
constexpr const wchar_t* kOnlyDetection = L"/OnlyDetection";
constexpr const wchar_t* kReport = L"/Report";

bool Holds(const std::wstring& text, const wchar_t* word) { return text.find(word) != std::wstring::npos; }

bool HoldsSwitch(const std::wstring& text) {
    return Holds(text, kSilent) || Holds(text, kForceReport) || Holds(text, kOnlyDetection) || Holds(text, kReport);
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

} // namespace

std::vector<CommandLineArgument> SplitCommandLine(const std::wstring& line) {
    std::vector<CommandLineArgument> arguments;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (true) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        CommandLineArgument argument;
        argument.begin = i;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            if (line[i] == L'\\') {
                std::size_t slashes = 0;
                while (i < n && line[i] == L'\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && line[i] == L'"') {
                    argument.text.append(slashes / 2, L'\\');
                    if (slashes % 2 == 1) {
                        argument.text += L'"';
                        ++i;
                    }
                    // An even count leaves the quote to group, below.
                } else {
                    argument.text.append(slashes, L'\\');
                }
                continue;
            }
            if (line[i] == L'"') {
                if (quoted && i + 1 < n && line[i + 1] == L'"') {
                    argument.text += L'"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            argument.text += line[i];
            ++i;
        }
        argument.end = i;
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

LaunchSwitches ParseSwitches(const std::wstring& commandLine) {
    LaunchSwitches switches;
    std::wstring searched = commandLine;
    const std::vector<CommandLineArgument> arguments = SplitCommandLine(commandLine);
    for (std::size_t a = 0; a < arguments.size(); ++a) {
        const CommandLineArgument& argument = arguments[a];
        if (!Holds(commandLine.substr(argument.begin, argument.end - argument.begin), kReport))
            continue;
        switches.report = true;
        if (a + 1 < arguments.size()) {
            const CommandLineArgument& file = arguments[a + 1];
            const std::wstring raw = commandLine.substr(file.begin, file.end - file.begin);
            // "/Report /silent": the file was forgotten, and the word after it is a switch.
            const bool isSwitch = file.text.rfind(L'/', 0) == 0 && HoldsSwitch(raw);
            if (!isSwitch && !file.text.empty()) {
                switches.reportFile = file.text;
                searched.replace(file.begin, file.end - file.begin, file.end - file.begin, L' ');
            }
        }
        break;
    }
    switches.silent = Holds(searched, kSilent);
    switches.forceReport = Holds(searched, kForceReport);
    switches.onlyDetection = Holds(searched, kOnlyDetection);
    return switches;
}

const wchar_t* LanguageFileFor(int engineLanguage) {
    switch (engineLanguage) {
    case 1: return L"localization\\EN\\interpreter_local.ini";
    case 3: return L"localization\\DEU\\interpreter_local.ini";
    case 4: return L"localization\\FR\\interpreter_local.ini";
    case 5: return L"localization\\ESM\\interpreter_local.ini";
    case 6: return L"localization\\ITA\\interpreter_local.ini";
    default: return L"interpreter_local.ini";
    }
}

unsigned short ResourceLanguageFor(int engineLanguage) {
    switch (engineLanguage) {
    case 3: return 0x0407;  // German
    case 4: return 0x040C;  // French
    case 5: return 0x0C0A;  // Spanish, modern sort
    case 6: return 0x0410;  // Italian
    default: return 0x0409; // English
    }
}

std::wstring LanguageFilePath(const std::wstring& programPath, int engineLanguage) {
    const std::size_t slash = programPath.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : programPath.substr(0, slash + 1);
    return folder + LanguageFileFor(engineLanguage);
}

WindowPlan PlanWindows(const LaunchSwitches& switches, int overallResult, bool showDetectionUIPresent) {
    WindowPlan plan;
    if (RunsWithoutWindows(switches))
        return plan;
    const bool forced = switches.forceReport || switches.onlyDetection;
    plan.report = forced || (overallResult == kResultFailed && !showDetectionUIPresent);
    plan.warning = plan.report && !forced && overallResult == kResultFailed;
    plan.launcher = !switches.onlyDetection;
    return plan;
}

int RunExitCode(const LaunchSwitches& switches, bool reportWritten, bool defaultsStored) {
    if (switches.report && !reportWritten)
        return kExitReportNotWritten;
    return RunsWithoutWindows(switches) && !defaultsStored ? kExitDefaultsNotStored : kExitDone;
}

int ProgressPosition(int completed, int total) {
    if (total <= 0)
        return 0;
    return static_cast<int>(static_cast<double>(completed) / total * 100.0) - 1;
}

} // namespace app
