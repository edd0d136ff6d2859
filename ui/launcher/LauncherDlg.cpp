#include "LauncherDlg.h"

#include "GameStart.h"
#include "InstallerRecord.h"
#include "ResourceIds.h"
#include "controls/Dpi.h"
#include "framework/Application.h"
#include "win32/Shell.h"

#include <vector>

namespace {

constexpr COLORREF kQuitDarkEdge = RGB(1, 1, 15);

// Settings stays centred; Launch keeps its gap to the left of Settings and Quit to its right.
constexpr ctl::LayoutRow kLayout[] = {
    {IDC_LAUNCHER_SETTINGS, {ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}},
    {IDC_LAUNCHER_LAUNCH, {ANCHOR_PARENT, ANCHOR_PARENT, IDC_LAUNCHER_SETTINGS, ANCHOR_SIZE, 0}},
    {IDC_LAUNCHER_QUIT, {IDC_LAUNCHER_SETTINGS, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, 0}},
};

std::wstring CurrentDirectory() {
    std::vector<wchar_t> buffer(32768, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

} // namespace

CLauncherDlg::CLauncherDlg(fw::WindowContext context, registry::RegistryBackend& registry, HWND parent)
    : fw::Dialog(IDD_LAUNCHER, std::move(context), parent), registry_(registry) {}

bool CLauncherDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    layout_.Init(hwnd_, ClientRect());
    layout_.AddRows(kLayout);
    Layout();

    const TextLookup& texts = Context().texts;
    SetText(texts(L"IDS_LAUNCHER_TITLE"));
    SetItemText(IDC_LAUNCHER_LAUNCH, texts(L"IDS_LAUNCH_BUTTON"));
    SetItemText(IDC_LAUNCHER_SETTINGS, texts(L"IDS_SETTING_BUTTON"));
    SetItemText(IDC_LAUNCHER_QUIT, texts(L"IDS_QUIT"));

    launch_.AttachSkin(IDC_LAUNCHER_LAUNCH, hwnd_, ctl::kFlat);
    settings_.AttachSkin(IDC_LAUNCHER_SETTINGS, hwnd_, ctl::kFlat);
    ctl::ButtonColours quit = ctl::kFlat;
    quit.darkEdge = kQuitDarkEdge;
    quit_.AttachSkin(IDC_LAUNCHER_QUIT, hwnd_, quit);

    SetIconResource(IDI_WINDOW);
    LoadBackground();
    SetDefID(IDC_LAUNCHER_LAUNCH);
    return true;
}

void CLauncherDlg::PrepareBackground(int dpi) {
    background_ = art::ScaledBitmap(Context().resources, IDB_LAUNCHER_BACKGROUND, dpi);
    backgroundDpi_ = dpi;
}

void CLauncherDlg::LoadBackground() {
    if (!background_ || backgroundDpi_ != Look().dpi)
        PrepareBackground(Look().dpi);
}

// Moves the buttons without repainting each, then repaints the whole dialog once.
void CLauncherDlg::Layout() {
    if (layout_.Apply(false))
        RedrawNow();
}

void CLauncherDlg::OnSize(UINT type, int width, int height) {
    fw::Dialog::OnSize(type, width, height);
    if (GetWindow(hwnd_, GW_CHILD) != nullptr)
        Layout();
}

void CLauncherDlg::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::Dialog::OnAppearanceChanged(previous);
    if (previous.dpi != Look().dpi)
        layout_.RemeasureAll(RescaledClient());
    LoadBackground();
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
    const registry::InstallerRecord installed = registry::ReadInstallerRecord(registry_);
    launcher::GameStart start;
    if (!launcher::ChooseGameStart(installed.executable, installed.installDir, CurrentDirectory(), start))
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

// In a contrast theme the window is its face colour without the picture and its title, framed
// in the theme's frame colour: it has no frame of its own to stand out from what lies behind.
bool CLauncherDlg::OnEraseBkgnd(HDC dc) {
    Default();
    if (Look().highContrast)
        fw::FrameSolidRect(dc, ClientRect(), dpi::Scale(1, Look().dpi), GetSysColor(COLOR_WINDOWFRAME));
    else
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
