#include "TreeFakes.h"

#include "tree/RowPainting.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tree_test;
using tree::ReportTreeModel;

namespace {

// The report's shape: a group with a "Minimum" column (7 characters: 49 pixels) and children
// with status images at the column's centre offset.
class ReportPaint : public ::testing::Test {
protected:
    ReportPaint() {
        group = static_cast<CReportGroupItem*>(Add<CReportGroupItem>(tree, L"Requirements"));
        group->Expand(true);
        group->AddColumn(L"Minimum");
        a = Add(tree, L"Processor", group);
        a->AddStatusImage(group->Columns()[0].centreOffset, 1);
        b = Add(tree, L"Memory", group);
        static_cast<CReportTextItem*>(b)->SetValueData(&value);
    }
    void Paint() { PaintItems(tree, canvas); }
    bool HasVerticalLine(int x, int top, tree::Colour colour) const {
        for (const auto& op : canvas.Of("line"))
            if (op.rect.left == x && op.rect.right == x && op.rect.top == top && op.rect.bottom == top + 21 &&
                op.colour == colour)
                return true;
        return false;
    }

    const std::wstring value = L"4096 MB";
    FakeHost host;
    ReportTreeModel tree{host};
    RecordingCanvas canvas;
    CReportGroupItem* group;
    CReportItem* a;
    CReportItem* b;
};

TEST_F(ReportPaint, ColumnLineAndStatusImageSitInTheColumn) {
    ASSERT_EQ(group->ColumnWidth(), 49);
    EXPECT_EQ(group->Columns()[0].leftOffset, 49);
    EXPECT_EQ(group->Columns()[0].centreOffset, 24);
    Paint();
    // The column line at R - w (shadow) and R - w + 1 (highlight) on every row of the group.
    for (int top : {0, 21, 42}) {
        EXPECT_TRUE(HasVerticalLine(351, top, canvas.colours.shadow)) << top;
        EXPECT_TRUE(HasVerticalLine(352, top, canvas.colours.light)) << top;
    }
    // The image centred at R - w / 2 (from the value area's right edge, R - 1).
    const auto images = canvas.Of("image");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].colour, 1u);
    EXPECT_EQ(images[0].rect.left, 399 - 8 - 24);
    EXPECT_EQ(images[0].rect.top, 21 + (20 - 16) / 2);
    // The value then stops at the column block; without images it runs to R - 1.
    EXPECT_EQ(a->ValueArea(), (Rect{145, 21, 351, 41}));
    EXPECT_EQ(b->ValueArea(), (Rect{145, 42, 399, 62}));
    // The title is centred over its column on the group's row.
    const auto texts = canvas.Of("text");
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const auto& op) {
        return op.text == L"Minimum" && op.rect == Rect{353, 0, 400, 21};
    }));
}

TEST_F(ReportPaint, ANarrowerSecondColumnKeepsTheWidthAndShiftsTheFirst) {
    group->AddColumn(L"Max");
    ASSERT_EQ(group->Columns().size(), 2u);
    EXPECT_EQ(group->ColumnWidth(), 49);
    EXPECT_EQ(group->Columns()[0].leftOffset, 98);
    EXPECT_EQ(group->Columns()[0].centreOffset, 74);
    EXPECT_EQ(group->Columns()[1].leftOffset, 49);
    EXPECT_EQ(group->Columns()[1].centreOffset, 24);
    EXPECT_EQ(group->ColumnBlockWidth(), 98);
    group->AddColumn(L"A much wider title"); // 126: every column widens
    EXPECT_EQ(group->Columns()[0].leftOffset, 3 * 126);
    EXPECT_EQ(group->Columns()[2].leftOffset, 126);
}

TEST_F(ReportPaint, StatusImagesWithoutAGroupTrimNothing) {
    CReportItem* loose = Add(tree, L"Loose");
    loose->AddStatusImage(10, 0);
    Paint();
    EXPECT_EQ(loose->ValueArea().right, 400);
    host.imageList = false; // no image list: no images, the value area stays at R - 1
    canvas.ops.clear();
    Paint();
    EXPECT_TRUE(canvas.Of("image").empty());
    EXPECT_EQ(loose->ValueArea().right, 399);
}

TEST_F(ReportPaint, RowsBackgroundsSeparatorsAndDivider) {
    Paint();
    const tree::Colour darkened = tree::DarkenedFace(canvas.colours.face);
    const auto fills = canvas.Of("fill");
    // The top-level row is filled from the left edge to R inclusive.
    EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const auto& op) {
        return op.rect == Rect{0, 0, 401, 21} && op.colour == darkened;
    }));
    const auto dots = canvas.Of("dots");
    // Top-level row: from I over R - I + 1 pixels; a child: from 2 left of its caption to R;
    // the group's closing line over its last pixel row.
    EXPECT_TRUE(std::any_of(dots.begin(), dots.end(), [](const auto& op) { return op.rect == Rect{12, 20, 401, 20}; }));
    EXPECT_TRUE(std::any_of(dots.begin(), dots.end(), [](const auto& op) { return op.rect == Rect{15, 41, 400, 41}; }));
    EXPECT_TRUE(std::any_of(dots.begin(), dots.end(), [](const auto& op) { return op.rect == Rect{12, 62, 400, 62}; }));
    // The divider on the children's rows only.
    EXPECT_TRUE(HasVerticalLine(140, 21, canvas.colours.shadow));
    EXPECT_TRUE(HasVerticalLine(141, 21, canvas.colours.light));
    EXPECT_FALSE(HasVerticalLine(140, 0, canvas.colours.shadow));
    EXPECT_EQ(canvas.clipDepth, 0);
}

TEST_F(ReportPaint, SelectionAndDisabledColours) {
    a->Select(true);
    Paint();
    const auto fills = canvas.Of("fill");
    EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const auto& op) {
        return op.rect == Rect{12, 21, 140, 42} && op.colour == canvas.colours.highlight;
    }));
    auto caption = [&](const std::wstring& text) {
        for (const auto& op : canvas.Of("text"))
            if (op.text == text)
                return op;
        return RecordingCanvas::Op{};
    };
    EXPECT_EQ(caption(L"Processor").colour, canvas.colours.light);
    EXPECT_EQ(caption(L"Memory").colour, canvas.colours.text);
    EXPECT_EQ(caption(L"Requirements").colour, canvas.colours.light); // top level
    EXPECT_EQ(caption(L"4096 MB").colour, canvas.colours.black);
    host.enabled = false;
    canvas.ops.clear();
    Paint();
    EXPECT_EQ(caption(L"Processor").colour, canvas.colours.grey);
    EXPECT_EQ(caption(L"Memory").colour, canvas.colours.grey);
}

TEST_F(ReportPaint, CollapsedAndHiddenItemsAreNotPainted) {
    b->Show(false);
    Paint();
    EXPECT_EQ(tree.VisibleChain()->NextVisible()->NextVisible(), nullptr); // group, a
    group->Expand(false);
    canvas.ops.clear();
    Paint();
    EXPECT_EQ(tree.VisibleChain(), group);
    EXPECT_EQ(group->NextVisible(), nullptr);
    EXPECT_TRUE(canvas.Of("image").empty());
    // The collapsed group shows the plus: two lines in the expander box.
    const Rect box = group->ExpanderBox();
    EXPECT_EQ(box, (Rect{3, 4, 12, 13}));
    int lines = 0;
    for (const auto& op : canvas.Of("line"))
        lines += op.rect.left >= box.left && op.rect.right <= box.right && op.rect.top >= box.top;
    EXPECT_EQ(lines, 2);
}

TEST_F(ReportPaint, ScrolledRowsPaintShiftedButKeepDocumentPositions) {
    tree.SetScrollPosition(21);
    Paint();
    EXPECT_EQ(a->Position(), (tree::Point{0, 21}));
    EXPECT_EQ(a->ValueArea().top, 0);
}

TEST_F(ReportPaint, EmptyTextsPaintAWorkingRow) {
    CReportItem* empty = Add(tree, L"", group);
    static_cast<CReportTextItem*>(empty)->SetValueData(nullptr); // null leaves it unchanged
    Paint();
    EXPECT_EQ(static_cast<CReportTextItem*>(empty)->ValueText(), L"");
    EXPECT_TRUE(tree.OnVisibleChain(empty));
    EXPECT_EQ(tree.ItemAtPoint({50, empty->Position().y + 3}), empty);
}

TEST_F(ReportPaint, SettingAValueInvalidatesItsArea) {
    Paint();
    host.invalidated.clear();
    const std::wstring next = L"8192 MB";
    b->SetValueData(&next);
    ASSERT_EQ(host.invalidated.size(), 1u);
    EXPECT_EQ(host.invalidated[0], b->ValueArea());
}

// Only the rows meeting the clip box are drawn; a group that runs through it from above still
// draws its band beside its children, after the last of them that was drawn.
TEST(ReportPaintClip, OnlyTheRowsInTheClipBoxAndTheGroupsAroundThem) {
    FakeHost host;
    ReportTreeModel tree{host};
    CReportItem* top = Add<CReportGroupItem>(tree, L"Top");
    top->Expand(true);
    CReportItem* sub = Add<CReportGroupItem>(tree, L"Sub", top); // rows 21 to 251 with its children
    sub->Expand(true);
    for (int i = 0; i < 10; ++i) { // s0 at 42, s5 at 147
        const std::wstring value = L"v" + std::to_wstring(i);
        static_cast<CReportTextItem*>(Add(tree, L"s" + std::to_wstring(i), sub))->SetValueData(&value);
    }
    Add(tree, L"After", top);
    tree.SetScrollPosition(100);
    RecordingCanvas canvas;
    canvas.clip = {0, 50, 400, 80}; // document rows 150 to 179: s5 and s6
    PaintItems(tree, canvas);

    std::vector<std::wstring> texts;
    size_t lastText = 0;
    for (size_t i = 0; i < canvas.ops.size(); ++i)
        if (canvas.ops[i].kind == "text") {
            texts.push_back(canvas.ops[i].text);
            lastText = i;
        }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"s5", L"v5", L"s6", L"v6"}));
    // Sub's band: from its label's left edge (12), I wide, from its row's last pixel row down
    // to the end of its children, on screen 100 higher; nothing of Top's or Sub's closing lines.
    const Rect band{12, 21 + 20 - 100, 24, 252 - 100};
    const auto& ops = canvas.ops;
    const auto found = std::find_if(ops.begin(), ops.end(), [&](const RecordingCanvas::Op& op) {
        return op.kind == "fill" && op.rect == band && op.colour == canvas.colours.face;
    });
    ASSERT_NE(found, ops.end());
    EXPECT_GT(static_cast<size_t>(found - ops.begin()), lastText);
    EXPECT_EQ(canvas.Of("dots").size(), 2u) << "the separators of s5 and s6 only";
    EXPECT_EQ(canvas.clipDepth, 0);

    canvas.ops.clear();
    canvas.clip = {0, 0, 0, 0}; // nothing can show
    PaintItems(tree, canvas);
    EXPECT_TRUE(canvas.ops.empty());
}

} // namespace
