#include "framework/TemplateScale.h"

#include "framework/Window.h"
#include "framework/WindowDpi.h"

#include <commctrl.h>

#include <map>

namespace fw {

namespace {

constexpr int kBaseDpi = 96;

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[16]{};
    return GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, className) == 0;
}

// An icon static takes the size of its icon, which follows the DPI, not the dialog font.
bool IsIconStatic(HWND window) {
    return IsClass(window, L"Static") && (GetWindowLongW(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

void SetFont(HWND window, HFONT font) {
    if (font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HFONT FontOf(HWND window) { return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)); }

// Pixels `pixels` of a length laid out with `from` units per `per` dialog units, in whole dialog
// units (the template's), then with `to`.
int Relaid(int pixels, int from, int to, int per) {
    const int units = from > 0 ? MulDiv(pixels, per, from) : pixels;
    return MulDiv(units, to, per);
}

} // namespace

SIZE DialogBaseUnits(HFONT font) {
    const ClientDC screen(nullptr);
    const SelectGuard select(screen.Get(), font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    SIZE letters{};
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (!GetTextMetricsW(screen.Get(), &metrics) || !GetTextExtentPoint32W(screen.Get(), kAlphabet, 52, &letters))
        return SIZE{};
    return SIZE{(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

RECT MoveDialogUnits(const RECT& rect, SIZE from, SIZE to) {
    // The dialog manager places a control at its left and top and gives it its width and height,
    // each from dialog units on its own.
    const int left = Relaid(rect.left, from.cx, to.cx, 4);
    const int top = Relaid(rect.top, from.cy, to.cy, 8);
    return RECT{left, top, left + Relaid(rect.right - rect.left, from.cx, to.cx, 4),
                top + Relaid(rect.bottom - rect.top, from.cy, to.cy, 8)};
}

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
    // A character height (negative) is a whole number of points, as the template gives it.
    if (shape.lfHeight < 0)
        shape.lfHeight = -MulDiv(MulDiv(-shape.lfHeight, 72, from), to, 72);
    else
        shape.lfHeight = MulDiv(shape.lfHeight, to, from);
    shape.lfWidth = MulDiv(shape.lfWidth, to, from);
    made.push_back(FontPair{font, Font(CreateFontIndirectW(&shape))});
    return made.back().to.Get();
}

RECT TemplateScale::Moved(const RECT& rect) const {
    return fromUnits_.cx > 0 && toUnits_.cx > 0 ? MoveDialogUnits(rect, fromUnits_, toUnits_)
                                                : ScaleRect(rect, to_, from_);
}

SIZE TemplateScale::Units(HWND window) const {
    return toUnits_.cx > 0 ? toUnits_ : DialogBaseUnits(FontOf(window));
}

RECT TemplateScale::Rescale(HWND window, int from, int to, const std::function<void()>& passOn,
                            const Resources& resources, UINT templateId) {
    const DialogTemplate madeFrom = templateId != 0 ? LoadDialogTemplate(resources.Module(), templateId) : DialogTemplate();
    RECT client{};
    GetClientRect(window, &client);
    if (from <= 0 || to <= 0 || from == to) {
        passOn();
        return client;
    }
    std::vector<FontPair> made;
    const HFONT oldFont = FontOf(window);
    const HFONT newFont = Scaled(oldFont, from, to, made);
    from_ = from;
    to_ = to;
    fromUnits_ = DialogBaseUnits(oldFont);
    toUnits_ = DialogBaseUnits(newFont);
    const auto moved = [this](const RECT& rect) { return Moved(rect); };
    struct Placed {
        HWND child;
        RECT rect;
    };
    std::vector<Placed> dialogs;
    // A child's template control: the n-th with its id, for the n-th child with it.
    std::map<int, size_t> seen;
    std::vector<Icon> icons;
    const auto madeAs = [&](HWND child) -> const TemplateControl* {
        const int id = GetDlgCtrlID(child);
        size_t wanted = seen[id]++;
        for (const TemplateControl& control : madeFrom.controls)
            if (control.id == id && wanted-- == 0)
                return &control;
        return nullptr;
    };
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
        const TemplateControl* control = madeFrom.valid ? madeAs(child) : nullptr;
        rect = control ? DialogUnitsToPixels(control->box, toUnits_) : moved(rect);
        if (IsIconStatic(child)) {
            rect = RECT{rect.left, rect.top, rect.left + MulDiv(size.cx, to, from), rect.top + MulDiv(size.cy, to, from)};
            if (control && control->resourceOrdinal >= 0) {
                icons.emplace_back(resources.IconAt(static_cast<UINT>(control->resourceOrdinal),
                                                    dpi::SystemMetric(SM_CXICON, to)));
                SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(icons.back().Get()), 0);
            }
        }
        // A child dialog scales its own children first and takes its rectangle afterwards.
        if (IsClass(child, L"#32770")) {
            dialogs.push_back(Placed{child, rect});
            continue;
        }
        int height = rect.bottom - rect.top;
        // A drop-down list's window height is its closed field; its size is the open list's.
        if (IsClass(child, WC_COMBOBOXW) && !control) {
            RECT dropped{};
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            const RECT open{0, 0, 0, dropped.bottom - dropped.top};
            height = moved(open).bottom;
        }
        SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
        SetFont(child, Scaled(FontOf(child), from, to, made));
    }
    SetFont(window, newFont);
    // The previous DPI's fonts and icons are no longer in any child's hands.
    fonts_ = std::move(made);
    icons_ = std::move(icons);
    passOn();
    for (const Placed& dialog : dialogs)
        SetWindowPos(dialog.child, nullptr, dialog.rect.left, dialog.rect.top, dialog.rect.right - dialog.rect.left,
                     dialog.rect.bottom - dialog.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return madeFrom.valid ? DialogUnitsToPixels(RECT{0, 0, madeFrom.cx, madeFrom.cy}, toUnits_) : moved(client);
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
    RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace fw
