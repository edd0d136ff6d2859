#include "tree/ReportTreeList.h"

#include "controls/FocusCues.h"

#include "tree/GdiCanvas.h"
#include "tree/ReportTreeAccessible.h"
#include "tree/RowPainting.h"
#include "tree/TreeAccess.h"
#include "tree/TreeFonts.h"

#include <windowsx.h>

#include <algorithm>

namespace {

const wchar_t kListClass[] = L"TarnholmReportTreeList";

RECT Shrunk(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

} // namespace

bool CReportTreeList::Create(DWORD style, const RECT& rect, tree::TreeWindowHost& owner, int id) {
    if (!RegisterWindowClass(kListClass, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                             nullptr))
        return false;
    if (!CustomWindow::Create(kListClass, L"", style, rect, owner.ControlWindow(), id))
        return false;
    owner_ = &owner;
    return true;
}

void CReportTreeList::EnsureBackBuffer(int width, int height) {
    if (width <= bufferWidth_ && height <= bufferHeight_ && buffer_)
        return;
    // Both sizes follow the request when either grows; smaller requests keep the bitmap.
    bufferWidth_ = width;
    bufferHeight_ = height;
    const fw::ClientDC screen(nullptr);
    buffer_.Reset(CreateBitmap(std::max(width, 1), std::max(height, 1),
                               static_cast<UINT>(GetDeviceCaps(screen.Get(), PLANES)),
                               static_cast<UINT>(GetDeviceCaps(screen.Get(), BITSPIXEL)), nullptr));
}

void CReportTreeList::OnSize(UINT, int width, int height) {
    Default();
    EnsureBackBuffer(width, height);
    if (!owner_)
        return;
    RecomputeScrollBar();
    owner_->SettleRefresh();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    owner_->LayoutChanged();
}

void CReportTreeList::RecomputeScrollBar() {
    if (!owner_)
        return;
    const RECT client = ClientRect();
    const int total = owner_->View().ScrollRangeMax();
    const int page = client.bottom - client.top + 1;
    if (page > total)
        owner_->SetScrollPosition(0);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = total;
    info.nPage = static_cast<UINT>(page);
    info.nPos = owner_->View().ScrollPosition();
    // The bar is drawn with the next paint of the frame rather than at once: adding a thousand
    // rows would otherwise draw it a thousand times.
    SetScrollInfo(hwnd_, SB_VERT, &info, FALSE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE | RDW_NOINTERNALPAINT);
    owner_->SetDividerPosition(owner_->View().Divider());
}

void CReportTreeList::Scroll(int code, int thumb) {
    if (!owner_)
        return;
    owner_->SettleRefresh();
    SetFocus(hwnd_);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    GetScrollInfo(hwnd_, SB_VERT, &info);
    const RECT client = ClientRect();
    const int page = client.bottom - client.top + 1;
    const int position = tree::ScrollTarget(code, owner_->View().ScrollPosition(), page, info.nMin, info.nMax, thumb,
                                            owner_->View().Metrics().rowHeight);
    owner_->SetScrollPosition(position);
    SetScrollPos(hwnd_, SB_VERT, position, TRUE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CReportTreeList::PaintRows(HDC dc, const RECT& client, std::vector<std::wstring>* cutLines) {
    const bool contrast = Look().highContrast;
    // In a contrast theme the rows stand on the window colour, the indent column too.
    const tree::Colour darkened = contrast ? GetSysColor(COLOR_WINDOW) : tree::DarkenedFace(GetSysColor(COLOR_BTNFACE));
    const int frame = owner_->View().Metrics().frame;
    fw::FillSolidRect(dc, client, darkened);
    if (IsWindowEnabled(owner_->ControlWindow()))
        fw::FillSolidRect(dc, Shrunk(client, frame), contrast ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255));
    fw::FillSolidRect(dc, RECT{client.left, client.top, client.left + owner_->View().IndentWidth(), client.bottom},
                      darkened);
    RECT edge = client;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);

    tree::GdiCanvas canvas(dc, tree::TreeFonts::Normal(Look().dpi), tree::TreeFonts::Bold(Look().dpi),
                           owner_->NodeImages(), contrast);
    if (cutLines)
        canvas.RecordCutLines(*cutLines);
    const RECT inner = Shrunk(client, frame);
    canvas.PushClip(tree::FromRECT(inner));
    PaintItems(owner_->View(), canvas);
    canvas.PopClip();
}

void CReportTreeList::OnPaint() {
    if (owner_)
        owner_->SettleRefresh();
    const fw::PaintDC paint(hwnd_);
    if (!owner_)
        return;
    const RECT client = ClientRect();
    EnsureBackBuffer(client.right, client.bottom);
    fw::MemoryDC memory(paint.Get());
    const fw::SelectGuard bitmap(memory.Get(), buffer_.Get());
    PaintRows(memory.Get(), client);
    PaintFocusMark(memory.Get(), client);
    RECT box{};
    GetClipBox(paint.Get(), &box);
    BitBlt(paint.Get(), box.left, box.top, box.right - box.left, box.bottom - box.top, memory.Get(), box.left, box.top,
           SRCCOPY);
}

bool CReportTreeList::OnEraseBkgnd(HDC) { return true; }

bool CReportTreeList::OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) {
    if (window != hwnd_ || hitTest != HTCLIENT || !owner_)
        return fw::CustomWindow::OnSetCursor(window, hitTest, mouseMessage);
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(hwnd_, &point);
    const int hit = owner_->HitTestPoint(point);
    const wchar_t* shape = IDC_ARROW;
    if (hit == tree::kHitDivider)
        shape = IDC_SIZEWE;
    else if (hit == tree::kHitExpander || hit == tree::kHitCheckBox)
        shape = IDC_HAND;
    SetCursor(LoadCursorW(nullptr, shape));
    return true;
}

void CReportTreeList::InvertBar(int x) {
    const fw::ClientDC dc(hwnd_);
    const RECT client = ClientRect();
    const int half = owner_->View().Metrics().dragBarHalfWidth;
    PatBlt(dc.Get(), x - half, 0, 2 * half + 1, client.bottom, DSTINVERT);
}

void CReportTreeList::OnLButtonDown(UINT, POINT point) {
    if (!owner_)
        return;
    if (owner_->Click({point.x, point.y}) == tree::ClickResult::StartDrag) {
        SetCapture(hwnd_);
        dragging_ = true;
        dragX_ = owner_->View().Divider();
        InvertBar(dragX_);
    }
    // The click may have changed the selection: the pane shows it at once.
    UpdateWindow(hwnd_);
}

void CReportTreeList::OnMouseMove(UINT, POINT point) {
    if (!dragging_)
        return;
    InvertBar(dragX_);
    dragX_ = point.x;
    InvertBar(dragX_);
}

void CReportTreeList::OnLButtonUp(UINT, POINT point) {
    if (!dragging_ || !owner_)
        return;
    InvertBar(dragX_);
    dragging_ = false;
    ReleaseCapture();
    owner_->SetDividerPosition(point.x);
    owner_->LayoutChanged();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CReportTreeList::OnLButtonDblClk(UINT, POINT point) {
    if (owner_)
        owner_->DoubleClick({point.x, point.y});
}

void CReportTreeList::OnKeyDown(UINT key, UINT, UINT) {
    if (!owner_)
        return;
    // A key turns the keyboard cues on for the whole dialog, as in the system's controls.
    if (!ctl::cues::FocusShown(hwnd_))
        SendMessageW(GetAncestor(hwnd_, GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (key == VK_TAB || key == VK_ESCAPE) {
        PostMessageW(GetParent(hwnd_), WM_KEYDOWN, key, 0);
        return;
    }
    if (!owner_->Key(key))
        Default();
}

UINT CReportTreeList::OnGetDlgCode(MSG*) { return DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS; }

void CReportTreeList::OnVScroll(UINT code, UINT, HWND) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(hwnd_, SB_VERT, &info);
    Scroll(static_cast<int>(code), info.nTrackPos);
}

bool CReportTreeList::OnMouseWheel(UINT, short delta, POINT) {
    if (owner_)
        owner_->SettleRefresh();
    int minimum = 0, maximum = 0;
    GetScrollRange(hwnd_, SB_VERT, &minimum, &maximum);
    const RECT client = ClientRect();
    if (tree::WheelScrolls(minimum, maximum, client.bottom - client.top)) {
        SetFocus(hwnd_);
        Scroll(delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0);
    }
    return true;
}

void CReportTreeList::OnRButtonDown(UINT, POINT) {
    if (owner_)
        owner_->Notify(RTN_RCLICK, nullptr);
    Default();
}

bool CReportTreeList::FocusMarkShown() const { return GetFocus() == hwnd_ && ctl::cues::FocusShown(hwnd_); }

void CReportTreeList::PaintFocusMark(HDC dc, const RECT& client) {
    const CReportItem* selected = owner_->View().SelectedItem();
    if (!selected || !FocusMarkShown() || !owner_->View().OnVisibleChain(selected))
        return;
    const tree::Rect r = tree::access::RowRect(owner_->View(), *selected);
    RECT mark{r.left, r.top, r.right, r.bottom};
    RECT inner = Shrunk(client, owner_->View().Metrics().frame);
    IntersectRect(&mark, &mark, &inner);
    if (!IsRectEmpty(&mark)) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &mark);
    }
}

void CReportTreeList::OnSetFocus(HWND) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    // The system announces the list; a reader then hears the focused row.
    if (const long child = owner_ ? tree::access::ChildFromRow(owner_->View(), owner_->View().SelectedItem()) : 0)
        fw::NotifyAccessibleEvent(EVENT_OBJECT_FOCUS, hwnd_, child);
}

void CReportTreeList::OnKillFocus(HWND) { InvalidateRect(hwnd_, nullptr, FALSE); }

void CReportTreeList::OnItemChanged(tree::ItemChange what, CReportItem* item) {
    const long child = owner_ ? tree::access::ChildFromRow(owner_->View(), item) : CHILDID_SELF;
    switch (what) {
    case tree::ItemChange::Selection:
        if (item && GetFocus() == hwnd_)
            fw::NotifyAccessibleEvent(EVENT_OBJECT_FOCUS, hwnd_, child);
        fw::NotifyAccessibleEvent(item ? EVENT_OBJECT_SELECTION : EVENT_OBJECT_SELECTIONREMOVE, hwnd_, child);
        break;
    case tree::ItemChange::Expansion:
        fw::NotifyAccessibleEvent(EVENT_OBJECT_STATECHANGE, hwnd_, child);
        fw::NotifyAccessibleEvent(EVENT_OBJECT_REORDER, hwnd_);
        break;
    case tree::ItemChange::Caption: fw::NotifyAccessibleEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, child); break;
    case tree::ItemChange::Value: fw::NotifyAccessibleEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, child); break;
    }
}

std::vector<std::wstring> CReportTreeList::CutLines() {
    std::vector<std::wstring> cut;
    const RECT client = ClientRect();
    const fw::ClientDC window(hwnd_);
    fw::MemoryDC memory(window.Get(), std::max(1L, client.right), std::max(1L, client.bottom));
    if (owner_ && memory && memory.Bitmap())
        PaintRows(memory.Get(), client, &cut);
    return cut;
}

UINT CReportTreeList::CutLinesMessage() {
    static const UINT message = RegisterWindowMessageW(L"Tarnholm.TreeCutLines");
    return message;
}

bool CReportTreeList::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == CutLinesMessage() && msg != 0) {
        const std::vector<std::wstring> cut = CutLines();
        if (lParam == 0) {
            result = static_cast<LRESULT>(cut.size());
        } else if (wParam < cut.size()) {
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            const size_t length = std::min(cut[wParam].size(), static_cast<size_t>(kCutLineRoom - 1));
            cut[wParam].copy(buffer, length);
            buffer[length] = L'\0';
            result = static_cast<LRESULT>(length);
        } else {
            result = -1;
        }
        return true;
    }
    if (owner_ && accessible_.Handle(msg, wParam, lParam, result, [this] {
            return new tree::ReportTreeAccessible(hwnd_, *owner_, Context().texts);
        }))
        return true;
    if (msg == WM_UPDATEUISTATE && ctl::cues::ConcernsFocus(wParam))
        InvalidateRect(hwnd_, nullptr, FALSE);
    return fw::CustomWindow::OnMessage(msg, wParam, lParam, result);
}
