// The four colour rules by which skinned windows answer control-colour requests. In a contrast
// theme every rule gives way to the system's colours.
#pragma once

#include "framework/Gdi.h"
#include "framework/Window.h"

namespace ctl {

enum class ColourRule {
    Dialog, // dialog and statics: white on transparent, own RGB(1,1,1) brush
    Sheet,  // dialog and statics: white on opaque RGB(1,1,1), own RGB(1,1,1) brush
    Page,   // dialog and statics: white on transparent, hollow stock brush
    Report, // every kind, without the default handling: white on transparent, hollow stock brush
};

// One per window: the window's colour handler answers every request through it. The rule's own
// brush is made on the first request that needs it and kept until the window object goes.
class ColourRules {
public:
    explicit ColourRules(ColourRule rule) : rule_(rule) {}

    HBRUSH Answer(fw::Window& window, HDC dc, HWND child, fw::CtlColor kind);

private:
    ColourRule rule_;
    fw::Brush brush_;
};

} // namespace ctl
