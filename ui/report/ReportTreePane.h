// The info pane under the rows: the selected item's caption and hint.
#pragma once

#include "framework/Controls.h"

#include <string>

class CReportTree;

class CReportTreePane : public fw::StaticCtrl {
public:
    bool Create(const RECT& rect, CReportTree& owner, int id);
    void SetOwner(CReportTree* owner) { owner_ = owner; }
    // Paints the pane into any DC.
    void PaintPane(HDC dc, const RECT& client);
    // What the pane shows: the title, a line break, the body. Also its window text, so that
    // screen readers and test tools read what a player sees.
    std::wstring ShownText() const;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnPaint() override;
    bool OnEraseBkgnd(HDC dc) override;

private:
    CReportTree* owner_ = nullptr;
};
