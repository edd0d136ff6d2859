// Dialogs from templates: modal runs under the framework's loop, modeless creation, data exchange.
#include "framework/Dialog.h"

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/ExceptionScope.h"
#include "framework/MessageLoop.h"
#include "framework/WindowDpi.h"

namespace fw {

namespace {

// Messages whose answer a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
    if (IsCtlColorMessage(msg))
        return true;
    switch (msg) {
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: return true;
    default: return false;
    }
}

} // namespace

INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;

INT_PTR Dialog::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (pendingDefault_.active && pendingDefault_.msg == msg && pendingDefault_.wParam == wParam &&
        pendingDefault_.lParam == lParam) {
        pendingDefault_.active = false;
        return FALSE;
    }
    bool handled = false;
    LRESULT result = 0;
    if (msg == WM_INITDIALOG) {
        // The dialog manager made the window at the DPI the system gives it; a child dialog made
        // inside a parent of another scale (a page first shown after its sheet moved) then moves
        // to the parent's scale, as if it had moved there.
        const Appearance wanted = Look();
        SetInitialLook(Appearance{dpi::OfWindow(hwnd_), wanted.highContrast});
        try {
            result = OnInitDialog() ? TRUE : FALSE;
            SetAppearance(wanted);
        } catch (...) {
            ExceptionScope::CaptureCurrent();
        }
        return result;
    }
    result = Route(msg, wParam, lParam, handled);
    if (!handled)
        return FALSE;
    if (ReturnsDirectly(msg))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

LRESULT Dialog::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // DefDlgProc first asks our dialog procedure, which must decline this very message.
    const Pending outer = pendingDefault_;
    pendingDefault_ = Pending{true, msg, wParam, lParam};
    const LRESULT result = DefDlgProcW(hwnd_, msg, wParam, lParam);
    pendingDefault_ = outer;
    return result;
}

Dialog::Dialog(UINT templateId, HWND parent) : DialogWindow(parent), templateId_(templateId) {}

Dialog::Dialog(UINT templateId, WindowContext context, HWND parent) : DialogWindow(parent), templateId_(templateId) {
    GiveContext(std::move(context));
}

Dialog::~Dialog() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
    // A main window whose object goes is no main window any more.
    if (Application* app = Application::Current(); app && app->MainWindow() == this)
        app->SetMainWindow(nullptr);
}

void Dialog::DestroyWindow() {
    if (hwnd_)
        CarryExceptions([window = hwnd_] { ::DestroyWindow(window); });
}

bool Dialog::OnInitDialog() {
    TemplateScale::TakeOver(hwnd_);
    DoDataExchange();
    return true;
}

void Dialog::SetIconResource(UINT iconId) {
    iconId_ = iconId;
    scale_.SetIcons(hwnd_, Context().resources, iconId_, Look().dpi);
}

bool Dialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return true;
    case WM_QUERYDRAGICON: result = reinterpret_cast<LRESULT>(OnQueryDragIcon()); return true;
    default: return DialogWindow::OnMessage(msg, wParam, lParam, result);
    }
}

void Dialog::OnGetMinMaxInfo(MINMAXINFO&) { Default(); }
HICON Dialog::OnQueryDragIcon() { return reinterpret_cast<HICON>(Default()); }

void Dialog::OnAppearanceChanged(const Appearance& previous) {
    DialogWindow::OnAppearanceChanged(previous);
    if (iconId_ != 0 && previous.dpi != Look().dpi)
        scale_.SetIcons(hwnd_, Context().resources, iconId_, Look().dpi);
}

bool Dialog::Bind(Control& control, int id) {
    if (control.Hwnd())
        return control.Hwnd() == Item(id);
    return control.SubclassDlgItem(id, hwnd_);
}

bool Dialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::TranslateDialogMessage(MSG& msg) { return IsDialogMessageW(hwnd_, &msg) != FALSE; }

bool Dialog::Create(HWND parent) {
    if (hwnd_)
        return false;
    if (parent)
        parent_ = parent;
    ExceptionScope scope;
    ended_ = false;
    const HWND window = CreateDialogParamW(Context().resources.Module(), MAKEINTRESOURCEW(templateId_), parent_, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    if (scope.Captured() && window)
        ::DestroyWindow(window);
    scope.RethrowIfCaptured();
    return window != nullptr;
}

int Dialog::DoModal() {
    if (hwnd_)
        return -1;
    ExceptionScope scope;
    bool created = false;
    {
        ModalRun run(*this, ModalOwner(parent_));
        result_ = -1;
        ended_ = false;
        const HWND window = CreateDialogParamW(Context().resources.Module(), MAKEINTRESOURCEW(templateId_), run.Owner(), DialogProc,
                                               reinterpret_cast<LPARAM>(this));
        created = window != nullptr;
        if (created && !ended_ && !scope.Captured())
            ShowWindow(window, SW_SHOWNORMAL);
        if (created)
            PumpMessagesWhile([&] { return !ended_ && !scope.Captured() && hwnd_ != nullptr; });
    }
    scope.RethrowIfCaptured();
    return created ? result_ : -1;
}

HWND ModalOwner(HWND parent) {
    HWND owner = parent;
    if (!owner) {
        if (Application* app = Application::Current(); app && app->MainWindow())
            owner = app->MainWindow()->Hwnd();
    }
    if (!owner || !IsWindow(owner))
        return nullptr;
    return GetAncestor(owner, GA_ROOT);
}

ModalRun::ModalRun(Window& window, HWND owner)
    : window_(window), owner_(owner), disabled_(owner && IsWindowEnabled(owner)) {
    if (disabled_)
        EnableWindow(owner_, FALSE);
}

ModalRun::~ModalRun() {
    if (disabled_ && IsWindow(owner_))
        EnableWindow(owner_, TRUE);
    if (const HWND window = window_.Hwnd())
        ::DestroyWindow(window);
}

} // namespace fw
