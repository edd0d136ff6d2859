#include "controls/Glyphs.h"

#include "controls/Dpi.h"
#include "framework/Gdi.h"

#include <algorithm>

namespace art {

namespace {

// Points of a glyph in a square of `side` pixels, given in hundredths of the side.
POINT At(int x, int y, int left, int side) { return POINT{left + MulDiv(x, side, 100), MulDiv(y, side, 100)}; }

void Stroke(HDC dc, std::initializer_list<POINT> points) {
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void DrawGlyph(HDC dc, Glyph glyph, int left, int side, int stroke) {
    const auto at = [&](int x, int y) { return At(x, y, left, side); };
    switch (glyph) {
    case Glyph::Check: Stroke(dc, {at(20, 52), at(42, 74), at(80, 28)}); break;
    case Glyph::Cross:
        Stroke(dc, {at(25, 25), at(75, 75)});
        Stroke(dc, {at(75, 25), at(25, 75)});
        break;
    case Glyph::Exclamation: {
        Stroke(dc, {at(50, 18), at(50, 56)});
        // The dot: a disc a little wider than the stroke.
        const POINT dot = at(50, 80);
        const int radius = (stroke + 1) / 2 + 1;
        const fw::SelectGuard noOutline(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, dot.x - radius, dot.y - radius, dot.x + radius + 1, dot.y + radius + 1);
        break;
    }
    case Glyph::Dash: Stroke(dc, {at(25, 50), at(75, 50)}); break;
    }
}

} // namespace

bool LoadGlyphStrip(fw::ImageList& list, std::span<const Glyph> glyphs, int side, int dpi, COLORREF ink) {
    const int size = dpi::Scale(side, dpi);
    const int count = static_cast<int>(glyphs.size());
    // Any colour but the ink marks what is not drawn.
    const COLORREF mask = ink == RGB(255, 0, 255) ? RGB(0, 255, 0) : RGB(255, 0, 255);
    const fw::ClientDC screen(nullptr);
    const fw::Bitmap strip(CreateCompatibleBitmap(screen.Get(), size * count, size));
    const fw::MemoryDC memory(screen.Get());
    if (!strip || !memory || count == 0)
        return false;
    {
        // The list takes the strip only once no DC holds it.
        const fw::SelectGuard selectStrip(memory.Get(), strip.Get());
        fw::FillSolidRect(memory.Get(), RECT{0, 0, size * count, size}, mask);
        // Strokes an eighth of the side thick, with round ends; drawn without smoothing, so
        // that every pixel is either ink or the mask.
        const int stroke = std::max(2, size / 8);
        const LOGBRUSH brush{BS_SOLID, ink, 0};
        const fw::Pen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                       static_cast<DWORD>(stroke), &brush, 0, nullptr));
        const fw::Brush fill(CreateSolidBrush(ink));
        const fw::SelectGuard selectPen(memory.Get(), pen.Get());
        const fw::SelectGuard selectBrush(memory.Get(), fill.Get());
        for (int i = 0; i < count; ++i)
            DrawGlyph(memory.Get(), glyphs[static_cast<size_t>(i)], i * size, size, stroke);
    }
    return list.Create(strip.Get(), size, size, 0, mask);
}

} // namespace art
