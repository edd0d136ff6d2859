// What the painting of the property tree needs from a device context, so that the painting itself
// is plain code: the Windows build draws through GDI, tests record or rasterise the calls.
#pragma once

#include "tree/ReportGeometry.h"

#include <string>

namespace tree {

// The system colours the rows are painted in.
struct SystemColours {
    Colour face = 0;      // button face
    Colour shadow = 0;    // button shadow
    Colour light = 0;     // button highlight
    Colour text = 0;      // button text
    Colour highlight = 0; // selection
    Colour grey = 0;      // disabled text
    Colour white = 0xFFFFFF;
    Colour black = 0;
    // What the rows use them for where a contrast theme takes other colours: the top-level rows'
    // ground and text, and a selected caption's text.
    Colour heading = DarkenedFace(face);
    Colour headingText = light;
    Colour selectedText = light;
};

// A clip box that holds every row.
inline constexpr Rect kUnbounded{-(1 << 29), -(1 << 29), 1 << 29, 1 << 29};

enum class FontKind { Normal, Bold, Default };

// Text placement of DrawTextLine.
enum class Align { Left, Centre };

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;

    virtual const SystemColours& Colours() const = 0;

    virtual void Fill(const Rect& rect, Colour colour) = 0;
    // A 1-pixel outline of `outline` around a rectangle filled with `fill`.
    virtual void Box(const Rect& rect, Colour outline, Colour fill) = 0;
    // A straight line, end point excluded.
    virtual void Line(Point from, Point to, Colour colour) = 0;
    // Every second pixel of a horizontal line, starting with the first.
    virtual void DottedLine(Point from, int length, Colour colour) = 0;
    virtual void CheckBox(const Rect& rect, bool checked) = 0;

    // Status images of the tree's image list; false when there is no such image.
    virtual bool ImageSize(int index, int& width, int& height) = 0;
    virtual void DrawImage(int index, Point at) = 0;

    virtual void SelectFont(FontKind font) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    // The rectangle one line of text takes from the top-left corner of `rect`.
    virtual Rect MeasureLine(const std::wstring& text, const Rect& rect) = 0;
    // One line, vertically centred in `rect`, ended with an ellipsis where it is wider. Only the
    // pushed clips cut it: letters whose ink reaches a little past their measured width show
    // whole.
    virtual void DrawLine(const std::wstring& text, const Rect& rect, Align align) = 0;

    // The bounds of what drawing can still change: only the rows that meet it are painted, so
    // that a long list paints in the time of the rows in view.
    virtual Rect ClipBox() const { return kUnbounded; }

    // Clipping nests; PopClip restores the previous clip.
    virtual void PushClip(const Rect& rect) = 0;
    virtual void PopClip() = 0;
};

} // namespace tree
