#include "sheet/SettingsSheet.h"

#include "ResourceIds.h"
#include "controls/Dpi.h"
#include "sheet/PageSupport.h"
#include "sheet/SheetKeys.h"

#include <algorithm>

namespace {

// Room right of the former sheet beside the button column, and the column's top margin.
constexpr int kColumnGap = 27;
constexpr int kColumnTop = 27;
// Base units that make a length in pixels the same number in dialog units.
constexpr SIZE kDialogUnits{4, 8};

bool IsOpenDropDown(HWND window) {
    wchar_t name[16]{};
    return window != nullptr && GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, WC_COMBOBOXW) == 0 &&
           SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

} // namespace

CSettingsSheet::CSettingsSheet(CSettingsModel& model, std::unique_ptr<fw::PropertyPage> reportPage,
                               fw::WindowContext context, HWND parent)
    : fw::PropertySheetDialog(std::move(context), parent), model_(model), texts_(Context().texts) {
    auto video = std::make_unique<CVideoSettingsPage>(model_, Context());
    video->SetTitle(texts_(L"IDS_EASY_VIDEO_SETTING_CAPTION"));
    video_ = video.get();
    AddPage(std::move(video));
    auto language = std::make_unique<CLanguagePage>(model_, Context());
    language->SetTitle(texts_(L"IDS_LANGUAGES_CONFIGURATION_CAPTION"));
    language_ = language.get();
    AddPage(std::move(language));
    if (reportPage) {
        reportPage->SetTitle(texts_(L"IDS_DETECTIONUI_NAME"));
        report_ = &AddPage(std::move(reportPage));
    }
}

void CSettingsSheet::OnPageCancel() {
    if (!closing_)
        ReloadAndClose();
}

bool CSettingsSheet::CreateTooltip(fw::ToolTipCtrl& tooltip) { return tooltip.Create(hwnd_); }

bool CSettingsSheet::OnInitDialog() {
    const bool result = fw::PropertySheetDialog::OnInitDialog();
    ModifyStyle(WS_CAPTION, 0);
    if (tabs_.SubclassWindow(GetTabControl()))
        tabs_.ModifyStyle(0, TCS_BUTTONS);
    Reshape();
    SetItemText(IDC_SHEET_DEFAULT, texts_(L"IDS_DEFAULT_SETTING_BUTTON"));
    SetItemText(IDC_SHEET_OK, texts_(L"IDS_OK_BUTTON"));
    SetItemText(IDC_SHEET_CANCEL, texts_(L"IDS_CANCEL_BUTTON"));
    background_ = art::ScaledBitmap(Context().resources, IDB_SHEET_BACKGROUND, Look().dpi);

    auto tooltip = std::make_unique<fw::ToolTipCtrl>();
    if (!CreateTooltip(*tooltip))
        return true;
    tooltip_ = std::move(tooltip);
    sheet::StyleTooltip(*tooltip_, Look());
    tooltip_->AddTool(Item(IDC_SHEET_DEFAULT), texts_(L"IDS_DEFAULT_BUTTON_TOOLTIP"));
    tooltip_->Activate(true);
    return result;
}

// A sheet grown with the screen's scale may reach past its monitor: it moves back onto the work
// area, its top-left corner first, so that a sheet larger than the area shows its caption.
void CSettingsSheet::KeepOnWorkArea() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT window = WindowRect();
    const RECT& area = monitor.rcWork;
    const int left = std::max(std::min(window.left, area.right - (window.right - window.left)), area.left);
    const int top = std::max(std::min(window.top, area.bottom - (window.bottom - window.top)), area.top);
    if (left != window.left || top != window.top)
        SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

// The standard button row ends up below the window; the sheet grows to the right by a column of
// the three buttons, each as wide as OK and a little higher, touching one another.
void CSettingsSheet::Reshape() {
    const RECT sheet = WindowRect();
    RECT ok{};
    GetWindowRect(Item(IDC_SHEET_OK), &ok);
    const SIZE okSize{ok.right - ok.left, ok.bottom - ok.top};
    PlaceColumn(sheet.right - sheet.left, ok.top - sheet.top, okSize);
    for (const int id : {IDC_SHEET_DEFAULT, IDC_SHEET_OK, IDC_SHEET_CANCEL}) {
        CSkinButton& skinned = id == IDC_SHEET_DEFAULT ? default_ : id == IDC_SHEET_OK ? ok_ : cancel_;
        skinned.AttachSkin(id, hwnd_, ctl::kFlat);
        const HWND window = Item(id);
        SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | BS_OWNERDRAW);
        EnableWindow(window, TRUE);
    }
    // Kept in dialog units for every later scale: where the column stands and how far the sheet
    // reaches below the tab control, and the OK button's size, as comctl32 made them.
    const RECT tab = ChildRect(GetTabControl());
    const RECT column = ChildRect(Item(IDC_SHEET_OK));
    const RECT kept = fw::MoveDialogUnits(RECT{column.left - tab.right, ClientRect().bottom - tab.bottom, 0, 0},
                                          DialogUnits(), kDialogUnits);
    const RECT button = fw::MoveDialogUnits(RECT{0, 0, okSize.cx, okSize.cy}, DialogUnits(), kDialogUnits);
    beyondTab_ = SIZE{kept.left, kept.top};
    okUnits_ = SIZE{button.right, button.bottom};
}

// The sheet's window with the column of buttons `ok` large at `x` in its client, `height` high.
void CSettingsSheet::PlaceColumn(int x, int height, SIZE ok) {
    const RECT sheet = WindowRect();
    const int dpi = Look().dpi;
    const int gap = dpi::Scale(kColumnGap, dpi);
    const int top = dpi::Scale(kColumnTop, dpi);
    const int extra = dpi::Scale(3, dpi); // each button a little higher than OK
    SetWindowPos(hwnd_, nullptr, sheet.left, sheet.top, x + ok.cx + gap, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    KeepOnWorkArea();
    const struct {
        int id;
        int top;
    } column[] = {
        {IDC_SHEET_DEFAULT, top},
        {IDC_SHEET_OK, ok.cy + top + extra},
        {IDC_SHEET_CANCEL, 2 * (ok.cy + extra) + top},
    };
    for (const auto& entry : column)
        MoveWindow(Item(entry.id), x, entry.top, ok.cx, ok.cy + extra, TRUE);
}

void CSettingsSheet::SaveAndClose() {
    closing_ = true;
    if (const settings::SaveResult saved = model_.Save(); saved != settings::SaveResult::Saved) {
        // Closing now would tell the player the settings were stored. The sheet stays open with
        // the edits, so that OK can try again or Cancel give them up.
        closing_ = false;
        ShowSaveFailure(saved);
        return;
    }
    EndDialog(kResult);
}

void CSettingsSheet::ShowSaveFailure(settings::SaveResult result) {
    // Stored settings that are partly new ones must not pass for the old ones.
    const wchar_t* key =
        result == settings::SaveResult::NotRestored ? L"IDS_SETTINGS_NOT_RESTORED" : L"IDS_SETTINGS_NOT_SAVED";
    MessageBoxW(hwnd_, texts_(key).c_str(), texts_(L"IDS_ERROR").c_str(), MB_OK | MB_ICONERROR);
}

void CSettingsSheet::ReloadAndClose() {
    closing_ = true;
    model_.Load();
    EndDialog(kResult);
}

void CSettingsSheet::ApplyDefaults() {
    model_.ApplyHardwareDefaults(true);
    video_->RefreshFromModel();
    language_->Refresh();
}

bool CSettingsSheet::OnCommand(int id, int code, HWND control) {
    if (id != IDC_SHEET_OK && id != IDC_SHEET_CANCEL && id != IDC_SHEET_DEFAULT)
        return fw::PropertySheetDialog::OnCommand(id, code, control);
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED)
        return true;
    const bool secondHalf = code == BN_DOUBLECLICKED && lastClicked_ == id;
    lastClicked_ = code == BN_CLICKED ? id : 0;
    if (closing_ || secondHalf)
        return true;
    if (id == IDC_SHEET_OK)
        SaveAndClose();
    else if (id == IDC_SHEET_CANCEL)
        ReloadAndClose();
    else
        ApplyDefaults();
    return true;
}

void CSettingsSheet::OnLButtonDown(UINT flags, POINT point) {
    BeginDragMove(point);
    fw::PropertySheetDialog::OnLButtonDown(flags, point);
}

void CSettingsSheet::OnLButtonDblClk(UINT flags, POINT point) {
    BeginDragMove(point);
    fw::PropertySheetDialog::OnLButtonDblClk(flags, point);
}

// In a contrast theme the sheet is its face colour alone, without the picture and its crest.
bool CSettingsSheet::OnEraseBkgnd(HDC dc) {
    Default();
    if (!Look().highContrast)
        background_.Draw(dc, ClientRect());
    return true;
}

void CSettingsSheet::OnSysColorChange() {
    fw::PropertySheetDialog::OnSysColorChange();
    if (tooltip_)
        sheet::StyleTooltip(*tooltip_, Look());
}

// The children, the pages with theirs, and the buttons' column scale with the sheet.
void CSettingsSheet::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::PropertySheetDialog::OnAppearanceChanged(previous);
    if (tooltip_)
        sheet::StyleTooltip(*tooltip_, Look());
    if (previous.dpi == Look().dpi)
        return;
    const RECT beyond = fw::MoveDialogUnits(RECT{beyondTab_.cx, beyondTab_.cy, 0, 0}, kDialogUnits, DialogUnits());
    const RECT ok = fw::MoveDialogUnits(RECT{0, 0, okUnits_.cx, okUnits_.cy}, kDialogUnits, DialogUnits());
    const RECT tab = ChildRect(GetTabControl());
    const int frameHeight = WindowRect().bottom - WindowRect().top - ClientRect().bottom;
    PlaceColumn(tab.right + beyond.left, tab.bottom + beyond.top + frameHeight, SIZE{ok.right, ok.bottom});
    background_ = art::ScaledBitmap(Context().resources, IDB_SHEET_BACKGROUND, Look().dpi);
}

HBRUSH CSettingsSheet::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) {
    return colours_.Answer(*this, dc, child, kind);
}

// The mark goes to the button that has the focus, and Enter presses it; from any other control
// Enter stays OK.
void CSettingsSheet::MarkFocus(int id) {
    SetDefID(sheet::DefaultButtonAfterTab(id));
    ShowFocusMarkOn({&default_, &ok_, &cancel_}, id);
}

bool CSettingsSheet::PreTranslateMessage(MSG& msg) {
    if (tooltip_)
        tooltip_->RelayEvent(msg);
    if (msg.message == WM_KEYDOWN) {
        const HWND focus = GetFocus();
        const bool dropDownOpen = IsOpenDropDown(focus);
        switch (sheet::ClassifySheetKey(static_cast<unsigned>(msg.wParam), GetKeyState(VK_CONTROL) < 0, dropDownOpen)) {
        case sheet::SheetKey::Cancel:
            msg.wParam = 0;
            if (!closing_)
                ReloadAndClose();
            break;
        case sheet::SheetKey::MarkThenPassOn:
            // The mark goes to the control that has the focus now, before the sheet moves it on.
            MarkFocus(focus != nullptr ? GetDlgCtrlID(focus) : 0);
            break;
        case sheet::SheetKey::PassOn: break;
        }
    }
    return fw::PropertySheetDialog::PreTranslateMessage(msg);
}

// A page change from the keyboard (Ctrl+Tab) can leave the focus on a control of the page that
// was just hidden, where keys would change it unseen: the tab strip takes it instead.
bool CSettingsSheet::TranslateDialogMessage(MSG& msg) {
    const bool handled = fw::PropertySheetDialog::TranslateDialogMessage(msg);
    const HWND focus = GetFocus();
    if (hwnd_ && focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus))
        SetFocus(GetTabControl());
    return handled;
}

// Closing by the system menu or Alt+F4 would otherwise let comctl32 end the sheet with the
// pages' changes still in the model: it counts as Cancel.
bool CSettingsSheet::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if ((msg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) || msg == WM_CLOSE) {
        if (!closing_)
            ReloadAndClose();
        result = 0;
        return true;
    }
    return fw::PropertySheetDialog::OnMessage(msg, wParam, lParam, result);
}
