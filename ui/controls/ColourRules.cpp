#include "controls/ColourRules.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNearBlack = RGB(1, 1, 1);

} // namespace

namespace ctl {

HBRUSH ColourRules::Answer(fw::Window& window, HDC dc, HWND child, fw::CtlColor kind) {
    // A contrast theme's colours are the system's: the framework's handling gives them (after
    // the child's own answer, so that the link keeps its colour).
    if (window.Look().highContrast)
        return window.DefaultCtlColor(dc, child, kind);
    const auto hollow = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    if (rule_ == ColourRule::Report) {
        SetTextColor(dc, kWhite);
        SetBkMode(dc, TRANSPARENT);
        return hollow;
    }
    const HBRUSH framework = window.DefaultCtlColor(dc, child, kind);
    if (kind != fw::CtlColor::Dialog && kind != fw::CtlColor::Static)
        return framework;
    HBRUSH answer = hollow;
    if (rule_ != ColourRule::Page) {
        if (!brush_)
            brush_.Reset(CreateSolidBrush(kNearBlack));
        if (!brush_)
            return framework;
        answer = brush_.Get();
    }
    SetTextColor(dc, kWhite);
    if (rule_ == ColourRule::Sheet) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, kNearBlack);
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    return answer;
}

} // namespace ctl
