#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/Dialog.h"

#include <windowsx.h>

namespace fw {

namespace {

constexpr UINT_PTR kSubclassId = 0x7A4E;  // ours among the subclasses a window may carry
constexpr ATOM kDialogClassAtom = 32770;
thread_local ExceptionScope* innermostScope = nullptr;

// The import library lacks GetWindowSubclass (older comctl32 exports it by ordinal only).
BOOL GetSubclassRef(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR* ref)
{
    using GetWindowSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass = [] {
        const HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
        FARPROC found = comctl ? GetProcAddress(comctl, "GetWindowSubclass") : nullptr;
        if (comctl && !found)
            found = GetProcAddress(comctl, MAKEINTRESOURCEA(411));
        return reinterpret_cast<GetWindowSubclassFn>(reinterpret_cast<void*>(found));
    }();
    return getWindowSubclass && getWindowSubclass(window, proc, id, ref);
}

POINT PointFrom(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

} // namespace

INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) noexcept;
LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;
LRESULT CALLBACK CustomWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;

// ---- exceptions at the boundary ----

ExceptionScope::ExceptionScope() : outer_(innermostScope) { innermostScope = this; }

ExceptionScope::~ExceptionScope() { innermostScope = outer_; }

void ExceptionScope::RethrowIfCaptured()
{
    if (captured_)
        std::rethrow_exception(std::exchange(captured_, nullptr));
}

void ExceptionScope::CaptureCurrent() noexcept
{
    if (!innermostScope)
        std::terminate();
    if (!innermostScope->captured_)
        innermostScope->captured_ = std::current_exception();
    // Wake the loop that waits on this scope.
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

// ---- linking ----

Window::~Window() { Unlink(); }

Window* Window::FromHandle(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    DWORD_PTR ref = 0;
    if (GetSubclassRef(window, SubclassProc, kSubclassId, &ref))
        return reinterpret_cast<Window*>(ref);
    const auto userData = [window] { return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA)); };
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) == CustomWindowProc)
        return userData();
    if (static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM)) == kDialogClassAtom) {
        const auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(window, DWLP_DLGPROC));
        if (proc == DialogProc || proc == PageProc)
            return userData();
    }
    return nullptr;
}

bool Window::Subclass(HWND window)
{
    if (hwnd_ || !window || FromHandle(window))
        return false;
    hwnd_ = window;
    if (!SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        hwnd_ = nullptr;
        return false;
    }
    link_ = Link::Subclass;
    return true;
}

void Window::Unsubclass()
{
    if (link_ == Link::Subclass)
        Unlink();
}

void Window::LinkUserData(HWND window)
{
    hwnd_ = window;
    link_ = Link::UserData;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unlink()
{
    if (hwnd_) {
        if (link_ == Link::Subclass)
            RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
        else if (link_ == Link::UserData && IsWindow(hwnd_))
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        if (Application* app = Application::Current(); app && app->MainWindow() == this)
            app->SetMainWindow(nullptr);
    }
    hwnd_ = nullptr;
    link_ = Link::None;
}

LRESULT Window::Route(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) noexcept
{
    const Message saved = current_;
    current_ = Message{msg, wParam, lParam};
    LRESULT result = 0;
    handled = false;
    try {
        handled = OnMessage(msg, wParam, lParam, result);
    } catch (...) {
        ExceptionScope::CaptureCurrent();
        handled = false;
    }
    current_ = saved;
    if (msg == WM_NCDESTROY)
        Unlink();
    return result;
}

LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR ref) noexcept
{
    auto* self = reinterpret_cast<Window*>(ref);
    bool handled = false;
    const LRESULT result = self->Route(msg, wParam, lParam, handled);
    if (handled)
        return result;
    // After WM_NCDESTROY the link is gone; the original procedure still gets the message.
    return DefSubclassProc(window, msg, wParam, lParam);
}

LRESULT CALLBACK CustomWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<Window*>(create->lpCreateParams))
            self->LinkUserData(window);
    }
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(window, msg, wParam, lParam);
    bool handled = false;
    const LRESULT result = self->Route(msg, wParam, lParam, handled);
    return handled ? result : DefWindowProcW(window, msg, wParam, lParam);
}

// ---- the message switch ----

bool Window::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_CREATE:
        result = OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam));
        return true;
    case WM_DESTROY:
        OnDestroy();
        return true;
    case WM_COMMAND:
        if (!OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            result = Default();
        return true;
    case WM_NOTIFY: {
        auto& header = *reinterpret_cast<NMHDR*>(lParam);
        Window* child = FromHandle(header.hwndFrom);
        if (child && child != this && child->OnReflectedNotify(header, result))
            return true;
        if (!OnNotify(static_cast<int>(wParam), header, result))
            result = Default();
        return true;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                                      static_cast<CtlColor>(msg - WM_CTLCOLORMSGBOX)));
        return true;
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_ERASEBKGND:
        result = OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_PAINT:
        OnPaint();
        return true;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != 0, static_cast<UINT>(lParam));
        return true;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
        return true;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
        return true;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam));
        return true;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam));
        return true;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam));
        return true;
    case WM_MOUSEWHEEL:
        result = OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), PointFrom(lParam));
        return true;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return true;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return true;
    case WM_SETCURSOR:
        result = OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_NCHITTEST:
        result = OnNcHitTest(PointFrom(lParam));
        return true;
    case WM_GETDLGCODE:
        result = OnGetDlgCode(reinterpret_cast<MSG*>(lParam));
        return true;
    case WM_ENABLE:
        OnEnable(wParam != 0);
        return true;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return true;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    default:
        return false;
    }
}

LRESULT Window::Default() { return DefaultProc(current_.msg, current_.wParam, current_.lParam); }

int Window::OnCreate(CREATESTRUCTW&) { return static_cast<int>(Default()); }
void Window::OnDestroy() { Default(); }
bool Window::OnCommand(int, int, HWND) { return false; }
bool Window::OnNotify(int, NMHDR&, LRESULT&) { return false; }
HBRUSH Window::OnCtlColor(HDC dc, HWND child, CtlColor kind) { return DefaultCtlColor(dc, child, kind); }

void Window::OnDrawItem(int, DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU) {
        Window* child = FromHandle(item.hwndItem);
        if (child && child != this && child->OnReflectedDrawItem(item))
            return;
    }
    Default();
}

bool Window::OnEraseBkgnd(HDC) { return Default() != 0; }
void Window::OnPaint() { Default(); }
void Window::OnSize(UINT, int, int) { Default(); }
void Window::OnShowWindow(bool, UINT) { Default(); }
void Window::OnGetMinMaxInfo(MINMAXINFO&) { Default(); }
HICON Window::OnQueryDragIcon() { return reinterpret_cast<HICON>(Default()); }
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

void Window::OnHScroll(UINT code, UINT position, HWND bar)
{
    if (!ReflectScroll(WM_HSCROLL, code, position, bar))
        Default();
}

void Window::OnVScroll(UINT code, UINT position, HWND bar)
{
    if (!ReflectScroll(WM_VSCROLL, code, position, bar))
        Default();
}

bool Window::ReflectScroll(UINT msg, UINT code, UINT position, HWND bar)
{
    Window* child = FromHandle(bar);
    return child && child != this && child->OnReflectedScroll(msg, code, position);
}

bool Window::OnReflectedDrawItem(DRAWITEMSTRUCT&) { return false; }
bool Window::OnReflectedNotify(NMHDR&, LRESULT&) { return false; }
HBRUSH Window::OnReflectedCtlColor(HDC, CtlColor) { return nullptr; }
bool Window::OnReflectedScroll(UINT, UINT, UINT) { return false; }

HBRUSH Window::DefaultCtlColor(HDC dc, HWND child, CtlColor kind)
{
    if (Window* object = FromHandle(child); object && object != this) {
        if (HBRUSH brush = object->OnReflectedCtlColor(dc, kind))
            return brush;
    }
    const UINT msg = WM_CTLCOLORMSGBOX + static_cast<UINT>(kind);
    return reinterpret_cast<HBRUSH>(DefaultProc(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
}

bool Window::PreTranslateMessage(MSG&) { return false; }
bool Window::TranslateDialogMessage(MSG&) { return false; }

// ---- conveniences ----

std::wstring Window::Text() const
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT Window::ClientRect() const
{
    RECT rect{};
    GetClientRect(hwnd_, &rect);
    return rect;
}

RECT Window::WindowRect() const
{
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

RECT Window::ChildRect(HWND child) const
{
    RECT rect{};
    if (!child || !GetWindowRect(child, &rect))
        return RECT{};
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Window::ModifyStyle(DWORD remove, DWORD add) const
{
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE));
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>((style & ~remove) | add));
}

void Window::SetIcon(HICON icon, bool big) const
{
    SendMessageW(hwnd_, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Window::RedrawNow() const { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

void Window::BeginDragMove(POINT clientPoint) const
{
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(clientPoint.x, clientPoint.y));
}

// ---- registered classes ----

bool CustomWindow::RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing))
        return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = CustomWindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

bool CustomWindow::Create(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                          HWND parent, int id, DWORD exStyle)
{
    if (hwnd_)
        return false;
    ExceptionScope scope;
    const HWND window = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                        GetModuleHandleW(nullptr), this);
    if (scope.Captured() && window)
        ::DestroyWindow(window);
    scope.RethrowIfCaptured();
    return window != nullptr;
}

LRESULT CustomWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

// ---- the loop's pre-translation ----

bool PreTranslateForLoop(MSG& msg)
{
    if (!msg.hwnd)
        return false;
    for (HWND window = msg.hwnd; window;) {
        if (Window* object = Window::FromHandle(window); object && object->PreTranslateMessage(msg))
            return true;
        if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
            break;
        window = GetParent(window);
    }
    Window* top = Window::FromHandle(GetAncestor(msg.hwnd, GA_ROOT));
    return top && top->TranslateDialogMessage(msg);
}

} // namespace fw
