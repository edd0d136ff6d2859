#include "settings/LanguagePage.h"

#include "ResourceIds.h"
#include "framework/Application.h"
#include "settings/PageLayout.h"
#include "settings/PageSupport.h"

namespace {

constexpr int kLanguageKind = 4;
// Item texts are read into a buffer of 260 characters, the terminator included.
constexpr std::size_t kNameChars = 259;

} // namespace

CLanguagePage::CLanguagePage(CSettingsModel& model, fw::TextLookup texts)
    : fw::PropertyPage(IDD_LANGUAGE_PAGE), model_(model), texts_(std::move(texts)) {}

CLanguagePage::~CLanguagePage() = default;

void CLanguagePage::DoDataExchange() { Bind(languages_, IDC_LANGUAGE_COMBO); }

bool CLanguagePage::CreateTooltip(fw::ToolTipCtrl& tooltip) { return tooltip.Create(hwnd_); }

bool CLanguagePage::OnInitDialog() {
    fw::PropertyPage::OnInitDialog();
    Layout(true);
    Layout(false);
    for (const LanguageRecord& language : model_.GetLanguages())
        languages_.AddString(language.name);
    SetItemText(IDC_LANGUAGE_LABEL, texts_(L"IDS_LANG_COMBO_LABEL"));

    auto tooltip = std::make_unique<fw::ToolTipCtrl>();
    if (!CreateTooltip(*tooltip))
        return true;
    tooltip_ = std::move(tooltip);
    sheet::StyleTooltip(*tooltip_);
    tooltip_->Activate(true);

    background_.Reset(fw::LoadBitmapResource(IDB_LANGUAGE_BACKGROUND));
    initialised_ = true;
    Refresh();
    return true;
}

void CLanguagePage::Layout(bool measure) {
    sheet::PageLayoutTarget target(hwnd_);
    const RECT client = ClientRect();
    const ctl::Rect page{client.left, client.top, client.right, client.bottom};
    if (measure) {
        layout_ = sheet::MeasureLayout(sheet::kLanguagePageLayout, page, target);
        return;
    }
    sheet::ApplyLayout(sheet::kLanguagePageLayout, layout_, page, target);
    RedrawNow();
}

void CLanguagePage::Refresh() {
    if (!initialised_)
        return;
    const int stored = model_.GetValue(kEngineLanguage);
    for (const LanguageRecord& language : model_.GetLanguages()) {
        if (language.id == stored)
            languages_.SelectString(-1, language.name);
    }
}

// The first language whose name equals the item's text wins, so two languages with one name
// store the first one's id.
void CLanguagePage::OnChoice() {
    const int index = languages_.GetCurSel();
    if (index == CB_ERR)
        return;
    const std::wstring chosen = languages_.GetLBText(index, kNameChars);
    for (const LanguageRecord& language : model_.GetLanguages()) {
        if (chosen == language.name) {
            model_.SetLevel(kLanguageKind, language.id);
            return;
        }
    }
}

bool CLanguagePage::OnCommand(int id, int code, HWND control) {
    if (id == IDC_LANGUAGE_COMBO && code == CBN_SELCHANGE) {
        OnChoice();
        return true;
    }
    return fw::PropertyPage::OnCommand(id, code, control);
}

void CLanguagePage::OnSize(UINT type, int width, int height) {
    fw::PropertyPage::OnSize(type, width, height);
    if (!layout_.empty() && GetWindow(hwnd_, GW_CHILD) != nullptr)
        Layout(false);
}

bool CLanguagePage::OnEraseBkgnd(HDC dc) {
    Default();
    fw::StretchBitmap(dc, background_.Get(), ClientRect());
    return true;
}

void CLanguagePage::OnLButtonDown(UINT flags, POINT point) {
    sheet::ForwardPressToSheet(*this, point);
    fw::PropertyPage::OnLButtonDown(flags, point);
}

HBRUSH CLanguagePage::OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) {
    return colours_.Answer(*this, dc, child, kind);
}

bool CLanguagePage::PreTranslateMessage(MSG& msg) {
    if (tooltip_)
        tooltip_->RelayEvent(msg);
    return fw::PropertyPage::PreTranslateMessage(msg);
}
