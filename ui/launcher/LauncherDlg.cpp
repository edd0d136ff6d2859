#include "LauncherDlg.h"

#include "GameStart.h"
#include "InstallerRecord.h"
#include "Win32Settings.h"
#include "ResourceIds.h"
#include "controls/Anchor.h"
#include "controls/WindowDpi.h"
#include "framework/Application.h"
#include "win32/Shell.h"

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

std::wstring CurrentDirectory() {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

} // namespace

CLauncherDlg::CLauncherDlg(fw::TextLookup texts, HWND parent)
    : fw::Dialog(IDD_LAUNCHER, parent), texts_(std::move(texts)), icon_(fw::LoadIconResource(IDI_WINDOW)) {}

bool CLauncherDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    if (!g_layout.measured) {
        Layout(true);
        g_layout.measured = true;
    }
    Layout(false);

    SetText(texts_(L"IDS_LAUNCHER_TITLE"));
    SetItemText(IDC_LAUNCHER_LAUNCH, texts_(L"IDS_LAUNCH_BUTTON"));
    SetItemText(IDC_LAUNCHER_SETTINGS, texts_(L"IDS_SETTING_BUTTON"));
    SetItemText(IDC_LAUNCHER_QUIT, texts_(L"IDS_QUIT"));

    launch_.AttachSkin(IDC_LAUNCHER_LAUNCH, hwnd_, Flat);
    settings_.AttachSkin(IDC_LAUNCHER_SETTINGS, hwnd_, Flat);
    ButtonColours quit = Flat;
    quit.darkEdge = kQuitDarkEdge;
    quit_.AttachSkin(IDC_LAUNCHER_QUIT, hwnd_, quit);

    SetIcon(icon_, true);
    SetIcon(icon_, false);
    background_ = art::ScaledBitmap(IDB_LAUNCHER_BACKGROUND, dpi::OfWindow(hwnd_));
    SetDefID(IDC_LAUNCHER_LAUNCH);
    return true;
}

// Settings stays centred; Launch keeps its gap to the left of Settings and Quit to its right.
void CLauncherDlg::Layout(bool measure) {
    const RECT client = ClientRect();
    AnchorDistances& settingsGap = g_layout.settings;
    AnchorControl({IDC_LAUNCHER_SETTINGS, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ,
                   settingsGap.left, settingsGap.top, settingsGap.right, settingsGap.bottom, measure, client, hwnd_});

    const HWND launch = Item(IDC_LAUNCHER_LAUNCH);
    const HWND quit = Item(IDC_LAUNCHER_QUIT);
    AnchorDistances& launchGap = g_layout.launch;
    AnchorDistances& quitGap = g_layout.quit;
    if (measure) {
        const RECT settings = ChildRect(Item(IDC_LAUNCHER_SETTINGS));
        const RECT launchRect = ChildRect(launch);
        launchGap = {launchRect.left, launchRect.top, settings.left - launchRect.right,
                     launchRect.bottom - launchRect.top};
        const RECT quitRect = ChildRect(quit);
        quitGap = {quitRect.left - settings.right, quitRect.top, client.right - quitRect.right,
                   quitRect.bottom - quitRect.top};
        return;
    }
    const RECT settings = ChildRect(Item(IDC_LAUNCHER_SETTINGS));
    const int launchRight =
        ResolveFarEdge(hwnd_, false, launchGap.left, IDC_LAUNCHER_SETTINGS, launchGap.right, client.right);
    const int launchBottom = ResolveFarEdge(hwnd_, true, launchGap.top, ANCHOR_SIZE, launchGap.bottom, client.bottom);
    MoveWindow(launch, launchGap.left, launchGap.top, launchRight - launchGap.left, launchBottom - launchGap.top, FALSE);
    const int quitLeft = settings.right + quitGap.left;
    const int quitRight = ResolveFarEdge(hwnd_, false, quitLeft, ANCHOR_PARENT, quitGap.right, client.right);
    const int quitBottom = ResolveFarEdge(hwnd_, true, quitGap.top, ANCHOR_SIZE, quitGap.bottom, client.bottom);
    MoveWindow(quit, quitLeft, quitGap.top, quitRight - quitLeft, quitBottom - quitGap.top, FALSE);
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
    case IDC_LAUNCHER_SETTINGS: OpenSettings(); return true;
    case IDC_LAUNCHER_QUIT: EndDialog(IDCANCEL); return true;
    default: return fw::Dialog::OnCommand(id, code, control);
    }
}

// The settings run over the launcher, which stays open.
void CLauncherDlg::OpenSettings() {
    if (openSettings_)
        openSettings_(hwnd_);
}

void CLauncherDlg::Launch() {
    CWin32Registry registry;
    const InstallerRecord installed = ReadInstallerRecord(registry);
    GameStart start;
    if (!ChooseGameStart(installed.executable, installed.installDir, CurrentDirectory(), start))
        return; // the fallback path would not fit: start nothing rather than a cut path
    // Failures are not reported, so the shell must not report them either.
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = start.file.c_str();
    info.lpParameters = L"/fullscreen";
    info.lpDirectory = start.directory.c_str();
    info.nShow = SW_SHOWNORMAL;
    win32::ExecuteThroughShell(info);
}

bool CLauncherDlg::OnEraseBkgnd(HDC dc) {
    Default();
    background_.Draw(dc, ClientRect());
    return true;
}

void CLauncherDlg::OnLButtonDown(UINT flags, POINT point) {
    BeginDragMove(point);
    fw::Dialog::OnLButtonDown(flags, point);
}

void CLauncherDlg::MarkFocus(int id) {
    SetDefID(id);
    ShowFocusMarkOn({&launch_, &settings_, &quit_}, id);
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
