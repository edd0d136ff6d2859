// Owners of GDI objects and device contexts, and the two drawing helpers built on them.
#include "framework/Gdi.h"

namespace fw {

MemoryDC::MemoryDC(HDC compatibleWith, int width, int height)
    : dc_(CreateCompatibleDC(compatibleWith)), bitmap_(CreateCompatibleBitmap(compatibleWith, width, height)) {
    if (dc_ && bitmap_)
        previous_ = SelectObject(dc_, bitmap_.Get());
}

MemoryDC::MemoryDC(MemoryDC&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)), bitmap_(std::move(other.bitmap_)),
      previous_(std::exchange(other.previous_, nullptr)) {}

MemoryDC::~MemoryDC() {
    if (!dc_)
        return;
    if (previous_)
        SelectObject(dc_, previous_);
    DeleteDC(dc_);
}

void StretchBitmap(HDC target, HBITMAP bitmap, const RECT& destination) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return;
    MemoryDC source(target);
    if (!source)
        return;
    SelectGuard select(source.Get(), bitmap);
    // Where the picture is narrower or lower than it was drawn, whole pixels are left out: the
    // default mode would AND them into their neighbours and leave dark specks.
    const int previous = SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, destination.left, destination.top, destination.right - destination.left,
               destination.bottom - destination.top, source.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    if (previous)
        SetStretchBltMode(target, previous);
}

void FillSolidRect(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

void FrameSolidRect(HDC dc, const RECT& rect, int thickness, COLORREF colour) {
    const auto [left, top, right, bottom] = rect;
    FillSolidRect(dc, RECT{left, top, right, top + thickness}, colour);
    FillSolidRect(dc, RECT{left, bottom - thickness, right, bottom}, colour);
    FillSolidRect(dc, RECT{left, top, left + thickness, bottom}, colour);
    FillSolidRect(dc, RECT{right - thickness, top, right, bottom}, colour);
}

} // namespace fw
