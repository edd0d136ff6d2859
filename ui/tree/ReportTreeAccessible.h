// The tree's windows as a screen reader reads them.
//
// The row list as a screen reader reads it: an outline whose children are the rows (child ids
// 1 to N from the top, see tree/TreeAccess.h), each with its caption, shown value and description.
#pragma once

#include "framework/Accessible.h"
#include "tree/TreeWindowHost.h"

#include <string>

namespace tree {

class ReportTreeAccessible : public fw::AccessibleObject {
public:
    // texts: the names of the rows' actions in the player's language.
    ReportTreeAccessible(HWND list, TreeWindowHost& owner, TextLookup texts);

protected:
    long ChildCount() override;
    bool IsChild(long child) override;
    long Role(long child) override;
    long State(long child) override;
    bool Name(long child, std::wstring& text) override;
    bool Value(long child, std::wstring& text) override;
    bool Description(long child, std::wstring& text) override;
    bool DefaultAction(long child, std::wstring& text) override;
    HRESULT DoDefaultAction(long child) override;
    HRESULT Select(long flags, long child) override;
    bool Location(long child, RECT& screen) override;
    long Navigate(long direction, long start) override;
    long HitTest(POINT screen) override;
    long Focus() override;
    long Selection() override;

private:
    CReportItem* Row(long child) const;

    TreeWindowHost& owner_;
    TextLookup texts_;
};

} // namespace tree
