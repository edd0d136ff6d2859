// The pictures of the resource module at the scale that suits a DPI: loaded, fitted and drawn
// so that art is never blocky. The ids of the other scales follow ART_SCALED_ID (ResourceIds.h).
#pragma once

#include "controls/ArtScale.h"
#include "framework/Context.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"

#include <windows.h>

namespace art {

class ScaledBitmap {
public:
    ScaledBitmap() = default;
    // The picture `baseId` (its 100 % id) of the resources for `dpi`; the 100 % picture where
    // the library has none at the picked scale.
    ScaledBitmap(const fw::Resources& resources, UINT baseId, int dpi);

    HBITMAP Get() const { return bitmap_.Get(); }
    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    const ArtPick& Pick() const { return pick_; }

    // The whole picture over `destination`: smoothly shrunk where it was drawn for a higher
    // DPI, otherwise copied (stretched plainly only by the few pixels a window differs by).
    void Draw(HDC target, const RECT& destination) const;

    // A bitmap of exactly `width` x `height` holding the picture as Draw puts it there: the
    // picture itself where it has that size already, else a new one. It uses the object up.
    fw::Bitmap Fitted(int width, int height) &&;

private:
    fw::Bitmap bitmap_;
    ArtPick pick_;
};

// Fills `list` with the image strip `baseId` (images `width` x `height` at 96 DPI, `count` of
// them) at `dpi`'s size, pixels of `mask` colour transparent.
bool LoadImageStrip(fw::ImageList& list, const fw::Resources& resources, UINT baseId, SIZE image, int count, int dpi,
                    COLORREF mask);

// The bitmap a static control was given in place of its template's picture, and that picture
// while it is not shown, each owned once (a static control deletes neither).
struct StaticPicture {
    fw::Bitmap shown;
    fw::Bitmap replaced;
};

// A bitmap static control (SS_BITMAP) of a template shows the picture `baseId` fitted to its
// size at `dpi`; at 96 DPI and below its template's picture, given back to it when it was
// replaced before.
void ShowScaledInStatic(HWND control, const fw::Resources& resources, UINT baseId, int dpi, StaticPicture& owner);

} // namespace art
