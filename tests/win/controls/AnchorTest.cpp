#include "controls/Anchor.h"

#include "TestSupport.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

// The window side of the layout: rectangles in client coordinates, siblings by id, moves.
TEST(AnchorControl, MeasuresAndMovesRealChildren) {
    testing_ui::TestApplication app;
    fw::Dialog dialog(203);
    ASSERT_TRUE(dialog.Create());
    const HWND parent = dialog.Hwnd();
    const HWND centre = GetDlgItem(parent, 1013);
    const HWND left = GetDlgItem(parent, 1012);
    MoveWindow(centre, 150, 120, 60, 20, FALSE);
    MoveWindow(left, 20, 120, 50, 20, FALSE);

    RECT client{0, 0, 360, 200};
    static AnchorDistances centred, follower;
    AnchorControl({1013, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ, centred.left,
                   centred.top, centred.right, centred.bottom, true, client, parent});
    AnchorControl({1012, ANCHOR_PARENT, ANCHOR_PARENT, 1013, ANCHOR_SIZE, 0, follower.left, follower.top,
                   follower.right, follower.bottom, true, client, parent});
    EXPECT_EQ(centred, (AnchorDistances{30, 120, 60, 20}));
    EXPECT_EQ(follower, (AnchorDistances{20, 120, 80, 20}));

    client.right = 560;
    AnchorControl({1013, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ, centred.left,
                   centred.top, centred.right, centred.bottom, false, client, parent});
    AnchorControl({1012, ANCHOR_PARENT, ANCHOR_PARENT, 1013, ANCHOR_SIZE, 0, follower.left, follower.top,
                   follower.right, follower.bottom, false, client, parent});
    EXPECT_EQ(dialog.ChildRect(centre).left, 250);
    EXPECT_EQ(dialog.ChildRect(centre).right, 310);
    const RECT moved = dialog.ChildRect(left);
    EXPECT_EQ(moved.left, 20);
    EXPECT_EQ(moved.right, 170); // the gap to the centred control's left edge is kept
    EXPECT_EQ(moved.bottom - moved.top, 20);
    EXPECT_EQ(ResolveFarEdge(parent, false, 0, 1013, 5, 560), 245);
}
