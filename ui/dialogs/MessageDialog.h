// A message with an OK button and a "do not show again" box; the result says whether the box was
// ticked (1) or not (0) when OK was pressed, 2 when the dialog was closed otherwise.
#pragma once

#include "controls/ColourRules.h"
#include "controls/SkinButton.h"
#include "controls/WindowScale.h"
#include "framework/Dialog.h"
#include "texts/TextLookup.h"

#include <string>

class CMessageDialog : public fw::Dialog {
public:
    CMessageDialog(std::wstring message, std::wstring caption, std::wstring checkLabel, TextLookup texts,
                   HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override;
    void OnDpiChanged(int dpi, const RECT& suggested) override;

private:
    std::wstring message_;
    std::wstring caption_;
    std::wstring checkLabel_;
    TextLookup texts_;
    fw::Button check_;
    CSkinButton ok_;
    ColourRules colours_{ColourRule::Dialog};
    dpi::WindowScale scale_;
};
