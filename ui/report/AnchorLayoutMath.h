// The arithmetic of the report's anchored layout: where a child goes when the client rectangle
// changes, by its anchor and snap bits.
#pragma once

#include "controls/Geometry.h"

namespace report {

enum AnchorFlag : int {
    kAnchorTop = 0x1,
    kAnchorLeft = 0x2,
    kAnchorRight = 0x4,
    kAnchorBottom = 0x8,
    kSnapTop = 0x100,
    kSnapLeft = 0x200,
    kSnapRight = 0x400,
    kSnapBottom = 0x800,
};

// The child's new rectangle after the client went from `before` to `after`.
ctl::Rect ApplyAnchorFlags(int flags, ctl::Rect child, const ctl::Rect& before, const ctl::Rect& after);

} // namespace report
