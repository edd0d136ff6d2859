#include "report/AnchorLayout.h"

void CAnchorLayout::Init(HWND dialog, const RECT& client) {
    dialog_ = dialog;
    client_ = {client.left, client.top, client.right, client.bottom};
    entries_.clear();
}

bool CAnchorLayout::Measure(HWND child, ctl::Rect& rect) const {
    RECT window{};
    if (!child || !dialog_ || !GetWindowRect(child, &window))
        return false;
    MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&window), 2);
    rect = {window.left, window.top, window.right, window.bottom};
    return true;
}

bool CAnchorLayout::Add(HWND child, int flags) {
    ctl::Rect rect{};
    if (!Measure(child, rect))
        return false;
    entries_.push_back({child, flags, rect});
    return true;
}

bool CAnchorLayout::Remeasure(HWND child) {
    for (Entry& entry : entries_)
        if (entry.child == child)
            return Measure(child, entry.rect);
    return false;
}

bool CAnchorLayout::Apply(bool repaint) {
    RECT current{};
    if (!dialog_ || !GetClientRect(dialog_, &current))
        return false;
    const ctl::Rect after{current.left, current.top, current.right, current.bottom};
    for (Entry& entry : entries_) {
        entry.rect = report::ApplyAnchorFlags(entry.flags, entry.rect, client_, after);
        MoveWindow(entry.child, entry.rect.left, entry.rect.top, entry.rect.right - entry.rect.left,
                   entry.rect.bottom - entry.rect.top, repaint);
    }
    client_ = after;
    return true;
}
