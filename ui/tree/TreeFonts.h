// The fonts every property tree shares: bold for groups and the pane's title, normal for the
// rest. Made when the first holder comes and deleted when the last goes.
#pragma once

#include <windows.h>

namespace tree {

class TreeFonts {
public:
    TreeFonts();
    ~TreeFonts();
    TreeFonts(const TreeFonts&) = delete;
    TreeFonts& operator=(const TreeFonts&) = delete;

    static HFONT Normal();
    static HFONT Bold();
};

} // namespace tree
