#include "report/SystemCheckDlg.h"

#include "ResourceIds.h"
#include "controls/Glyphs.h"
#include "framework/WindowDpi.h"
#include "report/ReportFileSave.h"
#include "report/ReportFill.h"
#include "report/ReportMenu.h"
#include "report/ReportText.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreePane.h"
#include "win32/Clipboard.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace {

using report::VerdictKey;

// In the order of the verdict strip: ideal, failed and sufficient.
constexpr art::Glyph kVerdictGlyphs[] = {art::Glyph::Check, art::Glyph::Cross, art::Glyph::Exclamation};
static_assert(std::size(kVerdictGlyphs) == VERDICT_IMAGE_COUNT);

// The template's controls by their edge flags, in registration order.
using ctl::EdgeRow;
constexpr int kTopLeft = ctl::kAnchorTop | ctl::kAnchorLeft;
constexpr int kAcrossTop = ctl::kAnchorTop | ctl::kAnchorLeft | ctl::kAnchorRight;
constexpr int kAcrossBottom = ctl::kAnchorLeft | ctl::kAnchorRight | ctl::kAnchorBottom;
constexpr ctl::LayoutRow kLayout[] = {
    EdgeRow(IDC_REPORT_VERDICT_FRAME, kTopLeft),
    EdgeRow(IDC_REPORT_VERDICT_DIVIDER, kTopLeft),
    EdgeRow(IDC_REPORT_VERDICT, kTopLeft),
    EdgeRow(IDC_REPORT_VERDICT_IMAGE, kTopLeft),
    EdgeRow(IDC_REPORT_VERDICT_RULE, kAcrossTop),
    EdgeRow(IDC_REPORT_INFO, kAcrossTop),
    EdgeRow(IDC_REPORT_TREE_FRAME, kAcrossTop | ctl::kAnchorBottom),
    EdgeRow(IDC_REPORT_COPYRIGHT_RULE, kAcrossBottom),
    EdgeRow(IDC_REPORT_COPYRIGHT, kAcrossBottom),
    EdgeRow(IDC_REPORT_EMBLEM, ctl::kAnchorLeft | ctl::kAnchorBottom),
    EdgeRow(IDC_REPORT_FOOTER_RULE, kAcrossBottom),
    EdgeRow(IDC_REPORT_OK, ctl::kAnchorRight | ctl::kAnchorBottom),
    EdgeRow(IDC_REPORT_HELP_LINK, ctl::kAnchorBottom), // centred across
    EdgeRow(IDC_REPORT_HEADER_RULE, kAcrossTop),
};

SIZE SizeOf(const RECT& r) { return SIZE{r.right - r.left, r.bottom - r.top}; }

} // namespace

CSystemCheckDlg::CSystemCheckDlg(HWND parent, fw::WindowContext context, registry::RegistryBackend& registry,
                                 bool showOKButton)
    : fw::PropertyPage(IDD_REPORT, std::move(context), parent), showOK(showOKButton), texts_(Context().texts),
      registry_(registry), icon_(Context().resources.SharedIcon(IDI_WINDOW)) {}

CSystemCheckDlg::~CSystemCheckDlg() = default;

void CSystemCheckDlg::AttachApplication(DetectionApplication* application) {
    application_ = application;
    if (!application)
        return;
    if (ParameterSet* set = application->GetParameterSet())
        set->AddValidator(this);
}

int CSystemCheckDlg::ShownResult() const {
    if (overallResult_ >= 0 || !application_)
        return overallResult_;
    return application_->GetOverallResult();
}

void CSystemCheckDlg::DoDataExchange() { Bind(helpLink_, IDC_REPORT_HELP_LINK); }

void CSystemCheckDlg::FillReport() {
    tree_ = report::MakeReportTree(Item(IDC_REPORT_TREE_FRAME), IDC_REPORT_TREE, Context().resources,
                                   application_ ? report::ReadDetectedItems(application_->GetInformations())
                                                : std::vector<report::DetectedItem>{},
                                   texts_);
}

bool CSystemCheckDlg::OnInitDialog() {
    fw::PropertyPage::OnInitDialog();
    FillReport();
    initialClient_ = SizeOf(ClientRect());

    layout_.Init(hwnd_, ClientRect());
    layout_.AddRows(kLayout);
    layout_.Apply(true);
    // The list comes last in the tab order: the focus starts where it always has, and Tab
    // from OK goes on to the list.
    if (const HWND placeholder = Item(IDC_REPORT_TREE_FRAME))
        SetWindowPos(placeholder, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    SetIconResource(IDI_WINDOW);
    ok_.AttachSkin(IDC_REPORT_OK, hwnd_, ctl::kFlat);

    SetItemText(IDC_REPORT_INFO, texts_(L"IDS_INFO"));
    SetItemText(IDC_REPORT_COPYRIGHT, texts_(L"IDS_COPYRIGHT"));
    SetItemText(IDC_REPORT_OK, texts_(L"IDS_OK_BUTTON"));
    SetItemText(IDC_REPORT_HELP_LINK, texts_(L"IDS_HELP"));
    if (overallResult_ < 0 && application_)
        overallResult_ = application_->GetOverallResult();
    if (const wchar_t* key = VerdictKey(ShownResult()))
        SetItemText(IDC_REPORT_VERDICT, texts_(key));

    const RECT marker = ChildRect(Item(IDC_REPORT_VERDICT_IMAGE));
    verdictImagePosition_ = POINT{marker.left, marker.top};

    helpLink_.SetLinkTarget(texts_(L"IDS_SUPPORT_LINK"));
    // The link has fitted itself to its localized text: the layout moves it from there on, not
    // from the template's width.
    layout_.Remeasure(IDC_REPORT_HELP_LINK);
    initialised_ = true;
    if (!showOK)
        if (const HWND ok = Item(IDC_REPORT_OK))
            ShowWindow(ok, SW_HIDE);
    LoadArt();
    return true;
}

// The verdict pictures, the background and the rules at the window's DPI. In a contrast theme
// the verdicts are glyphs in the text colour, and neither rules nor emblem are shown.
void CSystemCheckDlg::LoadArt() {
    const int dpi = Look().dpi;
    const bool contrast = Look().highContrast;
    const fw::Resources& resources = Context().resources;
    if (contrast)
        art::LoadGlyphStrip(verdictImages_, kVerdictGlyphs, VERDICT_IMAGE_WIDTH, dpi, GetSysColor(COLOR_WINDOWTEXT));
    else
        art::LoadImageStrip(verdictImages_, resources, IDB_VERDICT_IMAGES,
                            SIZE{VERDICT_IMAGE_WIDTH, VERDICT_IMAGE_WIDTH}, VERDICT_IMAGE_COUNT, dpi,
                            RGB(255, 255, 255));
    background_ = art::ScaledBitmap(resources, IDB_REPORT_BACKGROUND, dpi);
    if (const HWND emblem = Item(IDC_REPORT_EMBLEM))
        ShowWindow(emblem, contrast ? SW_HIDE : SW_SHOWNA);
    const struct {
        int control;
        UINT bitmap;
    } rules[] = {{IDC_REPORT_VERDICT_DIVIDER, IDB_RULE_VERTICAL},
                 {IDC_REPORT_VERDICT_RULE, IDB_RULE_HORIZONTAL},
                 {IDC_REPORT_HEADER_RULE, IDB_RULE_HORIZONTAL},
                 {IDC_REPORT_FOOTER_RULE, IDB_RULE_HORIZONTAL},
                 {IDC_REPORT_COPYRIGHT_RULE, IDB_RULE_HORIZONTAL}};
    static_assert(std::size(rules) == std::extent_v<decltype(rules_)>);
    for (size_t i = 0; i < std::size(rules); ++i) {
        const HWND rule = Item(rules[i].control);
        if (rule)
            ShowWindow(rule, contrast ? SW_HIDE : SW_SHOWNA);
        if (!contrast)
            art::ShowScaledInStatic(rule, resources, rules[i].bitmap, dpi, rules_[i]);
    }
}

void CSystemCheckDlg::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::PropertyPage::OnAppearanceChanged(previous);
    if (previous.dpi != Look().dpi) {
        layout_.RemeasureAll(RescaledClient());
        // The sizes the window and its tree had when it opened, as they would have opened now.
        const auto rescaled = [&](SIZE size) {
            const RECT moved = Rescaled(RECT{0, 0, size.cx, size.cy});
            return SIZE{moved.right, moved.bottom};
        };
        initialClient_ = rescaled(initialClient_);
        const RECT marker = Rescaled(
            RECT{verdictImagePosition_.x, verdictImagePosition_.y, verdictImagePosition_.x, verdictImagePosition_.y});
        verdictImagePosition_ = POINT{marker.left, marker.top};
    }
    if (tree_)
        report::LoadStatusImages(*tree_, Context().resources);
    LoadArt();
}

// The glyphs are in the colours of their making.
void CSystemCheckDlg::OnSysColorChange() {
    fw::PropertyPage::OnSysColorChange();
    if (Look().highContrast) {
        if (tree_)
            report::LoadStatusImages(*tree_, Context().resources);
        LoadArt();
    }
}

// As a dialog the report ends as cancelled. As a sheet's page it has no way out of its own: its
// cancel and OK ask the sheet to close, so that the page never ends alone.
void CSystemCheckDlg::OnCancel() {
    if (fw::PropertySheetDialog* sheet = Sheet())
        sheet->OnPageCancel();
    else
        fw::Dialog::OnCancel();
}

void CSystemCheckDlg::OnOK() { OnCancel(); }

void CSystemCheckDlg::OnDestroy() {
    // The template's picture statics (the gold rules) load their bitmaps themselves, and not
    // every system frees them with the control: take them back and free them here, so that
    // opening the report again and again costs nothing. A picture shown in place of the
    // template's is the rules' own and goes with them.
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        const auto picture = reinterpret_cast<HBITMAP>(SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, 0));
        const bool ours = std::any_of(std::begin(rules_), std::end(rules_), [picture](const art::StaticPicture& rule) {
            return rule.shown.Get() == picture;
        });
        if (picture && !ours && GetObjectType(picture) == OBJ_BITMAP)
            fw::Bitmap taken(picture);
    }
    fw::PropertyPage::OnDestroy();
}

bool CSystemCheckDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_REPORT_OK) {
        OnCancel();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return fw::PropertyPage::OnCommand(id, code, control);
}

bool CSystemCheckDlg::OnNotify(int id, NMHDR& header, LRESULT& result) {
    return fw::PropertyPage::OnNotify(id, header, result);
}

bool CSystemCheckDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_CONTEXTMENU) {
        const HWND from = reinterpret_cast<HWND>(wParam);
        if (tree_ && tree_->Hwnd() && (from == tree_->Hwnd() || IsChild(tree_->Hwnd(), from))) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (at.x == -1 && at.y == -1) { // from the keyboard: at the tree's corner
                RECT rect{};
                GetWindowRect(tree_->Hwnd(), &rect);
                at = POINT{rect.left + 8, rect.top + 8};
            }
            Carry(report::ChooseFromReportMenu(hwnd_, at, texts_));
            result = 0;
            return true;
        }
    }
    return fw::PropertyPage::OnMessage(msg, wParam, lParam, result);
}

// The context menu's choice and its keys do the same.
bool CSystemCheckDlg::Carry(report::MenuChoice choice) {
    switch (choice) {
    case report::MenuChoice::Copy: CopyReportToClipboard(); return true;
    case report::MenuChoice::Save: report::SaveReportAs(hwnd_, ReportText(), texts_, registry_); return true;
    case report::MenuChoice::None: break;
    }
    return false;
}

bool CSystemCheckDlg::PreTranslateMessage(MSG& msg) {
    return Carry(report::ShortcutOf(msg, hwnd_)) || fw::PropertyPage::PreTranslateMessage(msg);
}

std::wstring CSystemCheckDlg::ReportText() const {
    std::wstring verdict;
    if (const wchar_t* key = VerdictKey(ShownResult()))
        verdict = texts_(key);
    else if (const HWND text = Item(IDC_REPORT_VERDICT)) {
        // Any other result keeps the template's text.
        verdict.assign(static_cast<size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
        verdict.resize(static_cast<size_t>(GetWindowTextW(text, verdict.data(), static_cast<int>(verdict.size()))));
    }
    return report::BuildReportText(verdict,
                                   application_ ? report::ReadDetectedItems(application_->GetInformations())
                                                : std::vector<report::DetectedItem>{},
                                   texts_);
}

bool CSystemCheckDlg::CopyReportToClipboard() const { return win32::PutTextOnClipboard(hwnd_, ReportText()); }

void CSystemCheckDlg::OnPaint() {
    if (IsIconic(hwnd_)) {
        const fw::PaintDC paint(hwnd_);
        SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
        const RECT client = ClientRect();
        const int dpi = Look().dpi;
        const int x = (client.right - dpi::SystemMetric(SM_CXICON, dpi) + 1) / 2;
        const int y = (client.bottom - dpi::SystemMetric(SM_CYICON, dpi) + 1) / 2;
        DrawIcon(paint.Get(), x, y, icon_);
        return;
    }
    Default();
    const int result = ShownResult();
    if (result >= 0 && result < verdictImages_.GetImageCount()) {
        const fw::ClientDC dc(hwnd_);
        verdictImages_.Draw(dc.Get(), result, verdictImagePosition_, ILD_TRANSPARENT);
    }
}

// In a contrast theme the face colour alone, as a page too (a themed sheet erases its pages with
// the tab's texture).
bool CSystemCheckDlg::OnEraseBkgnd(HDC dc) {
    if (Look().highContrast) {
        fw::FillSolidRect(dc, ClientRect(), GetSysColor(COLOR_BTNFACE));
        return true;
    }
    Default();
    if (background_)
        background_.Draw(dc, ClientRect());
    return true;
}

HICON CSystemCheckDlg::OnQueryDragIcon() { return icon_; }

void CSystemCheckDlg::OnGetMinMaxInfo(MINMAXINFO& info) {
    Default();
    // Never smaller than it opened: its client area, in the frame it has now.
    if (initialClient_.cx > 0) {
        const SIZE window = SizeOf(WindowRect()), client = SizeOf(ClientRect());
        info.ptMinTrackSize =
            POINT{initialClient_.cx + window.cx - client.cx, initialClient_.cy + window.cy - client.cy};
    }
}

void CSystemCheckDlg::OnSize(UINT type, int width, int height) {
    Default();
    layout_.Apply(true);
    // With erasing: the texts are transparent over the stretched background, and without a
    // fresh background under them their old letters would stay visible beside the moved ones.
    RECT window = WindowRect();
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&window), 2);
    RedrawWindow(hwnd_, &window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // The tree fills the placeholder the layout placed.
    const HWND placeholder = Item(IDC_REPORT_TREE_FRAME);
    if (placeholder && initialised_ && tree_ && tree_->Hwnd()) {
        const RECT frame = ChildRect(placeholder);
        tree_->Resize(frame.right - frame.left, frame.bottom - frame.top);
    }
    (void)type;
    (void)width;
    (void)height;
}

HBRUSH CSystemCheckDlg::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) {
    return colours_.Answer(*this, dc, child, kind);
}
