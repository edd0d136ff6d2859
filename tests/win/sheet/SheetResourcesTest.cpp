// What the sheet holds of the system: GDI objects over many openings, its pages without a
// tooltip, and the slider's copy of the page's picture.
#include "SheetTestSupport.h"

#include "ResourceIds.h"
#include "TestSupport.h"

#include <commctrl.h>

using namespace sheet_test;

namespace {

class SheetResources : public SheetFixture {};

// A video page whose tooltip cannot be made.
class PageWithoutTooltip : public CVideoSettingsPage {
public:
    using CVideoSettingsPage::CVideoSettingsPage;

protected:
    bool CreateTooltip(fw::ToolTipCtrl&) override { return false; }
};

void ShowEveryPage(DrivenSheet& s) {
    for (int page = 0; page < s.GetPageCount(); ++page) {
        s.SetActivePage(page);
        UpdateWindow(s.Hwnd());
        RedrawWindow(s.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

} // namespace

TEST_F(SheetResources, NoGdiGrowthOverAHundredOpenings) {
    const auto cycle = [this] {
        RunSheet({
            [](DrivenSheet& s) { ShowEveryPage(s); },
            [](DrivenSheet& s) { Click(s.SheetItem(IDCANCEL)); },
        });
    };
    EXPECT_EQ(testing_ui::GdiGrowth(3, 100, cycle), 0);
}

// Without its tooltip the page still shows the model, its picture, and follows refreshes; only
// the tips are missing.
TEST_F(SheetResources, VideoPageWithoutTooltipStillShowsTheModel) {
    model_->SetValue(kScreenResolutionWidth, 1024);
    model_->SetValue(kScreenResolutionHeight, 768);
    // The page template is a child window: it needs a parent outside a sheet.
    struct Host {
        HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ~Host() { DestroyWindow(hwnd); }
    } host;
    PageWithoutTooltip page(*model_, ProgramContext());
    ASSERT_TRUE(page.Create(host.hwnd));
    EXPECT_TRUE(page.IsInitialised());
    const HWND combo = GetDlgItem(page.Hwnd(), IDC_VIDEO_RESOLUTION);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SelectedText(combo), L"1024x768");
    model_->SetValue(kScreenResolutionWidth, 800);
    model_->SetValue(kScreenResolutionHeight, 600);
    page.RefreshFromModel();
    EXPECT_EQ(SelectedText(combo), L"800x600");
    EXPECT_EQ(SendMessageW(GetDlgItem(page.Hwnd(), IDC_VIDEO_QUALITY), TBM_GETRANGEMAX, 0, 0), 3);
    ChooseItem(page.Hwnd(), IDC_VIDEO_RESOLUTION, 2);
    EXPECT_EQ(model_->GetValue(kScreenResolutionWidth), 1024);

    // The page's picture is behind its controls: a corner pixel is the picture's, not the
    // system's face colour.
    RECT client{};
    GetClientRect(page.Hwnd(), &client);
    testing_ui::Surface drawn(client.right, client.bottom, RGB(255, 0, 255));
    SendMessageW(page.Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(drawn.Dc()), 0);
    testing_ui::Surface expected(client.right, client.bottom, 0);
    fw::StretchBitmap(expected.Dc(), ProgramContext().resources.Picture(IDB_VIDEO_BACKGROUND).Get(), client);
    EXPECT_EQ(drawn.Pixel(2, 2), expected.Pixel(2, 2));
    EXPECT_EQ(drawn.Pixel(client.right / 2, client.bottom - 3), expected.Pixel(client.right / 2, client.bottom - 3));
}

// The slider's background is the page's picture behind it, copied at its first paint and kept.
TEST_F(SheetResources, SliderShowsThePagePictureBehindItsChannel) {
    RunSheet({[](DrivenSheet& s) {
        const HWND page = s.VideoPage().Hwnd();
        const HWND slider = s.VideoItem(IDC_VIDEO_QUALITY);
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // The page's own picture, drawn where the slider lies.
        const RECT at = s.VideoPage().ChildRect(slider);
        const RECT client{0, 0, at.right - at.left, at.bottom - at.top};
        testing_ui::Surface expected(s.VideoPage().ClientRect().right, s.VideoPage().ClientRect().bottom, 0);
        fw::StretchBitmap(expected.Dc(), ProgramContext().resources.Picture(IDB_VIDEO_BACKGROUND).Get(),
                          s.VideoPage().ClientRect());
        // The slider painted into a surface of its own: its top-left corner, left of the channel
        // and clear of the thumb, is the picture's pixel.
        testing_ui::Surface drawn(client.right, client.bottom, RGB(255, 0, 255));
        SendMessageW(slider, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.Dc()), PRF_CLIENT);
        int same = 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                same += drawn.Pixel(x, y) == expected.Pixel(at.left + x, at.top + y);
        EXPECT_EQ(same, 9) << "corner pixels of the slider are the page's picture";
        EXPECT_EQ(drawn.Count(RECT{0, 0, 3, 3}, GetSysColor(COLOR_BTNFACE)), 0);
        Click(s.SheetItem(IDCANCEL));
    }});
}

// The language page without its tooltip selects the model's language and follows refreshes.
TEST_F(SheetResources, LanguagePageWithoutTooltipSelectsTheModelsLanguage) {
    class LanguageWithoutTooltip : public CLanguagePage {
    public:
        using CLanguagePage::CLanguagePage;

    protected:
        bool CreateTooltip(fw::ToolTipCtrl&) override { return false; }
    };
    struct Host {
        HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ~Host() { DestroyWindow(hwnd); }
    } host;
    model_->SetLevel(settings::LevelKind::Language, 3);
    LanguageWithoutTooltip page(*model_, ProgramContext());
    ASSERT_TRUE(page.Create(host.hwnd));
    EXPECT_TRUE(page.IsInitialised());
    const HWND combo = GetDlgItem(page.Hwnd(), IDC_LANGUAGE_COMBO);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SelectedText(combo), GetLocalizedString(L"LANG_GERMAN"));
    model_->SetLevel(settings::LevelKind::Language, 4);
    page.Refresh();
    EXPECT_EQ(SelectedText(combo), GetLocalizedString(L"LANG_FRENCH"));
}
