// The dark tab strip: owner-drawn tab cells on a black strip.
#pragma once

#include "framework/Controls.h"

#include <string>

class CSkinTabCtrl : public fw::TabCtrl {
public:
    // Tab texts are read into a buffer of this many characters, so longer ones are cut.
    static constexpr size_t kTextBuffer = 256;

protected:
    void PreSubclassWindow() override;
    void DrawItem(DRAWITEMSTRUCT& item) override;
    bool OnEraseBkgnd(HDC dc) override;
};

// The painters behind the strip: the black fill of the DC's clip box, and one tab cell.
void EraseTabStrip(HDC dc);
void PaintTabItem(HDC dc, const RECT& item, UINT itemState, const std::wstring& text);
