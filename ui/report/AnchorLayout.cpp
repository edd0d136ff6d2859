#include "report/AnchorLayout.h"

void CAnchorLayout::Init(HWND dialog, const RECT& client) {
    dialog_ = dialog;
    client_ = {client.left, client.top, client.right, client.bottom};
    entries_.clear();
}

bool CAnchorLayout::Add(HWND child, int flags) {
    RECT rect{};
    if (!child || !dialog_ || !GetWindowRect(child, &rect))
        return false;
    MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    entries_.push_back({child, flags, {rect.left, rect.top, rect.right, rect.bottom}});
    return true;
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
