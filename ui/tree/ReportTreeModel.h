// The property tree without its windows: the item tree, ids, selection, divider, scroll position,
// the layout of its rows (the visible chain and each row's rectangles), and what mouse and keys
// do to them. CReportTree wires it to its windows through ReportTreeHost; tests give it a
// recording host.
#pragma once

#include "tree/ReportItem.h"
#include "tree/ReportNotify.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tree {

// The window side of the control, as the model needs it.
class ReportTreeHost {
public:
    virtual ~ReportTreeHost() = default;
    // Sends a notification to the parent (only with the notify style); non-zero vetoes.
    virtual std::intptr_t Notify(int code, CReportItem* item) = 0;
    virtual bool WindowExists() const = 0;
    virtual void RepaintContainer() = 0;
    virtual void RepaintList() = 0;
    virtual void UpdateListNow() = 0;
    virtual void RecomputeScrollBar() = 0;
    // The list's scroll request with the thumb-track code.
    virtual void ScrollListTo(int position) = 0;
    virtual Rect ListClientRect() const = 0;
    virtual void InvalidateListRect(const Rect& rect) = 0;
    // The width of one line of a column title in the window's default font.
    virtual int MeasureColumnTitle(const std::wstring& title) = 0;
    virtual bool HasImageList() const = 0;
    virtual bool IsEnabled() const = 0;
    // Gives the list the keyboard focus, as a click on it does.
    virtual void FocusList() = 0;
    // An item's selection (null: none), expansion, caption or value changed.
    virtual void ItemChanged(ItemChange, CReportItem*) {}
};

// What the list must do after a click.
enum class ClickResult { None, StartDrag };

class ReportTreeModel final : public ItemOwner {
public:
    explicit ReportTreeModel(ReportTreeHost& host);
    ~ReportTreeModel();
    ReportTreeModel(const ReportTreeModel&) = delete;
    ReportTreeModel& operator=(const ReportTreeModel&) = delete;

    ReportTreeHost& Host() const { return host_; }
    CReportItem& Root() const { return *root_; }

    // Appends `item` (taking ownership) as the last child of `parent` (null: top level).
    CReportItem* AddItem(std::unique_ptr<CReportItem> item, CReportItem* parent = nullptr);
    // Deletes `item` and its subtree unless vetoed; null removes everything below the root.
    void RemoveItem(CReportItem* item);
    // Removes everything below the root; the ids restart at 1 when nothing is left (a vetoed
    // item keeps its id, so the next ones follow on).
    void RemoveAllItems();
    CReportItem* ItemFromId(int id) const;

    CReportItem* SelectedItem() const { return selected_; }
    // Stores the selection, scrolls it into view and repaints; no notification, flags untouched.
    void SelectItem(CReportItem* item);
    void ScrollToItem(CReportItem* item);
    CReportItem* ItemAtPoint(Point point) const;
    int HitTestPoint(Point point) const;
    void SetDividerPosition(int x);

    void SelectFirst();
    void SelectLast();
    void SelectPrevious();
    void SelectNext();

    // Traversals of the whole tree (root excluded, pre-order).
    void SetAllSelectedFlags(bool on);
    void LayoutChangedAll();
    // Every group's columns measured again, at the tree's new scale.
    void RemeasureColumns();
    void Reload(CReportItem* item);

    // Geometry read by the items and the list.
    int Divider() const { return divider_; }
    int ScrollPosition() const override { return scroll_; }
    void SetScrollPosition(int y) { scroll_ = y; }
    int IndentWidth() const { return metrics_.indent; }
    int DividerMargin() const { return metrics_.dividerMargin; }
    const TreeMetrics& Metrics() const { return metrics_; }
    // The figures at the window's DPI; the divider is rescaled with them.
    void SetMetrics(const TreeMetrics& metrics);
    void SetDividerRaw(int x) { divider_ = x; }

    // The visible chain: the rows that can be shown (shown items whose ancestors are expanded),
    // in row order, whether in view or not. It is laid out on demand, so hit tests and keys
    // need no paint.
    CReportItem* VisibleChain() const;
    // The same chain as an array, top row first.
    const std::vector<CReportItem*>& Rows() const;
    bool OnVisibleChain(const CReportItem* item) const;
    // Marks the layout stale: the tree, an item's expanded, shown or check-box flag, a column or a
    // status image changed. Divider, client size and image list are noticed without it.
    void InvalidateLayout() override;
    // Lays the rows out again when the tree or the layout's inputs changed since the last time.
    void EnsureLayout() const;
    // An item's row, laid out first when stale; StoredLayout: as last laid out (painting, which
    // has made the layout once).
    const RowLayout& LayoutOf(const CReportItem& item) const override;
    const RowLayout& StoredLayout(const CReportItem& item) const;

    // The scroll range's maximum: the root's expanded height.
    int ScrollRangeMax() const { return root_->ExpandedHeight(); }

    bool InputLocked() const { return inputLocked_; }
    void SetInputLocked(bool locked) { inputLocked_ = locked; }

    // Input of the list (list client coordinates).
    ClickResult Click(Point point);
    void DoubleClick(Point point);
    // Keys other than Tab and Escape (which the list hands to the control); true when handled.
    bool Key(unsigned virtualKey);
    // Toggles an item's expansion unless vetoed, then refreshes and validates the selection.
    bool ToggleExpansion(CReportItem* item);
    // Clears a selection that a collapse took off the visible chain.
    void ValidateSelection();
    // Selects the item (null: none) as the keys do: flags, view and the parent's notification.
    void ChangeSelection(CReportItem* item);

private:
    // What the items ask of their owner beside the layout.
    int RowHeight() const override { return metrics_.rowHeight; }
    void ItemChanged(ItemChange what, CReportItem* item) override { host_.ItemChanged(what, item); }
    void RepaintRows(const Rect& rect) override;
    int MeasureColumnTitle(const std::wstring& title) override { return host_.MeasureColumnTitle(title); }

    void SelectBeside(int step);
    // Selects the item and tells the parent; the item again afterwards, null when the parent
    // deleted it meanwhile.
    CReportItem* SelectAndNotify(CReportItem* item);
    // Sends a notification about an item that the parent may delete in its handler; the item
    // again afterwards (null when it is gone) and whether the parent vetoed.
    CReportItem* NotifyAbout(int code, CReportItem* item, bool* vetoed = nullptr);
    bool RemoveSubtree(CReportItem* item);
    void Unlink(CReportItem* item);

    // What the rows' rectangles depend on besides the tree itself.
    struct LayoutInputs {
        Rect client;
        int divider;
        bool images;
        int dpi;
        friend bool operator==(const LayoutInputs&, const LayoutInputs&) = default;
    };
    // Lays out an item's row at indentation x and document top y, then its shown children when
    // expanded; returns the height used.
    int LayOut(CReportItem& item, const LayoutInputs& inputs, int x, int y) const;
    void ClearVisibleChain() const;

    ReportTreeHost& host_;
    std::unique_ptr<CReportItem> root_;
    // Every item below the root, by id; the links between them do not own.
    std::unordered_map<int, std::unique_ptr<CReportItem>> items_;
    // The layout is a cache of the tree and its inputs, made again when read after a change.
    mutable std::vector<CReportItem*> rows_;
    // Each item's row as last laid out; a row that left the visible chain keeps its last place.
    mutable std::unordered_map<const CReportItem*, RowLayout> layouts_;
    mutable LayoutInputs laidOutFor_{};
    mutable bool layoutValid_ = false;
    CReportItem* selected_ = nullptr;
    int divider_ = 140;
    int scroll_ = 0;
    int nextId_ = 1;
    bool inputLocked_ = false;
    TreeMetrics metrics_;
};

} // namespace tree
