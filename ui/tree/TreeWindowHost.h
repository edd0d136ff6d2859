// What the tree's child windows (the row list and the info pane) ask of the control that holds
// them: they reach it only through this, so neither knows the control's class.
#pragma once

#include "tree/ReportTreeModel.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

namespace tree {

class TreeWindowHost {
public:
    virtual ~TreeWindowHost() = default;

    // The control's window: the children's parent.
    virtual HWND ControlWindow() const = 0;
    virtual HIMAGELIST NodeImages() const = 0;
    // What screen readers call the row list.
    virtual std::wstring AccessibleName() const = 0;
    // Sends a notification to the control's parent; non-zero vetoes.
    virtual std::intptr_t Notify(int code, CReportItem* item) = 0;
    // Carries out the repaints and scroll-bar update the tree has gathered, before the scroll
    // state is read or the rows are painted.
    virtual void SettleRefresh() = 0;

    // The rows' state, to read: the children change it only through the commands here.
    virtual const ReportTreeModel& View() const = 0;
    // Expands or collapses a row as a click on its box does (the parent may veto).
    virtual void ToggleExpansion(CReportItem* row) = 0;
    // Selects a row as the keys do (null: none).
    virtual void ChangeSelection(CReportItem* row) = 0;
    virtual void SetScrollPosition(int y) = 0;
    // Moves the divider, kept within its limits.
    virtual void SetDividerPosition(int x) = 0;
    virtual int HitTestPoint(POINT point) const = 0;

    // Input, in list client coordinates.
    virtual ClickResult Click(Point point) = 0;
    virtual void DoubleClick(Point point) = 0;
    // Keys other than Tab and Escape; true when handled.
    virtual bool Key(unsigned virtualKey) = 0;
    // Tells every item that the rows were resized or the divider moved.
    virtual void LayoutChanged() = 0;
};

} // namespace tree
