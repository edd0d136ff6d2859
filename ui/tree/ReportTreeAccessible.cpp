#include "tree/ReportTreeAccessible.h"

#include "tree/TreeAccess.h"

namespace reader = tree::access;

namespace tree {

ReportTreeAccessible::ReportTreeAccessible(HWND list, tree::TreeWindowHost& owner, TextLookup texts)
    : AccessibleObject(list), owner_(owner), texts_(std::move(texts)) {}

CReportItem* ReportTreeAccessible::Row(long child) const { return reader::RowFromChild(owner_.View(), child); }

long ReportTreeAccessible::ChildCount() { return reader::ChildCount(owner_.View()); }

bool ReportTreeAccessible::IsChild(long child) { return child == CHILDID_SELF || Row(child) != nullptr; }

long ReportTreeAccessible::Role(long child) {
    return child == CHILDID_SELF ? reader::kRoleOutline : reader::kRoleOutlineItem;
}

long ReportTreeAccessible::State(long child) {
    if (child == CHILDID_SELF)
        return AccessibleObject::State(child);
    return reader::RowStates(*Row(child), GetFocus() == Window(), IsWindowEnabled(owner_.ControlWindow()) != FALSE);
}

bool ReportTreeAccessible::Name(long child, std::wstring& text) {
    text = child == CHILDID_SELF ? owner_.AccessibleName() : Row(child)->Caption();
    return !text.empty();
}

bool ReportTreeAccessible::Value(long child, std::wstring& text) {
    const std::wstring* value = child == CHILDID_SELF ? nullptr : Row(child)->ValueData();
    if (!value)
        return false;
    text = *value;
    return true;
}

bool ReportTreeAccessible::Description(long child, std::wstring& text) {
    if (child == CHILDID_SELF)
        return false;
    text = Row(child)->Description();
    return !text.empty();
}

bool ReportTreeAccessible::DefaultAction(long child, std::wstring& text) {
    switch (child == CHILDID_SELF ? reader::RowAction::kNone : reader::DefaultAction(*Row(child))) {
    case reader::RowAction::kExpand: text = fw::ActionName(texts_, L"IDS_ACTION_EXPAND", L"Expand"); return true;
    case reader::RowAction::kCollapse: text = fw::ActionName(texts_, L"IDS_ACTION_COLLAPSE", L"Collapse"); return true;
    case reader::RowAction::kNone: break;
    }
    return false;
}

HRESULT ReportTreeAccessible::DoDefaultAction(long child) {
    CReportItem* row = child == CHILDID_SELF ? nullptr : Row(child);
    if (!row || !row->HasChildren())
        return DISP_E_MEMBERNOTFOUND;
    owner_.ToggleExpansion(row);
    return S_OK;
}

HRESULT ReportTreeAccessible::Select(long flags, long child) {
    CReportItem* row = child == CHILDID_SELF ? nullptr : Row(child);
    if (!row)
        return E_INVALIDARG;
    if (flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION))
        return E_INVALIDARG; // one row is selected at a time: no extending or adding
    if (flags & SELFLAG_TAKEFOCUS)
        SetFocus(Window());
    if (flags & SELFLAG_TAKESELECTION)
        owner_.ChangeSelection(row);
    return S_OK;
}

bool ReportTreeAccessible::Location(long child, RECT& screen) {
    if (child == CHILDID_SELF)
        return AccessibleObject::Location(child, screen);
    const tree::Rect r = reader::RowRect(owner_.View(), *Row(child));
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(Window(), nullptr, corners, 2);
    screen = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return true;
}

long ReportTreeAccessible::Navigate(long direction, long start) {
    return reader::Navigate(owner_.View(), direction, start == CHILDID_SELF ? 0 : start);
}

long ReportTreeAccessible::HitTest(POINT screen) {
    ScreenToClient(Window(), &screen);
    const CReportItem* row = owner_.View().ItemAtPoint({screen.x, screen.y});
    return row ? reader::ChildFromRow(owner_.View(), row) : CHILDID_SELF;
}

long ReportTreeAccessible::Focus() {
    if (GetFocus() != Window())
        return -1;
    const long selected = Selection();
    return selected > 0 ? selected : CHILDID_SELF;
}

long ReportTreeAccessible::Selection() {
    const long child = reader::ChildFromRow(owner_.View(), owner_.View().SelectedItem());
    return child > 0 ? child : -1;
}

} // namespace tree
