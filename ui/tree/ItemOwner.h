// What an item asks of the tree that holds it: where its row lies (the tree keeps the rows' layout),
// and word of a change that its windows and screen readers must hear of. Items know nothing else
// of the tree.
#pragma once

#include "tree/ReportGeometry.h"

#include <string>

class CReportItem;

namespace tree {

// What changed about an item, for the tree's screen-reader events.
enum class ItemChange { Selection, Expansion, Caption, Value };

// Where one row lies, in document coordinates (the list's client coordinates before scrolling),
// as the tree last laid its rows out.
struct RowLayout {
    Point position{};
    Rect valueArea{};
    Rect expanderBox{};
    Rect checkBox{};
    int expanderSize = 0;
    int extent = 0; // this row and its laid-out descendants, in pixels
    CReportItem* nextVisible = nullptr;
};

class ItemOwner {
public:
    // Marks the layout stale: an item's expanded, shown or check-box flag, a column or a status
    // image changed.
    virtual void InvalidateLayout() = 0;
    // The item's row, the rows laid out again first when stale.
    virtual const RowLayout& LayoutOf(const CReportItem& item) const = 0;
    virtual int ScrollPosition() const = 0;
    virtual int RowHeight() const = 0;
    // An item's caption or value changed.
    virtual void ItemChanged(ItemChange what, CReportItem* item) = 0;
    // Repaints a rectangle of the row list (list client coordinates) when the list exists.
    virtual void RepaintRows(const Rect& rect) = 0;
    // The width of one line of a column title in the window's default font; 0 without a window.
    virtual int MeasureColumnTitle(const std::wstring& title) = 0;

protected:
    ~ItemOwner() = default;
};

} // namespace tree
