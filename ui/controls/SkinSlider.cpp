#include "controls/SkinSlider.h"

bool CSkinSlider::OnReflectedNotify(NMHDR& header, LRESULT& result) {
    if (header.code != NM_CUSTOMDRAW)
        return false;
    auto& draw = reinterpret_cast<NMCUSTOMDRAW&>(header);
    result = CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
    } else if (draw.dwDrawStage == CDDS_ITEMPREPAINT && draw.dwItemSpec == TBCD_CHANNEL) {
        // The control draws its channel, thumb and ticks over this afterwards.
        PaintBackground(draw.hdc);
    }
    return true;
}

// Never erased: the channel paint covers the whole client area, and an erase would flicker
// under the thumb while it is dragged.
bool CSkinSlider::OnEraseBkgnd(HDC) { return false; }

void CSkinSlider::PaintBackground(HDC target) {
    const HWND parent = GetParent(hwnd_);
    fw::ClientDC parentDc(parent);
    const RECT client = ClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (!background_) {
        RECT window = WindowRect();
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&window), 2);
        fw::MemoryDC memory(parentDc.Get(), width, height);
        // Without a DC and its bitmap the next channel paint tries again.
        if (!memory || !memory.Bitmap())
            return;
        BitBlt(memory.Get(), 0, 0, width, height, parentDc.Get(), window.left, window.top, SRCCOPY);
        background_.emplace(std::move(memory));
    }
    BitBlt(target, 0, 0, width, height, background_->Get(), 0, 0, SRCCOPY);
}
