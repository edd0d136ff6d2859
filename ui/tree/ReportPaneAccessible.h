// The tree's info pane as a screen reader reads it: static text named by the shown title, the
// shown body as its description.
#pragma once

#include "framework/Accessible.h"

#include <functional>
#include <string>

namespace tree {

class ReportPaneAccessible : public fw::AccessibleObject {
public:
    // `texts` gives the title and the body the pane shows now.
    using PaneTexts = std::function<void(std::wstring& title, std::wstring& body)>;
    ReportPaneAccessible(HWND pane, PaneTexts texts) : AccessibleObject(pane), texts_(std::move(texts)) {}

protected:
    long Role(long) override { return ROLE_SYSTEM_STATICTEXT; }
    long State(long child) override { return AccessibleObject::State(child) & ~STATE_SYSTEM_FOCUSABLE; }
    bool Name(long child, std::wstring& text) override;
    bool Description(long child, std::wstring& text) override;

private:
    PaneTexts texts_;
};

} // namespace tree
