// The launcher window: Launch starts the game, Settings opens the settings, Quit ends the run.
#pragma once

#include "controls/AnchorLayout.h"
#include "controls/ScaledArt.h"
#include "controls/SkinButton.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "RegistryBackend.h"

#include <functional>

class CLauncherDlg : public fw::Dialog {
public:
    // Opens the settings over the launcher (its owner) and returns when they are closed.
    using SettingsOpener = std::function<void(HWND owner)>;

    // context: the texts and the resource library; registry: where Launch reads the
    // installer's record of the game.
    CLauncherDlg(fw::WindowContext context, registry::RegistryBackend& registry, HWND parent = nullptr);

    // What the Settings button runs; without it the button does nothing.
    void SetSettingsOpener(SettingsOpener opener) { openSettings_ = std::move(opener); }

    // Loads the window's picture for `dpi` before the window exists (the program does it while
    // the machine is tested); the window takes it if it opens at that scale.
    void PrepareBackground(int dpi);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnSize(UINT type, int width, int height) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    void Layout();
    // The picture for the window's scale, unless it is loaded already.
    void LoadBackground();
    void Launch();
    void MarkFocus(int id);
    void OpenSettings();

    registry::RegistryBackend& registry_;
    art::ScaledBitmap background_;
    int backgroundDpi_ = 0;
    CSkinButton launch_;
    CSkinButton settings_;
    CSkinButton quit_;
    SettingsOpener openSettings_;
    CAnchorLayout layout_; // measured from the template at initialisation
};
