// The tree as a screen reader reads it: which rows are children, their states, the navigation
// between them, and what the model reports for the reader's events.
#include "TreeFakes.h"
#include "tree/TreeAccess.h"

#include <gtest/gtest.h>

using namespace tree_test;
namespace reader = tree::access;
using tree::ItemChange;

namespace {

constexpr long kSel = reader::kStateSelected, kFoc = reader::kStateFocused, kExp = reader::kStateExpanded,
               kCol = reader::kStateCollapsed, kBase = reader::kStateSelectable | reader::kStateFocusable;

// Items: 1 "Requirements" (expanded) > 2 "Processor", 3 "Memory" (hidden), 4 "Graphics";
// 5 "Extras" (collapsed) > 6 "Sound". Rows, the reader's children 1 to 4: Requirements,
// Processor, Graphics, Extras.
class TreeAccess : public ::testing::Test {
protected:
    TreeAccess() {
        group = Add<CReportGroupItem>(tree, L"Requirements");
        group->Expand(true);
        cpu = Add(tree, L"Processor", group);
        hidden = Add(tree, L"Memory", group);
        hidden->Show(false);
        gpu = Add(tree, L"Graphics", group);
        extras = Add(tree, L"Extras");
        sound = Add(tree, L"Sound", extras);
        host.changes.clear();
    }
    FakeHost host;
    tree::ReportTreeModel tree{host};
    CReportItem *group, *cpu, *hidden, *gpu, *extras, *sound;
};

TEST_F(TreeAccess, ChildrenAreTheVisibleRowsInRowOrderWithTheirStates) {
    tree.ChangeSelection(cpu);
    EXPECT_EQ(reader::ChildCount(tree), 4);
    struct Row {
        long child;
        CReportItem* item; // null: not a child
        long states;       // list focused
        long unfocused;
    };
    const Row rows[] = {
        {0, nullptr, 0, 0},     {1, group, kBase | kExp, kBase | kExp},  {2, cpu, kBase | kSel | kFoc, kBase | kSel},
        {3, gpu, kBase, kBase}, {4, extras, kBase | kCol, kBase | kCol}, {5, nullptr, 0, 0}, // past the last row
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.child);
        ASSERT_EQ(reader::RowFromChild(tree, r.child), r.item);
        if (!r.item)
            continue;
        EXPECT_EQ(reader::ChildFromRow(tree, r.item), r.child);
        EXPECT_EQ(reader::RowStates(*r.item, true, true), r.states);
        EXPECT_EQ(reader::RowStates(*r.item, false, true), r.unfocused);
    }
    EXPECT_EQ(reader::RowStates(*gpu, true, false), kBase | reader::kStateUnavailable);
    EXPECT_EQ(reader::ChildFromRow(tree, hidden), 0);
    EXPECT_EQ(reader::ChildFromRow(tree, sound), 0); // below a collapsed row
}

TEST_F(TreeAccess, NavigationFollowsTheRowsAndStopsAtTheEnds) {
    using D = reader::Direction;
    struct Step {
        long direction, start, reached;
    };
    const Step steps[] = {
        {D::kFirst, 0, 1}, {D::kLast, 0, 4},  {D::kNext, 0, 0},     {D::kNext, 1, 2}, {D::kNext, 2, 3},
        {D::kDown, 3, 4},  {D::kNext, 4, 0},  {D::kPrevious, 3, 2}, {D::kUp, 2, 1},   {D::kPrevious, 1, 0},
        {D::kNext, 5, 0},  {D::kFirst, 2, 0}, {D::kLeft, 2, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.direction) + " from " + std::to_string(s.start));
        EXPECT_EQ(reader::Navigate(tree, s.direction, s.start), s.reached);
    }
    // Expanding brings the folded row in: the chain, not the tree, decides.
    tree.ToggleExpansion(extras);
    EXPECT_EQ(reader::Navigate(tree, D::kNext, 4), 5);
    EXPECT_EQ(reader::Navigate(tree, D::kLast, 0), 5);
    EXPECT_EQ(reader::RowFromChild(tree, 5), sound);
    EXPECT_EQ(reader::DefaultAction(*extras), reader::RowAction::kCollapse);
    EXPECT_EQ(reader::DefaultAction(*group), reader::RowAction::kCollapse);
    EXPECT_EQ(reader::DefaultAction(*cpu), reader::RowAction::kNone);
}

TEST_F(TreeAccess, RowRectanglesFollowTheRowsAndTheScroll) {
    const tree::Rect first = reader::RowRect(tree, *group);
    const tree::Rect second = reader::RowRect(tree, *cpu);
    EXPECT_EQ(first.top, 0);
    EXPECT_EQ(first.bottom, 21);
    EXPECT_EQ(second.top, 21);
    EXPECT_EQ(second.right, 400);
    tree.SetScrollPosition(21);
    EXPECT_EQ(reader::RowRect(tree, *cpu).top, 0);
}

// The events a reader needs: every selection change (keys, clicks, a collapse that drops the
// selection), every expansion, and caption and value changes that really change something.
TEST_F(TreeAccess, TheModelReportsSelectionExpansionAndTextChanges) {
    const unsigned kDown = 0x28, kLeft = 0x25;
    tree.Key(kDown);
    tree.Key(kDown);
    tree.Key(kDown);           // past the hidden row
    tree.ChangeSelection(gpu); // already selected: nothing
    tree.Key(kDown);
    tree.Key(kDown); // the last row: nothing
    tree.ToggleExpansion(extras);
    tree.ChangeSelection(sound);
    tree.Key(kLeft); // on a row without children: moves up
    tree.ChangeSelection(sound);
    tree.ToggleExpansion(extras); // drops the selection
    cpu->SetCaption(L"CPU");
    cpu->SetCaption(L"CPU");
    const std::wstring value = L"3 GHz";
    cpu->SetValueData(&value);
    cpu->SetValueData(&value);
    const std::vector<std::pair<ItemChange, CReportItem*>> expected = {
        {ItemChange::Selection, group},   {ItemChange::Selection, cpu},    {ItemChange::Selection, gpu},
        {ItemChange::Selection, extras},  {ItemChange::Expansion, extras}, {ItemChange::Selection, sound},
        {ItemChange::Selection, extras},  {ItemChange::Selection, sound},  {ItemChange::Expansion, extras},
        {ItemChange::Selection, nullptr}, {ItemChange::Caption, cpu},      {ItemChange::Value, cpu},
    };
    EXPECT_EQ(host.changes, expected);
}

} // namespace
