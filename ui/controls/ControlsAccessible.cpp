#include "controls/ControlsAccessible.h"

#include <commctrl.h>

#include <iterator>

namespace {

std::wstring WithoutMnemonic(const std::wstring& text) {
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i; // "&&" stands for one ampersand, "&x" for x
        plain += text[i];
    }
    return plain;
}

} // namespace

namespace ctl {

bool LinkAccessible::DefaultAction(long, std::wstring& text) {
    text = fw::ActionName(texts_, L"IDS_ACTION_OPEN", L"Open");
    return true;
}

HRESULT LinkAccessible::DoDefaultAction(long) { return PostMessageW(Window(), followMessage_, 0, 0) ? S_OK : E_FAIL; }

long PushButtonAccessible::State(long child) {
    long state = AccessibleObject::State(child);
    if (SendMessageW(Window(), BM_GETSTATE, 0, 0) & BST_PUSHED)
        state |= STATE_SYSTEM_PRESSED;
    // The owner-draw style holds the default-button bit: the dialog's default id tells.
    const auto defId = static_cast<DWORD>(SendMessageW(GetParent(Window()), DM_GETDEFID, 0, 0));
    if (HIWORD(defId) == DC_HASDEFID && LOWORD(defId) == GetDlgCtrlID(Window()))
        state |= STATE_SYSTEM_DEFAULT;
    return state;
}

bool PushButtonAccessible::Name(long child, std::wstring& text) {
    if (!AccessibleObject::Name(child, text))
        return false;
    text = WithoutMnemonic(text);
    return true;
}

bool PushButtonAccessible::DefaultAction(long, std::wstring& text) {
    text = fw::ActionName(texts_, L"IDS_ACTION_PRESS", L"Press");
    return true;
}

HRESULT PushButtonAccessible::DoDefaultAction(long) {
    if (!IsWindowEnabled(Window()))
        return E_FAIL;
    // Posted: the click may open a modal window, which must not run inside the reader's call.
    return PostMessageW(Window(), BM_CLICK, 0, 0) ? S_OK : E_FAIL;
}

bool SliderAccessible::Value(long, std::wstring& text) {
    const int position = static_cast<int>(SendMessageW(Window(), TBM_GETPOS, 0, 0));
    text = positionName_ ? positionName_(position) : std::wstring();
    if (text.empty())
        text = std::to_wstring(position);
    return true;
}

long TabStripAccessible::ChildCount() { return static_cast<long>(SendMessageW(Window(), TCM_GETITEMCOUNT, 0, 0)); }

long TabStripAccessible::State(long child) {
    long state = AccessibleObject::State(child);
    if (child == CHILDID_SELF)
        return state;
    state = (state & ~STATE_SYSTEM_FOCUSED) | STATE_SYSTEM_SELECTABLE;
    if (child == Selection()) {
        state |= STATE_SYSTEM_SELECTED;
        if (GetFocus() == Window())
            state |= STATE_SYSTEM_FOCUSED;
    }
    return state;
}

bool TabStripAccessible::Name(long child, std::wstring& text) {
    if (child == CHILDID_SELF)
        return AccessibleObject::Name(child, text);
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    if (!SendMessageW(Window(), TCM_GETITEMW, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&item)))
        return false;
    text = WithoutMnemonic(item.pszText ? item.pszText : L"");
    return !text.empty();
}

bool TabStripAccessible::DefaultAction(long child, std::wstring& text) {
    if (child == CHILDID_SELF)
        return false;
    text = fw::ActionName(texts_, L"IDS_ACTION_SWITCH", L"Switch");
    return true;
}

HRESULT TabStripAccessible::SwitchTo(long child) {
    const long current = Selection();
    if (child == current)
        return S_OK;
    const HWND parent = GetParent(Window());
    NMHDR header{Window(), static_cast<UINT_PTR>(GetDlgCtrlID(Window())), static_cast<UINT>(TCN_SELCHANGING)};
    if (SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header)))
        return S_FALSE;
    SendMessageW(Window(), TCM_SETCURSEL, static_cast<WPARAM>(child - 1), 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    fw::NotifyAccessibleEvent(EVENT_OBJECT_SELECTION, Window(), child);
    return S_OK;
}

HRESULT TabStripAccessible::DoDefaultAction(long child) {
    return child == CHILDID_SELF ? DISP_E_MEMBERNOTFOUND : SwitchTo(child);
}

HRESULT TabStripAccessible::Select(long flags, long child) {
    if (child == CHILDID_SELF || (flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)))
        return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS)
        SetFocus(Window());
    return flags & SELFLAG_TAKESELECTION ? SwitchTo(child) : S_OK;
}

bool TabStripAccessible::Location(long child, RECT& screen) {
    if (child == CHILDID_SELF)
        return AccessibleObject::Location(child, screen);
    if (!SendMessageW(Window(), TCM_GETITEMRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&screen)))
        return false;
    MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
    return true;
}

long TabStripAccessible::HitTest(POINT screen) {
    TCHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(Window(), &hit.pt);
    const long index = static_cast<long>(SendMessageW(Window(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return index >= 0 ? index + 1 : CHILDID_SELF;
}

long TabStripAccessible::Focus() {
    if (GetFocus() != Window())
        return -1;
    const long selected = Selection();
    return selected > 0 ? selected : CHILDID_SELF;
}

long TabStripAccessible::Selection() {
    const long index = static_cast<long>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0));
    return index >= 0 ? index + 1 : -1;
}

} // namespace ctl
