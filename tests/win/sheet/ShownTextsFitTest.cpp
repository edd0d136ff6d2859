// No text the player sees is cut by its control: the report's help link through resizes and the
// settings sheet's tab captions, in every language, measured in the controls' own fonts on the
// real windows (the templates alone are checked elsewhere).
#include "Driven.h"
#include "SheetTestSupport.h"
#include "TestSupport.h"

#include "ResourceIds.h"
#include "report/SystemCheckDlg.h"

#include <commctrl.h>

#include <string>
#include <vector>

using namespace sheet_test;

namespace {

const wchar_t* const kLanguages[] = {L"EN", L"DEU", L"FR", L"ESM", L"ITA"};

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// "" when the control shows its whole text on one line, else what is cut.
std::string CutText(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const std::wstring text = WindowText(control);
    const int width = testing_ui::TextWidthIn(control, text);
    if (width <= client.right)
        return {};
    return "text " + std::to_string(width) + " px wide in a " + std::to_string(client.right) + " px control";
}

// Each tab's caption is written 4 pixels into its cell and must end inside it.
std::vector<std::string> CutTabCaptions(HWND tabs) {
    std::vector<std::string> cut;
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t caption[256]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 256;
        RECT cell{};
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
        const int width = 4 + testing_ui::TextWidthIn(tabs, item.pszText);
        if (width > cell.right - cell.left)
            cut.push_back("tab " + std::to_string(index) + ": " + std::to_string(width) + " px in a " +
                          std::to_string(cell.right - cell.left) + " px cell");
    }
    return cut;
}

class ShownTextsFit : public SheetFixture {
protected:
    void TearDown() override { ProgramResources::UseEnglish(); }
};

TEST_F(ShownTextsFit, HelpLinkAndTabCaptionsInEveryLanguage) {
    for (const wchar_t* language : kLanguages) {
        SCOPED_TRACE(std::string(language, language + wcslen(language)));
        ProgramResources::UseLanguage(language);

        using Report = testing_ui::Driven<CSystemCheckDlg>;
        SIZE initial{};
        const auto linkFits = [](Report& d, const char* when) {
            EXPECT_EQ(CutText(GetDlgItem(d.Hwnd(), IDC_REPORT_HELP_LINK)), "") << "help link, " << when;
        };
        Report report({[&](Report& d) {
                           linkFits(d, "as opened");
                           initial = testing_ui::OuterSize(d.Hwnd());
                           testing_ui::SetOuterSize(d.Hwnd(), {initial.cx + 150, initial.cy + 40});
                       },
                       [&](Report& d) {
                           linkFits(d, "widened");
                           testing_ui::SetOuterSize(d.Hwnd(), initial);
                       },
                       [&](Report& d) {
                           linkFits(d, "back to its first size");
                           d.EndDialog(IDCANCEL);
                       }},
                      nullptr, ProgramContext(), registry_);
        report.AttachApplication(&hardware_);
        report.DoModal();

        RunSheet({[](DrivenSheet& s) {
            EXPECT_EQ(CutTabCaptions(s.GetTabControl()), std::vector<std::string>{});
            Click(s.SheetItem(IDCANCEL));
        }});
    }
}

} // namespace
