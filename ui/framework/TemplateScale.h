// The move of what a dialog's template placed (the children's rectangles, the dialog's fonts)
// and of the window's icons to a new DPI: the one rescaling of every dialog-class window.
//
// One path scales, on every system: the dialog manager's own rescaling of per-monitor dialogs is
// turned off, and the children are placed here, after which the window's layout measures them
// again. A template is laid out in dialog units, whose size in pixels follows the dialog font's
// letters, and these grow by steps, not in proportion to the DPI: so every rectangle goes back
// to dialog units with the font of the old DPI and comes out in pixels with the font of the new
// one, as the dialog manager would have placed it there. Fonts go by their size in points.
#pragma once

#include "framework/Context.h"
#include "framework/DialogTemplate.h"
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
    // what it measured meanwhile. The children that the window's template `templateId` made go
    // where the dialog manager puts them at `to` (an icon gets its icon at the new size), others
    // where their dialog units put them. Answers the window's client rectangle at the new DPI
    // (the template's, when there is one), which its layout measures the moved children against.
    RECT Rescale(HWND window, int from, int to, const std::function<void()>& passOn, const Resources& resources = {},
                 UINT templateId = 0);
    // A rectangle of the window's client moved as the last Rescale moved the children.
    RECT Moved(const RECT& rect) const;
    // The dialog font's base units at the window's scale (not every dialog answers WM_GETFONT
    // with the font it was given).
    SIZE Units(HWND window) const;

    // The window's big and small icons `iconId` at the sizes the system asks for at `dpi`.
    void SetIcons(HWND window, const Resources& resources, UINT iconId, int dpi);

private:
    using Icon = win32::Icon;
    struct FontPair {
        HFONT from;
        Font to;
    };
    static HFONT Scaled(HFONT font, int from, int to, std::vector<FontPair>& made);

    std::vector<FontPair> fonts_; // the fonts made for the current DPI, in use by the children
    std::vector<Icon> icons_;     // the icons made for the current DPI, shown by icon statics
    // The last move: its DPIs and the dialog font's base units at both.
    int from_ = 96;
    int to_ = 96;
    SIZE fromUnits_{};
    SIZE toUnits_{};
    Icon big_;
    Icon small_;
};

// `rect` scaled from `from` to `to` DPI, each edge rounded on its own.
RECT ScaleRect(const RECT& rect, int to, int from);

// A dialog font's base units, as the dialog manager takes them: the average width of the
// letters and the height of a line.
SIZE DialogBaseUnits(HFONT font);

// `rect` laid out with base units `from` in pixels, the same in dialog units laid out with `to`.
RECT MoveDialogUnits(const RECT& rect, SIZE from, SIZE to);

// A top-level window's WM_DPICHANGED: the new look for the window and everything in it, then
// the system's suggested rectangle, then one repaint of the whole.
void MoveToNewDpi(Window& window, WPARAM wParam, LPARAM lParam);

} // namespace fw
