// Finding, reading and operating the real windows of another process.
#include "Driver.h"

#include "win32/Owners.h"

#include <algorithm>
#include <cwctype>

namespace driver {

namespace {

// Which top-level windows a command is about. A window matches when it is visible and every
// given criterion holds; with several id sets ("1024,3,4;1104,1103") it matches when all ids of
// one set are its children, and the index of that set is reported.
struct Query {
    std::wstring exe;
    DWORD pid = 0;
    std::wstring className;
    std::wstring title;
    bool hasTitle = false;
    std::vector<std::vector<int>> idSets;
};

bool ParseIdSets(const std::wstring& text, std::vector<std::vector<int>>& sets) {
    std::vector<int> current;
    std::wstring number;
    auto flushNumber = [&]() {
        long long v = 0;
        if (number.empty())
            return true;
        if (!ParseNumber(number, v))
            return false;
        current.push_back(static_cast<int>(v));
        number.clear();
        return true;
    };
    for (wchar_t c : text + L";") {
        if (c == L',' || c == L';') {
            if (!flushNumber())
                return false;
            if (c == L';' && !current.empty()) {
                sets.push_back(current);
                current.clear();
            }
        } else {
            number += c;
        }
    }
    return !sets.empty();
}

bool QueryFrom(const Args& args, Query& q) {
    q.exe = ToLower(args.Get(L"--exe"));
    long long pid = 0;
    if (args.Has(L"--pid") && !ParseNumber(args.Get(L"--pid"), pid))
        return false;
    q.pid = static_cast<DWORD>(pid);
    q.className = args.Get(L"--class");
    q.hasTitle = args.Has(L"--title");
    q.title = args.Get(L"--title");
    return !args.Has(L"--ids") || ParseIdSets(args.Get(L"--ids"), q.idSets);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t buffer[256] = L"";
    GetClassNameW(hwnd, buffer, ARRAYSIZE(buffer));
    return buffer;
}

// WM_GETTEXT is marshalled across processes, so this reads what the control really holds
// rather than the caption cached by the window manager. False when the window's thread did not
// answer within the time (busy under load): an empty text would be a wrong answer.
bool ReadText(HWND hwnd, std::wstring& text, UINT flags, UINT timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, flags, timeoutMs, &length))
        return false;
    text.assign(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), flags, timeoutMs,
                             &copied))
        return false;
    text.resize(std::min<size_t>(copied, length));
    return true;
}

// For listings and matching, which must not wait long on a busy window: the caption the window
// manager keeps when the window does not answer at once.
std::wstring TextOf(HWND hwnd) {
    std::wstring text;
    if (ReadText(hwnd, text, SMTO_ABORTIFHUNG, 2000))
        return text;
    wchar_t buffer[1024] = L"";
    InternalGetWindowText(hwnd, buffer, ARRAYSIZE(buffer));
    return buffer;
}

bool ReadTextOrFail(HWND hwnd, std::wstring& text) {
    if (ReadText(hwnd, text, SMTO_NORMAL, kAnswerTimeoutMs))
        return true;
    Fail(L"the window " + Hex(reinterpret_cast<UINT_PTR>(hwnd)) + L" did not give its text within " +
         std::to_wstring(kAnswerTimeoutMs / 1000) + L" s (" + ErrorText(static_cast<long>(GetLastError())) + L")");
    return false;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

std::wstring IdsOf(HWND hwnd) {
    std::wstring ids;
    for (HWND child : ChildrenOf(hwnd)) {
        if (GetParent(child) != hwnd)
            continue;
        if (!ids.empty())
            ids += L",";
        ids += std::to_wstring(GetDlgCtrlID(child));
    }
    return ids;
}

std::wstring Describe(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return Hex(reinterpret_cast<UINT_PTR>(hwnd)) + L" pid=" + std::to_wstring(pid) + L" exe=" + ImageNameOf(pid) +
           L" class=" + Quoted(ClassOf(hwnd)) + L" title=" + Quoted(TextOf(hwnd)) + L" size=" +
           std::to_wstring(rc.right - rc.left) + L"x" + std::to_wstring(rc.bottom - rc.top) + L" ids=" + IdsOf(hwnd);
}

class Matcher {
public:
    explicit Matcher(const Query& q) : q_(q) {}

    // -1 when the window does not match, else the index of the matching id set (0 without ids).
    int Match(HWND hwnd) {
        if (!IsWindowVisible(hwnd))
            return -1;
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (q_.pid && pid != q_.pid)
            return -1;
        if (!q_.exe.empty()) {
            auto it = images_.find(pid);
            if (it == images_.end())
                it = images_.emplace(pid, ToLower(ImageNameOf(pid))).first;
            if (it->second != q_.exe)
                return -1;
        }
        if (!q_.className.empty() && ClassOf(hwnd) != q_.className)
            return -1;
        if (q_.hasTitle && TextOf(hwnd) != q_.title)
            return -1;
        if (q_.idSets.empty())
            return 0;
        for (size_t i = 0; i < q_.idSets.size(); ++i) {
            bool all = std::all_of(q_.idSets[i].begin(), q_.idSets[i].end(),
                                   [&](int id) { return GetDlgItem(hwnd, id) != nullptr; });
            if (all)
                return static_cast<int>(i);
        }
        return -1;
    }

    std::vector<std::pair<HWND, int>> FindAll() {
        std::vector<HWND> tops;
        EnumWindows(
            [](HWND hwnd, LPARAM list) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&tops));
        std::vector<std::pair<HWND, int>> found;
        for (HWND hwnd : tops) {
            int alt = Match(hwnd);
            if (alt >= 0)
                found.emplace_back(hwnd, alt);
        }
        return found;
    }

private:
    const Query& q_;
    std::map<DWORD, std::wstring> images_;
};

bool KeyCode(const std::wstring& name, WORD& vk) {
    static const std::pair<const wchar_t*, WORD> kNames[] = {
        {L"esc", VK_ESCAPE},  {L"escape", VK_ESCAPE}, {L"enter", VK_RETURN}, {L"return", VK_RETURN}, {L"tab", VK_TAB},
        {L"space", VK_SPACE}, {L"f1", VK_F1},         {L"f4", VK_F4},        {L"up", VK_UP},         {L"down", VK_DOWN},
        {L"home", VK_HOME},   {L"end", VK_END},       {L"left", VK_LEFT},    {L"right", VK_RIGHT}};
    const std::wstring lower = ToLower(name);
    for (const auto& [n, code] : kNames) {
        if (lower == n) {
            vk = code;
            return true;
        }
    }
    long long code = 0;
    if (!ParseNumber(name, code) || code <= 0 || code > 0xFE)
        return false;
    vk = static_cast<WORD>(code);
    return true;
}

std::wstring SafeFileName(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (iswalnum(c))
            out += c;
        else if (!out.empty() && out.back() != L'_')
            out += L'_';
        if (out.size() >= 40)
            break;
    }
    while (!out.empty() && out.back() == L'_')
        out.pop_back();
    return out.empty() ? L"untitled" : out;
}

} // namespace

bool ControlArg(const Args& args, HWND hwnd, size_t index, HWND& control) {
    long long id = 0;
    if (args.positional.size() <= index || !ParseNumber(args.positional[index], id)) {
        Fail(L"a control id is needed");
        return false;
    }
    control = GetDlgItem(hwnd, static_cast<int>(id));
    if (!control)
        control = FindDescendant(hwnd, static_cast<int>(id), true);
    if (!control)
        Fail(L"window " + Hex(reinterpret_cast<UINT_PTR>(hwnd)) + L" has no control " + std::to_wstring(id));
    return control != nullptr;
}

int CmdWait(const Args& args) {
    Query q;
    if (!QueryFrom(args, q))
        return kUsage;
    Matcher matcher(q);
    const bool gone = args.Has(L"--gone");
    std::pair<HWND, int> hit{};
    bool met = PollUntil(args.Seconds(L"--timeout", 30), [&] {
        auto found = matcher.FindAll();
        if (gone)
            return found.empty();
        if (found.empty())
            return false;
        hit = found.front();
        return true;
    });
    if (!met) {
        Fail(gone ? L"wait: a matching window is still shown" : L"wait: no matching window appeared");
        return kNotMet;
    }
    if (!gone)
        Print(Hex(reinterpret_cast<UINT_PTR>(hit.first)) + L" " + std::to_wstring(hit.second));
    return kOk;
}

int CmdWindows(const Args& args) {
    Query q;
    if (!QueryFrom(args, q))
        return kUsage;
    Matcher matcher(q);
    for (const auto& [hwnd, alt] : matcher.FindAll())
        Print(Describe(hwnd));
    return kOk;
}

int CmdControls(const Args& args) {
    HWND hwnd;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    for (HWND child : ChildrenOf(hwnd)) {
        if (GetParent(child) != hwnd)
            continue;
        std::wstring line = L"id=" + std::to_wstring(GetDlgCtrlID(child)) + L" class=" + Quoted(ClassOf(child)) +
                            L" visible=" + std::to_wstring(IsWindowVisible(child) ? 1 : 0) + L" enabled=" +
                            std::to_wstring(IsWindowEnabled(child) ? 1 : 0);
        if (ToLower(ClassOf(child)) == L"button") {
            DWORD_PTR state = 0;
            if (!SendMessageTimeoutW(child, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &state)) {
                Fail(L"controls: the button " + std::to_wstring(GetDlgCtrlID(child)) + L" did not give its state");
                return kNotMet;
            }
            line += L" checked=" + std::to_wstring(state);
        }
        std::wstring text;
        if (!ReadTextOrFail(child, text))
            return kNotMet;
        Print(line + L" text=" + Quoted(text));
    }
    return kOk;
}

int WindowOrControlArgs(const Args& args, HWND& window, HWND& target) {
    if (!WindowArg(args, 0, window))
        return kUsage;
    target = window;
    if (args.positional.size() > 1 && !ControlArg(args, window, 1, target))
        return kNotMet;
    return kOk;
}

int CmdText(const Args& args) {
    HWND hwnd, target;
    if (const int code = WindowOrControlArgs(args, hwnd, target); code != kOk)
        return code;
    std::wstring text;
    if (!ReadTextOrFail(target, text))
        return kNotMet;
    Print(text);
    return kOk;
}

// Posted, not sent: a click may open a nested modal window whose loop would otherwise keep a
// sent message from ever returning.
int CmdClick(const Args& args) {
    HWND hwnd, control;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    if (!ControlArg(args, hwnd, 1, control))
        return kNotMet;
    if (!IsWindowEnabled(control) || !IsWindowVisible(control)) {
        Fail(L"click: the control is disabled or hidden");
        return kNotMet;
    }
    return PostMessageW(control, BM_CLICK, 0, 0) ? kOk : kNotMet;
}

int CmdCheck(const Args& args) {
    HWND hwnd, control;
    long long wanted = 0;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    if (!ControlArg(args, hwnd, 1, control))
        return kNotMet;
    if (args.positional.size() < 3 || !ParseNumber(args.positional[2], wanted))
        return kUsage;
    auto state = [&] {
        DWORD_PTR s = 0;
        return SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &s)
                   ? static_cast<long long>(s)
                   : -1;
    };
    // A three-state box may need two clicks; a box that never reaches the state is a failure.
    for (int i = 0; i < 3 && state() != wanted; ++i) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored)) {
            Fail(L"check: the box did not answer a click");
            return kNotMet;
        }
    }
    if (state() != wanted) {
        Fail(L"check: the box does not take the state " + std::to_wstring(wanted));
        return kNotMet;
    }
    return kOk;
}

int CmdKey(const Args& args) {
    HWND hwnd;
    if (!WindowArg(args, 0, hwnd) || args.positional.size() < 2)
        return kUsage;
    std::vector<Key> keys;
    std::wstring names = args.positional[1] + L",";
    for (size_t start = 0, comma; (comma = names.find(L',', start)) != std::wstring::npos; start = comma + 1) {
        Key key;
        std::wstring name = names.substr(start, comma - start);
        key.ctrl = ToLower(name).rfind(L"ctrl+", 0) == 0;
        if (key.ctrl)
            name = name.substr(5);
        if (name.size() == 1 && iswalnum(name[0])) {
            key.vk = static_cast<WORD>(towupper(name[0]));
        } else if (!KeyCode(name, key.vk)) {
            Fail(L"key: unknown key " + names.substr(start, comma - start));
            return kUsage;
        }
        keys.push_back(key);
    }
    if (args.Has(L"--input"))
        return TypeKeys(hwnd, keys) ? kOk : kNotMet;
    for (const Key& key : keys)
        if (key.ctrl) {
            Fail(L"key: CTRL+ needs --input (posted keys leave the key state alone)");
            return kUsage;
        }
    // Posted to whichever control has the focus in that thread, as the keyboard would deliver
    // them, so the program's own loop and pre-translation see them first.
    // A window that has just been shown may not hold the focus yet (it can still name a window
    // of the previous dialog, even one being destroyed): then the keys go to the window itself.
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = hwnd;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndFocus &&
        (info.hwndFocus == hwnd || IsChild(hwnd, info.hwndFocus))) {
        target = info.hwndFocus;
    }
    for (const Key& key : keys) {
        const WORD vk = key.vk;
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
        if (!PostMessageW(target, WM_KEYDOWN, vk, 1 | scan) &&
            (target == hwnd || !PostMessageW(target = hwnd, WM_KEYDOWN, vk, 1 | scan))) {
            Fail(L"key: could not post to " + Hex(reinterpret_cast<UINT_PTR>(target)) + L", error " +
                 std::to_wstring(GetLastError()));
            return kNotMet;
        }
        PostMessageW(target, WM_KEYUP, vk, 1 | scan | (LPARAM{3} << 30));
    }
    return kOk;
}

int CmdClose(const Args& args) {
    HWND hwnd;
    if (!WindowArg(args, 0, hwnd))
        return kUsage;
    return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? kOk : kNotMet;
}

// Records every top-level window the process shows, with a screenshot of each shortly after it
// appears (so it has painted), until the process has ended. Lines:
//   watching <ms>   shown <ms> <description>   shot <ms> <hwnd> <file>   hidden <ms> <hwnd>   ended <ms>
int CmdWatch(const Args& args) {
    Query q;
    if (!QueryFrom(args, q) || q.exe.empty()) {
        Fail(L"watch: --exe is needed");
        return kUsage;
    }
    const std::wstring shots = args.Get(L"--shots");
    const double appear = args.Seconds(L"--appear", 30), timeout = args.Seconds(L"--timeout", 300);
    const ULONGLONG start = GetTickCount64();
    auto now = [&] { return std::to_wstring(GetTickCount64() - start); };

    struct Seen {
        ULONGLONG shotDue;
        bool shotTaken;
    };
    std::map<HWND, Seen> shown;
    bool processSeen = false, ready = false;
    int shotNumber = 0;
    // The first process seen, the one the caller started: its exit code as Windows gives it. The
    // Unix side can lose it: under load Wine may end a process that is already exiting with
    // SIGKILL, and its parent then sees status 137.
    win32::KernelHandle first;
    for (;;) {
        const ULONGLONG t = GetTickCount64() - start;
        const std::vector<DWORD> processes = ProcessesNamed(q.exe);
        const bool running = !processes.empty();
        if (running && !processSeen)
            first.Reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processes.front()));
        processSeen = processSeen || running;
        Matcher matcher(q);
        std::vector<HWND> visible;
        for (const auto& [hwnd, alt] : matcher.FindAll())
            visible.push_back(hwnd);
        auto isVisible = [&](HWND hwnd) { return std::find(visible.begin(), visible.end(), hwnd) != visible.end(); };
        // Windows gone are reported before windows new, so a reader never sees a new window
        // while one already gone still counts as shown.
        for (auto it = shown.begin(); it != shown.end();) {
            if (isVisible(it->first)) {
                ++it;
                continue;
            }
            Print(L"hidden " + now() + L" " + Hex(reinterpret_cast<UINT_PTR>(it->first)));
            it = shown.erase(it);
        }
        for (HWND hwnd : visible) {
            if (shown.count(hwnd))
                continue;
            Print(L"shown " + now() + L" " + Describe(hwnd));
            shown[hwnd] = {GetTickCount64() - start + 250, shots.empty()};
        }
        for (auto& [hwnd, seen] : shown) {
            if (seen.shotTaken || GetTickCount64() - start < seen.shotDue)
                continue;
            wchar_t number[8];
            _snwprintf(number, ARRAYSIZE(number), L"%02d", ++shotNumber);
            const std::wstring title = TextOf(hwnd);
            const std::wstring file =
                shots + L"\\" + number + L"-" + SafeFileName(title.empty() ? ClassOf(hwnd) : title) + L".bmp";
            if (SaveWindowBitmap(hwnd, file))
                Print(L"shot " + now() + L" " + Hex(reinterpret_cast<UINT_PTR>(hwnd)) + L" " + file);
            seen.shotTaken = true;
        }
        if (!ready) {
            // The caller starts the program once this line is out, so nothing shown is missed.
            Print(L"watching " + now());
            ready = true;
        }
        if (processSeen && !running) {
            DWORD code = 0;
            Print(L"ended " + now() +
                  (first && GetExitCodeProcess(first.Get(), &code) ? L" exit=" + std::to_wstring(code) : L""));
            return kOk;
        }
        if (!processSeen && t > appear * 1000) {
            Fail(L"watch: the process never started");
            return kNotMet;
        }
        if (t > timeout * 1000) {
            Fail(L"watch: the process is still running");
            return kNotMet;
        }
        Sleep(15);
    }
}

} // namespace driver
