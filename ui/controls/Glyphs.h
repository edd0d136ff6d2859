// Pictures told apart by their shape alone, for a contrast theme: there the colours of the art
// mean nothing, and every picture is a few strokes in the theme's text colour.
#pragma once

#include "framework/Controls.h"

#include <windows.h>

#include <span>

namespace art {

enum class Glyph {
    Check,       // passed
    Cross,       // failed
    Exclamation, // passed only in part
    Dash,        // nothing to judge
};

// Fills `list` with one square image per glyph, `side` pixels at 96 DPI drawn at `dpi`'s size,
// the strokes in `ink` and the rest transparent.
bool LoadGlyphStrip(fw::ImageList& list, std::span<const Glyph> glyphs, int side, int dpi, COLORREF ink);

} // namespace art
