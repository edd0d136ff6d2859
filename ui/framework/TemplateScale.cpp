#include "framework/TemplateScale.h"

#include "framework/Window.h"
#include "framework/WindowDpi.h"

#include <commctrl.h>

namespace fw {

namespace {

constexpr int kBaseDpi = 96;

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[16]{};
    return GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, className) == 0;
}

void SetFont(HWND window, HFONT font) {
    if (font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

} // namespace

RECT ScaleRect(const RECT& rect, int to, int from) {
    return RECT{MulDiv(rect.left, to, from), MulDiv(rect.top, to, from), MulDiv(rect.right, to, from),
                MulDiv(rect.bottom, to, from)};
}

void TemplateScale::TakeOver(HWND window) {
    // The dialog manager of Windows 10 1703 on rescales per-monitor dialogs by itself.
    using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto set = win32::ProcAddress<SetDialogDpiChangeBehaviorFn>(GetModuleHandleW(L"user32.dll"),
                                                                               "SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
    if (set)
        set(window, kDisableAll, kDisableAll);
}

HFONT TemplateScale::Scaled(HFONT font, int from, int to, std::vector<FontPair>& made) {
    if (!font)
        return nullptr;
    for (const FontPair& pair : made)
        if (pair.from == font)
            return pair.to.Get();
    LOGFONTW shape{};
    if (GetObjectW(font, sizeof shape, &shape) == 0)
        return nullptr;
    shape.lfHeight = MulDiv(shape.lfHeight, to, from);
    shape.lfWidth = MulDiv(shape.lfWidth, to, from);
    made.push_back(FontPair{font, Font(CreateFontIndirectW(&shape))});
    return made.back().to.Get();
}

void TemplateScale::Rescale(HWND window, int from, int to, const std::function<void()>& passOn) {
    if (from <= 0 || to <= 0 || from == to) {
        passOn();
        return;
    }
    std::vector<FontPair> made;
    struct Placed {
        HWND child;
        RECT rect;
    };
    std::vector<Placed> dialogs;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        rect = ScaleRect(rect, to, from);
        // A child dialog scales its own children first and takes its rectangle afterwards.
        if (IsClass(child, L"#32770")) {
            dialogs.push_back(Placed{child, rect});
            continue;
        }
        int height = rect.bottom - rect.top;
        // A drop-down list's window height is its closed field; its size is the open list's.
        if (IsClass(child, WC_COMBOBOXW)) {
            RECT dropped{};
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            height = MulDiv(dropped.bottom - dropped.top, to, from);
        }
        SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
        SetFont(child, Scaled(FontOf(child), from, to, made));
    }
    SetFont(window, Scaled(FontOf(window), from, to, made));
    // The previous DPI's fonts are no longer in any child's hands.
    fonts_ = std::move(made);
    passOn();
    for (const Placed& dialog : dialogs)
        SetWindowPos(dialog.child, nullptr, dialog.rect.left, dialog.rect.top, dialog.rect.right - dialog.rect.left,
                     dialog.rect.bottom - dialog.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TemplateScale::SetIcons(HWND window, const Resources& resources, UINT iconId, int dpi) {
    Icon big(resources.IconAt(iconId, dpi::SystemMetric(SM_CXICON, dpi)));
    // At the base DPI the caption keeps showing the standard icon as the system shrinks it.
    Icon small = dpi == kBaseDpi ? Icon() : Icon(resources.IconAt(iconId, dpi::SystemMetric(SM_CXSMICON, dpi)));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small.Get() : big.Get()));
    big_ = std::move(big);
    small_ = std::move(small);
}

void MoveToNewDpi(Window& window, WPARAM wParam, LPARAM lParam) {
    Appearance look = window.Look();
    look.dpi = LOWORD(wParam);
    window.SetAppearance(look);
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetWindowPos(window.Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    window.RedrawNow();
}

} // namespace fw
