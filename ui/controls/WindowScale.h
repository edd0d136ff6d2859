// A top-level window's DPI as it was last told, and the move of what a template placed (the
// children's rectangles, the dialog's fonts) and of the window's icons to a new DPI.
//
// The window keeps the figure itself: at creation it is the window's DPI, afterwards the one
// WM_DPICHANGED gave, since not every system reports the new DPI through GetDpiForWindow.
// One path scales, on every system: the dialog manager's own rescaling of per-monitor dialogs
// is turned off, and the children are scaled by new/old DPI here, after which the window's
// layout measures them again. That is what the template gives at the new DPI, to the pixel's
// rounding, without re-reading the template.
#pragma once

#include "framework/Gdi.h"
#include "win32/Owners.h"

#include <windows.h>

#include <vector>

namespace dpi {

class WindowScale {
public:
    // Takes the window's DPI and leaves its rescaling to this object.
    void Init(HWND window);
    int Get() const { return dpi_; }

    // Scales the window's children and their fonts from the current DPI to `newDpi`, which
    // becomes the current one; a child dialog (a property page) is sent WM_DPICHANGED with its
    // scaled rectangle in this window's client coordinates and scales itself. Returns the window's client
    // rectangle at the new DPI, for the layout to measure against before the window moves.
    RECT Rescale(HWND window, int newDpi);

    // The window's big and small icons `iconId` at the sizes the system asks for at the
    // current DPI.
    void SetIcons(HWND window, UINT iconId);

private:
    struct DestroyIconHandle {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    using Icon = win32::UniqueHandle<win32::NullHandleTraits<HICON, DestroyIconHandle>>;
    struct FontPair {
        HFONT from;
        fw::Font to;
    };
    HFONT Scaled(HFONT font, int newDpi, std::vector<FontPair>& made) const;
    void RescaleChildren(HWND parent, int newDpi, std::vector<FontPair>& made) const;

    int dpi_ = 96;                // dpi::kBase
    std::vector<FontPair> fonts_; // the fonts made for the current DPI, in use by the children
    Icon big_;
    Icon small_;
};

// `rect` scaled from `from` to `to` DPI, each edge rounded on its own.
RECT ScaleRect(const RECT& rect, int to, int from);

} // namespace dpi
