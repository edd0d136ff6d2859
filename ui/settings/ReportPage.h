// The system check report as the settings sheet's third page: without an OK button of its own,
// and with no way out of its own either. Its cancel and OK commands, which would end the report
// when it runs as a dialog, close the whole sheet the way the sheet's Cancel does.
#pragma once

#include "report/SystemCheckDlg.h"

#include <functional>

class CReportPage final : public CSystemCheckDlg {
public:
    CReportPage(fw::TextLookup texts, std::function<void()> cancelSheet);

protected:
    void OnCancel() override;
    void OnOK() override;

private:
    std::function<void()> cancelSheet_;
};
