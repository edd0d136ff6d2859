#include "sheet/VideoSettingsPage.h"

#include "ResourceIds.h"
#include "sheet/ResolutionText.h"

namespace {

struct LabelText {
    int id;
    const wchar_t* key;
};

constexpr LabelText kLabels[] = {
    {IDC_VIDEO_RESOLUTION_LABEL, L"IDS_SCREEN_RESOLUTION_LABEL"},
    {IDC_VIDEO_WIDESCREEN_LABEL, L"IDS_WIDE_SCREEN_RESOLUTION_CHECK"},
    {IDC_VIDEO_VSYNC_LABEL, L"IDS_VERTICAL_SYNC_LABEL"},
    {IDC_VIDEO_TEXTURES_LABEL, L"IDS_TEXTURE_QUALITY_LABEL"},
    {IDC_VIDEO_QUALITY_LABEL, L"IDS_VIDEO_SETTING_QUALITY_LABEL"},
    {IDC_VIDEO_QUALITY_LOW, L"VQL_LOW"},
    {IDC_VIDEO_QUALITY_MEDIUM, L"VQL_MED"},
    {IDC_VIDEO_QUALITY_HIGH, L"VQL_HIGH"},
    {IDC_VIDEO_QUALITY_VERY_HIGH, L"VQL_VERY_HIGH"},
};

constexpr LabelText kTooltips[] = {
    {IDC_VIDEO_RESOLUTION, L"IDS_SCREEN_RESOLUTION_TOOLTIP"},
    {IDC_VIDEO_WIDESCREEN, L"IDS_WIDE_SCREEN_RESOLUTION_TOOLTIP"},
    {IDC_VIDEO_QUALITY, L"IDS_VIDEO_SETTING_QUALITY_TOOLTIP"},
    {IDC_VIDEO_VSYNC, L"IDS_VERTICAL_SYNC_TOOLTIP"},
    {IDC_VIDEO_TEXTURES, L"IDS_TEXTURE_QUALITY_TOOLTIP"},
};

} // namespace

CVideoSettingsPage::CVideoSettingsPage(CSettingsModel& model, fw::WindowContext context)
    : SettingsPage(IDD_VIDEO_PAGE, IDB_VIDEO_BACKGROUND, sheet::kVideoPageLayout, model, std::move(context)) {}

void CVideoSettingsPage::DoDataExchange() {
    Bind(resolution_, IDC_VIDEO_RESOLUTION);
    Bind(widescreen_, IDC_VIDEO_WIDESCREEN);
    Bind(quality_, IDC_VIDEO_QUALITY);
    Bind(vsync_, IDC_VIDEO_VSYNC);
    Bind(textures_, IDC_VIDEO_TEXTURES);
}

void CVideoSettingsPage::FillControls() {
    for (const LabelText& label : kLabels)
        SetItemText(label.id, texts_(label.key));
    for (const settings::DisplayMode& mode : model_.GetDisplayModes())
        resolution_.AddString(sheet::FormatResolution(static_cast<int>(mode.width), static_cast<int>(mode.height)));
    quality_.SetRangeMin(0, false);
    quality_.SetRangeMax(3, false);
    // A screen reader calls the slider and its positions what the labels beside it say.
    quality_.SetText(texts_(L"IDS_VIDEO_SETTING_QUALITY_LABEL"));
    quality_.SetPositionNames({texts_(L"VQL_LOW"), texts_(L"VQL_MED"), texts_(L"VQL_HIGH"), texts_(L"VQL_VERY_HIGH")});
    DoDataExchange();
}

void CVideoSettingsPage::AddTools(fw::ToolTipCtrl& tooltip) {
    for (const LabelText& tool : kTooltips)
        tooltip.AddTool(Item(tool.id), texts_(tool.key));
}

void CVideoSettingsPage::RefreshFromModel() {
    if (!IsInitialised())
        return;
    const int width = model_.GetValue(kScreenResolutionWidth);
    const int height = model_.GetValue(kScreenResolutionHeight);
    for (const settings::DisplayMode& mode : model_.GetDisplayModes()) {
        if (static_cast<int>(mode.width) == width && static_cast<int>(mode.height) == height)
            resolution_.SelectString(-1, sheet::FormatResolution(width, height));
    }
    widescreen_.SetCheck(model_.GetValue(kAspectRatioOverrideCHKB) != 0 ? BST_CHECKED : BST_UNCHECKED);
    vsync_.SetCheck(model_.GetValue(kVerticalSyncLvl) != 0 ? BST_CHECKED : BST_UNCHECKED);
    textures_.SetCheck(model_.GetValue(kTextureLvl) != 0 ? BST_CHECKED : BST_UNCHECKED);
    quality_.SetPos(model_.GetValue(kVisualQualityLvl));
}

void CVideoSettingsPage::OnResolutionChanged() {
    const int index = resolution_.GetCurSel();
    if (index == CB_ERR)
        return;
    const std::optional<sheet::Resolution> chosen = sheet::ParseResolution(resolution_.GetLBText(index));
    if (!chosen)
        return;
    model_.SetValue(kScreenResolutionWidth, chosen->width);
    model_.SetValue(kScreenResolutionHeight, chosen->height);
    model_.SetDefaultMarker(0);
}

bool CVideoSettingsPage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_VIDEO_RESOLUTION && code == CBN_SELCHANGE) {
        OnResolutionChanged();
        return true;
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_VIDEO_WIDESCREEN:
            model_.SetLevel(settings::LevelKind::Widescreen, widescreen_.GetCheck() == BST_CHECKED ? 1 : 0);
            return true;
        case IDC_VIDEO_VSYNC:
            model_.SetLevel(settings::LevelKind::VerticalSync, vsync_.GetCheck() == BST_CHECKED ? 1 : 0);
            return true;
        case IDC_VIDEO_TEXTURES:
            model_.SetLevel(settings::LevelKind::Textures, textures_.GetCheck() == BST_CHECKED ? 1 : 0);
            return true;
        default: break;
        }
    }
    return fw::PropertyPage::OnCommand(id, code, control);
}

// Every notification counts, those sent while the thumb is dragged included, so the preset
// follows the thumb.
void CVideoSettingsPage::OnHScroll(UINT code, UINT position, HWND bar) {
    if (bar != nullptr && bar == quality_.Hwnd())
        model_.SetLevel(settings::LevelKind::Quality, quality_.GetPos());
    fw::PropertyPage::OnHScroll(code, position, bar);
}

void CVideoSettingsPage::OnShowWindow(bool show, UINT status) {
    fw::PropertyPage::OnShowWindow(show, status);
    RefreshFromModel();
}
