// The fonts every property tree shares at one DPI: bold for groups and the pane's title, normal
// for the rest. A tree holds the pair at its scale; the pair at a DPI is made when its first
// holder comes and deleted when its last goes.
#pragma once

#include <windows.h>

namespace tree {

class TreeFonts {
public:
    explicit TreeFonts(int dpi);
    ~TreeFonts();
    TreeFonts(const TreeFonts&) = delete;
    TreeFonts& operator=(const TreeFonts&) = delete;

    // Holds the pair at `dpi` from here on instead.
    void Hold(int dpi);
    int Dpi() const { return dpi_; }

    // The pair at `dpi` while a tree holds it; null otherwise.
    static HFONT Normal(int dpi);
    static HFONT Bold(int dpi);

private:
    int dpi_;
};

} // namespace tree
