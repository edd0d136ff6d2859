// The move of what a dialog's template placed (the children's rectangles, the dialog's fonts)
// and of the window's icons to a new DPI: the one rescaling of every dialog-class window.
//
// One path scales, on every system: the dialog manager's own rescaling of per-monitor dialogs is
// turned off, and the children are scaled by new/old DPI here, after which the window's layout
// measures them again. That is what the template gives at the new DPI, to the pixel's rounding,
// without re-reading the template.
#pragma once

#include "framework/Context.h"
#include "framework/Gdi.h"
#include "win32/Owners.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace fw {

class Window;

class TemplateScale {
public:
    // Leaves the window's rescaling to this object.
    static void TakeOver(HWND window);

    // Moves the window's children and their fonts (and the window's own font) from `from` to
    // `to` DPI, runs `passOn` (the children's objects re-make their insides), then gives each
    // child dialog (a property page) its rectangle at the new DPI, so that its layout applies
    // what it measured meanwhile.
    void Rescale(HWND window, int from, int to, const std::function<void()>& passOn);

    // The window's big and small icons `iconId` at the sizes the system asks for at `dpi`.
    void SetIcons(HWND window, const Resources& resources, UINT iconId, int dpi);

private:
    struct DestroyIconHandle {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    using Icon = win32::UniqueHandle<win32::NullHandleTraits<HICON, DestroyIconHandle>>;
    struct FontPair {
        HFONT from;
        Font to;
    };
    static HFONT Scaled(HFONT font, int from, int to, std::vector<FontPair>& made);

    std::vector<FontPair> fonts_; // the fonts made for the current DPI, in use by the children
    Icon big_;
    Icon small_;
};

// `rect` scaled from `from` to `to` DPI, each edge rounded on its own.
RECT ScaleRect(const RECT& rect, int to, int from);

// A top-level window's WM_DPICHANGED: the new look for the window and everything in it, then
// the system's suggested rectangle, then one repaint of the whole.
void MoveToNewDpi(Window& window, WPARAM wParam, LPARAM lParam);

} // namespace fw
