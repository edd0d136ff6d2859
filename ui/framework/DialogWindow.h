// What dialogs and property sheets share: the dialog manager's keyboard handling, the end of a
// modal run with its result, and the move to a new scale of what their template placed.
#pragma once

#include "framework/TemplateScale.h"
#include "framework/Window.h"

namespace fw {

class DialogWindow : public Window {
public:
    // The dialog manager's keyboard handling for the window when it is the top-level one of a
    // message (IsDialogMessage and kin).
    virtual bool TranslateDialogMessage(MSG& msg) = 0;

    // Ends a modal run with a result. Outside a modal run it only records the result.
    void EndDialog(int result);

    // The template the window was made from, whose controls a change of scale places anew; 0:
    // none of ours.
    virtual UINT TemplateId() const { return 0; }

protected:
    explicit DialogWindow(HWND parent) : parent_(parent) {}

    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The template's children and fonts move to the new scale, then the controls re-make theirs.
    void OnAppearanceChanged(const Appearance& previous) override;

    // While the window changes scale: a rectangle of its client moved as its children were, and
    // the client rectangle they were moved against (what a layout measures them against).
    RECT Rescaled(const RECT& rect) const { return scale_.Moved(rect); }
    const RECT& RescaledClient() const { return rescaledClient_; }
    // The dialog font's base units at the window's scale.
    SIZE DialogUnits() const { return scale_.Units(hwnd_); }

    HWND parent_;
    int result_ = -1;
    bool ended_ = false;
    TemplateScale scale_;

private:
    RECT rescaledClient_{};
};

} // namespace fw
