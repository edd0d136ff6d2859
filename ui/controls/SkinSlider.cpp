#include "controls/SkinSlider.h"

#include "controls/ControlsAccessible.h"

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
    const RECT client = ClientRect();
    // In a contrast theme the page shows no picture: the control stands on the button face.
    if (Look().highContrast) {
        FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const HWND parent = GetParent(hwnd_);
    fw::ClientDC parentDc(parent);
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

void CSkinSlider::OnAppearanceChanged(const fw::Appearance& previous) {
    fw::SliderCtrl::OnAppearanceChanged(previous);
    background_.reset();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

std::wstring CSkinSlider::PositionName(int position) const {
    const int index = position - GetRangeMin();
    return index >= 0 && index < static_cast<int>(positionNames_.size()) ? positionNames_[static_cast<size_t>(index)]
                                                                         : std::wstring();
}

bool CSkinSlider::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (accessible_.Handle(msg, wParam, lParam, result, [this] {
            return new ctl::SliderAccessible(hwnd_, [this](int position) { return PositionName(position); });
        }))
        return true;
    // Whatever moved the thumb (keys, mouse, the page), a screen reader hears the new value.
    switch (msg) {
    case TBM_SETPOS:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL: {
        const int before = GetPos();
        result = Default();
        if (GetPos() != before)
            fw::NotifyAccessibleEvent(EVENT_OBJECT_VALUECHANGE, hwnd_);
        return true;
    }
    default: return fw::SliderCtrl::OnMessage(msg, wParam, lParam, result);
    }
}
