#include "controls/SkinTabCtrl.h"

#include "TestSupport.h"
#include "framework/Dialog.h"
#include "win32/ComApartment.h"

#include <gtest/gtest.h>
#include <oleacc.h>

using testing_ui::Surface;

namespace {
constexpr COLORREF kCell = RGB(32, 32, 32);
constexpr COLORREF kMarker = RGB(0, 255, 0);
} // namespace

TEST(SkinTabPainter, EraseFillsOnlyTheClipBoxBlack) {
    Surface surface(100, 40, kMarker);
    const HRGN clip = CreateRectRgn(20, 5, 70, 30);
    SelectClipRgn(surface.Dc(), clip);
    DeleteObject(clip);
    const HGDIOBJ brushBefore = GetCurrentObject(surface.Dc(), OBJ_BRUSH);
    EraseTabStrip(surface.Dc());
    SelectClipRgn(surface.Dc(), nullptr);
    EXPECT_EQ(surface.Count(RECT{20, 5, 70, 30}, RGB(0, 0, 0)), 50 * 25);
    EXPECT_EQ(surface.Count(RECT{0, 0, 100, 40}, kMarker), 100 * 40 - 50 * 25);
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_BRUSH), brushBefore); // the DC's state is restored
}

TEST(SkinTabPainter, SelectedCellFilledUnselectedOnlyItsTextBox) {
    Surface surface(200, 30, RGB(0, 0, 0));
    SetTextColor(surface.Dc(), RGB(9, 9, 9));
    PaintTabItem(surface.Dc(), RECT{0, 0, 90, 24}, ODS_SELECTED, L"Video");
    PaintTabItem(surface.Dc(), RECT{100, 0, 190, 24}, 0, L"Language");
    // Selected: the whole cell, corners included.
    EXPECT_EQ(surface.Pixel(0, 0), kCell);
    EXPECT_EQ(surface.Pixel(89, 23), kCell);
    // Unselected: the strip shows at the corners; the text box starts 4 right and 3 down.
    EXPECT_EQ(surface.Pixel(100, 0), RGB(0, 0, 0));
    EXPECT_EQ(surface.Pixel(189, 23), RGB(0, 0, 0));
    EXPECT_EQ(surface.Pixel(103, 3), RGB(0, 0, 0));
    EXPECT_EQ(surface.Pixel(104, 3), kCell);
    EXPECT_GT(surface.Count(RECT{104, 3, 190, 24}, RGB(255, 255, 255)), 0); // white text
    EXPECT_EQ(GetTextColor(surface.Dc()), RGB(9, 9, 9));
}

TEST(SkinTabCtrl, OwnerDrawnStripOnARealTabControl) {
    testing_ui::TestApplication app;
    fw::Dialog dialog(203, testing_ui::TestContext());
    ASSERT_TRUE(dialog.Create());
    CSkinTabCtrl tabs;
    ASSERT_TRUE(tabs.SubclassDlgItem(1010, dialog.Hwnd()));
    EXPECT_TRUE(GetWindowLongW(tabs.Hwnd(), GWL_STYLE) & TCS_OWNERDRAWFIXED);

    const std::wstring longText(300, L'x');
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"Video");
    SendMessageW(tabs.Hwnd(), TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<wchar_t*>(longText.c_str());
    SendMessageW(tabs.Hwnd(), TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(tabs.GetItemText(1, CSkinTabCtrl::kTextBuffer), std::wstring(255, L'x'));
    // Keep the long tab from filling the strip, so that an empty area remains.
    item.pszText = const_cast<wchar_t*>(L"Lang");
    SendMessageW(tabs.Hwnd(), TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));

    // Button tabs, as the settings sheet shows them.
    tabs.ModifyStyle(0, TCS_BUTTONS);
    ShowWindow(dialog.Hwnd(), SW_SHOW);
    RedrawWindow(tabs.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT selected{}, other{}, client{};
    SendMessageW(tabs.Hwnd(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&selected));
    SendMessageW(tabs.Hwnd(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&other));
    GetClientRect(tabs.Hwnd(), &client);
    // What the screen shows: the strip as painted, not a painter's output.
    Surface shown(client.right, client.bottom, kMarker);
    const HDC dc = GetDC(tabs.Hwnd());
    BitBlt(shown.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(tabs.Hwnd(), dc);
    EXPECT_EQ(shown.Pixel(client.right - 3, client.top + 2), RGB(0, 0, 0)); // empty strip: black
    // The selected cell is filled to its edges; the other one shows the black strip above and
    // left of its text box: no light button face anywhere.
    EXPECT_EQ(shown.Count(RECT{selected.left, selected.top, selected.right, selected.top + 3}, kCell),
              3 * (selected.right - selected.left));
    EXPECT_EQ(shown.Pixel(selected.right - 1, selected.bottom - 1), kCell);
    EXPECT_EQ(shown.Count(RECT{other.left, other.top, other.right, other.top + 3}, RGB(0, 0, 0)),
              3 * (other.right - other.left));
    EXPECT_EQ(shown.Count(RECT{other.left, other.top, other.left + 4, other.bottom}, RGB(0, 0, 0)),
              4 * (other.bottom - other.top));
    EXPECT_EQ(shown.Pixel(other.left + 4, other.top + 3), kCell); // its text box

    // The focus mark runs one pixel inside the selected cell while the strip has the keyboard.
    const auto markPixels = [&] {
        Surface strip(client.right, client.bottom, kMarker);
        SendMessageW(tabs.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(strip.Dc()), PRF_CLIENT);
        const RECT edge{selected.left + 1, selected.top + 1, selected.left + 2, selected.bottom - 1};
        return (edge.bottom - edge.top) - strip.Count(edge, kCell);
    };
    SetFocus(nullptr);
    EXPECT_EQ(markPixels(), 0);
    SetFocus(tabs.Hwnd());
    EXPECT_GT(markPixels(), 0);

    // A screen reader's hit test at the centre of each tab finds that tab.
    const win32::ComApartment apartment;
    win32::ComPtr<IAccessible> reader;
    ASSERT_EQ(AccessibleObjectFromWindow(tabs.Hwnd(), OBJID_CLIENT, __uuidof(IAccessible), reader.OutVoid()), S_OK);
    for (int tab = 0; tab < 2; ++tab) {
        RECT cell{};
        SendMessageW(tabs.Hwnd(), TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&cell));
        POINT centre{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
        ClientToScreen(tabs.Hwnd(), &centre);
        VARIANT hit;
        ASSERT_EQ(reader->accHitTest(centre.x, centre.y, &hit), S_OK);
        EXPECT_EQ(hit.lVal, tab + 1);
    }
}
