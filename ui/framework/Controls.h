// Wrappers of the standard and common controls, attached to template controls by id
// (subclassing) or created as children; tooltips and image lists.
#pragma once

#include "framework/Reflection.h"
#include "framework/Window.h"

#include <string>

namespace fw {

// A child control: a window whose parent passes its drawing, notifications, colours and
// scrolling back to it.
class Control : public Window, public ReflectionTarget {
public:
    ~Control() override;

    // Subclasses the parent's child with that id; false when there is none or this object
    // already stands for a window.
    bool SubclassDlgItem(int id, HWND parent);
    bool SubclassWindow(HWND window);
    // Gives the window back to its own procedure; the window stays.
    void UnsubclassWindow();
    // Creates a child of a system or common control class and subclasses it.
    bool Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect, HWND parent, int id,
                DWORD exStyle = 0);

protected:
    // Runs just before the subclassing takes effect, with Hwnd() already set.
    virtual void PreSubclassWindow() {}
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class StaticCtrl : public Control {};

// Push buttons, check boxes and radio buttons.
class Button : public Control {
public:
    int GetCheck() const { return static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0)); }
    void SetCheck(int state) const { SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(state), 0); }

protected:
    // Owner-draw paint request, reflected from the parent.
    virtual void DrawItem(DRAWITEMSTRUCT& item);
    bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override;
};

class ComboBox : public Control {
public:
    int AddString(const std::wstring& text) const;
    int GetCount() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) const {
        return static_cast<int>(SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0));
    }
    // Item text; at most maxChars characters are read (empty for a bad index).
    std::wstring GetLBText(int index, size_t maxChars = 1024) const;
    // Selects the first item from after `start` (-1: from the top) beginning with the text.
    int SelectString(int start, const std::wstring& text) const;
    void ResetContent() const { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }
};

class SliderCtrl : public Control {
public:
    int GetPos() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)); }
    void SetPos(int position) const { SendMessageW(hwnd_, TBM_SETPOS, TRUE, position); }
    void SetRangeMin(int minimum, bool redraw = false) const { SendMessageW(hwnd_, TBM_SETRANGEMIN, redraw, minimum); }
    void SetRangeMax(int maximum, bool redraw = false) const { SendMessageW(hwnd_, TBM_SETRANGEMAX, redraw, maximum); }
    int GetRangeMin() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETRANGEMIN, 0, 0)); }
    int GetRangeMax() const { return static_cast<int>(SendMessageW(hwnd_, TBM_GETRANGEMAX, 0, 0)); }
};

class ProgressCtrl : public Control {
public:
    void SetRange(int low, int high) const { SendMessageW(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
    int SetPos(int position) const {
        return static_cast<int>(SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0));
    }
    int GetPos() const { return static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)); }
};

class TabCtrl : public Control {
public:
    int GetItemCount() const { return static_cast<int>(SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)); }
    // The item's text as read into a buffer of `bufferChars` characters (the terminator included).
    std::wstring GetItemText(int index, size_t bufferChars) const;

protected:
    virtual void DrawItem(DRAWITEMSTRUCT& item);
    bool OnReflectedDrawItem(DRAWITEMSTRUCT& item) override;
};

// A tooltip owned by a window. Mouse messages reach it through RelayEvent from the owner's
// pre-translation.
class ToolTipCtrl {
public:
    ToolTipCtrl() = default;
    ~ToolTipCtrl();
    ToolTipCtrl(const ToolTipCtrl&) = delete;
    ToolTipCtrl& operator=(const ToolTipCtrl&) = delete;

    bool Create(HWND owner, DWORD style = 0);
    HWND Hwnd() const { return hwnd_; }

    // Themed tooltips ignore these colours, so setting one turns the theme off for this tip.
    void SetTipBkColor(COLORREF colour) const;
    void SetTipTextColor(COLORREF colour) const;
    void SetMaxTipWidth(int width) const { SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, width); }
    void Activate(bool active) const { SendMessageW(hwnd_, TTM_ACTIVATE, active, 0); }

    // A whole child window as the tool.
    bool AddTool(HWND tool, const std::wstring& text) const;
    // A rectangle of a window as tool `id`.
    bool AddTool(HWND window, const std::wstring& text, const RECT& rect, UINT id) const;
    void UpdateTipText(const std::wstring& text, HWND window, UINT id) const;
    void RelayEvent(MSG& msg) const;
    int GetToolCount() const { return static_cast<int>(SendMessageW(hwnd_, TTM_GETTOOLCOUNT, 0, 0)); }

private:
    HWND owner_ = nullptr;
    HWND hwnd_ = nullptr;
};

// An image list made from a bitmap resource or a strip bitmap.
class ImageList {
public:
    ImageList() = default;
    ~ImageList() { Reset(); }
    ImageList(ImageList&& other) noexcept;
    ImageList& operator=(ImageList&& other) noexcept;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Images `width` pixels wide from the module's bitmap, growing by `grow`, pixels of `mask`
    // colour transparent.
    bool Create(HMODULE module, UINT bitmapId, int width, int grow, COLORREF mask);
    // The same from a strip bitmap of images `width` x `height` (the bitmap stays the caller's).
    bool Create(HBITMAP strip, int width, int height, int grow, COLORREF mask);
    HIMAGELIST Get() const { return list_; }
    int GetImageCount() const { return list_ ? ImageList_GetImageCount(list_) : 0; }
    bool Draw(HDC dc, int index, POINT at, UINT style = ILD_TRANSPARENT) const;
    void Reset();

private:
    HIMAGELIST list_ = nullptr;
};

} // namespace fw
