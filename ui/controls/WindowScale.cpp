#include "controls/WindowScale.h"

#include "controls/Dpi.h"
#include "controls/WindowDpi.h"
#include "framework/Application.h"

#include <commctrl.h>

namespace dpi {

namespace {

HMODULE User32() { return GetModuleHandleW(L"user32.dll"); }

// The dialog manager of Windows 10 1703 on rescales per-monitor dialogs by itself; the window
// does it here instead, the same way on every system.
void TurnOffDialogRescaling(HWND window) {
    using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto set = win32::ProcAddress<SetDialogDpiChangeBehaviorFn>(User32(), "SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
    if (set)
        set(window, kDisableAll, kDisableAll);
}

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[16]{};
    return GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, className) == 0;
}

} // namespace

RECT ScaleRect(const RECT& rect, int to, int from) {
    return RECT{MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
                MulDiv(rect.bottom, to, from)};
}

void WindowScale::Init(HWND window) {
    dpi_ = OfWindow(window);
    TurnOffDialogRescaling(window);
}

HFONT WindowScale::Scaled(HFONT font, int newDpi, std::vector<FontPair>& made) const {
    if (!font)
        return nullptr;
    for (const FontPair& pair : made)
        if (pair.from == font)
            return pair.to.Get();
    LOGFONTW shape{};
    if (GetObjectW(font, sizeof shape, &shape) == 0)
        return nullptr;
    shape.lfHeight = MulDiv(shape.lfHeight, newDpi, dpi_);
    shape.lfWidth = MulDiv(shape.lfWidth, newDpi, dpi_);
    made.push_back(FontPair{font, fw::Font(CreateFontIndirectW(&shape))});
    return made.back().to.Get();
}

void WindowScale::RescaleChildren(HWND parent, int newDpi, std::vector<FontPair>& made) const {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        rect = ScaleRect(rect, newDpi, dpi_);
        // A child dialog (a property page) scales its own children and layout, then takes the
        // rectangle it is told, as a top-level window does.
        if (IsClass(child, L"#32770")) {
            SendMessageW(child, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&rect));
            continue;
        }
        int height = rect.bottom - rect.top;
        // A drop-down list's window height is its closed field; its size is the open list's.
        if (IsClass(child, WC_COMBOBOXW)) {
            RECT dropped{};
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            height = MulDiv(dropped.bottom - dropped.top, newDpi, dpi_);
        }
        SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (const HFONT font = Scaled(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), newDpi, made))
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

RECT WindowScale::Rescale(HWND window, int newDpi) {
    RECT client{};
    GetClientRect(window, &client);
    if (newDpi <= 0 || newDpi == dpi_)
        return client;
    std::vector<FontPair> made;
    RescaleChildren(window, newDpi, made);
    if (const HFONT font = Scaled(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), newDpi, made))
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    client = ScaleRect(client, newDpi, dpi_);
    dpi_ = newDpi;
    // The previous DPI's fonts are no longer in any child's hands.
    fonts_ = std::move(made);
    return client;
}

void WindowScale::SetIcons(HWND window, UINT iconId) {
    const auto load = [iconId](int size) {
        return Icon(static_cast<HICON>(
            LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    };
    Icon big = load(SystemMetric(SM_CXICON, dpi_));
    // At the base DPI the caption keeps showing the standard icon as the system shrinks it.
    Icon small = dpi_ == kBase ? Icon() : load(SystemMetric(SM_CXSMICON, dpi_));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small.Get() : big.Get()));
    big_ = std::move(big);
    small_ = std::move(small);
}

} // namespace dpi
