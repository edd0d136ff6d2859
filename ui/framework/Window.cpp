// The message switch: messages decoded into typed handlers, their default processing and the
// reflection of parent notifications to child objects.
#include "framework/Window.h"

#include "framework/Reflection.h"

#include <windowsx.h>

namespace fw {

namespace {

POINT PointFrom(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The object of a child control, other than the window itself, that takes what its parent
// passes back; null for any other child.
ReflectionTarget* ReflectedTo(HWND child, const Window* parent) {
    Window* object = Window::FromHandle(child);
    return object && object != parent ? dynamic_cast<ReflectionTarget*>(object) : nullptr;
}

} // namespace

bool Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_CREATE: result = OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam)); return true;
    case WM_DESTROY: OnDestroy(); return true;
    case WM_COMMAND:
        if (!OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            result = Default();
        return true;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        if (ReflectionTarget* child = ReflectedTo(header.hwndFrom, this); child && child->OnReflectedNotify(header, result))
            return true;
        if (!OnNotify(static_cast<int>(wParam), header, result))
            result = Default();
        return true;
    }
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_ERASEBKGND: result = OnEraseBkgnd(reinterpret_cast<HDC>(wParam)); return true;
    case WM_PAINT: OnPaint(); return true;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_SHOWWINDOW: OnShowWindow(wParam != 0, static_cast<UINT>(lParam)); return true;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam)); return true;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam)); return true;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam)); return true;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), PointFrom(lParam)); return true;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam)); return true;
    case WM_MOUSEWHEEL:
        result = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointFrom(lParam));
        return true;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return true;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<HWND>(wParam)); return true;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<HWND>(wParam)); return true;
    case WM_SETCURSOR:
        result = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_NCHITTEST: result = OnNcHitTest(PointFrom(lParam)); return true;
    case WM_GETDLGCODE: result = OnGetDlgCode(reinterpret_cast<MSG*>(lParam)); return true;
    case WM_ENABLE: OnEnable(wParam != 0); return true;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        FollowSystemContrast(true);
        return true;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST)
            FollowSystemContrast(false);
        return false;
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return true;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return true;
    default:
        if (!IsCtlColorMessage(msg))
            return false;
        result = reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CtlColorOf(msg)));
        return true;
    }
}

LRESULT Window::Default() { return DefaultProc(current_.msg, current_.wParam, current_.lParam); }

int Window::OnCreate(CREATESTRUCTW&) { return static_cast<int>(Default()); }
void Window::OnDestroy() { Default(); }
bool Window::OnCommand(int, int, HWND) { return false; }
bool Window::OnNotify(int, NMHDR&, LRESULT&) { return false; }
HBRUSH Window::OnCtlColor(HDC dc, HWND child, CtlColor kind) { return DefaultCtlColor(dc, child, kind); }

void Window::OnDrawItem(int, DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU)
        if (ReflectionTarget* child = ReflectedTo(item.hwndItem, this); child && child->OnReflectedDrawItem(item))
            return;
    Default();
}

bool Window::OnEraseBkgnd(HDC) { return Default() != 0; }
void Window::OnPaint() { Default(); }
void Window::OnSize(UINT, int, int) { Default(); }
void Window::OnShowWindow(bool, UINT) { Default(); }
void Window::OnLButtonDown(UINT, POINT) { Default(); }
void Window::OnLButtonUp(UINT, POINT) { Default(); }
void Window::OnLButtonDblClk(UINT, POINT) { Default(); }
void Window::OnRButtonDown(UINT, POINT) { Default(); }
void Window::OnMouseMove(UINT, POINT) { Default(); }
bool Window::OnMouseWheel(UINT, short, POINT) { return Default() != 0; }
void Window::OnKeyDown(UINT, UINT, UINT) { Default(); }
void Window::OnSetFocus(HWND) { Default(); }
void Window::OnKillFocus(HWND) { Default(); }
bool Window::OnSetCursor(HWND, UINT, UINT) { return Default() != 0; }
LRESULT Window::OnNcHitTest(POINT) { return Default(); }
UINT Window::OnGetDlgCode(MSG*) { return static_cast<UINT>(Default()); }
void Window::OnEnable(bool) { Default(); }
void Window::OnSysColorChange() { Default(); }

void Window::OnHScroll(UINT code, UINT position, HWND bar) {
    if (!ReflectScroll(WM_HSCROLL, code, position, bar))
        Default();
}

void Window::OnVScroll(UINT code, UINT position, HWND bar) {
    if (!ReflectScroll(WM_VSCROLL, code, position, bar))
        Default();
}

void Window::SetAppearance(const Appearance& look) {
    if (look == look_)
        return;
    const Appearance previous = look_;
    look_ = look;
    if (hwnd_)
        OnAppearanceChanged(previous);
}

namespace {

// The framework objects below `parent`: each is told, and tells its own; a window without an
// object (a placeholder) is looked through.
void PassOn(HWND parent, const Appearance& look) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Window* object = Window::FromHandle(child))
            object->SetAppearance(look);
        else
            PassOn(child, look);
    }
}

} // namespace

void Window::OnAppearanceChanged(const Appearance&) { PassOn(hwnd_, look_); }

namespace {

BOOL CALLBACK TellOfNewColours(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

} // namespace

void Window::FollowSystemContrast(bool coloursChanged) {
    if (!hwnd_ || (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD))
        return;
    // The system tells only top-level windows; common controls keep the colours they read
    // until they are told too.
    if (coloursChanged)
        EnumChildWindows(hwnd_, TellOfNewColours, 0);
    Appearance look = look_;
    look.highContrast = SystemHighContrast();
    SetAppearance(look);
    // In a contrast theme every part is drawn in the colours of now, whether or not the
    // answer changed.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Window::GiveContext(WindowContext context) {
    context_ = std::move(context);
    contextGiven_ = true;
}

bool Window::ReflectScroll(UINT msg, UINT code, UINT position, HWND bar) {
    ReflectionTarget* child = ReflectedTo(bar, this);
    return child && child->OnReflectedScroll(msg, code, position);
}

HBRUSH Window::DefaultCtlColor(HDC dc, HWND child, CtlColor kind) {
    if (ReflectionTarget* object = ReflectedTo(child, this))
        if (HBRUSH brush = object->OnReflectedCtlColor(dc, kind))
            return brush;
    // A contrast theme's colours are the system's own, never a visual style's (a themed sheet
    // would give its pages the tab's texture and the style's text colour).
    if (look_.highContrast) {
        const int ground = kind == CtlColor::Edit || kind == CtlColor::ListBox ? COLOR_WINDOW : COLOR_BTNFACE;
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(ground));
        return GetSysColorBrush(ground);
    }
    const UINT msg = WM_CTLCOLORMSGBOX + static_cast<UINT>(kind);
    return reinterpret_cast<HBRUSH>(DefaultProc(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
}

bool Window::PreTranslateMessage(MSG&) { return false; }

} // namespace fw
