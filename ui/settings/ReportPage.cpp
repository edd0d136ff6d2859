#include "settings/ReportPage.h"

CReportPage::CReportPage(fw::TextLookup texts, std::function<void()> cancelSheet)
    : CSystemCheckDlg(nullptr, std::move(texts), false), cancelSheet_(std::move(cancelSheet)) {}

void CReportPage::OnCancel() { cancelSheet_(); }
void CReportPage::OnOK() { cancelSheet_(); }
