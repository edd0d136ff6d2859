#include "RunFlow.h"

LaunchSwitches ParseSwitches(const std::wstring& commandLine) {
    LaunchSwitches switches;
    switches.silent = commandLine.find(L"/silent") != std::wstring::npos;
    switches.forceReport = commandLine.find(L"/ForceDetectionUI") != std::wstring::npos;
    switches.onlyDetection = commandLine.find(L"/OnlyDetection") != std::wstring::npos;
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
    case 3: return 0x0407; // German
    case 4: return 0x040C; // French
    case 5: return 0x0C0A; // Spanish, modern sort
    case 6: return 0x0410; // Italian
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
    if (switches.silent)
        return plan;
    const bool forced = switches.forceReport || switches.onlyDetection;
    plan.report = forced || (overallResult == kResultFailed && !showDetectionUIPresent);
    plan.warning = plan.report && !forced && overallResult == kResultFailed;
    plan.launcher = !switches.onlyDetection;
    return plan;
}

int ProgressPosition(int completed, int total) {
    if (total <= 0)
        return 0;
    return static_cast<int>(static_cast<double>(completed) / total * 100.0) - 1;
}
