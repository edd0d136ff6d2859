// The report's painting through GDI, on any device context (the list's back buffer, a test's
// memory bitmap).
#pragma once

#include "framework/Gdi.h"
#include "report/ReportCanvas.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

inline RECT ToRECT(const report::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline report::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

class GdiCanvas : public report::ReportCanvas {
public:
    // The DC's state is restored when the canvas goes.
    GdiCanvas(HDC dc, HFONT normal, HFONT bold, HIMAGELIST images);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    static report::SystemColours CurrentColours();

    const report::SystemColours& Colours() const override { return colours_; }
    void Fill(const report::Rect& rect, report::Colour colour) override;
    void Box(const report::Rect& rect, report::Colour outline, report::Colour fill) override;
    void Line(report::Point from, report::Point to, report::Colour colour) override;
    void DottedLine(report::Point from, int length, report::Colour colour) override;
    void CheckBox(const report::Rect& rect, bool checked) override;
    bool ImageSize(int index, int& width, int& height) override;
    void DrawImage(int index, report::Point at) override;
    void SelectFont(report::FontKind font) override;
    void SetTextColour(report::Colour colour) override;
    report::Rect MeasureLine(const std::wstring& text, const report::Rect& rect) override;
    void DrawLine(const std::wstring& text, const report::Rect& rect, report::Align align) override;
    report::Rect ClipBox() const override;
    void PushClip(const report::Rect& rect) override;
    void PopClip() override;

private:
    // Font and text colour as the painting set them. A clip level keeps them as a saved DC would,
    // but they reach the DC only when something that uses them is drawn: every row switches the
    // font for its caption and value and back, and each switch is dear in GDI.
    struct TextState {
        HFONT font;
        report::Colour colour;
    };
    void ApplyTextState();

    HDC dc_;
    fw::SavedDC saved_;
    HFONT normal_;
    HFONT bold_;
    HIMAGELIST images_;
    // Every row asks for these: read once per canvas.
    int imageCount_ = 0;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    report::SystemColours colours_;
    TextState wanted_;
    TextState applied_;
    bool appliedKnown_ = true;
    // The DC's own clip region (none: null) and the clips pushed on it, with the text state of
    // each level.
    fw::Region ownClip_;
    struct ClipLevel {
        report::Rect clip;
        TextState text;
    };
    std::vector<ClipLevel> levels_;
    // The dotted lines' pen, made at the first one and selected only while a line is drawn.
    fw::Pen dots_;
    report::Colour dotsColour_ = 0;
};
