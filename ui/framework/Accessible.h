// What a screen reader reads of our own windows (MSAA): a COM-correct IAccessible base that
// answers for a window and its simple children, and the slot a window keeps it in. The object
// may outlive its window (a client holds a reference): when the window goes, the slot cuts the
// link, and from then on every call answers RPC_E_DISCONNECTED instead of touching the window.
#pragma once

#include "texts/TextLookup.h"

#include <windows.h>
#include <oleacc.h>

#include <string>

namespace fw {

// The name of a default action ("Press") in the player's language: the text for `key`, or
// `english` when there is none.
std::wstring ActionName(const TextLookup& texts, const wchar_t* key, const wchar_t* english);

// Sends an MSAA event about a window's client object (CHILDID_SELF or a child id).
void NotifyAccessibleEvent(DWORD event, HWND window, long child = CHILDID_SELF);

class AccessibleObject : public IAccessible {
public:
    explicit AccessibleObject(HWND window) : window_(window) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // Cuts the link to the window; calls fail from here on.
    void Disconnect() { window_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: not offered (clients use the vtable).
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
    // IAccessible: checks the link and the child id, then asks the hooks below.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

protected:
    virtual ~AccessibleObject() = default;

    // The window, null once disconnected (hooks run only while it is there).
    HWND Window() const { return window_; }

    // Hooks, with `child` CHILDID_SELF or a valid child id. Texts: false when there is none.
    virtual long ChildCount() { return 0; }
    virtual bool IsChild(long child) { return child == CHILDID_SELF; }
    virtual long Role(long child) = 0;
    // Default: the window's focusable, focused, unavailable and invisible states.
    virtual long State(long child);
    // Default: the window's text.
    virtual bool Name(long child, std::wstring& text);
    virtual bool Value(long, std::wstring&) { return false; }
    virtual bool Description(long, std::wstring&) { return false; }
    virtual bool DefaultAction(long, std::wstring&) { return false; }
    virtual HRESULT DoDefaultAction(long) { return DISP_E_MEMBERNOTFOUND; }
    virtual HRESULT Select(long, long) { return DISP_E_MEMBERNOTFOUND; }
    // Screen rectangle; default: the window's.
    virtual bool Location(long child, RECT& screen);
    // The child id reached (0 = none); default: children in id order 1..ChildCount.
    virtual long Navigate(long direction, long start);
    // The child under a screen point, or CHILDID_SELF; default: the window itself.
    virtual long HitTest(POINT) { return CHILDID_SELF; }
    // The focused child, CHILDID_SELF, or -1 when the window does not have the focus.
    virtual long Focus();
    // The selected child, or -1 for none.
    virtual long Selection() { return -1; }

private:
    // S_OK with the child id in `v` when the window is still there and `v` names this object or
    // one of its children; otherwise RPC_E_DISCONNECTED or E_INVALIDARG, what the call answers.
    HRESULT Target(const VARIANT& v, long& id);
    HRESULT Text(const VARIANT& child, BSTR* out, bool (AccessibleObject::*hook)(long, std::wstring&));
    HRESULT Number(const VARIANT& child, VARIANT* out, long (AccessibleObject::*hook)(long));
    // The child `hook` names (focus, selection) into `out`; S_FALSE when none.
    HRESULT ChildOf(VARIANT* out, long (AccessibleObject::*hook)());

    LONG references_ = 1;
    HWND window_;
};

// A window's accessible object, made on the first WM_GETOBJECT for its client area and cut from
// the window when the window is destroyed (or the slot with it).
class AccessibleSlot {
public:
    AccessibleSlot() = default;
    ~AccessibleSlot() { Disconnect(); }
    AccessibleSlot(const AccessibleSlot&) = delete;
    AccessibleSlot& operator=(const AccessibleSlot&) = delete;

    // Answers WM_GETOBJECT for OBJID_CLIENT with the object `make` returns (a new object with
    // one reference, which the slot keeps) and cuts the link at WM_NCDESTROY. True when `msg`
    // was answered.
    template <typename Make>
    bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result, Make make) {
        if (msg == WM_NCDESTROY)
            Disconnect();
        if (msg != WM_GETOBJECT || static_cast<long>(lParam) != OBJID_CLIENT)
            return false;
        if (!object_)
            object_ = make();
        return Answer(wParam, result);
    }
    void Disconnect();

private:
    bool Answer(WPARAM wParam, LRESULT& result);

    AccessibleObject* object_ = nullptr;
};

} // namespace fw
