#include "controls/Anchor.h"
#include "controls/AnchorLayout.h"

#include "TestResources.h"
#include "TestSupport.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

namespace {

// Test dialog controls at known places: the centre one at 150..210, the left one 80 before it.
void PlaceChildren(HWND parent) {
    MoveWindow(GetDlgItem(parent, IDC_CENTRE), 150, 120, 60, 20, FALSE);
    MoveWindow(GetDlgItem(parent, IDC_LEFT), 20, 120, 50, 20, FALSE);
    MoveWindow(GetDlgItem(parent, IDC_SKIN), 200, 60, 40, 16, FALSE);
}

} // namespace

// The window side of the layout, by AnchorControl and by CAnchorLayout: rectangles in client
// coordinates, siblings by id, moves.
TEST(AnchorLayout, MeasuresAndMovesRealChildren) {
    testing_ui::TestApplication app;
    fw::Dialog dialog(IDD_TEST_CONTROLS, testing_ui::TestContext());
    ASSERT_TRUE(dialog.Create());
    const HWND parent = dialog.Hwnd();
    PlaceChildren(parent);

    RECT client{0, 0, 360, 200};
    static ctl::AnchorDistances centred, follower;
    AnchorControl({IDC_CENTRE, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ,
                   centred.left, centred.top, centred.right, centred.bottom, true, client, parent});
    AnchorControl({IDC_LEFT, ANCHOR_PARENT, ANCHOR_PARENT, IDC_CENTRE, ANCHOR_SIZE, 0, follower.left, follower.top,
                   follower.right, follower.bottom, true, client, parent});
    EXPECT_EQ(centred, (ctl::AnchorDistances{30, 120, 60, 20}));
    EXPECT_EQ(follower, (ctl::AnchorDistances{20, 120, 80, 20}));

    client.right = 560;
    AnchorControl({IDC_CENTRE, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ,
                   centred.left, centred.top, centred.right, centred.bottom, false, client, parent});
    AnchorControl({IDC_LEFT, ANCHOR_PARENT, ANCHOR_PARENT, IDC_CENTRE, ANCHOR_SIZE, 0, follower.left, follower.top,
                   follower.right, follower.bottom, false, client, parent});
    EXPECT_EQ(dialog.ChildRect(GetDlgItem(parent, IDC_CENTRE)), (RECT{250, 120, 310, 140}));
    // The gap to the centred control's left edge is kept.
    EXPECT_EQ(dialog.ChildRect(GetDlgItem(parent, IDC_LEFT)), (RECT{20, 120, 170, 140}));
    EXPECT_EQ(ResolveFarEdge(parent, false, 0, IDC_CENTRE, 5, 560), 245);

    // The same placing by a table, with a row by edge flags beside it, on a really resized
    // dialog; a missing child adds nothing.
    PlaceChildren(parent);
    constexpr ctl::LayoutRow rows[] = {
        {IDC_CENTRE, {ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}},
        {IDC_LEFT, {ANCHOR_PARENT, ANCHOR_PARENT, IDC_CENTRE, ANCHOR_SIZE, 0}},
    };
    const RECT before = dialog.ClientRect();
    CAnchorLayout layout;
    layout.Init(parent, before);
    EXPECT_TRUE(layout.AddRows(rows));
    EXPECT_TRUE(layout.AddItem(IDC_SKIN, ctl::kAnchorRight | ctl::kAnchorBottom));
    EXPECT_FALSE(layout.AddItem(4242, 15)) << "no such child";
    const SIZE outer = testing_ui::OuterSize(parent);
    testing_ui::SetOuterSize(parent, {outer.cx + 200, outer.cy + 40});
    ASSERT_TRUE(layout.Apply(false));
    const RECT after = dialog.ClientRect();
    const int dx = after.right - before.right, dy = after.bottom - before.bottom;
    const int centreLeft = after.right / 2 - 30;
    EXPECT_EQ(dialog.ChildRect(GetDlgItem(parent, IDC_CENTRE)), (RECT{centreLeft, 120, centreLeft + 60, 140}));
    EXPECT_EQ(dialog.ChildRect(GetDlgItem(parent, IDC_LEFT)), (RECT{20, 120, centreLeft - 80, 140}));
    EXPECT_EQ(dialog.ChildRect(GetDlgItem(parent, IDC_SKIN)), (RECT{200 + dx, 60 + dy, 240 + dx, 76 + dy}));

    EXPECT_FALSE(layout.Remeasure(IDC_TABS)) << "not registered";
}
