// The launcher window: Launch starts the game, Settings opens the settings, Quit ends the run.
#pragma once

#include "controls/SkinButton.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"

class CLauncherDlg : public fw::Dialog {
public:
    explicit CLauncherDlg(HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnSize(UINT type, int width, int height) override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    void Layout(bool measure);
    void Launch();
    void MarkFocus(int id);

    HICON icon_;
    fw::Bitmap background_;
    CSkinButton launch_;
    CSkinButton settings_;
    CSkinButton quit_;
};
