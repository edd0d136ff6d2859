// Our own controls as a screen reader reads them: the link, the skinned slider, the dark tab
// strip and the skinned push buttons. Each answers for its window only; the window keeps the
// object in an fw::AccessibleSlot.
#pragma once

#include "framework/Accessible.h"

#include <functional>
#include <string>

namespace ctl {

// A link: its text, default action "Open"; the action posts `followMessage` to the window,
// which opens the link as a click does (after the reader's call has returned).
class LinkAccessible : public fw::AccessibleObject {
public:
    LinkAccessible(HWND link, UINT followMessage, TextLookup texts)
        : AccessibleObject(link), followMessage_(followMessage), texts_(std::move(texts)) {}

protected:
    long Role(long) override { return ROLE_SYSTEM_LINK; }
    long State(long child) override { return AccessibleObject::State(child) | STATE_SYSTEM_LINKED; }
    bool DefaultAction(long, std::wstring& text) override;
    HRESULT DoDefaultAction(long) override;

private:
    UINT followMessage_;
    TextLookup texts_;
};

// A push button: its text without the mnemonic mark, default action "Press" (a click).
class PushButtonAccessible : public fw::AccessibleObject {
public:
    PushButtonAccessible(HWND button, TextLookup texts) : AccessibleObject(button), texts_(std::move(texts)) {}

protected:
    long Role(long) override { return ROLE_SYSTEM_PUSHBUTTON; }
    long State(long child) override;
    bool Name(long child, std::wstring& text) override;
    bool DefaultAction(long, std::wstring& text) override;
    HRESULT DoDefaultAction(long) override;

private:
    TextLookup texts_;
};

// A trackbar whose positions have names (what the labels beside it show).
class SliderAccessible : public fw::AccessibleObject {
public:
    // `positionName`: the name of a position, empty for none (the number is read then).
    SliderAccessible(HWND slider, std::function<std::wstring(int)> positionName)
        : AccessibleObject(slider), positionName_(std::move(positionName)) {}

protected:
    long Role(long) override { return ROLE_SYSTEM_SLIDER; }
    bool Value(long, std::wstring& text) override;

private:
    std::function<std::wstring(int)> positionName_;
};

// A tab strip: one child per tab (child id = tab index + 1), named by its text; the current tab
// is selected. Selecting a child switches tabs as a click does.
class TabStripAccessible : public fw::AccessibleObject {
public:
    TabStripAccessible(HWND tabs, TextLookup texts) : AccessibleObject(tabs), texts_(std::move(texts)) {}

protected:
    long ChildCount() override;
    bool IsChild(long child) override { return child >= 0 && child <= ChildCount(); }
    long Role(long child) override { return child == CHILDID_SELF ? ROLE_SYSTEM_PAGETABLIST : ROLE_SYSTEM_PAGETAB; }
    long State(long child) override;
    bool Name(long child, std::wstring& text) override;
    bool DefaultAction(long child, std::wstring& text) override;
    HRESULT DoDefaultAction(long child) override;
    HRESULT Select(long flags, long child) override;
    bool Location(long child, RECT& screen) override;
    long HitTest(POINT screen) override;
    long Focus() override;
    long Selection() override;

private:
    // Switches to the tab as a click does: the parent may refuse, then hears of the change.
    HRESULT SwitchTo(long child);

    TextLookup texts_;
};

} // namespace ctl
