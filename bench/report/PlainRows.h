// The floor for the report list's paint: a window that paints the rows the benchmark shows in
// view (a group row with its column, then "Detected item i" rows with a status image, a value,
// the divider, the column line and a dotted separator) with plain GDI calls and nothing else,
// through a back buffer as the list does.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace bench {

struct PlainRowsLook {
    HFONT normal;
    HFONT bold;
    HIMAGELIST images;
    int indent;
    int divider;
    int columnWidth;
    int rowHeight;
    const wchar_t* groupCaption;
    const wchar_t* columnTitle;
};

class PlainRows {
public:
    explicit PlainRows(const PlainRowsLook& look) : look_(look) {}
    ~PlainRows();
    PlainRows(const PlainRows&) = delete;
    PlainRows& operator=(const PlainRows&) = delete;

    // Shown at this rectangle of the screen: a child window in a frame of its own, as the list
    // is a child of its tree.
    bool Create(const RECT& screen);
    HWND Hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintRows(HDC dc, const RECT& client);

    PlainRowsLook look_;
    HWND frame_ = nullptr;
    HWND hwnd_ = nullptr;
    HBITMAP buffer_ = nullptr;
};

} // namespace bench
