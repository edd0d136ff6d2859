// The owner-drawn push button of every window, in colours the window chooses when attaching it.
#pragma once

#include "controls/ButtonBorder.h"
#include "controls/Dpi.h"
#include "framework/Accessible.h"
#include "framework/Controls.h"

#include <initializer_list>
#include <string>

class CSkinButton : public fw::Button {
public:
    // Subclasses the parent's child `id` and stores the colours; false (nothing stored) when
    // there is no such child. The template control must have the owner-draw style.
    bool AttachSkin(int id, HWND parent, COLORREF face, COLORREF text, COLORREF disabledText, COLORREF darkEdge,
                    COLORREF lightEdge, COLORREF pressedText, int borderWidth);
    bool AttachSkin(int id, HWND parent, const ctl::ButtonColours& colours);

    // Draws the dotted focus rectangle whatever the real focus; the owning window sets it and
    // repaints the button.
    bool focusMark = false;

protected:
    void DrawItem(DRAWITEMSTRUCT& item) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    ctl::ButtonColours colours_{};
    fw::AccessibleSlot accessible_;
};

// Paints a skinned button into a DC: the painter behind DrawItem. Besides the owner's focus mark,
// the button shows the system's one while it has the keyboard focus (ODS_FOCUS without
// ODS_NOFOCUSRECT: the keyboard has been used), as the system's own buttons do. Ring and mark
// figures and the caption's font are at `dpi`.
void PaintSkinButton(HDC dc, const RECT& item, UINT itemState, const std::wstring& caption,
                     const ctl::ButtonColours& colours, bool focusMark, int dpi = dpi::kBase);

// The Tab rule of the skinned windows: of these buttons only the one with that control id shows
// its focus mark (none when no id matches); all are redrawn at once.
void ShowFocusMarkOn(std::initializer_list<CSkinButton*> buttons, int id);
