#include "sheet/LanguagePage.h"

#include "ResourceIds.h"

namespace {

// Item texts are read into a buffer of 260 characters, the terminator included.
constexpr std::size_t kNameChars = 259;

} // namespace

CLanguagePage::CLanguagePage(CSettingsModel& model, fw::WindowContext context)
    : SettingsPage(IDD_LANGUAGE_PAGE, IDB_LANGUAGE_BACKGROUND, sheet::kLanguagePageLayout, model, std::move(context)) {}

void CLanguagePage::DoDataExchange() { Bind(languages_, IDC_LANGUAGE_COMBO); }

void CLanguagePage::FillControls() {
    for (const LanguageRecord& language : model_.GetLanguages())
        languages_.AddString(language.name);
    SetItemText(IDC_LANGUAGE_LABEL, texts_(L"IDS_LANG_COMBO_LABEL"));
}

void CLanguagePage::Refresh() {
    if (!IsInitialised())
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
            model_.SetLevel(settings::LevelKind::Language, language.id);
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
