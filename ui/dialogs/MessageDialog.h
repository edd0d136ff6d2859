// A message with an OK button and a "do not show again" box; the result says whether the box was
// ticked (1) or not (0) when OK was pressed, 2 when the dialog was closed otherwise.
#pragma once

#include "controls/ColourRules.h"
#include "controls/SkinButton.h"
#include "framework/Dialog.h"

#include <string>

class CMessageDialog : public fw::Dialog {
public:
    // context: the OK button's text and the template's resource library.
    CMessageDialog(std::wstring message, std::wstring caption, std::wstring checkLabel, fw::WindowContext context,
                   HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    void ShowEmblem() const;

    std::wstring message_;
    std::wstring caption_;
    std::wstring checkLabel_;
    fw::Button check_;
    CSkinButton ok_;
    ctl::ColourRules colours_{ctl::ColourRule::Dialog};
};
