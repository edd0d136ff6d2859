// The dark tab strip: owner-drawn tab cells on a black strip. The strip paints its tabs itself:
// comctl32 draws a light face under every button tab before it asks for the owner's drawing,
// which would show around (and through) the dark cells.
#pragma once

#include "controls/Dpi.h"
#include "framework/Accessible.h"
#include "framework/Controls.h"

#include <string>

class CSkinTabCtrl : public fw::TabCtrl {
public:
    // Tab texts are read into a buffer of this many characters, so longer ones are cut.
    static constexpr size_t kTextBuffer = 256;

    // The whole strip as it is shown: the black ground, each tab's cell and text in the
    // strip's font, and the focus mark while the strip has the keyboard.
    void PaintStrip(HDC dc) const;

protected:
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT& item) override;
    bool OnEraseBkgnd(HDC dc) override;
    void OnPaint() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    fw::AccessibleSlot accessible_;
};

// The painters behind the strip: the black fill of the DC's clip box, and one tab cell. In a
// contrast theme (highContrast) the strip is the system's button face, the texts its button text
// and the selected tab is framed in the window text colour.
void EraseTabStrip(HDC dc, bool highContrast = false);
// The text's offset in the cell and the focus mark's inset are at `dpi`.
void PaintTabItem(HDC dc, const RECT& item, UINT itemState, const std::wstring& text, int dpi = dpi::kBase,
                  bool highContrast = false);
