// What the settings pages share: the layout pass on a page's real controls, the look of their
// tooltips, and handing a press on a page's background to the sheet so that it moves the sheet.
#pragma once

#include "framework/Controls.h"
#include "framework/PropertySheet.h"
#include "settings/PageLayout.h"

namespace sheet {

// Reads a page's controls in its client coordinates and moves them without repainting each.
class PageLayoutTarget final : public LayoutTarget {
public:
    explicit PageLayoutTarget(HWND page) : page_(page) {}
    ctl::Rect Get(int control) override;
    void Move(int control, const ctl::Rect& rect) override;

private:
    HWND page_;
};

// Black tips with white text, at most 225 pixels wide.
void StyleTooltip(const fw::ToolTipCtrl& tooltip);

// A press on the page's own background starts a move of the settings sheet it is shown in.
void ForwardPressToSheet(const fw::PropertyPage& page, POINT clientPoint);

} // namespace sheet
