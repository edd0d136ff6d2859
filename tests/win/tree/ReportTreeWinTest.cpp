// The tree control on real windows: its list painted into memory bitmaps and checked pixel by
// pixel, its notifications, shared fonts, back buffer and scrolling.
#include "TestResources.h"
#include "TestSupport.h"
#include "controls/ScaledArt.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreeList.h"
#include "tree/ReportTreePane.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using testing_ui::SequenceIs;

namespace {

std::string CodeName(int code) {
    switch (code) {
    case RTN_ITEMADDED: return "RTN_ITEMADDED";
    case RTN_ITEMREMOVING: return "RTN_ITEMREMOVING";
    case RTN_SELCHANGED: return "RTN_SELCHANGED";
    case RTN_ITEMEXPANDING: return "RTN_ITEMEXPANDING";
    case RTN_DIVIDERDRAG: return "RTN_DIVIDERDRAG";
    case RTN_ITEMACTIVATE: return "RTN_ITEMACTIVATE";
    case RTN_CHECKCHANGED: return "RTN_CHECKCHANGED";
    case RTN_CLICK: return "click";
    case RTN_RCLICK: return "right click";
    default: return "code " + std::to_string(code);
    }
}

// Records the notifications the tree sends to its parent, one line each: the sender's control
// id, the code, the item by id, and whether the record's tail was left non-zero.
class Recorder : public fw::CustomWindow {
public:
    Recorder() {
        RegisterWindowClass(L"ReportTestParent", 0, nullptr, nullptr);
        Create(L"ReportTestParent", L"", WS_POPUP, RECT{0, 0, 500, 400}, nullptr, 0);
    }
    ~Recorder() override {
        if (hwnd_)
            DestroyWindow(hwnd_);
    }
    testing_ui::MessageLog log;
    int veto = 0;

protected:
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override {
        const auto& record = reinterpret_cast<const NMREPORTTREE&>(header);
        const int code = static_cast<int>(header.code);
        std::string item = record.item == tree::kAllItems ? "all items"
                           : record.item                  ? "item " + std::to_string(record.item->Id())
                                                          : "no item";
        bool zero = true;
        for (BYTE byte : record.reserved)
            zero = zero && byte == 0;
        log.Add(std::to_string(id) + ": " + CodeName(code) + ", " + item + (zero ? "" : ", tail not zero"));
        result = code == veto ? 1 : 0;
        return true;
    }
};

class TreeWindow : public testing::Test {
protected:
    // A group with a "Minimum" column and children with a red status image and none.
    void Fill(CReportTree& tree, int children) {
        fw::ImageList images;
        ASSERT_TRUE(images.Create(testing_ui::TestResources().Module(), IDB_TEST_IMAGES, 16, 10, RGB(255, 255, 255)));
        tree.SetNodeImages(std::move(images));
        group = static_cast<CReportGroupItem*>(tree.AddItem(std::make_unique<CReportGroupItem>()));
        group->SetCaption(L"Req");
        group->AddColumn(L"Minimum");
        group->Expand(true);
        for (int i = 0; i < children; ++i) {
            auto item = std::make_unique<CReportTextItem>();
            item->SetCaption(L"Row");
            const std::wstring value = L"v";
            item->SetValueData(&value);
            if (i == 0)
                item->AddStatusImage(group->Columns()[0].centreOffset, 0);
            tree.AddItem(std::move(item), group);
        }
    }
    RECT ListClient(const CReportTree& tree) const {
        RECT client{};
        GetClientRect(tree.List().Hwnd(), &client);
        return client;
    }

    testing_ui::TestApplication app_;
    Recorder parent_;
    CReportGroupItem* group = nullptr;
};

TEST_F(TreeWindow, RowsDividerColumnLineAndStatusImagePixels) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 420, 300}, parent_.Hwnd(), 5));
    Fill(tree, 3);
    const RECT client = ListClient(tree);
    const int R = client.right;
    const int D = tree.Model().Divider();
    const int w = group->ColumnWidth();
    ASSERT_GT(w, 16);
    EXPECT_EQ(D, 420 * 30 / 100);
    testing_ui::Surface surface(client.right, client.bottom, RGB(1, 2, 3));
    tree.List().PaintRows(surface.Dc(), client);

    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF darkened = tree::DarkenedFace(GetSysColor(COLOR_BTNFACE));
    const COLORREF white = RGB(255, 255, 255);
    // The top-level row in the darkened face; the children's rows on the white inner area.
    EXPECT_EQ(surface.Pixel(R - w - 3, 3), darkened);
    EXPECT_EQ(surface.Pixel(R - w - 5, 31), white);
    // The left gutter stays darkened below the rows' own fills, the frame sunken.
    EXPECT_EQ(surface.Pixel(5, 200), darkened);
    // The divider at D in the shadow colour, D + 1 in the highlight colour, on child rows.
    EXPECT_EQ(surface.Pixel(D, 30), shadow);
    EXPECT_EQ(surface.Pixel(D + 1, 30), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(surface.Pixel(D, 3), shadow) << "no divider on the top-level row";
    // The column line at R - w on every row of the group.
    for (int y : {3, 30, 51})
        EXPECT_EQ(surface.Pixel(R - w, y), shadow) << y;
    // The red image centred at R - w / 2 (one left of it: the value area ends at R - 1):
    // its red pixels balance around that column and stay within 8 pixels of it.
    const int centreX = R - 1 - w / 2;
    int red = 0, left = 0, right = 0;
    for (int y = 21; y < 42; ++y)
        for (int x = centreX - 12; x < centreX + 12; ++x) {
            const COLORREF c = surface.Pixel(x, y);
            if (GetRValue(c) > GetGValue(c) + 60) {
                ++red;
                left += x < centreX;
                right += x >= centreX;
                EXPECT_LE(std::abs(x - centreX), 8) << x;
            }
        }
    EXPECT_GT(red, 40);
    EXPECT_LE(std::abs(left - right), red / 8 + 2) << left << " left, " << right << " right";
    EXPECT_EQ(surface.Pixel(centreX - 12, 31), white);
    EXPECT_EQ(surface.Pixel(R - 1 - w / 2, 52), white) << "the second row has no image";
    // Dotted separators on the last pixel row of each child row.
    EXPECT_GT(surface.Count(RECT{20, 41, D, 42}, shadow), (D - 20) / 2 - 2);
}

TEST_F(TreeWindow, AtTwiceTheDpiRowsAndStatusImagesAreTwiceAsLarge) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 420, 300}, parent_.Hwnd(), 5));
    tree.SetAppearance(fw::Appearance{192});
    fw::ImageList images;
    ASSERT_TRUE(
        art::LoadImageStrip(images, testing_ui::TestResources(), IDB_TEST_IMAGES, SIZE{16, 16}, 3, 192, RGB(255, 255, 255)));
    int width = 0, height = 0;
    ImageList_GetIconSize(images.Get(), &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    CReportItem* group = tree.AddItem(std::make_unique<CReportGroupItem>());
    group->Expand(true);
    EXPECT_EQ(tree.AddItem(std::make_unique<CReportTextItem>(), group)->Position().y, 42);
    EXPECT_EQ(tree.InfoPaneHeight(), 100);
    RECT list{};
    GetWindowRect(tree.List().Hwnd(), &list);
    EXPECT_EQ(list.bottom - list.top, 300 - 100);
}

TEST_F(TreeWindow, SelectionAndDisabledColours) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 420, 300}, parent_.Hwnd(), 5));
    Fill(tree, 2);
    const RECT client = ListClient(tree);
    tree.Model().Click({60, 31});
    ASSERT_NE(tree.SelectedItem(), nullptr);
    testing_ui::Surface selected(client.right, client.bottom, RGB(1, 2, 3));
    tree.List().PaintRows(selected.Dc(), client);
    const int D = tree.Model().Divider();
    EXPECT_EQ(selected.Pixel(13, 23), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected.Pixel(D - 2, 38), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected.Pixel(D + 10, 38), RGB(255, 255, 255)) << "the value area is not highlighted";

    EnableWindow(tree.Hwnd(), FALSE);
    testing_ui::Surface disabled(client.right, client.bottom, RGB(1, 2, 3));
    tree.List().PaintRows(disabled.Dc(), client);
    const COLORREF darkened = tree::DarkenedFace(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(disabled.Pixel(client.right - 80, 52), darkened);
    const RECT secondLabel{12, 42, D, 62};
    EXPECT_GT(disabled.Count(secondLabel, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(disabled.Count(secondLabel, GetSysColor(COLOR_BTNTEXT)), 0);
}

// In a contrast theme the rows, the indent, the grid and the pane stand in the window's colours,
// the selection in the system's.
TEST_F(TreeWindow, InAContrastThemeTheSystemsColours) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 420, 300}, parent_.Hwnd(), 5));
    Fill(tree, 2);
    tree.SetAppearance(fw::Appearance{tree.Look().dpi, true});
    tree.Model().Click({60, 31});
    const RECT client = ListClient(tree);
    testing_ui::Surface rows(client.right, client.bottom, RGB(1, 2, 3));
    tree.List().PaintRows(rows.Dc(), client);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const int D = tree.Model().Divider();
    EXPECT_EQ(rows.Pixel(client.right - group->ColumnWidth() - 3, 3), window) << "the top-level row";
    EXPECT_EQ(rows.Pixel(5, 200), window) << "the indent";
    EXPECT_EQ(rows.Pixel(13, 23), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(rows.Pixel(D, 30), GetSysColor(COLOR_WINDOWTEXT)) << "the divider";
    RECT pane{};
    GetClientRect(tree.Pane().Hwnd(), &pane);
    testing_ui::Surface shown(pane.right, pane.bottom, RGB(1, 2, 3));
    tree.Pane().PaintPane(shown.Dc(), pane);
    EXPECT_EQ(shown.Pixel(pane.right / 2, pane.bottom - 3), window);
    EXPECT_GT(shown.Count(pane, GetSysColor(COLOR_WINDOWTEXT)), 0);
}

// The selected row's dotted mark shows while the list has the keyboard, unless the window's UI
// state hides focus marks.
TEST_F(TreeWindow, FocusMarkOnTheSelectedRowFollowsTheUiState) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 420, 300}, parent_.Hwnd(), 5));
    Fill(tree, 2);
    tree.Model().Click({60, 31});
    ShowWindow(parent_.Hwnd(), SW_SHOWNOACTIVATE);
    const HWND list = tree.List().Hwnd();
    const RECT client = ListClient(tree);
    // The selected row's top edge, as the screen shows it.
    const auto edge = [&] {
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        testing_ui::Surface shot(client.right, client.bottom, RGB(1, 2, 3));
        const HDC dc = GetDC(list);
        BitBlt(shot.Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(list, dc);
        std::vector<COLORREF> row;
        for (int x = 4; x < tree.Model().Divider() - 4; ++x)
            row.push_back(shot.Pixel(x, 21));
        return row;
    };
    SetFocus(nullptr);
    const std::vector<COLORREF> unfocused = edge();
    SetFocus(list);
    testing_ui::UiStateStandIn uiState(list, UISF_HIDEFOCUS);
    EXPECT_EQ(edge(), unfocused) << "marked while the UI state hides focus marks";
    uiState.Set(0);
    SendMessageW(list, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_NE(edge(), unfocused) << "no mark with the keyboard's focus";
    SetFocus(nullptr);
    EXPECT_EQ(edge(), unfocused) << "the mark stays after the focus left";
}

TEST_F(TreeWindow, NotificationsOnlyWithTheNotifyStyle) {
    CReportTree quiet;
    ASSERT_TRUE(quiet.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 200}, parent_.Hwnd(), 5));
    parent_.veto = RTN_ITEMREMOVING;
    CReportItem* item = quiet.AddItem(std::make_unique<CReportTextItem>());
    quiet.RemoveItem(item); // nothing reaches the parent, so nothing vetoes
    EXPECT_TRUE(SequenceIs(parent_.log, {}));
    EXPECT_EQ(quiet.Model().Root().FirstChild(), nullptr);

    CReportTree loud;
    ASSERT_TRUE(loud.Create(WS_CHILD | WS_VISIBLE | RTS_NOTIFY, RECT{0, 0, 300, 200}, parent_.Hwnd(), 6));
    item = loud.AddItem(std::make_unique<CReportTextItem>());
    loud.RemoveItem(item);
    EXPECT_EQ(loud.Model().Root().FirstChild(), item) << "the parent vetoed the removal";
    // A press on the row, before the list has ever painted: the click, then the new selection.
    SendMessageW(loud.List().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 10));
    EXPECT_TRUE(SequenceIs(parent_.log, {"6: RTN_ITEMADDED, item 1", "6: RTN_ITEMREMOVING, item 1",
                                         "6: click, all items", "6: RTN_SELCHANGED, item 1"}));
}

TEST_F(TreeWindow, FontsAreSharedUntilTheLastTreeGoes) {
    HFONT normal = nullptr;
    {
        CReportTree first;
        normal = first.NormalFont();
        ASSERT_NE(normal, nullptr);
        ASSERT_NE(first.BoldFont(), nullptr);
        {
            CReportTree second;
            EXPECT_EQ(second.NormalFont(), normal);
        }
        EXPECT_EQ(GetObjectType(normal), static_cast<DWORD>(OBJ_FONT));
        LOGFONTW bold{};
        GetObjectW(first.BoldFont(), sizeof bold, &bold);
        EXPECT_EQ(bold.lfWeight, FW_BOLD);
    }
    EXPECT_EQ(GetObjectType(normal), 0u);
}

TEST_F(TreeWindow, BackBufferGrowsOnlyWhenNeeded) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 200}, parent_.Hwnd(), 5));
    tree.Resize(400, 300);
    const HBITMAP grown = tree.List().BackBuffer();
    const int width = tree.List().BackBufferWidth();
    EXPECT_EQ(width, ListClient(tree).right);
    tree.Resize(350, 250);
    EXPECT_EQ(tree.List().BackBuffer(), grown);
    EXPECT_EQ(tree.List().BackBufferWidth(), width);
    tree.Resize(350, 400); // taller only: re-created
    EXPECT_NE(tree.List().BackBuffer(), nullptr);
    EXPECT_EQ(tree.List().BackBufferHeight(), ListClient(tree).bottom);
}

TEST_F(TreeWindow, WheelAndPageScrolling) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 250}, parent_.Hwnd(), 5));
    Fill(tree, 3);
    const HWND list = tree.List().Hwnd();
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(tree.Model().ScrollPosition(), 0) << "the rows fit: the wheel does nothing";

    for (int i = 0; i < 30; ++i)
        tree.AddItem(std::make_unique<CReportTextItem>(), group);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
    EXPECT_EQ(tree.Model().ScrollPosition(), 21) << "one line per message, whatever the delta";
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(tree.Model().ScrollPosition(), 42);
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(tree.Model().ScrollPosition(), 21);
    const int page = ListClient(tree).bottom + 1;
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(tree.Model().ScrollPosition(), 21 + page);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), 21 + page);
}

TEST_F(TreeWindow, InfoPaneCanBeHidden) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 250}, parent_.Hwnd(), 5));
    RECT list{};
    GetWindowRect(tree.List().Hwnd(), &list);
    EXPECT_EQ(list.bottom - list.top, 200);
    tree.ShowInfoPane(false);
    GetWindowRect(tree.List().Hwnd(), &list);
    EXPECT_EQ(list.bottom - list.top, 250);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(tree.Hwnd(), 0xFFFF), GWL_STYLE) & WS_VISIBLE, 0);
}

} // namespace

// The tree says which texts its rows cut: a caption at the divider, a value at the column block,
// a column title wider than its column; none once the rows have room.
TEST_F(TreeWindow, SaysWhichRowTextsItCuts) {
    CReportTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 420, 300}, parent_.Hwnd(), 5));
    Fill(tree, 2);
    CReportItem* row = group->FirstChild();
    row->SetCaption(L"A caption far too long for the label area of this tree");
    const std::wstring value = L"A value far too long for the room left of the column of status images";
    row->SetValueData(&value);
    EXPECT_EQ(tree.List().CutLines(), (std::vector<std::wstring>{row->Caption(), value}));
    const UINT ask = CReportTreeList::CutLinesMessage();
    EXPECT_EQ(SendMessageW(tree.List().Hwnd(), ask, 0, 0), 2);
    wchar_t line[CReportTreeList::kCutLineRoom]{};
    EXPECT_EQ(SendMessageW(tree.List().Hwnd(), ask, 1, reinterpret_cast<LPARAM>(line)),
              static_cast<LRESULT>(value.size()));
    EXPECT_EQ(line, value);
    EXPECT_EQ(SendMessageW(tree.List().Hwnd(), ask, 2, reinterpret_cast<LPARAM>(line)), -1);
    row->SetCaption(L"Row");
    const std::wstring shortValue = L"v";
    row->SetValueData(&shortValue);
    EXPECT_TRUE(tree.List().CutLines().empty());
}
