// The info pane under the rows: the selected item's caption and hint.
#pragma once

#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "tree/TreeWindowHost.h"

#include <string>

class CReportTreePane : public fw::StaticCtrl {
public:
    bool Create(const RECT& rect, tree::TreeWindowHost& owner, int id);
    // What the pane shows while nothing is selected; the control's creator gives the texts.
    void SetNoSelectionTexts(std::wstring title, std::wstring body);
    // Paints the pane into any DC.
    void PaintPane(HDC dc, const RECT& client);
    // What the pane shows: the title, a line break, the body. Also its window text, so that
    // screen readers and test tools read what a player sees.
    std::wstring ShownText() const;
    // The title and body shown now.
    void Texts(std::wstring& title, std::wstring& body) const;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnPaint() override;
    bool OnEraseBkgnd(HDC dc) override;

private:
    tree::TreeWindowHost* owner_ = nullptr;
    std::wstring noSelectionTitle_;
    std::wstring noSelectionBody_;
    fw::AccessibleSlot accessible_;
};
