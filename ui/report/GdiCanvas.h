// The report's painting through GDI, on any device context (the list's back buffer, a test's
// memory bitmap).
#pragma once

#include "report/ReportCanvas.h"

#include <windows.h>
#include <commctrl.h>

inline RECT ToRECT(const report::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline report::Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

class GdiCanvas : public report::ReportCanvas {
public:
    // The DC's state is restored when the canvas goes.
    GdiCanvas(HDC dc, HFONT normal, HFONT bold, HIMAGELIST images);
    ~GdiCanvas() override;
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
    report::Rect ClipBox() const override { return FromRECT(clipBox_); }
    void PushClip(const report::Rect& rect) override;
    void PopClip() override;

private:
    HDC dc_;
    int saved_;
    HFONT normal_;
    HFONT bold_;
    HIMAGELIST images_;
    report::SystemColours colours_;
    RECT clipBox_{}; // kept, so that finding the rows in view is arithmetic rather than a GDI call
};
