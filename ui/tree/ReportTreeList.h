// The rows of the property tree: painted through a back buffer, scrolled in pixels, and turning
// mouse and keys into the tree's actions.
#pragma once

#include "framework/Accessible.h"
#include "framework/Gdi.h"
#include "tree/TreeWindowHost.h"
#include "framework/CustomWindow.h"
#include "framework/Window.h"

#include <string>
#include <vector>

class CReportTreeList : public fw::CustomWindow {
public:
    bool Create(DWORD style, const RECT& rect, tree::TreeWindowHost& owner, int id);

    // Range 0..root height, page = client height + 1; re-clamps the owner's divider.
    void RecomputeScrollBar();
    // A scroll request with a scroll-bar code (SB_*); thumb: the position for SB_THUMBTRACK.
    void Scroll(int code, int thumb);
    // Paints the rows as the list does, into any DC (the back buffer, a test bitmap); with
    // `cutLines`, the texts that the rows cannot show whole are added there.
    void PaintRows(HDC dc, const RECT& client, std::vector<std::wstring>* cutLines = nullptr);
    // The texts of the rows in view that are cut (a caption at the divider, a value at its
    // column, a column title), in painting order.
    std::vector<std::wstring> CutLines();

    // Asks the list for its cut lines from any process: wParam the index, lParam null for their
    // number, or a buffer of kCutLineRoom characters in the list's process for the index's text;
    // answers the number, the text's length, or -1 past the last.
    static UINT CutLinesMessage();
    static constexpr int kCutLineRoom = 260;

    int BackBufferWidth() const { return bufferWidth_; }
    int BackBufferHeight() const { return bufferHeight_; }
    HBITMAP BackBuffer() const { return buffer_.Get(); }
    bool Dragging() const { return dragging_; }
    // Tells screen readers what changed (focus, selection, expansion, caption, value).
    void OnItemChanged(tree::ItemChange what, CReportItem* item);
    // The focused row's mark shows: the list has the keyboard and keyboard cues are on.
    bool FocusMarkShown() const;

protected:
    void OnSize(UINT type, int width, int height) override;
    void OnPaint() override;
    bool OnEraseBkgnd(HDC dc) override;
    bool OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnLButtonDblClk(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode(MSG* msg) override;
    void OnVScroll(UINT code, UINT position, HWND bar) override;
    bool OnMouseWheel(UINT flags, short delta, POINT screenPoint) override;
    void OnRButtonDown(UINT flags, POINT point) override;
    void OnSetFocus(HWND previous) override;
    void OnKillFocus(HWND next) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PaintFocusMark(HDC dc, const RECT& client);

    void EnsureBackBuffer(int width, int height);
    void InvertBar(int x);

    tree::TreeWindowHost* owner_ = nullptr;
    fw::Bitmap buffer_;
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    int dragX_ = 0;
    bool dragging_ = false;
    fw::AccessibleSlot accessible_;
};
