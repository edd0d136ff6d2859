// What an item asks of the tree that holds it: the row layout the tree keeps, and word of a
// change that its windows and screen readers must hear of. Items know nothing else of the tree.
#pragma once

#include "tree/ReportGeometry.h"

#include <string>

class CReportItem;

namespace tree {

// What changed about an item, for the tree's screen-reader events.
enum class ItemChange { Selection, Expansion, Caption, Value };

class ItemOwner {
public:
    // Marks the layout stale: an item's expanded, shown or check-box flag, a column or a status
    // image changed.
    virtual void InvalidateLayout() = 0;
    // Lays the rows out again when stale.
    virtual void EnsureLayout() const = 0;
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
