#include "controls/ScaledArt.h"

#include "ResourceIds.h"
#include "controls/Dpi.h"
#include "framework/Application.h"

namespace art {

namespace {

fw::Bitmap LoadBitmapId(UINT id) {
    return fw::Bitmap(
        static_cast<HBITMAP>(LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
}

} // namespace

ScaledBitmap::ScaledBitmap(UINT baseId, int dpi) : pick_(PickArt(dpi)) {
    if (pick_.index > 0)
        bitmap_ = LoadBitmapId(ART_SCALED_ID(baseId, pick_.index));
    if (!bitmap_) {
        pick_ = ArtPick{};
        bitmap_ = LoadBitmapId(baseId);
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

fw::Bitmap ScaledBitmap::Fitted(int width, int height) const {
    const fw::ClientDC screen(nullptr);
    fw::Bitmap fitted(CreateCompatibleBitmap(screen.Get(), width, height));
    const fw::MemoryDC memory(screen.Get());
    if (!fitted || !memory)
        return {};
    const fw::SelectGuard select(memory.Get(), fitted.Get());
    Draw(memory.Get(), RECT{0, 0, width, height});
    return fitted;
}

bool LoadImageStrip(fw::ImageList& list, UINT baseId, SIZE image, int count, int dpi, COLORREF mask) {
    constexpr int kGrow = 10;
    const ArtPick pick = PickArt(dpi);
    if (pick.index == 0 && pick.fit == Fit::Exact)
        return list.Create(baseId, image.cx, kGrow, mask);
    const int width = dpi::Scale(image.cx, dpi);
    const int height = dpi::Scale(image.cy, dpi);
    const fw::Bitmap strip = ScaledBitmap(baseId, dpi).Fitted(width * count, height);
    return strip && list.Create(strip.Get(), width, height, kGrow, mask);
}

void ShowScaledInStatic(HWND control, UINT baseId, int dpi, StaticPicture& owner) {
    if (!control || PickArt(dpi).index == 0)
        return;
    RECT client{};
    GetClientRect(control, &client);
    fw::Bitmap fitted = ScaledBitmap(baseId, dpi).Fitted(client.right, client.bottom);
    if (!fitted)
        return;
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fitted.Get())));
    owner.replaced = fw::Bitmap(previous != fitted.Get() ? previous : nullptr);
    owner.shown = std::move(fitted);
}

} // namespace art
