#include "LauncherApp.h"

#include "LauncherDlg.h"
#include "Localization.h"
#include "SplashDlg.h"
#include "Win32Settings.h"
#include "controls/MessageDialog.h"

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
HMODULE LoadResourceLibrary() {
    const std::wstring program = ProgramPath();
    const std::size_t slash = program.rfind(L'\\');
    if (slash == std::wstring::npos)
        return nullptr;
    return LoadLibraryExW((program.substr(0, slash + 1) + L"local.dll").c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

SettingsEnvironment ProgramEnvironment() {
    static CWin32Registry registry;
    static CWin32DisplayModes displayModes;
    static CWin32UserLocale locale;
    return {registry, displayModes, locale, [](const wchar_t* key) { return GetLocalizedString(key); }};
}

} // namespace

CLauncherApp::~CLauncherApp() = default;

bool CLauncherApp::InitInstance() {
    fw::Application::InitInstance();
    switches_ = ParseSwitches(CommandLine());

    resourceLibrary_ = LoadResourceLibrary();
    if (resourceLibrary_ == nullptr) {
        MessageBoxA(nullptr, "Unable to load local.dll", "Error", MB_ICONERROR);
        return false;
    }
    SetResourceModule(resourceLibrary_);
    using GetCurrentLocalFn = int (*)();
    const auto getCurrentLocal =
        reinterpret_cast<GetCurrentLocalFn>(reinterpret_cast<void*>(GetProcAddress(resourceLibrary_, "GetCurrentLocal")));
    Localization::SetCurrentLocal(getCurrentLocal != nullptr ? getCurrentLocal() : 0);

    // Marks a running instance; the handle stays open until the process ends.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, L"__TARNHOLMLAUNCHER__");
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS)
        return false;

    RunDetectionAndWindows();
    settings_.reset();
    return true;
}

void CLauncherApp::RunDetectionAndWindows() {
    try {
        CSplashDlg splash(nullptr);
        if (!switches_.silent && splash.Create(nullptr)) {
            ShowWindow(splash.Hwnd(), SW_SHOW);
            UpdateWindow(splash.Hwnd());
        }

        detection_ = nullptr;
        CreateApplication(&detection_);
        settings_ = std::make_unique<CSettingsModel>(detection_, ProgramEnvironment());
        SetIniPath(LanguageFilePath(ProgramPath(), settings_->GetValue(kEngineLanguage)));
        settings_->PrepareLists();

        detection_->Initialize();
        detection_->Configure();
        if (!switches_.silent)
            detection_->SetTestObserver(&splash);
        detection_->RunTests();
        overallResult_ = detection_->GetOverallResult();

        if (settings_->ApplyHardwareDefaults(false))
            settings_->Save();

        if (!switches_.silent) {
            splash.DestroyWindow();
            std::uint32_t ignored = 0;
            const bool showDetectionUIPresent =
                settings_->LauncherKey().ReadDword(kShowDetectionUI, ignored) != kRegistryFileNotFound;
            const WindowPlan plan = PlanWindows(switches_, overallResult_, showDetectionUIPresent);
            // The report window opens here once it exists; the warning follows it.
            if (plan.warning) {
                CMessageDialog warning(GetLocalizedString(L"IDS_WARN_SYSTEM_INCOMPATIBLE"), L"",
                                       GetLocalizedString(L"IDS_DO_NOT_SHOW_AGAIN"), nullptr);
                if (warning.DoModal() == 1)
                    settings_->LauncherKey().WriteDword(kShowDetectionUI, 0);
            }
            if (plan.launcher) {
                CLauncherDlg launcher(nullptr);
                SetMainWindow(&launcher);
                launcher.DoModal();
                SetMainWindow(nullptr);
            }
        }
        ReleaseApplication(&detection_);
    } catch (const Detection::DetectionFailedException&) {
        SetMainWindow(nullptr);
        MessageBoxW(nullptr, GetLocalizedString(L"IDS_CHECKLOG").c_str(), GetLocalizedString(L"IDS_ERROR").c_str(),
                    MB_ICONERROR);
    }
}

int CLauncherApp::ExitInstance() {
    if (resourceLibrary_ != nullptr) {
        SetResourceModule(nullptr);
        FreeLibrary(resourceLibrary_);
        resourceLibrary_ = nullptr;
    }
    fw::Application::ExitInstance();
    return 0;
}
