#include "tree/ReportTreePane.h"

#include "tree/ReportPaneAccessible.h"

#include "framework/Gdi.h"
#include "tree/TreeFonts.h"

#include <algorithm>
#include <utility>

bool CReportTreePane::Create(const RECT& rect, tree::TreeWindowHost& owner, int id) {
    if (!Control::Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, rect, owner.ControlWindow(), id))
        return false;
    owner_ = &owner;
    return true;
}

void CReportTreePane::SetNoSelectionTexts(std::wstring title, std::wstring body) {
    noSelectionTitle_ = std::move(title);
    noSelectionBody_ = std::move(body);
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void CReportTreePane::Texts(std::wstring& title, std::wstring& body) const {
    const CReportItem* selected = owner_ ? owner_->View().SelectedItem() : nullptr;
    title = selected ? selected->Caption() : noSelectionTitle_;
    body = selected ? selected->Hint() : noSelectionBody_;
}

namespace {

// The body cut at a word so that it ends with an ellipsis inside the pane, instead of a line
// cut in half at the pane's bottom edge.
std::wstring FitLines(HDC dc, const std::wstring& text, const RECT& area) {
    const auto height = [&](const std::wstring& candidate) {
        RECT r{area.left, area.top, area.right, area.top};
        DrawTextW(dc, candidate.c_str(), static_cast<int>(candidate.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        return r.bottom - r.top;
    };
    const int room = area.bottom - area.top;
    if (text.empty() || height(text) <= room)
        return text;
    // The longest prefix (in characters) that fits with the ellipsis appended.
    size_t low = 0, high = text.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (height(text.substr(0, middle) + L"\u2026") <= room)
            low = middle;
        else
            high = middle - 1;
    }
    std::wstring cut = text.substr(0, low);
    const size_t space = cut.find_last_of(L" \t");
    if (space != std::wstring::npos && space > 0)
        cut.resize(space);
    return cut + L"\u2026";
}

} // namespace

std::wstring CReportTreePane::ShownText() const {
    std::wstring title, body;
    Texts(title, body);
    return title + L"\r\n" + body;
}

bool CReportTreePane::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (accessible_.Handle(msg, wParam, lParam, result, [this] {
            return new tree::ReportPaneAccessible(
                hwnd_, [this](std::wstring& title, std::wstring& body) { Texts(title, body); });
        }))
        return true;
    if (msg == WM_GETTEXTLENGTH) {
        result = static_cast<LRESULT>(ShownText().size());
        return true;
    }
    if (msg == WM_GETTEXT) {
        const std::wstring text = ShownText();
        const size_t room = static_cast<size_t>(wParam);
        auto* buffer = reinterpret_cast<wchar_t*>(lParam);
        if (room == 0 || !buffer) {
            result = 0;
            return true;
        }
        const size_t copied = std::min(room - 1, text.size());
        text.copy(buffer, copied);
        buffer[copied] = L'\0';
        result = static_cast<LRESULT>(copied);
        return true;
    }
    return fw::StaticCtrl::OnMessage(msg, wParam, lParam, result);
}

void CReportTreePane::PaintPane(HDC dc, const RECT& client) {
    const bool contrast = Look().highContrast;
    fw::FillSolidRect(dc, client, contrast ? GetSysColor(COLOR_WINDOW) : RGB(32, 32, 32));
    RECT edge = client;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    RECT inner = client;
    const int inset = owner_ ? owner_->View().Metrics().paneInset : 4;
    InflateRect(&inner, -inset, -inset);

    const fw::SavedDC saved(dc);
    SetTextColor(dc, contrast ? GetSysColor(COLOR_WINDOWTEXT) : RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    std::wstring title, body;
    Texts(title, body);

    SelectObject(dc, tree::TreeFonts::Bold(Look().dpi));
    RECT titleRect = inner;
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &titleRect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    // A title wider than the pane ends with an ellipsis instead of running over the edge.
    titleRect.right = std::min(titleRect.right, inner.right);
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &titleRect,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);

    SelectObject(dc, tree::TreeFonts::Normal(Look().dpi));
    RECT bodyRect{inner.left, titleRect.bottom, inner.right, inner.bottom};
    const std::wstring shown = FitLines(dc, body, bodyRect);
    DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &bodyRect,
              DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
}

void CReportTreePane::OnPaint() {
    const fw::PaintDC paint(hwnd_);
    PaintPane(paint.Get(), ClientRect());
}

bool CReportTreePane::OnEraseBkgnd(HDC) { return true; }
