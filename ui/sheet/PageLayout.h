// The layout tables of the settings pages: every control keeps its template distance from the
// page's top and its height; horizontally it is centred in the page or follows the edges of a
// neighbour, so that the page keeps its arrangement at any width.
#pragma once

#include "ResourceIds.h"
#include "controls/Layout.h"

#include <array>

namespace sheet {

namespace detail {
// Centred between the page's edges, top at its template distance, height kept.
constexpr ctl::LayoutRow Centred(int id) {
    return {id, {ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}};
}
// Left edge after `leftOf`'s right edge, right edge before `rightOf`'s left edge (or its own
// width kept with ANCHOR_SIZE); top at its template distance, height kept.
constexpr ctl::LayoutRow Follows(int id, int leftOf, int rightOf) {
    return {id, {leftOf, ANCHOR_PARENT, rightOf, ANCHOR_SIZE, 0}};
}
} // namespace detail

// In placing order: each control is placed against where its references are at that moment.
inline constexpr std::array<ctl::LayoutRow, 14> kVideoPageLayout{{
    detail::Follows(IDC_VIDEO_RESOLUTION_LABEL, IDC_VIDEO_QUALITY, IDC_VIDEO_QUALITY),
    detail::Centred(IDC_VIDEO_RESOLUTION),
    detail::Follows(IDC_VIDEO_TEXTURES, IDC_VIDEO_RESOLUTION, IDC_VIDEO_QUALITY_LOW),
    detail::Follows(IDC_VIDEO_WIDESCREEN, IDC_VIDEO_RESOLUTION, IDC_VIDEO_QUALITY_VERY_HIGH),
    detail::Follows(IDC_VIDEO_VSYNC, IDC_VIDEO_RESOLUTION, IDC_VIDEO_QUALITY_VERY_HIGH),
    detail::Follows(IDC_VIDEO_WIDESCREEN_LABEL, IDC_VIDEO_RESOLUTION, IDC_VIDEO_QUALITY_VERY_HIGH),
    detail::Follows(IDC_VIDEO_VSYNC_LABEL, IDC_VIDEO_RESOLUTION, IDC_VIDEO_QUALITY_VERY_HIGH),
    detail::Follows(IDC_VIDEO_TEXTURES_LABEL, IDC_VIDEO_RESOLUTION, IDC_VIDEO_QUALITY_LOW),
    detail::Centred(IDC_VIDEO_QUALITY),
    detail::Follows(IDC_VIDEO_QUALITY_MEDIUM, IDC_VIDEO_QUALITY, ANCHOR_SIZE),
    detail::Follows(IDC_VIDEO_QUALITY_HIGH, IDC_VIDEO_QUALITY, ANCHOR_SIZE),
    detail::Follows(IDC_VIDEO_QUALITY_LABEL, IDC_VIDEO_QUALITY, IDC_VIDEO_QUALITY),
    detail::Follows(IDC_VIDEO_QUALITY_LOW, IDC_VIDEO_QUALITY, IDC_VIDEO_QUALITY),
    detail::Follows(IDC_VIDEO_QUALITY_VERY_HIGH, IDC_VIDEO_QUALITY, IDC_VIDEO_QUALITY),
}};

inline constexpr std::array<ctl::LayoutRow, 2> kLanguagePageLayout{{
    detail::Centred(IDC_LANGUAGE_COMBO),
    detail::Follows(IDC_LANGUAGE_LABEL, IDC_LANGUAGE_COMBO, IDC_LANGUAGE_COMBO),
}};

} // namespace sheet
