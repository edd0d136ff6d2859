// What a parent passes back to the object of a child control: its owner-drawn painting, its
// notifications, its colours and its scrolling. The parent's own handling applies where the
// control answers false or null.
#pragma once

#include "framework/CtlColor.h"

#include <windows.h>

namespace fw {

class ReflectionTarget {
public:
    virtual bool OnReflectedDrawItem(DRAWITEMSTRUCT&) { return false; }
    virtual bool OnReflectedNotify(NMHDR&, LRESULT&) { return false; }
    virtual HBRUSH OnReflectedCtlColor(HDC, CtlColor) { return nullptr; }
    virtual bool OnReflectedScroll(UINT /*msg*/, UINT /*code*/, UINT /*position*/) { return false; }

protected:
    ~ReflectionTarget() = default;
};

} // namespace fw
