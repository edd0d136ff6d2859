// The second settings page: the interface language, stored for the next start of the program.
#pragma once

#include "sheet/PageSupport.h"

class CLanguagePage : public sheet::SettingsPage {
public:
    CLanguagePage(CSettingsModel& model, fw::WindowContext context);

    // Selects the language the model holds; does nothing until the page is initialised.
    void Refresh();

protected:
    void FillControls() override;
    void ShowModel() override { Refresh(); }
    void DoDataExchange() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void OnChoice();

    fw::ComboBox languages_;
};
