// The application object: the whole run from the command line to the last window.
#pragma once

#include "CrashReporter.h"
#include "Detection.h"
#include "DetectionOwner.h"
#include "RunFlow.h"
#include "SettingsModel.h"
#include "Win32Settings.h"
#include "framework/Application.h"
#include "framework/Context.h"
#include "texts/TextLookup.h"
#include "win32/Owners.h"

#include <memory>
#include <optional>

class CLauncherApp : public fw::Application {
public:
    CLauncherApp() = default;
    ~CLauncherApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    int GetOverallResult() const { return overallResult_; }
    DetectionApplication* GetDetectionApplication() const { return detection_ ? detection_->Get() : nullptr; }
    // Texts by key from the chosen language file, for the windows of the run.
    static TextLookup Texts();
    CSettingsModel* GetSettings() const { return settings_.get(); }

    static CLauncherApp* Current() { return static_cast<CLauncherApp*>(fw::Application::Current()); }
    // What the windows of the run are given: the texts and the current resources, with the
    // language chosen at start.
    fw::WindowContext Context() const { return fw::WindowContext{Texts(), CurrentResources()}; }

private:
    // Detection and windows; a failing detection library ends it with an error box.
    void RunDetectionAndWindows();
    // "/Report <file>": the report of the run just made, written to the file; false when not.
    bool WriteReport(DetectionApplication& detection);
    // Crash reports from here to the end of the process, in the language chosen so far.
    void StartCrashReports();
    // For a message before the settings model exists: the language file that the run would
    // choose, from the stored settings read as they are (nothing created or written).
    void UseStoredLanguage();
    // The settings model's seams on this system.
    settings::SettingsEnvironment ProgramEnvironment();
    // The settings sheet with the report as its third page, over the launcher.
    void OpenSettings(HWND owner);

    // First made, last gone: it reports crashes in the other members' destructors too.
    std::optional<app::CrashReporter> crashReports_;
    // The process exit code (kExit* of RunFlow.h).
    int exitCode_ = 0;
    win32::Module resourceLibrary_;
    win32::KernelHandle instanceMarker_;
    app::LaunchSwitches switches_;
    int overallResult_ = app::kResultIdeal;
    std::optional<app::DetectionOwner> detection_;
    registry::Win32Registry registry_;
    settings::Win32DisplayModes displayModes_;
    settings::Win32UserLocale locale_;
    std::unique_ptr<CSettingsModel> settings_;
};
