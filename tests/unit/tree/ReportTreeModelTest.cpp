#include "TreeFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace tree_test;
using tree::ReportTreeModel;

namespace {

// A group with one "Minimum" column (49 pixels) and three text items, never painted: the model
// lays its rows out itself.
class ReportTree : public ::testing::Test {
protected:
    ReportTree() {
        group = Add<CReportGroupItem>(tree, L"System requirements");
        group->Expand(true);
        static_cast<CReportGroupItem*>(group)->AddColumn(L"Minimum");
        a = Add(tree, L"Processor", group);
        b = Add(tree, L"Memory", group);
        c = Add(tree, L"Graphics", group);
        host.sent.clear();
    }
    std::vector<CReportItem*> Chain() const {
        std::vector<CReportItem*> items;
        for (CReportItem* i = tree.VisibleChain(); i; i = i->NextVisible())
            items.push_back(i);
        return items;
    }

    FakeHost host;
    ReportTreeModel tree{host};
    CReportItem* group;
    CReportItem* a;
    CReportItem* b;
    CReportItem* c;
};

TEST_F(ReportTree, ItemsKeepInsertionOrderIdsAndLinks) {
    EXPECT_EQ(group->Id(), 1);
    EXPECT_EQ(c->Id(), 4);
    EXPECT_EQ(group->FirstChild(), a);
    EXPECT_EQ(a->NextSibling(), b);
    EXPECT_EQ(b->NextSibling(), c);
    EXPECT_EQ(c->Parent(), group);
    EXPECT_TRUE(group->IsTopLevel());
    EXPECT_FALSE(a->IsTopLevel());
    EXPECT_EQ(tree.ItemFromId(3), b);
    EXPECT_EQ(tree.ItemFromId(99), nullptr);
    EXPECT_EQ(tree.AddItem(nullptr), nullptr);
    EXPECT_EQ(Chain(), (std::vector<CReportItem*>{group, a, b, c}));
    for (CReportItem* item : Chain())
        EXPECT_EQ(item->RowHeight(), 21);
}

TEST_F(ReportTree, AddingNotifiesAndRefreshesOnlyWithAWindow) {
    CReportItem* d = Add(tree, L"Disk", group);
    EXPECT_EQ(host.sent, (std::vector<Notification>{{RTN_ITEMADDED, d}}));
    const int repaints = host.repaints;
    host.window = false;
    Add(tree, L"Sound", group);
    EXPECT_EQ(host.repaints, repaints);
}

TEST_F(ReportTree, HitTestCodes) {
    struct Case {
        Point point;
        int code;
    };
    // Divider at 140: it answers from 135 to 145 on rows below the top level only.
    const Case cases[] = {
        {{5, 8}, tree::kHitExpander}, {{50, 10}, tree::kHitLabel},    {{140, 10}, tree::kHitLabel},
        {{146, 10}, tree::kHitValue}, {{135, 30}, tree::kHitDivider}, {{145, 30}, tree::kHitDivider},
        {{134, 30}, tree::kHitLabel}, {{146, 30}, tree::kHitValue},   {{10, 84}, tree::kHitNowhere},
        {{10, 83}, tree::kHitLabel},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tree.HitTestPoint(c.point), c.code) << c.point.x << "," << c.point.y;
    EXPECT_EQ(tree.ItemAtPoint({999, 45}), b); // x plays no part
    tree.SetScrollPosition(21);
    EXPECT_EQ(tree.ItemAtPoint({0, 0}), a);
}

TEST_F(ReportTree, DividerLimits) {
    struct Case {
        int wanted, expected;
    };
    // Column block 49 wide at the right edge 400: limit 400 - 49 - 13 - 15 = 323.
    for (const Case& c : {Case{5, 12}, Case{12, 12}, Case{200, 200}, Case{322, 322}, Case{330, 323}}) {
        tree.SetDividerPosition(c.wanted);
        EXPECT_EQ(tree.Divider(), c.expected) << c.wanted;
    }
    FakeHost plainHost;
    ReportTreeModel plain{plainHost};
    Add(plain, L"no groups");
    plain.SetDividerPosition(395);
    EXPECT_EQ(plain.Divider(), 388); // client width - 12
    plainHost.client = {};
    plain.SetDividerPosition(1000);
    EXPECT_EQ(plain.Divider(), 1000);
    plain.SetDividerPosition(-3);
    EXPECT_EQ(plain.Divider(), 12);
}

TEST_F(ReportTree, KeysMoveTheSelectionAlongTheVisibleChain) {
    struct Step {
        unsigned key;
        CReportItem* selected;
        bool notifies;
    };
    const unsigned down = 0x28, up = 0x26, home = 0x24, end = 0x23;
    const Step steps[] = {{down, group, true}, {down, a, true},     {end, c, true},    {down, c, false},
                          {up, b, true},       {home, group, true}, {up, group, false}};
    for (const Step& s : steps) {
        host.sent.clear();
        EXPECT_TRUE(tree.Key(s.key));
        EXPECT_EQ(tree.SelectedItem(), s.selected) << s.key;
        EXPECT_EQ(s.selected->IsSelected(), true);
        const std::vector<Notification> expected =
            s.notifies ? std::vector<Notification>{{RTN_SELCHANGED, s.selected}} : std::vector<Notification>{};
        EXPECT_EQ(host.sent, expected) << s.key;
    }
    int selectedFlags = 0;
    for (CReportItem* item : Chain())
        selectedFlags += item->IsSelected();
    EXPECT_EQ(selectedFlags, 1);
    EXPECT_FALSE(tree.Key('A')); // other keys get the default handling
}

// Every moving key from a tree with nothing selected: Up takes the last row, Down and Home the
// first, End the last; Left and Right need a selection and do nothing, not even ask.
TEST_F(ReportTree, KeysWithNothingSelected) {
    const struct {
        unsigned key;
        CReportItem* selected;
        std::vector<int> codes;
    } cases[] = {
        {0x26, c, {RTN_SELCHANGED}},
        {0x28, group, {RTN_SELCHANGED}},
        {0x24, group, {RTN_SELCHANGED}},
        {0x23, c, {RTN_SELCHANGED}},
        {0x25, nullptr, {}},
        {0x27, nullptr, {}},
        {0x0D, nullptr, {}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.key);
        tree.Click({50, 150}); // below the rows: nothing selected
        host.sent.clear();
        EXPECT_TRUE(tree.Key(k.key));
        EXPECT_EQ(tree.SelectedItem(), k.selected);
        EXPECT_EQ(host.Codes(), k.codes);
        EXPECT_TRUE(group->IsExpanded());
    }
}

TEST_F(ReportTree, ClickGivesTheListTheFocusAfterTheClickNotification) {
    tree.Click({50, 150}); // even below the rows
    EXPECT_EQ(host.focusedAfter, 1);
    host.focusedAfter = -1;
    host.sent.clear();
    tree.Click({5, 8}); // the expander too
    EXPECT_EQ(host.focusedAfter, 1);

    host.focusedAfter = -1;
    host.enabled = false;
    tree.Click({50, 30});
    EXPECT_EQ(host.focusedAfter, -1);
    host.enabled = true;
    tree.SetInputLocked(true);
    tree.Click({50, 30});
    EXPECT_EQ(host.focusedAfter, -1);
}

// A vetoed expansion keeps the item as it is, whichever way it was asked for; a double click on
// the label still selects before asking.
TEST_F(ReportTree, ExpansionVetoedThroughClickAndDoubleClick) {
    host.vetoCode = RTN_ITEMEXPANDING;
    tree.Click({5, 8}); // the expander
    EXPECT_TRUE(group->IsExpanded());
    EXPECT_EQ(host.Codes(), (std::vector<int>{RTN_CLICK, RTN_ITEMEXPANDING}));

    host.sent.clear();
    tree.DoubleClick({5, 8});
    EXPECT_TRUE(group->IsExpanded());
    EXPECT_EQ(host.Codes(), (std::vector<int>{RTN_ITEMEXPANDING}));

    host.sent.clear();
    tree.DoubleClick({50, 10}); // the label
    EXPECT_TRUE(group->IsExpanded());
    EXPECT_EQ(host.sent, (std::vector<Notification>{{RTN_SELCHANGED, group}, {RTN_ITEMEXPANDING, group}}));
    EXPECT_EQ(Chain().size(), 4u);
}

TEST_F(ReportTree, LeftCollapsesRightExpandsOtherwiseTheyMove) {
    tree.Key(0x24); // Home: the group
    host.sent.clear();
    tree.Key(0x25); // Left: collapse
    EXPECT_FALSE(group->IsExpanded());
    EXPECT_EQ(Chain(), (std::vector<CReportItem*>{group}));
    EXPECT_EQ(host.Codes(), (std::vector<int>{RTN_ITEMEXPANDING}));
    tree.Key(0x27); // Right: expand
    EXPECT_TRUE(group->IsExpanded());
    tree.Key(0x27); // Right on an expanded item: down
    EXPECT_EQ(tree.SelectedItem(), a);
    tree.Key(0x25); // Left on an item without children: up
    EXPECT_EQ(tree.SelectedItem(), group);

    host.vetoCode = RTN_ITEMEXPANDING;
    tree.Key(0x25); // vetoed: acts as Up (nothing above the group)
    EXPECT_TRUE(group->IsExpanded());
}

TEST_F(ReportTree, CollapsingTheSelectedItemsParentClearsTheSelection) {
    tree.Click({50, 45}); // b's label
    ASSERT_EQ(tree.SelectedItem(), b);
    host.sent.clear();
    tree.Click({5, 8}); // the group's expander
    EXPECT_EQ(host.sent, (std::vector<Notification>{
                             {RTN_CLICK, tree::kAllItems}, {RTN_ITEMEXPANDING, group}, {RTN_SELCHANGED, nullptr}}));
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    EXPECT_FALSE(b->IsSelected());
    EXPECT_EQ(tree.ItemAtPoint({50, 45}), nullptr); // hidden rows cannot be hit
}

TEST_F(ReportTree, ClicksSelectActivateOrClear) {
    // Below the last row: the selection is cleared and reported even when there was none.
    tree.Click({50, 150});
    EXPECT_EQ(host.sent, (std::vector<Notification>{{RTN_CLICK, tree::kAllItems}, {RTN_SELCHANGED, nullptr}}));

    // The value area of a top-level item selects but never activates.
    host.sent.clear();
    tree.Click({200, 10});
    EXPECT_EQ(host.sent, (std::vector<Notification>{{RTN_CLICK, tree::kAllItems}, {RTN_SELCHANGED, group}}));
    EXPECT_FALSE(group->ActivationRequested());

    // The value area of a child: activation announced, then done.
    host.sent.clear();
    tree.Click({200, 30});
    EXPECT_EQ(host.sent,
              (std::vector<Notification>{{RTN_CLICK, tree::kAllItems}, {RTN_SELCHANGED, a}, {RTN_ITEMACTIVATE, a}}));
    EXPECT_TRUE(a->ActivationRequested());

    // Read-only and vetoed items are announced but stay inactive; the selection stays changed.
    b->SetReadOnly(true);
    tree.Click({200, 50});
    EXPECT_FALSE(b->ActivationRequested());
    host.vetoCode = RTN_ITEMACTIVATE;
    tree.Click({200, 70});
    EXPECT_FALSE(c->ActivationRequested());
    EXPECT_EQ(tree.SelectedItem(), c);

    // Clicking the same item again changes nothing and reports nothing new.
    host.sent.clear();
    host.vetoCode = 0;
    tree.Click({50, 70});
    EXPECT_EQ(host.Codes(), (std::vector<int>{RTN_CLICK}));
}

TEST_F(ReportTree, LockedOrDisabledTreesIgnoreInput) {
    tree.SetInputLocked(true);
    tree.Click({50, 30});
    tree.Key(0x28);
    EXPECT_TRUE(host.sent.empty());
    tree.SetInputLocked(false);
    host.enabled = false;
    tree.Click({50, 30});
    tree.Key(0x28);
    EXPECT_EQ(host.Codes(), (std::vector<int>{RTN_CLICK}));
    EXPECT_EQ(tree.SelectedItem(), nullptr);
}

TEST_F(ReportTree, DividerPressStartsADragUnlessVetoed) {
    EXPECT_EQ(tree.Click({140, 30}), tree::ClickResult::StartDrag);
    host.vetoCode = RTN_DIVIDERDRAG;
    EXPECT_EQ(tree.Click({140, 30}), tree::ClickResult::None);
}

TEST_F(ReportTree, DoubleClickTogglesOnlyItemsWithChildren) {
    tree.DoubleClick({50, 30}); // a: no children
    EXPECT_TRUE(host.sent.empty());
    tree.DoubleClick({50, 10});
    EXPECT_EQ(host.sent, (std::vector<Notification>{{RTN_SELCHANGED, group}, {RTN_ITEMEXPANDING, group}}));
    EXPECT_FALSE(group->IsExpanded());
}

TEST_F(ReportTree, CheckBoxesToggleAndReport) {
    a->SetCheckBox(true);
    const tree::Rect box = a->CheckBoxRect();
    tree.Click({box.left + 3, box.top + 3});
    EXPECT_TRUE(a->IsChecked());
    EXPECT_EQ(host.sent.back(), (Notification{RTN_CHECKCHANGED, a}));

    // Its rectangle's corners toggle it (the box is drawn with its right and bottom edges); a
    // pixel beyond selects the row instead.
    const tree::Point corners[] = {
        {box.left, box.top}, {box.right, box.top}, {box.left, box.bottom}, {box.right, box.bottom}};
    bool checked = true;
    for (const tree::Point& at : corners) {
        tree.Click(at);
        checked = !checked;
        EXPECT_EQ(a->IsChecked(), checked) << at.x << "," << at.y;
    }
    host.sent.clear();
    tree.Click({box.right + 1, box.top});
    EXPECT_EQ(a->IsChecked(), checked);
    EXPECT_EQ(host.Codes(), (std::vector<int>{RTN_CLICK, RTN_SELCHANGED}));
}

TEST_F(ReportTree, RemovingTheSelectionClearsItSilently) {
    tree.Click({50, 30});
    host.sent.clear();
    tree.RemoveItem(a);
    EXPECT_EQ(host.sent, (std::vector<Notification>{{RTN_ITEMREMOVING, a}}));
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    EXPECT_EQ(group->FirstChild(), b);
    // Ids keep increasing across removals; only removing everything restarts them.
    EXPECT_EQ(Add(tree, L"Disk", group)->Id(), 5);
    tree.RemoveAllItems();
    EXPECT_EQ(tree.Root().FirstChild(), nullptr);
    EXPECT_EQ(Add(tree, L"again")->Id(), 1);
}

TEST_F(ReportTree, VetoedRemovalsKeepTheirItemsAndTheirParents) {
    host.vetoCode = RTN_ITEMREMOVING;
    host.vetoItem = b;
    tree.RemoveItem(group);
    EXPECT_EQ(host.sent,
              (std::vector<Notification>{
                  {RTN_ITEMREMOVING, group}, {RTN_ITEMREMOVING, a}, {RTN_ITEMREMOVING, b}, {RTN_ITEMREMOVING, c}}));
    // b refused: it stays, and so does its parent, so that nothing hangs below a freed item.
    ASSERT_EQ(tree.Root().FirstChild(), group);
    EXPECT_EQ(group->FirstChild(), b);
    EXPECT_EQ(b->NextSibling(), nullptr);
    EXPECT_EQ(b->Parent(), group);

    host.vetoItem = group;
    host.sent.clear();
    tree.RemoveItem(nullptr); // the root: everything below it, each asked
    EXPECT_EQ(tree.Root().FirstChild(), group);
}

TEST_F(ReportTree, IdsStayUniqueWhenAVetoedItemOutlivesRemoveAll) {
    host.vetoCode = RTN_ITEMREMOVING;
    host.vetoItem = group;
    tree.RemoveAllItems();
    ASSERT_EQ(tree.Root().FirstChild(), group);
    CReportItem* added = Add(tree, L"Disk");
    EXPECT_NE(added->Id(), group->Id());
    EXPECT_EQ(tree.ItemFromId(added->Id()), added);
    EXPECT_EQ(tree.ItemFromId(group->Id()), group);
}

// The parent may delete the item a notification names, in its handler; the tree must not touch
// the item after that, nor name it in a later notification.
TEST(ReportTreeInput, AnItemTheParentDeletesOnANotificationIsNotUsedAfterIt) {
    enum Target { kGroup, kChild };
    struct Case {
        const char* name;
        int deleteAt;
        Target target;
        bool selectFirst;
        std::function<void(ReportTreeModel&)> input;
    };
    constexpr unsigned kLeft = 0x25, kRight = 0x27;
    const Case cases[] = {
        {"click on a value, at the selection change", RTN_SELCHANGED, kChild, false,
         [](ReportTreeModel& m) { m.Click({200, 30}); }},
        {"click on a value, at the activation", RTN_ITEMACTIVATE, kChild, false,
         [](ReportTreeModel& m) { m.Click({200, 30}); }},
        {"click on an expander", RTN_ITEMEXPANDING, kGroup, false, [](ReportTreeModel& m) { m.Click({7, 8}); }},
        {"double click on a label, at the selection change", RTN_SELCHANGED, kGroup, false,
         [](ReportTreeModel& m) { m.DoubleClick({50, 10}); }},
        {"double click on a label, at the expansion", RTN_ITEMEXPANDING, kGroup, false,
         [](ReportTreeModel& m) { m.DoubleClick({50, 10}); }},
        {"right arrow", RTN_ITEMEXPANDING, kChild, true, [=](ReportTreeModel& m) { m.Key(kRight); }},
        {"left arrow", RTN_ITEMEXPANDING, kGroup, true, [=](ReportTreeModel& m) { m.Key(kLeft); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost parent;
        ReportTreeModel model{parent};
        CReportItem* group = Add<CReportGroupItem>(model, L"System requirements");
        group->Expand(true);
        static_cast<CReportGroupItem*>(group)->AddColumn(L"Minimum");
        CReportItem* child = Add(model, L"Processor", group);
        Add(model, L"Memory", group);
        CReportItem* const target = c.target == kGroup ? group : child;
        const int id = target->Id();
        if (c.selectFirst)
            model.SelectItem(target);
        std::vector<const CReportItem*> removed;
        bool deleted = false;
        parent.onNotify = [&](int code, CReportItem* item) {
            if (code == RTN_ITEMREMOVING)
                removed.push_back(item);
            else if (!deleted && code == c.deleteAt && item == target) {
                deleted = true;
                model.RemoveItem(item);
            }
        };
        parent.sent.clear();
        c.input(model);
        ASSERT_TRUE(deleted);
        EXPECT_EQ(model.ItemFromId(id), nullptr);
        EXPECT_EQ(model.SelectedItem(), nullptr);
        bool afterRemoval = false;
        for (const Notification& n : parent.sent) {
            afterRemoval = afterRemoval || n.code == RTN_ITEMREMOVING;
            if (afterRemoval && n.code != RTN_ITEMREMOVING) {
                EXPECT_EQ(std::count(removed.begin(), removed.end(), n.item), 0) << "code " << n.code;
            }
        }
    }
}

TEST_F(ReportTree, ScrollToItemBringsRowsIntoView) {
    for (int i = 0; i < 20; ++i)
        Add(tree, L"row " + std::to_wstring(i), group);
    CReportItem* row15 = tree.ItemFromId(5 + 15); // top at 21 * 19 = 399
    ASSERT_EQ(row15->Position().y, 399);
    tree.ScrollToItem(row15);
    EXPECT_EQ(host.scrolls, (std::vector<int>{399 + 42 - 200}));
    tree.SetScrollPosition(300);
    host.scrolls.clear();
    tree.ScrollToItem(b);                       // top 42, above the view
    tree.ScrollToItem(tree.ItemFromId(5 + 8));  // top 252, above the view 300..479
    tree.ScrollToItem(tree.ItemFromId(5 + 14)); // top 378, inside
    tree.ScrollToItem(nullptr);
    EXPECT_EQ(host.scrolls, (std::vector<int>{42, 252}));
}

TEST_F(ReportTree, ScrollingToAHiddenItemExpandsItsAncestors) {
    group->Expand(false);
    tree.ScrollToItem(c);
    EXPECT_TRUE(group->IsExpanded());
    EXPECT_TRUE(tree.OnVisibleChain(c));
}

// Nothing here is ever painted: each change to what the rows depend on shows in the next hit
// test at once.
TEST(ReportLayout, HitTestsFollowEveryChangeWithoutAPaint) {
    FakeHost host;
    ReportTreeModel tree{host};
    CReportItem* group = Add<CReportGroupItem>(tree, L"Group");
    group->Expand(true);
    CReportItem* a = Add(tree, L"a", group); // rows at 21 and 42
    CReportItem* b = Add(tree, L"b", group);
    const auto hit = [&](Point point) { return tree.HitTestPoint(point); };

    EXPECT_EQ(hit({5, 8}), tree::kHitExpander);
    EXPECT_EQ(hit({16, 27}), tree::kHitLabel);
    EXPECT_EQ(tree.ItemAtPoint({0, 50}), b);

    Add(tree, L"a's child", a); // a gets an expander: from 6 - 4 + 12 = 14, 4 below its top
    EXPECT_EQ(a->ExpanderBox(), (Rect{14, 25, 23, 34}));
    EXPECT_EQ(hit({16, 27}), tree::kHitExpander);

    b->SetCheckBox(true); // 5 right of its label's left edge (12), 14 square
    EXPECT_EQ(b->CheckBoxRect(), (Rect{17, 46, 31, 60}));
    EXPECT_EQ(hit({20, 50}), tree::kHitCheckBox);

    tree.SetDividerPosition(200);
    EXPECT_EQ(hit({150, 30}), tree::kHitLabel);
    EXPECT_EQ(hit({200, 30}), tree::kHitDivider);
    EXPECT_EQ(b->ValueArea(), (Rect{205, 42, 399, 62}));

    host.client = {0, 0, 300, 200};
    EXPECT_EQ(b->ValueArea(), (Rect{205, 42, 299, 62}));

    a->Expand(true); // a's child takes the row at 42, b moves to 63
    EXPECT_EQ(b->Position(), (Point{0, 63}));
    EXPECT_EQ(hit({20, 50}), tree::kHitLabel);
    EXPECT_EQ(hit({20, 67}), tree::kHitCheckBox);

    group->Expand(false);
    EXPECT_EQ(tree.ItemAtPoint({0, 30}), nullptr);
    EXPECT_EQ(tree.VisibleChain(), group);
    EXPECT_EQ(group->NextVisible(), nullptr);
}

// Rows are the shown items below expanded ancestors, in order; children of a top-level item
// keep its indentation, deeper ones move 12 pixels right.
TEST(ReportLayout, CoversOnlyTheRowsThatCanBeShown) {
    FakeHost host;
    ReportTreeModel tree{host};
    CReportItem* top = Add<CReportGroupItem>(tree, L"top");
    top->Expand(true);
    CReportItem* a = Add(tree, L"a", top);
    CReportItem* hidden = Add(tree, L"hidden", top);
    hidden->Show(false);
    hidden->Expand(true);
    CReportItem* underHidden = Add(tree, L"under hidden", hidden);
    CReportItem* collapsed = Add(tree, L"collapsed", top);
    CReportItem* underCollapsed = Add(tree, L"under collapsed", collapsed);
    CReportItem* inner = Add<CReportGroupItem>(tree, L"inner", top);
    inner->Expand(true);
    CReportItem* d = Add(tree, L"d", inner);
    CReportItem* deeper = Add(tree, L"deeper", d);
    d->Expand(true);
    Add(tree, L"e", inner)->Show(false);
    CReportItem* hiddenTop = Add(tree, L"hidden top");
    hiddenTop->Show(false);
    CReportItem* last = Add(tree, L"last");

    const struct {
        CReportItem* item;
        Point at;
    } rows[] = {{top, {0, 0}}, {a, {0, 21}},        {collapsed, {0, 42}}, {inner, {0, 63}},
                {d, {12, 84}}, {deeper, {24, 105}}, {last, {0, 126}}};
    std::vector<CReportItem*> expected;
    for (const auto& row : rows) {
        expected.push_back(row.item);
        EXPECT_EQ(row.item->Position(), row.at) << row.item->Caption();
    }
    EXPECT_EQ(tree.Rows(), expected);
    std::vector<CReportItem*> chain;
    for (CReportItem* item = tree.VisibleChain(); item; item = item->NextVisible())
        chain.push_back(item);
    EXPECT_EQ(chain, expected);
    for (CReportItem* item : {hidden, underHidden, underCollapsed, hiddenTop})
        EXPECT_FALSE(tree.OnVisibleChain(item)) << item->Caption();
    EXPECT_EQ(tree.ItemAtPoint({0, 146}), last);
    EXPECT_EQ(tree.ItemAtPoint({0, 147}), nullptr);
}

// Appending uses the parent's last child, which must follow removals of the last one.
TEST(ReportLayout, AppendingAfterTheLastChildWasRemoved) {
    FakeHost host;
    ReportTreeModel tree{host};
    CReportItem* first = Add(tree, L"first");
    CReportItem* second = Add(tree, L"second");
    tree.RemoveItem(second);
    CReportItem* third = Add(tree, L"third");
    tree.RemoveItem(first);
    tree.RemoveItem(third);
    CReportItem* fourth = Add(tree, L"fourth");
    CReportItem* fifth = Add(tree, L"fifth");
    EXPECT_EQ(tree.Root().FirstChild(), fourth);
    EXPECT_EQ(fourth->NextSibling(), fifth);
    EXPECT_EQ(fifth->NextSibling(), nullptr);
    EXPECT_EQ(tree.Rows(), (std::vector<CReportItem*>{fourth, fifth}));
}

TEST(ReportScroll, RequestArithmetic) {
    using namespace tree;
    struct Case {
        int code, position, page, max, thumb, expected;
    };
    // Range 0..420, page 201 (client 200 + 1): the furthest position is 219.
    const Case cases[] = {
        {kLineDown, 0, 201, 420, 0, 21},
        {kLineUp, 0, 201, 420, 0, 0},
        {kLineUp, 100, 201, 420, 0, 79},
        {kPageDown, 0, 201, 420, 0, 201},
        {kPageDown, 201, 201, 420, 0, 219},
        {kPageUp, 219, 201, 420, 0, 18},
        {kThumbTrack, 0, 201, 420, 100, 100},
        {kThumbTrack, 0, 201, 420, 999, 219},
        {kThumbPosition, 50, 201, 420, 7, 50},
        {kLineDown, 0, 201, 100, 0, 0}, // everything fits: never below the minimum
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollTarget(c.code, c.position, c.page, 0, c.max, c.thumb), c.expected)
            << c.code << " from " << c.position;
    EXPECT_FALSE(WheelScrolls(0, 199, 200));
    EXPECT_TRUE(WheelScrolls(0, 200, 200));
}

TEST(ReportScroll, RangeCountsTheRootAndHiddenChildrenOfExpandedItems) {
    FakeHost host;
    ReportTreeModel tree{host};
    CReportItem* group = Add<CReportGroupItem>(tree, L"g");
    Add(tree, L"a", group)->Show(false);
    Add(tree, L"b", group);
    EXPECT_EQ(tree.ScrollRangeMax(), 42); // root + collapsed group
    group->Expand(true);
    EXPECT_EQ(tree.ScrollRangeMax(), 84);
}

TEST(ReportGeometry, DarkenedFaceAndExpanderSize) {
    EXPECT_EQ(tree::DarkenedFace(ctl::Rgb(212, 208, 200)), ctl::Rgb(132, 128, 120));
    EXPECT_EQ(tree::DarkenedFace(ctl::Rgb(240, 50, 80)), ctl::Rgb(160, 0, 0));
    EXPECT_EQ(tree::ExpanderSize(12), 9);
    EXPECT_EQ(tree::ExpanderSize(14), 11);
    EXPECT_EQ(tree::ExpanderSize(13), 11);
}

TEST(ReportGeometry, FiguresScaleWithTheDpi) {
    struct Case {
        int dpi, row, indent, expander, dividerHalf, dividerMinimum, margin, checkBox, captionGap, frame, pane;
    };
    const Case cases[] = {
        {96, 21, 12, 9, 5, 12, 13, 14, 5, 2, 50},
        {120, 26, 14, 11, 6, 15, 16, 18, 6, 3, 63}, // the indent stays even
        {144, 32, 18, 15, 8, 18, 20, 21, 8, 3, 75},
        {192, 42, 24, 21, 10, 24, 26, 28, 10, 4, 100},
    };
    for (const Case& c : cases) {
        const tree::TreeMetrics m = tree::MetricsAt(c.dpi);
        EXPECT_EQ((std::vector<int>{m.rowHeight, m.indent, tree::ExpanderSize(m.indent), m.dividerHalfWidth,
                                    m.dividerMinimum, m.dividerMargin, m.checkBoxSide, m.captionGap, m.frame,
                                    m.paneHeight}),
                  (std::vector<int>{c.row, c.indent, c.expander, c.dividerHalf, c.dividerMinimum, c.margin, c.checkBox,
                                    c.captionGap, c.frame, c.pane}))
            << c.dpi;
    }
}

TEST(ReportGeometry, AModelAtTwiceTheDpiLaysOutTwiceAsLarge) {
    FakeHost host;
    ReportTreeModel tree{host};
    tree.SetMetrics(tree::MetricsAt(192));
    CReportItem* group = Add<CReportGroupItem>(tree, L"g");
    group->Expand(true);
    CReportItem* row = Add(tree, L"r", group);
    tree.SetDividerPosition(200);
    EXPECT_EQ(row->Position(), (tree::Point{0, 42}));
    EXPECT_EQ(row->ValueArea(), (Rect{210, 42, 399, 83}));
    EXPECT_EQ(group->ExpanderBox(), (Rect{3, 7, 24, 28}));
    EXPECT_EQ(tree.ScrollRangeMax(), 3 * 42);
    EXPECT_EQ(tree.HitTestPoint({190, 50}), tree::kHitDivider);
    EXPECT_EQ(tree.HitTestPoint({211, 50}), tree::kHitValue);
    EXPECT_EQ(tree::ScrollTarget(tree::kLineDown, 0, 50, 0, 200, 0, 42), 42);
    // Back at 96 DPI the divider keeps its place on the rows.
    tree.SetMetrics(tree::MetricsAt(96));
    EXPECT_EQ(tree.Divider(), 100);
    EXPECT_EQ(row->Position(), (tree::Point{0, 21}));
}

} // namespace
