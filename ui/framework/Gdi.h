// Move-only owners for GDI objects and device contexts, so that an object made for one drawing
// is released at the end of that drawing whatever path the code takes.
#pragma once

#include "win32/Owners.h"

#include <windows.h>

#include <utility>

namespace fw {

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// One GDI object (brush, pen, font, bitmap, region), deleted when the owner goes.
template <typename H>
using GdiObject = win32::UniqueHandle<win32::NullHandleTraits<H, DeleteGdiObject>>;

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    SelectGuard(SelectGuard&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    SelectGuard& operator=(SelectGuard&&) = delete;
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (dc_ && previous_)
            SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a DC's state and restores exactly that state.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    SavedDC(SavedDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)), state_(other.state_) {}
    SavedDC& operator=(SavedDC&&) = delete;
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
    ~SavedDC() {
        if (dc_ && state_ != 0)
            RestoreDC(dc_, state_);
    }

private:
    HDC dc_;
    int state_;
};

// A memory DC compatible with another, optionally holding a bitmap of its own of the given size.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(HDC compatibleWith, int width, int height);
    MemoryDC(MemoryDC&& other) noexcept;
    MemoryDC& operator=(MemoryDC&&) = delete;
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC();

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    HBITMAP Bitmap() const { return bitmap_.Get(); }

private:
    HDC dc_ = nullptr;
    fw::Bitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

// GetDC / ReleaseDC.
class ClientDC {
public:
    explicit ClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ClientDC(ClientDC&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    ClientDC& operator=(ClientDC&&) = delete;
    ClientDC(const ClientDC&) = delete;
    ClientDC& operator=(const ClientDC&) = delete;
    ~ClientDC() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { BeginPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }
    HDC Get() const { return paint_.hdc; }
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Stretches the whole of a bitmap over a destination rectangle (plain copy), through a
// memory DC compatible with the target. Nothing is drawn for a null bitmap.
void StretchBitmap(HDC target, HBITMAP bitmap, const RECT& destination);

// Fills a rectangle with one colour without creating a brush (the background-colour trick).
void FillSolidRect(HDC dc, const RECT& rect, COLORREF colour);
// A frame `thickness` pixels wide just inside the rectangle, in one colour.
void FrameSolidRect(HDC dc, const RECT& rect, int thickness, COLORREF colour);

} // namespace fw
