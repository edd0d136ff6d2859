// The layout tables of the settings pages and the pass that measures and applies them: every
// control keeps its template distance from the page's top and its height; horizontally it is
// centred in the page or follows the edges of a neighbour, so that the page keeps its
// arrangement at any width.
#pragma once

#include "controls/AnchorMath.h"

#include <array>
#include <span>
#include <vector>

namespace sheet {

struct LayoutRow {
    int control;
    ctl::Anchors anchors;
};

// Control ids of the video page (template 114) and the language page (template 102).
inline constexpr int kResolutionLabel = 1055;
inline constexpr int kQualityLabel = 1059;
inline constexpr int kQualitySlider = 1070;
inline constexpr int kVsyncLabel = 1069;
inline constexpr int kTexturesLabel = 1071;
inline constexpr int kQualityLow = 1081;
inline constexpr int kQualityVeryHigh = 1083;
inline constexpr int kQualityHigh = 1084;
inline constexpr int kResolutionCombo = 1104;
inline constexpr int kWidescreenCheck = 1105;
inline constexpr int kVsyncCheck = 1106;
inline constexpr int kTexturesCheck = 1107;
inline constexpr int kQualityMedium = 1108;
inline constexpr int kWidescreenLabel = 1109;
inline constexpr int kLanguageCombo = 1100;
inline constexpr int kLanguageLabel = 1101;

namespace detail {
// Centred between the page's edges, top at its template distance, height kept.
constexpr LayoutRow Centred(int id) {
    return {id, {ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_PARENT, ANCHOR_SIZE, ANCHOR_CENTRE_HORZ}};
}
// Left edge after `leftOf`'s right edge, right edge before `rightOf`'s left edge (or its own
// width kept with ANCHOR_SIZE); top at its template distance, height kept.
constexpr LayoutRow Follows(int id, int leftOf, int rightOf) {
    return {id, {leftOf, ANCHOR_PARENT, rightOf, ANCHOR_SIZE, 0}};
}
} // namespace detail

// In placing order: each control is placed against where its references are at that moment.
inline constexpr std::array<LayoutRow, 14> kVideoPageLayout{{
    detail::Follows(kResolutionLabel, kQualitySlider, kQualitySlider),
    detail::Centred(kResolutionCombo),
    detail::Follows(kTexturesCheck, kResolutionCombo, kQualityLow),
    detail::Follows(kWidescreenCheck, kResolutionCombo, kQualityVeryHigh),
    detail::Follows(kVsyncCheck, kResolutionCombo, kQualityVeryHigh),
    detail::Follows(kWidescreenLabel, kResolutionCombo, kQualityVeryHigh),
    detail::Follows(kVsyncLabel, kResolutionCombo, kQualityVeryHigh),
    detail::Follows(kTexturesLabel, kResolutionCombo, kQualityLow),
    detail::Centred(kQualitySlider),
    detail::Follows(kQualityMedium, kQualitySlider, ANCHOR_SIZE),
    detail::Follows(kQualityHigh, kQualitySlider, ANCHOR_SIZE),
    detail::Follows(kQualityLabel, kQualitySlider, kQualitySlider),
    detail::Follows(kQualityLow, kQualitySlider, kQualitySlider),
    detail::Follows(kQualityVeryHigh, kQualitySlider, kQualitySlider),
}};

inline constexpr std::array<LayoutRow, 2> kLanguagePageLayout{{
    detail::Centred(kLanguageCombo),
    detail::Follows(kLanguageLabel, kLanguageCombo, kLanguageCombo),
}};

// The controls of one page as the layout reads and moves them (client coordinates).
class LayoutTarget {
public:
    virtual ~LayoutTarget() = default;
    virtual ctl::Rect Get(int control) = 0;
    virtual void Move(int control, const ctl::Rect& rect) = 0;
};

// The distances of every row, from the controls where they are now (the template positions).
std::vector<AnchorDistances> MeasureLayout(std::span<const LayoutRow> rows, const ctl::Rect& page,
                                           LayoutTarget& target);
// Places the rows in order; `distances` comes from MeasureLayout of the same rows.
void ApplyLayout(std::span<const LayoutRow> rows, const std::vector<AnchorDistances>& distances, const ctl::Rect& page,
                 LayoutTarget& target);

} // namespace sheet
