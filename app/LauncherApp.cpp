#include "LauncherApp.h"

#include "GraphicsQueryOwner.h"
#include "LauncherDlg.h"
#include "Localization.h"
#include "SplashDlg.h"
#include "dialogs/MessageDialog.h"
#include "report/ReportFileSave.h"
#include "report/ReportText.h"
#include "report/SystemCheckDlg.h"
#include "sheet/SettingsSheet.h"
#include "win32/ComApartment.h"

#include <string>
#include <vector>

namespace {

const wchar_t kShowDetectionUI[] = L"ShowDetectionUI";

std::wstring ProgramPath() {
    std::vector<wchar_t> path(1024, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return length > 0 && length < path.size() ? std::wstring(path.data(), length) : std::wstring();
}

// The resource library beside the program, never one found elsewhere on the search path.
win32::Module LoadResourceLibrary() {
    const std::wstring program = ProgramPath();
    const std::size_t slash = program.rfind(L'\\');
    if (slash == std::wstring::npos)
        return {};
    return win32::Module(
        LoadLibraryExW((program.substr(0, slash + 1) + L"local.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

} // namespace

CLauncherApp::~CLauncherApp() = default;

settings::SettingsEnvironment CLauncherApp::ProgramEnvironment() {
    return {registry_, displayModes_, locale_, Texts()};
}

TextLookup CLauncherApp::Texts() {
    return [](const wchar_t* key) { return GetLocalizedString(key); };
}

bool CLauncherApp::InitInstance() {
    fw::Application::InitInstance();
    switches_ = app::ParseSwitches(CommandLine());
    StartCrashReports();
    // Until the report is written, "/Report" has not done its work.
    exitCode_ = switches_.report ? app::kExitReportNotWritten : app::kExitDone;
    if (switches_.report && switches_.reportFile.empty()) {
        // Nothing else runs: no detection, nothing stored.
        if (!switches_.silent) {
            UseStoredLanguage();
            MessageBoxW(nullptr, GetLocalizedString(L"IDS_REPORT_MISSING_FILE").c_str(),
                        GetLocalizedString(L"IDS_ERROR").c_str(), MB_ICONERROR);
        }
        return false;
    }

    resourceLibrary_ = LoadResourceLibrary();
    if (!resourceLibrary_) {
        MessageBoxA(nullptr, "Unable to load local.dll", "Error", MB_ICONERROR);
        return false;
    }
    SetCurrentResources(fw::Resources(resourceLibrary_.Get()));
    const auto getCurrentLocal = win32::ProcAddress<int (*)()>(resourceLibrary_.Get(), "GetCurrentLocal");
    Localization::SetCurrentLocal(getCurrentLocal != nullptr ? getCurrentLocal() : 0);

    // Marks a running instance; the handle stays open until the process ends.
    instanceMarker_.Reset(CreateMutexW(nullptr, FALSE, L"__TARNHOLMLAUNCHER__"));
    if (instanceMarker_ && GetLastError() == ERROR_ALREADY_EXISTS) {
        // A report run while the launcher is open would refresh the same stored settings: it
        // waits for the player to close the launcher.
        if (switches_.report && !switches_.silent) {
            UseStoredLanguage();
            report::ShowReportNotSaved(nullptr, win32::FullPathOf(switches_.reportFile),
                                       GetLocalizedString(L"IDS_REPORT_REASON_RUNNING"), Texts());
        }
        return false;
    }

    // The libraries that this thread needs up to the progress window are loaded by now: a load
    // here while the query's thread loads Direct3D's would wait for it.
    const app::GraphicsQueryOwner graphicsQuery;
    RunDetectionAndWindows();
    settings_.reset();
    return true;
}

void CLauncherApp::RunDetectionAndWindows() {
    try {
        CSplashDlg splash(Context(), nullptr);
        const bool withoutWindows = app::RunsWithoutWindows(switches_);
        if (!withoutWindows)
            splash.Open();
        // The thread of the windows keeps its apartment until the last of them is gone. COM is
        // loaded here, not at the start: the progress window needs none of it, and the graphics
        // query started ahead is past loading its own libraries by now.
        const win32::ComApartment apartment;

        detection_.emplace();
        DetectionApplication& detection = *detection_->Get();
        settings_ = std::make_unique<CSettingsModel>(&detection, ProgramEnvironment());
        const int language = settings_->GetValue(kEngineLanguage);
        SetIniPath(app::LanguageFilePath(ProgramPath(), language));
        crashReports_->Localize(Texts());
        SetCurrentResources(fw::Resources(resourceLibrary_.Get(), app::ResourceLanguageFor(language)));
        settings_->PrepareLists();

        detection.Initialize();
        detection.Configure();
        // The launcher window's object is made ahead: its picture loads while the graphics query
        // runs, at the progress window's scale (both open centred on the same screen).
        std::optional<CLauncherDlg> launcher;
        if (!withoutWindows) {
            detection.SetTestObserver(&splash);
            launcher.emplace(Context(), registry_, nullptr);
            launcher->PrepareBackground(splash.Look().dpi);
        }
        detection.RunTests();
        overallResult_ = detection.GetOverallResult();

        // A first run whose defaults the registry refused still opens the launcher, once the
        // player has been told that the game does not start with them.
        const bool defaultsNotSaved =
            settings_->ApplyHardwareDefaults(false) && settings_->Save() != settings::SaveResult::Saved;

        const bool reportWritten = switches_.report && WriteReport(detection);
        exitCode_ = app::RunExitCode(switches_, reportWritten, !defaultsNotSaved);
        if (!withoutWindows) {
            splash.DestroyWindow();
            if (defaultsNotSaved)
                MessageBoxW(nullptr, GetLocalizedString(L"IDS_DEFAULTS_NOT_SAVED").c_str(),
                            GetLocalizedString(L"IDS_ERROR").c_str(), MB_ICONERROR);
            std::uint32_t ignored = 0;
            const bool showDetectionUIPresent =
                settings_->LauncherKey().ReadDword(kShowDetectionUI, ignored) != registry::kRegistryFileNotFound;
            const app::WindowPlan plan = app::PlanWindows(switches_, overallResult_, showDetectionUIPresent);
            if (plan.report) {
                CSystemCheckDlg report(nullptr, Context(), registry_);
                report.AttachApplication(&detection);
                report.SetOverallResult(overallResult_);
                report.DoModal();
            }
            if (plan.warning) {
                CMessageDialog warning(GetLocalizedString(L"IDS_WARN_SYSTEM_INCOMPATIBLE"), L"",
                                       GetLocalizedString(L"IDS_DO_NOT_SHOW_AGAIN"), Context(), nullptr);
                if (warning.DoModal() == 1)
                    settings_->LauncherKey().WriteDword(kShowDetectionUI, 0);
            }
            if (plan.launcher) {
                launcher->SetSettingsOpener([this](HWND owner) { OpenSettings(owner); });
                SetMainWindow(&*launcher);
                launcher->DoModal();
                SetMainWindow(nullptr);
            }
        }
        detection_.reset();
    } catch (const Detection::DetectionFailedException&) {
        SetMainWindow(nullptr);
        if (detection_)
            detection_->Abandon();
        detection_.reset();
        MessageBoxW(nullptr, GetLocalizedString(L"IDS_CHECKLOG").c_str(), GetLocalizedString(L"IDS_ERROR").c_str(),
                    MB_ICONERROR);
    }
}

bool CLauncherApp::WriteReport(DetectionApplication& detection) {
    const wchar_t* verdictKey = report::VerdictKey(overallResult_);
    const std::wstring text = report::BuildReportText(verdictKey ? GetLocalizedString(verdictKey) : std::wstring(),
                                                      report::ReadDetectedItems(detection.GetInformations()), Texts());
    const win32::FileWriteResult written = report::WriteReportFile(switches_.reportFile, text, Texts(), registry_);
    if (written)
        return true;
    if (!switches_.silent)
        report::ShowReportNotSaved(nullptr, written, Texts());
    return false;
}

void CLauncherApp::UseStoredLanguage() {
    const settings::SettingsEnvironment environment = ProgramEnvironment();
    SetIniPath(app::LanguageFilePath(ProgramPath(), ReadEngineLanguage(environment.registry, environment.locale)));
    crashReports_->Localize(Texts());
}

void CLauncherApp::StartCrashReports() {
    crashReports_.emplace(switches_.silent);
    crashReports_->Localize(Texts());
}

void CLauncherApp::OpenSettings(HWND owner) {
    auto report = std::make_unique<CSystemCheckDlg>(nullptr, Context(), registry_, false);
    report->AttachApplication(GetDetectionApplication());
    report->SetOverallResult(overallResult_);
    CSettingsSheet sheet(*settings_, std::move(report), Context(), owner);
    sheet.DoModal();
}

int CLauncherApp::ExitInstance() {
    if (resourceLibrary_) {
        SetCurrentResources(fw::Resources());
        resourceLibrary_.Reset();
    }
    fw::Application::ExitInstance();
    return exitCode_;
}
