#include "tree/ReportTree.h"

#include "framework/Accessible.h"
#include "framework/WindowDpi.h"

#include "tree/GdiCanvas.h"
#include "tree/ReportTreeList.h"
#include "tree/ReportTreePane.h"
#include "tree/RowPainting.h"

#include <algorithm>
#include <cmath>

namespace {

const wchar_t kTreeClass[] = L"TarnholmReportTree";

} // namespace

// The fonts are made at the screen's scale and follow the window's once it exists.
CReportTree::CReportTree() : fonts_(dpi::OfWindow(nullptr)), list_(nullptr), pane_(nullptr), model_(modelHost_) {}

CReportTree::~CReportTree() {
    if (hwnd_ && IsWindow(hwnd_))
        ::DestroyWindow(hwnd_);
}

std::unique_ptr<CReportTreeList> CReportTree::CreateListObject() { return std::make_unique<CReportTreeList>(); }
std::unique_ptr<CReportTreePane> CReportTree::CreatePaneObject() { return std::make_unique<CReportTreePane>(); }

bool CReportTree::Create(DWORD style, const RECT& rect, HWND parent, int id) {
    if (!list_)
        list_ = CreateListObject();
    if (!pane_)
        pane_ = CreatePaneObject();
    if (!RegisterWindowClass(kTreeClass, CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW), nullptr))
        return false;
    return CustomWindow::Create(kTreeClass, L"", style, rect, parent, id);
}

int CReportTree::OnCreate(CREATESTRUCTW& create) {
    if (Default() == -1)
        return -1;
    fonts_.Hold(Look().dpi);
    model_.SetMetrics(tree::MetricsAt(Look().dpi));
    infoPaneHeight_ = model_.Metrics().paneHeight;
    const RECT client{0, 0, create.cx, create.cy};
    if (!list_->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, client, *this, 100))
        return -1;
    if (!pane_->Create(client, *this, 0xFFFF))
        return -1;
    model_.SetDividerRaw(CreatedDivider(create.cx));
    ownDivider_ = model_.Divider();
    LayoutChildren(create.cx, create.cy);
    return 0;
}

void CReportTree::Resize(int width, int height) {
    // The window rectangle mapped into its own client coordinates: the parent's origin for a
    // borderless control.
    RECT rect = WindowRect();
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
    SetWindowPos(hwnd_, nullptr, rect.left < 0 ? 0 : rect.left, rect.top < 0 ? 0 : rect.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Sized(width, height);
}

void CReportTree::OnSize(UINT, int width, int height) {
    Default();
    Sized(width, height);
}

int CReportTree::CreatedDivider(int width) { return width * 30 / 100; }

void CReportTree::Sized(int width, int height) {
    const double share = width > 0 ? dividerShare_ : 0;
    dividerShare_ = 0;
    if (share > 0)
        model_.SetDividerRaw(static_cast<int>(std::lround(share * width)));
    else if (share < 0)
        model_.SetDividerRaw(ownDivider_ = CreatedDivider(width));
    LayoutChildren(width, height);
    if (share < 0)
        FitDividerToCaptions();
}

void CReportTree::FitDividerToCaptions() {
    if (!list_ || !list_->Hwnd())
        return;
    const fw::ClientDC dc(list_->Hwnd());
    const fw::SelectGuard font(dc.Get(), NormalFont());
    // Up to the last pixel of ink, left of the divider's line.
    const int needed = WidestCaptionRight(model_,
                                          [&](const std::wstring& caption) {
                                              return std::max<int>(tree::InkOfLine(dc.Get(), caption).right, 0);
                                          }) +
                       1;
    if (needed > model_.Divider())
        model_.SetDividerPosition(needed);
    ownDivider_ = model_.Divider();
}

void CReportTree::LayoutChildren(int width, int height) {
    if (!list_ || !list_->Hwnd() || !pane_ || !pane_->Hwnd())
        return;
    if (showInfoPane_) {
        MoveWindow(list_->Hwnd(), 0, 0, width, height - infoPaneHeight_, TRUE);
        MoveWindow(pane_->Hwnd(), 0, height - infoPaneHeight_, width, infoPaneHeight_, TRUE);
        ShowWindow(pane_->Hwnd(), SW_SHOWNA);
    } else {
        MoveWindow(list_->Hwnd(), 0, 0, width, height, TRUE);
        ShowWindow(pane_->Hwnd(), SW_HIDE);
    }
}

void CReportTree::OnAppearanceChanged(const fw::Appearance& previous) {
    if (previous.dpi == Look().dpi) {
        // Only the colours changed: the children draw in them.
        fw::CustomWindow::OnAppearanceChanged(previous);
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return;
    }
    // The divider keeps its share of the width, which the window gets at the new scale next; one
    // the player never moved stays where a tree made at that width has it.
    const RECT before = ClientRect();
    if (before.right > 0)
        dividerShare_ = model_.Divider() == ownDivider_ ? -1.0 : static_cast<double>(model_.Divider()) / before.right;
    fonts_.Hold(Look().dpi);
    fw::CustomWindow::OnAppearanceChanged(previous);
    model_.SetMetrics(tree::MetricsAt(Look().dpi));
    model_.RemeasureColumns();
    infoPaneHeight_ = model_.Metrics().paneHeight;
    const RECT client = ClientRect();
    LayoutChildren(client.right, client.bottom);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CReportTree::ShowInfoPane(bool show) {
    showInfoPane_ = show;
    if (hwnd_) {
        const RECT client = ClientRect();
        LayoutChildren(client.right, client.bottom);
    }
}

void CReportTree::SetNodeImages(fw::ImageList images) { images_ = std::move(images); }

void CReportTree::SetInputLocked(bool locked) {
    model_.SetInputLocked(locked);
    if (hwnd_)
        if (const HWND parent = GetParent(hwnd_))
            EnableWindow(parent, !locked);
}

void CReportTree::OnEnable(bool) {
    Default();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CReportTree::OnSysColorChange() {
    Default();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CReportTree::OnSetFocus(HWND) {
    if (list_ && list_->Hwnd())
        SetFocus(list_->Hwnd());
}

void CReportTree::OnRButtonDown(UINT, POINT) {
    Notify(RTN_RCLICK, nullptr);
    Default();
}

void CReportTree::ModelHost::FocusList() {
    if (tree_.list_ && tree_.list_->Hwnd() && GetFocus() != tree_.list_->Hwnd())
        SetFocus(tree_.list_->Hwnd());
}

void CReportTree::SetAccessibleName(const std::wstring& name) { accessibleName_ = name; }

std::wstring CReportTree::AccessibleName() const {
    if (!accessibleName_.empty() || !hwnd_)
        return accessibleName_;
    const HWND dialog = GetAncestor(hwnd_, GA_ROOT);
    std::wstring title(static_cast<size_t>(GetWindowTextLengthW(dialog)) + 1, L'\0');
    title.resize(static_cast<size_t>(GetWindowTextW(dialog, title.data(), static_cast<int>(title.size()))));
    return title;
}

void CReportTree::ModelHost::ItemChanged(tree::ItemChange what, CReportItem* item) {
    if (tree_.list_ && tree_.list_->Hwnd())
        tree_.list_->OnItemChanged(what, item);
    if (what == tree::ItemChange::Selection && tree_.pane_ && tree_.pane_->Hwnd())
        fw::NotifyAccessibleEvent(EVENT_OBJECT_NAMECHANGE, tree_.pane_->Hwnd());
}

// The list hands Tab and Escape to the control. Escape must end here: left to the dialog
// manager it would be the dialog's Cancel while the focus is in the list.
UINT CReportTree::OnGetDlgCode(MSG* msg) {
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
        return DLGC_WANTMESSAGE;
    return fw::CustomWindow::OnGetDlgCode(msg);
}

void CReportTree::OnKeyDown(UINT key, UINT, UINT) {
    // Tab from the list moves on to the dialog's next control, so a keyboard user is not kept
    // in the tree; Escape stays with the tree.
    if (key == VK_TAB) {
        if (const HWND dialog = GetAncestor(hwnd_, GA_ROOT))
            PostMessageW(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, FALSE);
        return;
    }
    Default();
}

std::intptr_t CReportTree::Notify(int code, CReportItem* item) {
    if (!hwnd_ || !(GetWindowLongW(hwnd_, GWL_STYLE) & RTS_NOTIFY))
        return 0;
    const HWND parent = GetParent(hwnd_);
    if (!parent)
        return 0;
    NMREPORTTREE record{};
    record.hdr.hwndFrom = hwnd_;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    record.hdr.code = static_cast<UINT>(code);
    record.item = item;
    return SendMessageW(parent, WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

namespace {
constexpr UINT kFlushMessage = WM_APP + 0x52;
}

void CReportTree::MarkDirty(unsigned what) {
    if (!hwnd_)
        return;
    if (pending_ == 0 && !flushing_)
        PostMessageW(hwnd_, kFlushMessage, 0, 0);
    pending_ |= what;
}

void CReportTree::SettleRefresh() {
    if (!hwnd_ || flushing_ || pending_ == 0)
        return;
    flushing_ = true;
    if (pending_ & kScrollBar) {
        pending_ &= ~kScrollBar;
        if (list_ && list_->Hwnd())
            list_->RecomputeScrollBar(); // may ask for more repaints, gathered below
    }
    const unsigned what = pending_;
    pending_ = 0;
    flushing_ = false;
    if (what & kContainer) {
        InvalidateRect(hwnd_, nullptr, FALSE);
        // The pane shows the selection: it follows every repaint of the control.
        if (pane_ && pane_->Hwnd())
            InvalidateRect(pane_->Hwnd(), nullptr, FALSE);
    }
    if ((what & (kList | kContainer)) && list_ && list_->Hwnd())
        InvalidateRect(list_->Hwnd(), nullptr, FALSE);
}

bool CReportTree::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == kFlushMessage) {
        SettleRefresh();
        result = 0;
        return true;
    }
    return fw::CustomWindow::OnMessage(msg, wParam, lParam, result);
}

void CReportTree::ModelHost::UpdateListNow() {
    tree_.SettleRefresh();
    if (tree_.list_ && tree_.list_->Hwnd())
        UpdateWindow(tree_.list_->Hwnd());
}

void CReportTree::ModelHost::ScrollListTo(int position) {
    if (tree_.list_ && tree_.list_->Hwnd())
        tree_.list_->Scroll(SB_THUMBTRACK, position);
}

tree::Rect CReportTree::ModelHost::ListClientRect() const {
    RECT rect{};
    if (tree_.list_ && tree_.list_->Hwnd())
        GetClientRect(tree_.list_->Hwnd(), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void CReportTree::ModelHost::InvalidateListRect(const tree::Rect& rect) {
    if (tree_.list_ && tree_.list_->Hwnd()) {
        const RECT r{rect.left, rect.top, rect.right, rect.bottom};
        InvalidateRect(tree_.list_->Hwnd(), &r, FALSE);
    }
}

int CReportTree::ModelHost::MeasureColumnTitle(const std::wstring& title) {
    // The window's default font, as the titles have always been measured; but the title is drawn
    // in the bold font, so the column is at least that wide (with room for its lines), or a
    // narrow default font would cut the title.
    const fw::ClientDC dc(tree_.hwnd_);
    const RECT client = tree_.hwnd_ ? tree_.ClientRect() : RECT{};
    RECT rect = client;
    DrawTextW(dc.Get(), title.c_str(), static_cast<int>(title.size()), &rect,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    RECT bold = client;
    const fw::SelectGuard font(dc.Get(), tree_.BoldFont());
    DrawTextW(dc.Get(), title.c_str(), static_cast<int>(title.size()), &bold,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    // Its ink may reach past the measured width; centred, the title needs that room on both sides.
    const int overhang = std::max<int>(0, client.left + tree::InkOfLine(dc.Get(), title).right - bold.right);
    return std::max<int>(rect.right, bold.right + 2 * overhang + dpi::Scale(6, tree_.model_.Metrics().dpi));
}
