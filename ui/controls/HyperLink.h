// A static text turned into a link: underlined, with a hand cursor and a tooltip naming its
// target, opening the target through the shell on click or space.
#pragma once

#include "controls/HyperLinkLogic.h"
#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "win32/Owners.h"

#include <string>

class CHyperLink : public fw::StaticCtrl {
public:
    CHyperLink() = default;
    ~CHyperLink() override;

    void SetLinkTarget(const std::wstring& target);
    const std::wstring& LinkTarget() const { return target_; }

    bool IsActive() const { return active_; }
    bool IsHover() const { return hover_; }
    bool IsFollowed() const { return followed_; }
    unsigned Style() const { return style_; }
    HWND ToolTip() const { return tooltip_.Hwnd(); }

    // Fits the window to its text (style bit 0x04 only).
    void FitToText();
    void FollowLink();

    // Opens a target (OpenLinkTarget); the result is above 32 on success.
    virtual int OpenTarget(const std::wstring& target, int showCommand);
    // Beeps and shows what went wrong.
    virtual void ShowOpenError(int code);

    // The hand every link shows, made by the first link attached without style bit 0x20 and
    // kept until the program ends; null before.
    static HCURSOR HandCursor() { return handCursor_.Get(); }

    bool PreTranslateMessage(MSG& msg) override;

protected:
    void PreSubclassWindow() override;
    HBRUSH OnReflectedCtlColor(HDC dc, fw::CtlColor kind) override;
    LRESULT OnNcHitTest(POINT screenPoint) override;
    bool OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;
    void OnPaint() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The link fits itself to its text in the font of the new scale.
    void OnAppearanceChanged(const fw::Appearance& previous) override;

private:
    static void LoadDefaultHandCursor();
    // The window's font, underlined as the style says, as the link's own; false without one.
    bool TakeFontFromWindow();
    // Whether the focus mark shows: the link has the focus and the keyboard has been used.
    bool ShowsFocusMark() const;
    // The text is drawn without a background of its own: what lies under the link is painted
    // again with it, or a mark taken away would stay on screen.
    void RepaintWithParent() const;

    bool active_ = false;
    bool hover_ = false;
    bool followed_ = false;
    unsigned style_ = hyperlink::kDefaultStyle;
    std::wstring target_;
    fw::AccessibleSlot accessible_;
    fw::Font font_;
    fw::ToolTipCtrl tooltip_;
    static win32::Cursor handCursor_;
};
