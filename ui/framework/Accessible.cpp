#include "framework/Accessible.h"


namespace fw {

namespace {

HRESULT PutText(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void PutLong(VARIANT* v, long value) {
    v->vt = VT_I4;
    v->lVal = value;
}

} // namespace

std::wstring ActionName(const TextLookup& texts, const wchar_t* key, const wchar_t* english) {
    if (texts) {
        std::wstring text = texts(key);
        if (!text.empty() && text != key)
            return text;
    }
    return english;
}

void NotifyAccessibleEvent(DWORD event, HWND window, long child) {
    if (window)
        NotifyWinEvent(event, window, OBJID_CLIENT, child);
}

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return E_NOTIMPL;
}
HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}
HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::Target(const VARIANT& v, long& id) {
    if (!window_)
        return RPC_E_DISCONNECTED;
    if (v.vt != VT_I4 || !IsChild(v.lVal))
        return E_INVALIDARG;
    id = v.lVal;
    return S_OK;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    if (!window_)
        return RPC_E_DISCONNECTED;
    // The system's object for the window frame is the client area's parent.
    return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
}

HRESULT AccessibleObject::get_accChildCount(long* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    if (!window_)
        return RPC_E_DISCONNECTED;
    *count = ChildCount();
    return S_OK;
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    long id = 0;
    if (const HRESULT checked = Target(child, id); checked != S_OK)
        return checked;
    if (id == CHILDID_SELF)
        return E_INVALIDARG;
    // Children are simple elements: the client asks this object about them by id.
    return S_FALSE;
}

HRESULT AccessibleObject::Text(const VARIANT& child, BSTR* out, bool (AccessibleObject::*hook)(long, std::wstring&)) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    long id = 0;
    if (const HRESULT checked = Target(child, id); checked != S_OK)
        return checked;
    std::wstring text;
    if (!(this->*hook)(id, text))
        return S_FALSE;
    return PutText(text, out);
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) { return Text(child, name, &AccessibleObject::Name); }
HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    return Text(child, value, &AccessibleObject::Value);
}
HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    return Text(child, description, &AccessibleObject::Description);
}
HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Text(child, action, &AccessibleObject::DefaultAction);
}

HRESULT AccessibleObject::Number(const VARIANT& child, VARIANT* out, long (AccessibleObject::*hook)(long)) {
    if (!out)
        return E_POINTER;
    VariantInit(out);
    long id = 0;
    if (const HRESULT checked = Target(child, id); checked != S_OK)
        return checked;
    PutLong(out, (this->*hook)(id));
    return S_OK;
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    return Number(child, role, &AccessibleObject::Role);
}
HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    return Number(child, state, &AccessibleObject::State);
}

HRESULT AccessibleObject::get_accHelp(VARIANT, BSTR* help) {
    if (help)
        *help = nullptr;
    return window_ ? S_FALSE : RPC_E_DISCONNECTED;
}
HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file)
        *file = nullptr;
    if (topic)
        *topic = -1;
    return window_ ? S_FALSE : RPC_E_DISCONNECTED;
}
HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut)
        *shortcut = nullptr;
    return window_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT AccessibleObject::ChildOf(VARIANT* out, long (AccessibleObject::*hook)()) {
    if (!out)
        return E_POINTER;
    VariantInit(out);
    if (!window_)
        return RPC_E_DISCONNECTED;
    const long id = (this->*hook)();
    if (id < 0)
        return S_FALSE;
    PutLong(out, id);
    return S_OK;
}

HRESULT AccessibleObject::get_accFocus(VARIANT* child) { return ChildOf(child, &AccessibleObject::Focus); }
HRESULT AccessibleObject::get_accSelection(VARIANT* children) {
    return ChildOf(children, &AccessibleObject::Selection);
}

HRESULT AccessibleObject::accSelect(long flags, VARIANT child) {
    long id = 0;
    const HRESULT checked = Target(child, id);
    return checked != S_OK ? checked : Select(flags, id);
}

HRESULT AccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    long id = 0;
    if (const HRESULT checked = Target(child, id); checked != S_OK)
        return checked;
    RECT r{};
    if (!Location(id, r))
        return S_FALSE;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end)
        return E_POINTER;
    VariantInit(end);
    long id = 0;
    if (const HRESULT checked = Target(start, id); checked != S_OK)
        return checked;
    const long reached = Navigate(direction, id);
    if (reached <= 0)
        return S_FALSE;
    PutLong(end, reached);
    return S_OK;
}

HRESULT AccessibleObject::accHitTest(long x, long y, VARIANT* child) {
    if (!child)
        return E_POINTER;
    VariantInit(child);
    if (!window_)
        return RPC_E_DISCONNECTED;
    RECT r{};
    GetWindowRect(window_, &r);
    const POINT at{x, y};
    if (!PtInRect(&r, at))
        return S_FALSE;
    PutLong(child, HitTest(at));
    return S_OK;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
    long id = 0;
    const HRESULT checked = Target(child, id);
    return checked != S_OK ? checked : DoDefaultAction(id);
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) { return window_ ? E_NOTIMPL : RPC_E_DISCONNECTED; }
HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) { return window_ ? E_NOTIMPL : RPC_E_DISCONNECTED; }

long AccessibleObject::State(long) {
    long state = STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowVisible(window_))
        state |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(window_))
        state |= STATE_SYSTEM_UNAVAILABLE;
    if (GetFocus() == window_)
        state |= STATE_SYSTEM_FOCUSED;
    return state;
}

bool AccessibleObject::Name(long child, std::wstring& text) {
    if (child != CHILDID_SELF)
        return false;
    const int length = GetWindowTextLengthW(window_);
    text.assign(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), length + 1)));
    return !text.empty();
}

bool AccessibleObject::Location(long child, RECT& screen) {
    return child == CHILDID_SELF && GetWindowRect(window_, &screen);
}

long AccessibleObject::Navigate(long direction, long start) {
    const long count = ChildCount();
    if (start == CHILDID_SELF) {
        if (direction == NAVDIR_FIRSTCHILD && count > 0)
            return 1;
        if (direction == NAVDIR_LASTCHILD && count > 0)
            return count;
        return 0;
    }
    if ((direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && start < count)
        return start + 1;
    if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && start > 1)
        return start - 1;
    return 0;
}

long AccessibleObject::Focus() { return GetFocus() == window_ ? CHILDID_SELF : -1; }

void AccessibleSlot::Disconnect() {
    if (!object_)
        return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

bool AccessibleSlot::Answer(WPARAM wParam, LRESULT& result) {
    if (!object_)
        return false;
    result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

} // namespace fw
