// The report's anchored layout: children registered with anchor and snap bits follow the
// dialog's client rectangle when it is resized.
#pragma once

#include "report/AnchorLayoutMath.h"

#include <windows.h>

#include <vector>

class CAnchorLayout {
public:
    // The dialog and its client rectangle as the starting point.
    void Init(HWND dialog, const RECT& client);
    // Registers a child with its anchor flags; false (nothing added) when it has no window.
    bool Add(HWND child, int flags);
    bool AddItem(int id, int flags) { return Add(dialog_ ? GetDlgItem(dialog_, id) : nullptr, flags); }
    // Moves every child for the current client rectangle; false when it cannot be read.
    bool Apply(bool repaint);
    // Takes a registered child's rectangle from where it is now, after something other than the
    // layout has moved or sized it; false when it is not registered or has no window.
    bool Remeasure(HWND child);

    size_t Count() const { return entries_.size(); }

private:
    // The child's rectangle in the dialog's client coordinates.
    bool Measure(HWND child, ctl::Rect& rect) const;

    struct Entry {
        HWND child;
        int flags;
        ctl::Rect rect; // in the dialog's client coordinates, as last placed
    };
    HWND dialog_ = nullptr;
    ctl::Rect client_{};
    std::vector<Entry> entries_;
};
