#include "controls/HyperLink.h"

#include "controls/ControlsAccessible.h"
#include "controls/Dpi.h"
#include "controls/FocusCues.h"
#include "controls/LinkOpener.h"
#include "win32/Owners.h"

#include <vector>

namespace {

// The program's title (the launcher window's, "Tarnholm" in every language).
constexpr wchar_t kTitleKey[] = L"IDS_LAUNCHER_TITLE";

} // namespace

win32::Cursor CHyperLink::handCursor_;

CHyperLink::~CHyperLink() = default;

// Always a copy, so that it can be destroyed whichever cursor it was taken from.
void CHyperLink::LoadDefaultHandCursor() {
    if (handCursor_)
        return;
    std::vector<wchar_t> directory(MAX_PATH, L'\0');
    const UINT length = GetWindowsDirectoryW(directory.data(), static_cast<UINT>(directory.size()));
    if (length > 0 && length < directory.size()) {
        const std::wstring path = std::wstring(directory.data(), length) + L"\\winhlp32.exe";
        // Only its resources are wanted: mapped as an image resource, none of its code can run.
        const win32::Module module(
            LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        if (const HCURSOR cursor = module ? LoadCursorW(module.Get(), MAKEINTRESOURCEW(106)) : nullptr)
            handCursor_.Reset(CopyCursor(cursor));
    }
    // Systems without that program still have a hand of their own.
    if (!handCursor_)
        handCursor_.Reset(CopyCursor(LoadCursorW(nullptr, IDC_HAND)));
}

void CHyperLink::PreSubclassWindow() {
    const std::wstring text = Text();
    if (target_.empty())
        target_ = text;
    if (text.empty())
        SetText(target_);
    if (TakeFontFromWindow())
        FitToText();
    else
        style_ &= ~hyperlink::kFitToText;
    if (!(style_ & hyperlink::kNoHandCursor))
        LoadDefaultHandCursor();
    if (tooltip_.Create(hwnd_))
        tooltip_.AddTool(hwnd_, target_, ClientRect(), 1);
}

void CHyperLink::SetLinkTarget(const std::wstring& target) {
    target_ = target;
    if (!hwnd_)
        return;
    ShowWindow(hwnd_, SW_HIDE);
    FitToText();
    if (tooltip_.Hwnd())
        tooltip_.UpdateTipText(target_, hwnd_, 1);
    ShowWindow(hwnd_, SW_SHOW);
}

void CHyperLink::FitToText() {
    if (!(style_ & hyperlink::kFitToText) || !hwnd_)
        return;
    const HWND parent = GetParent(hwnd_);
    RECT window = WindowRect();
    if (parent)
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&window), 2);
    const RECT client = ClientRect();
    const fw::ClientDC dc(hwnd_);
    const fw::SelectGuard font(dc.Get(),
                               font_ ? font_.Get() : reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    const std::wstring text = Text();
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    const auto style = static_cast<unsigned>(GetWindowLongW(hwnd_, GWL_STYLE));
    // A static wraps a line that fills its width to the pixel: a pixel of room on either side
    // keeps the link on one line in every font (and the focus mark off the letters).
    const int width = size.cx > 0 ? size.cx + dpi::Scale(2, Look().dpi) : 0;
    const ctl::Rect fitted = hyperlink::FitToTextRect({window.left, window.top, window.right, window.bottom},
                                                      client.right, client.bottom, width, size.cy, style);
    MoveWindow(hwnd_, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top, TRUE);
}

HBRUSH CHyperLink::OnReflectedCtlColor(HDC dc, fw::CtlColor) {
    // A contrast theme has one colour for links.
    SetTextColor(dc, Look().highContrast ? GetSysColor(COLOR_HOTLIGHT)
                                         : hyperlink::TextColour(hover_, active_, followed_, style_));
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}

LRESULT CHyperLink::OnNcHitTest(POINT) { return HTCLIENT; }

bool CHyperLink::OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) {
    if (handCursor_) {
        SetCursor(handCursor_.Get());
        return true;
    }
    return fw::StaticCtrl::OnSetCursor(window, hitTest, mouseMessage);
}

void CHyperLink::OnMouseMove(UINT, POINT point) {
    const RECT client = ClientRect();
    const bool inside = PtInRect(&client, point) != FALSE;
    if (hover_) {
        if (inside)
            return;
        hover_ = false;
        ReleaseCapture();
        Invalidate();
        return;
    }
    hover_ = true;
    Invalidate();
    SetCapture(hwnd_);
}

void CHyperLink::OnLButtonDown(UINT, POINT) {
    if (style_ & hyperlink::kFocusOnPress)
        SetFocus(hwnd_);
    if (style_ & hyperlink::kOpenOnPress)
        FollowLink();
    active_ = true;
}

void CHyperLink::OnLButtonUp(UINT, POINT) {
    if (active_ && !(style_ & hyperlink::kOpenOnPress))
        FollowLink();
}

void CHyperLink::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_SPACE) {
        FollowLink();
        return;
    }
    fw::StaticCtrl::OnKeyDown(key, repeat, flags);
}

void CHyperLink::OnSetFocus(HWND) {
    active_ = true;
    RepaintWithParent();
}

void CHyperLink::OnKillFocus(HWND) {
    active_ = false;
    hover_ = false;
    RepaintWithParent();
}

bool CHyperLink::TakeFontFromWindow() {
    const auto current = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    if (!current)
        return false;
    LOGFONTW description{};
    GetObjectW(current, sizeof description, &description);
    description.lfUnderline = (style_ & hyperlink::kUnderline) ? TRUE : FALSE;
    fw::Font font(CreateFontIndirectW(&description));
    if (font)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    font_ = std::move(font);
    return true;
}

// The window's font has been moved to the new scale by the dialog: the link's own is made anew
// from it.
void CHyperLink::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::StaticCtrl::OnAppearanceChanged(previous);
    TakeFontFromWindow();
    FitToText();
}

bool CHyperLink::ShowsFocusMark() const { return GetFocus() == hwnd_ && ctl::cues::FocusShown(hwnd_); }

void CHyperLink::RepaintWithParent() const {
    const HWND parent = GetParent(hwnd_);
    if (!parent) {
        Invalidate();
        return;
    }
    RECT area = WindowRect();
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CHyperLink::OnPaint() {
    Default();
    if (!ShowsFocusMark())
        return;
    // A dotted rectangle around the text in the text's own colour, which the parent chooses
    // (white on the report's picture): opaque dots, so that painting it twice changes nothing.
    const fw::ClientDC dc(hwnd_);
    const fw::SavedDC saved(dc.Get());
    if (const HWND parent = GetParent(hwnd_))
        SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(hwnd_));
    const COLORREF colour = GetTextColor(dc.Get());
    const RECT client = ClientRect();
    for (const ctl::Point& dot : hyperlink::FocusMarkDots({client.left, client.top, client.right, client.bottom}))
        SetPixelV(dc.Get(), dot.x, dot.y, colour);
}

bool CHyperLink::PreTranslateMessage(MSG& msg) {
    if (msg.hwnd == hwnd_ && tooltip_.Hwnd())
        tooltip_.RelayEvent(msg);
    return fw::StaticCtrl::PreTranslateMessage(msg);
}

void CHyperLink::FollowLink() {
    const int result = OpenTarget(target_, SW_SHOW);
    if (result <= 32) {
        ShowOpenError(result);
        return;
    }
    followed_ = true;
    Invalidate();
}

int CHyperLink::OpenTarget(const std::wstring& target, int showCommand) { return OpenLinkTarget(target, showCommand); }

void CHyperLink::ShowOpenError(int code) {
    MessageBeep(MB_ICONEXCLAMATION);
    const std::wstring text = hyperlink::OpenErrorText(code);
    const HWND owner = hwnd_ ? GetAncestor(hwnd_, GA_ROOT) : nullptr;
    // The program's title in whichever window the link sits: that window may have no title of
    // its own (the captionless settings sheet).
    const std::wstring caption = Context().texts ? Context().texts(kTitleKey) : std::wstring();
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_ICONEXCLAMATION | MB_OK);
}

bool CHyperLink::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A screen reader's default action opens the link once its call has returned.
    static const UINT follow = RegisterWindowMessageW(L"TarnholmFollowLink");
    if (msg == follow && follow) {
        FollowLink();
        result = 0;
        return true;
    }
    if (accessible_.Handle(msg, wParam, lParam, result,
                           [this] { return new ctl::LinkAccessible(hwnd_, follow, Context().texts); }))
        return true;
    // The focus mark comes and goes with the UI state.
    if (msg == WM_UPDATEUISTATE) {
        result = Default();
        if (ctl::cues::ConcernsFocus(wParam))
            RepaintWithParent();
        return true;
    }
    return fw::StaticCtrl::OnMessage(msg, wParam, lParam, result);
}
