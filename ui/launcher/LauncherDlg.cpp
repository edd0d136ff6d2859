#include "LauncherDlg.h"

#include "Detection.h"
#include "GameStart.h"
#include "ResourceIds.h"
#include "controls/Anchor.h"
#include "framework/Application.h"

#include <shellapi.h>

#include <vector>

namespace {

constexpr COLORREF kQuitDarkEdge = RGB(1, 1, 15);

// Distances captured from the template at the first initialisation; kept for the program's life.
struct LauncherLayout {
    bool measured = false;
    AnchorDistances settings;
    AnchorDistances launch;
    AnchorDistances quit;
};
LauncherLayout g_layout;

// A string value of an open key, or empty when it cannot be read whole.
std::wstring ReadStringValue(HKEY key, const wchar_t* name) {
    std::vector<wchar_t> buffer(1024, L'\0');
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
        ERROR_SUCCESS)
        return {};
    buffer.back() = L'\0';
    return buffer.data();
}

// "Executable" and "InstallDir" as the installer wrote them under HKLM.
void ReadInstallerValues(std::wstring& executable, std::wstring& installDir) {
    HKEY software = nullptr, maker = nullptr, game = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_READ, &software) == ERROR_SUCCESS &&
        RegOpenKeyExW(software, L"Velmora", 0, KEY_READ, &maker) == ERROR_SUCCESS &&
        RegOpenKeyExW(maker, L"Tarnholm", 0, KEY_READ, &game) == ERROR_SUCCESS) {
        executable = ReadStringValue(game, L"Executable");
        installDir = ReadStringValue(game, L"InstallDir");
    }
    for (HKEY key : {game, maker, software})
        if (key != nullptr)
            RegCloseKey(key);
}

std::wstring CurrentDirectory() {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

} // namespace

CLauncherDlg::CLauncherDlg(HWND parent)
    : fw::Dialog(IDD_LAUNCHER, parent), icon_(fw::LoadIconResource(IDI_WINDOW)) {}

bool CLauncherDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    if (!g_layout.measured) {
        Layout(true);
        g_layout.measured = true;
    }
    Layout(false);

    SetText(GetLocalizedString(L"IDS_LAUNCHER_TITLE"));
    SetItemText(IDC_LAUNCHER_LAUNCH, GetLocalizedString(L"IDS_LAUNCH_BUTTON"));
    SetItemText(IDC_LAUNCHER_SETTINGS, GetLocalizedString(L"IDS_SETTING_BUTTON"));
    SetItemText(IDC_LAUNCHER_QUIT, GetLocalizedString(L"IDS_QUIT"));

    launch_.AttachSkin(IDC_LAUNCHER_LAUNCH, hwnd_, Flat);
    settings_.AttachSkin(IDC_LAUNCHER_SETTINGS, hwnd_, Flat);
    ButtonColours quit = Flat;
    quit.darkEdge = kQuitDarkEdge;
    quit_.AttachSkin(IDC_LAUNCHER_QUIT, hwnd_, quit);

    SetIcon(icon_, true);
    SetIcon(icon_, false);
    background_.Reset(fw::LoadBitmapResource(IDB_LAUNCHER_BACKGROUND));
    SetDefID(IDC_LAUNCHER_LAUNCH);
    return true;
}

// Settings stays centred; Launch keeps its gap to the left of Settings and Quit to its right.
void CLauncherDlg::Layout(bool measure) {
    const RECT client = ClientRect();
    AnchorDistances& s = g_layout.settings;
    AnchorControl({IDC_LAUNCHER_SETTINGS, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE,
                   ANCHOR_CENTRE_HORZ, s.left, s.top, s.right, s.bottom, measure, client, hwnd_});

    const HWND launch = Item(IDC_LAUNCHER_LAUNCH);
    const HWND quit = Item(IDC_LAUNCHER_QUIT);
    AnchorDistances& l = g_layout.launch;
    AnchorDistances& q = g_layout.quit;
    if (measure) {
        const RECT settings = ChildRect(Item(IDC_LAUNCHER_SETTINGS));
        const RECT a = ChildRect(launch);
        l = {a.left, a.top, settings.left - a.right, a.bottom - a.top};
        const RECT b = ChildRect(quit);
        q = {b.left - settings.right, b.top, client.right - b.right, b.bottom - b.top};
        return;
    }
    const RECT settings = ChildRect(Item(IDC_LAUNCHER_SETTINGS));
    const int launchRight = ResolveFarEdge(hwnd_, false, l.left, IDC_LAUNCHER_SETTINGS, l.right, client.right);
    const int launchBottom = ResolveFarEdge(hwnd_, true, l.top, ANCHOR_SIZE, l.bottom, client.bottom);
    MoveWindow(launch, l.left, l.top, launchRight - l.left, launchBottom - l.top, FALSE);
    const int quitLeft = settings.right + q.left;
    const int quitRight = ResolveFarEdge(hwnd_, false, quitLeft, ANCHOR_PARENT, q.right, client.right);
    const int quitBottom = ResolveFarEdge(hwnd_, true, q.top, ANCHOR_SIZE, q.bottom, client.bottom);
    MoveWindow(quit, quitLeft, q.top, quitRight - quitLeft, quitBottom - q.top, FALSE);
    RedrawNow();
}

void CLauncherDlg::OnSize(UINT type, int width, int height) {
    fw::Dialog::OnSize(type, width, height);
    if (g_layout.measured && GetWindow(hwnd_, GW_CHILD) != nullptr)
        Layout(false);
}

bool CLauncherDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_LAUNCHER_LAUNCH:
        Launch();
        EndDialog(IDOK);
        return true;
    case IDC_LAUNCHER_SETTINGS:
        // The settings sheet opens here once it exists; until then the button does nothing.
        return true;
    case IDC_LAUNCHER_QUIT:
        EndDialog(IDCANCEL);
        return true;
    default:
        return fw::Dialog::OnCommand(id, code, control);
    }
}

void CLauncherDlg::Launch() {
    std::wstring executable, installDir;
    ReadInstallerValues(executable, installDir);
    GameStart start;
    if (!ChooseGameStart(executable, installDir, CurrentDirectory(), start))
        return;  // the fallback path would not fit: start nothing rather than a cut path
    // Failures are not reported, so the shell must not report them either.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = start.file.c_str();
    info.lpParameters = L"/fullscreen";
    info.lpDirectory = start.directory.c_str();
    info.nShow = SW_SHOWNORMAL;
    // The shell is loaded only now: it is heavy, and most runs never start the game.
    using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
    const HMODULE shell = LoadLibraryW(L"shell32.dll");
    FARPROC found = shell ? GetProcAddress(shell, "ShellExecuteExW") : nullptr;
    if (found)
        reinterpret_cast<ShellExecuteExFn>(reinterpret_cast<void*>(found))(&info);
}

bool CLauncherDlg::OnEraseBkgnd(HDC dc) {
    Default();
    if (background_) {
        BITMAP info{};
        GetObjectW(background_.Get(), sizeof info, &info);
        fw::MemoryDC memory(dc);
        fw::SelectGuard select(memory.Get(), background_.Get());
        const RECT client = ClientRect();
        StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, memory.Get(), 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
    }
    return true;
}

void CLauncherDlg::OnLButtonDown(UINT flags, POINT point) {
    BeginDragMove(point);
    fw::Dialog::OnLButtonDown(flags, point);
}

void CLauncherDlg::MarkFocus(int id) {
    for (CSkinButton* button : {&launch_, &settings_, &quit_})
        button->focusMark = false;
    SetDefID(id);
    if (id == IDC_LAUNCHER_SETTINGS)
        settings_.focusMark = true;
    else if (id == IDC_LAUNCHER_QUIT)
        quit_.focusMark = true;
    else if (id == IDC_LAUNCHER_LAUNCH)
        launch_.focusMark = true;
    for (CSkinButton* button : {&launch_, &settings_, &quit_})
        button->RedrawNow();
}

bool CLauncherDlg::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        if (msg.wParam == VK_ESCAPE) {
            msg.wParam = 0;
            EndDialog(IDCANCEL);
        } else if (msg.wParam == VK_TAB) {
            // The mark goes to the button that has the focus now, before the dialog moves it on.
            const HWND focus = GetFocus();
            MarkFocus(focus != nullptr ? GetDlgCtrlID(focus) : 0);
        }
    }
    return fw::Dialog::PreTranslateMessage(msg);
}
