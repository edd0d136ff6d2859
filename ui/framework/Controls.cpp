// Wrappers of the standard and common controls, attached to template controls by id.
#include "framework/Controls.h"

#include "win32/Owners.h"

#include <utility>
#include <vector>

namespace fw {

// ---- subclassed controls ----

Control::~Control() { UnsubclassWindow(); }

bool Control::SubclassDlgItem(int id, HWND parent) {
    const HWND window = parent ? GetDlgItem(parent, id) : nullptr;
    return window && SubclassWindow(window);
}

bool Control::SubclassWindow(HWND window) {
    if (hwnd_ || !window || Window::FromHandle(window))
        return false;
    hwnd_ = window;
    Inherit();
    PreSubclassWindow();
    hwnd_ = nullptr;
    return Subclass(window);
}

void Control::UnsubclassWindow() { Unsubclass(); }

bool Control::Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id,
                     DWORD exStyle) {
    if (hwnd_)
        return false;
    const HWND window = CreateWindowExW(
        exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (window && SubclassWindow(window))
        return true;
    if (window)
        DestroyWindow(window);
    return false;
}

LRESULT Control::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

void Button::DrawItem(DRAWITEMSTRUCT&) {}

bool Button::OnReflectedDrawItem(DRAWITEMSTRUCT& item) {
    DrawItem(item);
    return true;
}

void TabCtrl::DrawItem(DRAWITEMSTRUCT&) {}

bool TabCtrl::OnReflectedDrawItem(DRAWITEMSTRUCT& item) {
    DrawItem(item);
    return true;
}

std::wstring TabCtrl::GetItemText(int index, size_t bufferChars) const {
    std::vector<wchar_t> buffer(bufferChars + 1, L'\0');
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(bufferChars);
    if (!SendMessageW(hwnd_, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    // comctl32 may answer with its own pointer instead of filling the buffer.
    const wchar_t* text = item.pszText ? item.pszText : L"";
    std::wstring result(text);
    if (bufferChars > 0 && result.size() > bufferChars - 1)
        result.resize(bufferChars - 1);
    return result;
}

int ComboBox::AddString(const std::wstring& text) const {
    return static_cast<int>(SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

std::wstring ComboBox::GetLBText(int index, size_t maxChars) const {
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    if (text.size() > maxChars)
        text.resize(maxChars);
    return text;
}

int ComboBox::SelectString(int start, const std::wstring& text) const {
    return static_cast<int>(
        SendMessageW(hwnd_, CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text.c_str())));
}

// ---- tooltips ----

ToolTipCtrl::~ToolTipCtrl() {
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

bool ToolTipCtrl::Create(HWND owner, DWORD style) {
    if (hwnd_)
        return false;
    owner_ = owner;
    hwnd_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    return hwnd_ != nullptr;
}

namespace {

// uxtheme is only needed once a tooltip gets colours of its own, so it is not loaded at start-up.
void TurnThemeOff(HWND window) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const win32::PinnedModule theme(L"uxtheme.dll");
    static const auto setWindowTheme = win32::ProcAddress<SetWindowThemeFn>(theme.Get(), "SetWindowTheme");
    if (setWindowTheme)
        setWindowTheme(window, L"", L"");
}

} // namespace

void ToolTipCtrl::SetTipBkColor(COLORREF colour) const {
    TurnThemeOff(hwnd_);
    SendMessageW(hwnd_, TTM_SETTIPBKCOLOR, colour, 0);
}

void ToolTipCtrl::SetTipTextColor(COLORREF colour) const {
    TurnThemeOff(hwnd_);
    SendMessageW(hwnd_, TTM_SETTIPTEXTCOLOR, colour, 0);
}

namespace {

// The version-2 record size, which every comctl32 version accepts.
TOOLINFOW ToolInfo(HWND owner, UINT flags, UINT_PTR id, const std::wstring* text) {
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = owner;
    info.uId = id;
    info.lpszText = text ? const_cast<wchar_t*>(text->c_str()) : nullptr;
    return info;
}

} // namespace

bool ToolTipCtrl::AddTool(HWND tool, const std::wstring& text) const {
    TOOLINFOW info =
        ToolInfo(GetParent(tool) ? GetParent(tool) : owner_, TTF_IDISHWND, reinterpret_cast<UINT_PTR>(tool), &text);
    return SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool ToolTipCtrl::AddTool(HWND window, const std::wstring& text, const RECT& rect, UINT id) const {
    TOOLINFOW info = ToolInfo(window, 0, id, &text);
    info.rect = rect;
    return SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void ToolTipCtrl::UpdateTipText(const std::wstring& text, HWND window, UINT id) const {
    TOOLINFOW info = ToolInfo(window, 0, id, &text);
    SendMessageW(hwnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTipCtrl::RelayEvent(MSG& msg) const {
    if (hwnd_)
        SendMessageW(hwnd_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

// ---- image lists ----

ImageList::ImageList(ImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}

ImageList& ImageList::operator=(ImageList&& other) noexcept {
    if (this != &other) {
        Reset();
        list_ = std::exchange(other.list_, nullptr);
    }
    return *this;
}

bool ImageList::Create(HMODULE module, UINT bitmapId, int width, int grow, COLORREF mask) {
    Reset();
    list_ = ImageList_LoadImageW(module, MAKEINTRESOURCEW(bitmapId), width, grow, mask, IMAGE_BITMAP,
                                 LR_CREATEDIBSECTION);
    return list_ != nullptr;
}

bool ImageList::Create(HBITMAP strip, int width, int height, int grow, COLORREF mask) {
    Reset();
    BITMAP info{};
    if (!strip || width <= 0 || !GetObjectW(strip, sizeof info, &info))
        return false;
    list_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, info.bmWidth / width, grow);
    if (list_ && ImageList_AddMasked(list_, strip, mask) < 0)
        Reset();
    return list_ != nullptr;
}

bool ImageList::Draw(HDC dc, int index, POINT at, UINT style) const {
    return list_ && index >= 0 && index < GetImageCount() && ImageList_Draw(list_, index, dc, at.x, at.y, style);
}

void ImageList::Reset() {
    if (list_)
        ImageList_Destroy(list_);
    list_ = nullptr;
}

} // namespace fw
