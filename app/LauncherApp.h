// The application object: the whole run from the command line to the last window.
#pragma once

#include "Detection.h"
#include "RunFlow.h"
#include "SettingsModel.h"
#include "framework/Application.h"

#include <memory>

class CLauncherApp : public fw::Application {
public:
    CLauncherApp() = default;
    ~CLauncherApp() override;

    bool InitInstance() override;
    int ExitInstance() override;

    int GetOverallResult() const { return overallResult_; }
    DetectionApplication* GetDetectionApplication() const { return detection_; }
    CSettingsModel* GetSettings() const { return settings_.get(); }

    static CLauncherApp* Current() { return static_cast<CLauncherApp*>(fw::Application::Current()); }

private:
    // Detection and windows; a failing detection library ends it with an error box.
    void RunDetectionAndWindows();

    HMODULE resourceLibrary_ = nullptr;
    LaunchSwitches switches_;
    int overallResult_ = kResultIdeal;
    DetectionApplication* detection_ = nullptr;
    std::unique_ptr<CSettingsModel> settings_;
};
