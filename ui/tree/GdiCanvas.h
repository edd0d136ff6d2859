// The tree's painting through GDI, on any device context (the list's back buffer, a test's
// memory bitmap).
#pragma once

#include "framework/Gdi.h"
#include "tree/ReportCanvas.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace tree {

inline RECT ToRECT(const tree::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline tree::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Where one line of text in the DC's font leaves ink, from the point it is drawn at. The letters'
// ink may reach past their advance on either side, and the system may set them wider than it
// measures them: what shows is the ink, found by drawing the line once.
struct LineInk {
    int left;
    int right;
};
LineInk InkOfLine(HDC dc, const std::wstring& text);

class GdiCanvas : public tree::ReportCanvas {
public:
    // The DC's state is restored when the canvas goes. highContrast: the colours are a contrast
    // theme's (ContrastColours).
    GdiCanvas(HDC dc, HFONT normal, HFONT bold, HIMAGELIST images, bool highContrast = false);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    static tree::SystemColours CurrentColours();
    // In a contrast theme: the window's colours for ground, text and lines, the selection's.
    static tree::SystemColours ContrastColours();

    // From here on, every line of text that its rectangle and the pushed clips do not hold whole
    // is added to `into`.
    void RecordCutLines(std::vector<std::wstring>& into) { cutLines_ = &into; }

    const tree::SystemColours& Colours() const override { return colours_; }
    void Fill(const tree::Rect& rect, tree::Colour colour) override;
    void Box(const tree::Rect& rect, tree::Colour outline, tree::Colour fill) override;
    void Line(tree::Point from, tree::Point to, tree::Colour colour) override;
    void DottedLine(tree::Point from, int length, tree::Colour colour) override;
    void CheckBox(const tree::Rect& rect, bool checked) override;
    bool ImageSize(int index, int& width, int& height) override;
    void DrawImage(int index, tree::Point at) override;
    void SelectFont(tree::FontKind font) override;
    void SetTextColour(tree::Colour colour) override;
    tree::Rect MeasureLine(const std::wstring& text, const tree::Rect& rect) override;
    void DrawLine(const std::wstring& text, const tree::Rect& rect, tree::Align align) override;
    tree::Rect ClipBox() const override;
    void PushClip(const tree::Rect& rect) override;
    void PopClip() override;

private:
    // Font and text colour as the painting set them. A clip level keeps them as a saved DC would,
    // but they reach the DC only when something that uses them is drawn: every row switches the
    // font for its caption and value and back, and each switch is dear in GDI.
    struct TextState {
        HFONT font;
        tree::Colour colour;
    };
    void ApplyTextState();
    // Whether the line's ink lies within its rectangle and the pushed clips.
    bool Fits(const std::wstring& text, const tree::Rect& rect, tree::Align align);

    HDC dc_;
    fw::SavedDC saved_;
    HFONT normal_;
    HFONT bold_;
    HIMAGELIST images_;
    // Every row asks for these: read once per canvas.
    int imageCount_ = 0;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    tree::SystemColours colours_;
    TextState wanted_;
    TextState applied_;
    bool appliedKnown_ = true;
    // The DC's own clip region (none: null) and the clips pushed on it, with the text state of
    // each level.
    fw::Region ownClip_;
    struct ClipLevel {
        tree::Rect clip;
        TextState text;
    };
    std::vector<ClipLevel> levels_;
    // The dotted lines' pen, made at the first one and selected only while a line is drawn.
    fw::Pen dots_;
    tree::Colour dotsColour_ = 0;
    std::vector<std::wstring>* cutLines_ = nullptr;
};

} // namespace tree
