// The window side of the layout engine: a dialog's children follow its client rectangle when it
// is resized, each by its row of a layout table (anchors to the parent or to siblings) or by its
// edge flags and snap bits.
#pragma once

#include "controls/Layout.h"

#include <windows.h>

#include <span>

class CAnchorLayout {
public:
    // The dialog and its client rectangle as the starting point.
    void Init(HWND dialog, const RECT& client);
    // Registers a child with its edge flags; false (nothing added) when it has no window.
    bool AddItem(int id, int flags) { return AddRow(ctl::EdgeRow(id, flags)); }
    // Registers a table's rows in order; false when a row's control has no window (that row is
    // left out, the others are added).
    bool AddRows(std::span<const ctl::LayoutRow> rows);
    // Moves every child for the current client rectangle; false when it cannot be read.
    bool Apply(bool repaint);
    // Takes a registered child's measures from where it is now, after something other than the
    // layout has moved or sized it; false when it is not registered or has no window.
    bool Remeasure(int id);
    // Takes every child's measures anew where it is now against `client`: the window's
    // children were moved to a new DPI and the window is about to take its size at that DPI.
    void RemeasureAll(const RECT& client);

    size_t Count() const { return layout_.Count(); }

private:
    bool AddRow(const ctl::LayoutRow& row);
    bool Exists(int id) const;

    HWND dialog_ = nullptr;
    ctl::Rect client_{}; // at the last layout
    ctl::Layout layout_;
};
