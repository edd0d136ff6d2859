// What a screen reader hears of a window (MSAA, from this separate process): the object's role,
// name, value, description, states and default action, then the same for each child; and the
// events the program sends while it is used.
#include "Driver.h"
#include "win32/Owners.h"

#include <oleacc.h>

#include <utility>

namespace driver {

namespace {

// The MSAA roles our windows use, in the words this tool prints.
const std::pair<long, const wchar_t*> kRoles[] = {
    {ROLE_SYSTEM_CLIENT, L"client"},
    {ROLE_SYSTEM_WINDOW, L"window"},
    {ROLE_SYSTEM_DIALOG, L"dialog"},
    {ROLE_SYSTEM_OUTLINE, L"outline"},
    {ROLE_SYSTEM_OUTLINEITEM, L"outline-item"},
    {ROLE_SYSTEM_LINK, L"link"},
    {ROLE_SYSTEM_SLIDER, L"slider"},
    {ROLE_SYSTEM_PAGETABLIST, L"page-tab-list"},
    {ROLE_SYSTEM_PAGETAB, L"page-tab"},
    {ROLE_SYSTEM_PUSHBUTTON, L"push-button"},
    {ROLE_SYSTEM_STATICTEXT, L"text"},
    {ROLE_SYSTEM_CHECKBUTTON, L"check-box"},
    {ROLE_SYSTEM_COMBOBOX, L"combo-box"},
    {ROLE_SYSTEM_LIST, L"list"},
    {ROLE_SYSTEM_LISTITEM, L"list-item"},
    {ROLE_SYSTEM_GRAPHIC, L"graphic"},
};

const std::pair<long, const wchar_t*> kStates[] = {
    {STATE_SYSTEM_UNAVAILABLE, L"unavailable"}, {STATE_SYSTEM_SELECTED, L"selected"},
    {STATE_SYSTEM_FOCUSED, L"focused"},         {STATE_SYSTEM_PRESSED, L"pressed"},
    {STATE_SYSTEM_CHECKED, L"checked"},         {STATE_SYSTEM_READONLY, L"readonly"},
    {STATE_SYSTEM_DEFAULT, L"default"},         {STATE_SYSTEM_EXPANDED, L"expanded"},
    {STATE_SYSTEM_COLLAPSED, L"collapsed"},     {STATE_SYSTEM_INVISIBLE, L"invisible"},
    {STATE_SYSTEM_OFFSCREEN, L"offscreen"},     {STATE_SYSTEM_FOCUSABLE, L"focusable"},
    {STATE_SYSTEM_SELECTABLE, L"selectable"},   {STATE_SYSTEM_LINKED, L"linked"},
};

const std::pair<DWORD, const wchar_t*> kEvents[] = {
    {EVENT_OBJECT_FOCUS, L"focus"},
    {EVENT_OBJECT_SELECTION, L"selection"},
    {EVENT_OBJECT_SELECTIONREMOVE, L"selection-remove"},
    {EVENT_OBJECT_STATECHANGE, L"state"},
    {EVENT_OBJECT_NAMECHANGE, L"name"},
    {EVENT_OBJECT_VALUECHANGE, L"value"},
    {EVENT_OBJECT_REORDER, L"reorder"},
};

class Bstr {
public:
    Bstr() = default;
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* Out() { return &text_; }
    bool Present() const { return text_ != nullptr; }
    std::wstring Text() const { return text_ ? std::wstring(text_, SysStringLen(text_)) : std::wstring(); }

private:
    BSTR text_ = nullptr;
};

VARIANT ChildVariant(long child) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

std::wstring RoleText(long role) {
    for (const auto& [value, name] : kRoles)
        if (value == role)
            return name;
    return L"role-" + std::to_wstring(role);
}

std::wstring StateText(long states) {
    std::wstring text;
    for (const auto& [bit, name] : kStates)
        if (states & bit)
            text += (text.empty() ? L"" : L",") + std::wstring(name);
    return text.empty() ? L"none" : text;
}

// One line: "ROLE name="..." [value="..."] [description="..."] states=A,B [action="..."]".
std::wstring Describe(IAccessible& object, long child) {
    const VARIANT id = ChildVariant(child);
    VARIANT role;
    VariantInit(&role);
    std::wstring line = SUCCEEDED(object.get_accRole(id, &role)) && role.vt == VT_I4 ? RoleText(role.lVal) : L"?";
    VariantClear(&role);
    Bstr name, value, description, action;
    object.get_accName(id, name.Out());
    line += L" name=" + Quoted(name.Text());
    if (object.get_accValue(id, value.Out()) == S_OK && value.Present())
        line += L" value=" + Quoted(value.Text());
    if (object.get_accDescription(id, description.Out()) == S_OK && description.Present())
        line += L" description=" + Quoted(description.Text());
    VARIANT state;
    VariantInit(&state);
    if (SUCCEEDED(object.get_accState(id, &state)) && state.vt == VT_I4)
        line += L" states=" + StateText(state.lVal);
    VariantClear(&state);
    if (object.get_accDefaultAction(id, action.Out()) == S_OK && action.Present())
        line += L" action=" + Quoted(action.Text());
    return line;
}

// The children's ids by navigation from the first (how a reader walks simple children); falls
// back to 1..count when the object does not navigate.
std::vector<long> ChildIds(IAccessible& object) {
    std::vector<long> ids;
    long count = 0;
    if (FAILED(object.get_accChildCount(&count)) || count <= 0)
        return ids;
    VARIANT at;
    if (object.accNavigate(NAVDIR_FIRSTCHILD, ChildVariant(CHILDID_SELF), &at) == S_OK && at.vt == VT_I4) {
        while (at.vt == VT_I4 && static_cast<long>(ids.size()) < count) {
            ids.push_back(at.lVal);
            VARIANT next;
            if (object.accNavigate(NAVDIR_NEXT, ChildVariant(at.lVal), &next) != S_OK)
                break;
            at = next;
        }
        return ids;
    }
    for (long i = 1; i <= count; ++i)
        ids.push_back(i);
    return ids;
}

class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_)
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool ok_;
};

// The event hook's state: what to print and when to stop.
struct EventWatch {
    HWND only = nullptr; // events of this window only, when set
    long wanted = 0;     // stop after this many (0: run until the time is up)
    long seen = 0;
    DWORD pid = 0; // events of this process only
};

bool InProcess(HWND hwnd, DWORD pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    return owner == pid;
}
EventWatch* g_watch = nullptr;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (!g_watch || !hwnd || object != OBJID_CLIENT || (g_watch->only && hwnd != g_watch->only) ||
        (g_watch->pid && !InProcess(hwnd, g_watch->pid)))
        return;
    const wchar_t* kind = nullptr;
    for (const auto& [value, name] : kEvents)
        if (value == event)
            kind = name;
    if (!kind)
        return;
    std::wstring line = std::wstring(kind) + L" " + Hex(reinterpret_cast<UINT_PTR>(hwnd)) + L" id=" +
                        std::to_wstring(GetDlgCtrlID(hwnd)) + L" child=" + std::to_wstring(child);
    win32::ComPtr<IAccessible> accessible;
    VARIANT which;
    VariantInit(&which);
    if (SUCCEEDED(AccessibleObjectFromEvent(hwnd, object, child, accessible.Out(), &which)) && accessible &&
        which.vt == VT_I4)
        line += L": " + Describe(*accessible.Get(), which.lVal);
    VariantClear(&which);
    Print(line);
    ++g_watch->seen;
}

} // namespace

int CmdAccess(const Args& args) {
    HWND hwnd, target;
    if (const int code = WindowOrControlArgs(args, hwnd, target); code != kOk)
        return code;
    const ComScope com;
    win32::ComPtr<IAccessible> object;
    const HRESULT hr =
        AccessibleObjectFromWindow(target, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), object.OutVoid());
    if (FAILED(hr) || !object) {
        Fail(L"window " + Hex(reinterpret_cast<UINT_PTR>(target)) + L" gives no accessible object: " + ErrorText(hr));
        return kNotMet;
    }
    Print(Describe(*object.Get(), CHILDID_SELF));
    for (long child : ChildIds(*object.Get()))
        Print(L"  " + std::to_wstring(child) + L": " + Describe(*object.Get(), child));
    return kOk;
}

int CmdAccessEvents(const Args& args) {
    HWND hwnd, target;
    if (const int code = WindowOrControlArgs(args, hwnd, target); code != kOk)
        return code;
    long long count = 0;
    if (args.Has(L"--count") && (!ParseNumber(args.Get(L"--count"), count) || count <= 0)) {
        Fail(L"--count needs a positive number");
        return kUsage;
    }
    const ComScope com;
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    EventWatch watch{target == hwnd ? nullptr : target, static_cast<long>(count), 0, pid};
    g_watch = &watch;
    // Out of context: the events come to this thread as messages, so it must pump them. Hooked
    // for every process and filtered here: Wine passes no event to a hook limited to one.
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook) {
        g_watch = nullptr;
        Fail(L"no event hook: " + ErrorText(static_cast<long>(GetLastError())));
        return kNotMet;
    }
    Print(L"watching");
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(args.Seconds(L"--timeout", 10) * 1000.0);
    while ((!watch.wanted || watch.seen < watch.wanted) && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<ULONGLONG>(end - GetTickCount64(), 100)), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    UnhookWinEvent(hook);
    g_watch = nullptr;
    if (watch.wanted && watch.seen < watch.wanted) {
        Fail(L"only " + std::to_wstring(watch.seen) + L" of " + std::to_wstring(watch.wanted) + L" events came");
        return kNotMet;
    }
    return kOk;
}

} // namespace driver
