#include "controls/ScaledArt.h"

#include "ResourceIds.h"
#include "controls/Dpi.h"

namespace art {

ScaledBitmap::ScaledBitmap(const fw::Resources& resources, UINT baseId, int dpi) : pick_(PickArt(dpi)) {
    if (pick_.index > 0)
        bitmap_ = resources.Picture(ART_SCALED_ID(baseId, pick_.index));
    if (!bitmap_) {
        pick_ = ArtPick{};
        bitmap_ = resources.Picture(baseId);
    }
}

void ScaledBitmap::Draw(HDC target, const RECT& destination) const {
    if (pick_.fit != Fit::Shrink) {
        fw::StretchBitmap(target, bitmap_.Get(), destination);
        return;
    }
    BITMAP info{};
    if (!bitmap_ || !GetObjectW(bitmap_.Get(), sizeof info, &info))
        return;
    fw::MemoryDC source(target);
    if (!source)
        return;
    const fw::SelectGuard select(source.Get(), bitmap_.Get());
    // HALFTONE averages the source pixels each target pixel covers; it wants the brush origin
    // set after the mode.
    const fw::SavedDC saved(target);
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, destination.left, destination.top, destination.right - destination.left,
               destination.bottom - destination.top, source.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

fw::Bitmap ScaledBitmap::Fitted(int width, int height) && {
    // A picture drawn for this scale may have the size already (the image strips do): copying it
    // would give the same pixels.
    BITMAP info{};
    if (pick_.fit == Fit::Exact && bitmap_ && GetObjectW(bitmap_.Get(), sizeof info, &info) && info.bmWidth == width &&
        info.bmHeight == height)
        return std::move(bitmap_);
    const fw::ClientDC screen(nullptr);
    fw::Bitmap fitted(CreateCompatibleBitmap(screen.Get(), width, height));
    const fw::MemoryDC memory(screen.Get());
    if (!fitted || !memory)
        return {};
    const fw::SelectGuard select(memory.Get(), fitted.Get());
    Draw(memory.Get(), RECT{0, 0, width, height});
    return fitted;
}

bool LoadImageStrip(fw::ImageList& list, const fw::Resources& resources, UINT baseId, SIZE image, int count, int dpi,
                    COLORREF mask) {
    constexpr int kGrow = 10;
    const ArtPick pick = PickArt(dpi);
    if (pick.index == 0 && pick.fit == Fit::Exact)
        return list.Create(resources.Module(), baseId, image.cx, kGrow, mask);
    const int width = dpi::Scale(image.cx, dpi);
    const int height = dpi::Scale(image.cy, dpi);
    const fw::Bitmap strip = ScaledBitmap(resources, baseId, dpi).Fitted(width * count, height);
    return strip && list.Create(strip.Get(), width, height, kGrow, mask);
}

void ShowScaledInStatic(HWND control, const fw::Resources& resources, UINT baseId, int dpi, StaticPicture& owner) {
    if (!control)
        return;
    if (PickArt(dpi).index == 0) {
        if (owner.replaced) {
            SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(owner.replaced.Release()));
            owner.shown.Reset();
        }
        return;
    }
    RECT client{};
    GetClientRect(control, &client);
    fw::Bitmap fitted = ScaledBitmap(resources, baseId, dpi).Fitted(client.right, client.bottom);
    if (!fitted)
        return;
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted.Get())));
    // Only the template's own picture is taken over; one shown before is ours already.
    if (previous && previous != owner.shown.Get())
        owner.replaced = fw::Bitmap(previous);
    owner.shown = std::move(fitted);
}

} // namespace art
