#include "controls/AnchorLayout.h"

#include "controls/Anchor.h"

using ctl::DialogChildren;

void CAnchorLayout::Init(HWND dialog, const RECT& client) {
    dialog_ = dialog;
    client_ = ctl::ToRect(client);
    layout_ = {};
}

bool CAnchorLayout::Exists(int id) const {
    RECT window{};
    const HWND child = dialog_ ? GetDlgItem(dialog_, id) : nullptr;
    return child && GetWindowRect(child, &window);
}

bool CAnchorLayout::AddRow(const ctl::LayoutRow& row) {
    if (!Exists(row.control))
        return false;
    DialogChildren children(dialog_, false);
    layout_.Add(row, client_, children);
    return true;
}

bool CAnchorLayout::AddRows(std::span<const ctl::LayoutRow> rows) {
    bool all = true;
    for (const ctl::LayoutRow& row : rows)
        all = AddRow(row) && all;
    return all;
}

bool CAnchorLayout::Remeasure(int id) {
    if (!Exists(id))
        return false;
    DialogChildren children(dialog_, false);
    return layout_.Remeasure(id, client_, children);
}

void CAnchorLayout::RemeasureAll(const RECT& client) {
    client_ = ctl::ToRect(client);
    if (!dialog_)
        return;
    DialogChildren children(dialog_, false);
    layout_.RemeasureAll(client_, children);
}

bool CAnchorLayout::Apply(bool repaint) {
    RECT current{};
    if (!dialog_ || !GetClientRect(dialog_, &current))
        return false;
    client_ = ctl::ToRect(current);
    DialogChildren children(dialog_, repaint);
    layout_.Apply(client_, children);
    return true;
}
