#include "controls/SkinButton.h"
#include "controls/SkinTabCtrl.h"

#include "TestSupport.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <vector>

using testing_ui::CountLiveGdiObjects;

TEST(GdiBalance, TheCountSeesObjectsComeAndGo) {
    const size_t before = CountLiveGdiObjects();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 50; ++i)
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    EXPECT_EQ(CountLiveGdiObjects(), before + 50);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    EXPECT_EQ(CountLiveGdiObjects(), before);
}

// Every paint of a skinned button and of the tab strip releases what it created.
TEST(GdiBalance, NoGrowthOverAThousandPaints) {
    testing_ui::TestApplication app;
    fw::Dialog dialog(203, testing_ui::TestContext());
    ASSERT_TRUE(dialog.Create());
    CSkinButton button;
    ASSERT_TRUE(button.AttachSkin(1011, dialog.Hwnd(), ctl::kFramed));
    button.focusMark = true;
    CSkinTabCtrl tabs;
    ASSERT_TRUE(tabs.SubclassDlgItem(1010, dialog.Hwnd()));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    for (const wchar_t* text : {L"Video", L"Language", L"Report"}) {
        item.pszText = const_cast<wchar_t*>(text);
        SendMessageW(tabs.Hwnd(), TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(dialog.Hwnd(), SW_SHOW);

    const auto paintBoth = [&] {
        RedrawWindow(button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RedrawWindow(tabs.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    };
    EXPECT_EQ(testing_ui::GdiGrowth(10, 1000, paintBoth), 0);
}
