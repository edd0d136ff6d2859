// The base of every window object: the HWND it stands for, the message switch with typed
// handlers, default processing and reflection of parent notifications to child objects. How a
// window finds its object is in WindowLink.cpp, the window procedures in WindowProcs.cpp.
#pragma once

#include "framework/Context.h"
#include "framework/CtlColor.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <string>

namespace fw {

// A child's window rectangle in its parent's client coordinates; empty when there is no child.
RECT ChildRect(HWND parent, HWND child);

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }

    // What the window was given (a dialog, at construction) or took from its nearest framework
    // ancestor when it was linked (a control).
    const WindowContext& Context() const { return context_; }
    // What the window is drawn at: a child's is its ancestor's, a top-level window's the system's
    // when it was linked, and after that what it was last told. A top-level window takes the
    // system's contrast answer again when the system says the theme or its colours changed.
    const Appearance& Look() const { return look_; }
    // Takes a new look and, when it differs, lets the window re-make what depends on it
    // (OnAppearanceChanged), which passes it on to every framework object below the window.
    void SetAppearance(const Appearance& look);

    // The object linked to a window by this framework, or null.
    static Window* FromHandle(HWND window);

    // Called by the message loop for every message addressed to this window or to one of its
    // descendants, before the dialog manager sees it. True means the message is consumed.
    virtual bool PreTranslateMessage(MSG& msg);

    // The framework's default colour handling: the child control's reflected answer first, then
    // the window's default processing; in a contrast theme the system's colours.
    HBRUSH DefaultCtlColor(HDC dc, HWND child, CtlColor kind);

    // Small conveniences used throughout the windows.
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::wstring Text() const;
    void SetText(const std::wstring& text) const { SetWindowTextW(hwnd_, text.c_str()); }
    void SetItemText(int id, const std::wstring& text) const { SetDlgItemTextW(hwnd_, id, text.c_str()); }
    RECT ClientRect() const;
    RECT WindowRect() const;
    // A child's window rectangle in this window's client coordinates (empty if it has none).
    RECT ChildRect(HWND child) const { return fw::ChildRect(hwnd_, child); }
    void ModifyStyle(DWORD remove, DWORD add) const;
    void SetIcon(HICON icon, bool big) const;
    // The default push button of a dialog-class window (dialogs, pages, property sheets).
    void SetDefID(int id) const { SendMessageW(hwnd_, DM_SETDEFID, static_cast<WPARAM>(id), 0); }
    void Invalidate(bool erase = true) const { InvalidateRect(hwnd_, nullptr, erase); }
    // Invalidate, erase and repaint at once.
    void RedrawNow() const;
    // Lets the user move the window by dragging its body (a caption press at the given point).
    void BeginDragMove(POINT clientPoint) const;

protected:
    // The message switch. Returns true when the message was answered, with its result.
    // Derived classes override it for messages of their own and call the base for the rest.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Default processing of the message being handled (the original window procedure).
    LRESULT Default();
    virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

    // Typed handlers. Unless overridden they run the default processing.
    virtual int OnCreate(CREATESTRUCTW& create);
    virtual void OnDestroy();
    virtual bool OnCommand(int id, int code, HWND control);        // false: not handled
    virtual bool OnNotify(int id, NMHDR& header, LRESULT& result); // false: not handled
    virtual HBRUSH OnCtlColor(HDC dc, HWND child, CtlColor kind);
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT& item);
    virtual bool OnEraseBkgnd(HDC dc);
    virtual void OnPaint();
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnShowWindow(bool show, UINT status);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnLButtonDblClk(UINT flags, POINT point);
    virtual void OnRButtonDown(UINT flags, POINT point);
    virtual void OnMouseMove(UINT flags, POINT point);
    virtual bool OnMouseWheel(UINT flags, short delta, POINT screenPoint);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnSetFocus(HWND previous);
    virtual void OnKillFocus(HWND next);
    virtual bool OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage);
    virtual LRESULT OnNcHitTest(POINT screenPoint);
    virtual UINT OnGetDlgCode(MSG* msg);
    virtual void OnEnable(bool enable);
    virtual void OnSysColorChange();
    virtual void OnHScroll(UINT code, UINT position, HWND bar);
    virtual void OnVScroll(UINT code, UINT position, HWND bar);
    // The look changed from `previous` to Look(): re-make the fonts, art and metrics that
    // depend on it. The base passes the look on to the framework objects of the child windows
    // (through windows without one); a window calls it first, then re-makes its own.
    virtual void OnAppearanceChanged(const Appearance& previous);

    // Linking. Every window procedure links its object once, when it first sees the window;
    // the link goes at WM_NCDESTROY. Subclass also puts the framework's procedure in front of
    // the window's own (controls, property sheets).
    bool Link(HWND window);
    bool Subclass(HWND window);
    void Unsubclass();

    // Runs one message through the switch with exceptions captured; the shared part of the
    // window, dialog and subclass procedures.
    LRESULT Route(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) noexcept;

    // For windows given their context by their creator; others take their ancestor's.
    void GiveContext(WindowContext context);
    // What a child takes from its nearest framework ancestor (its context unless it was given
    // one, and its look), or a top-level window's scale as the system gives it. Done when the
    // window is linked.
    void Inherit();
    // The look the window was made at, before anything depends on it.
    void SetInitialLook(const Appearance& look) { look_ = look; }

    HWND hwnd_ = nullptr;

private:
    friend LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;
    friend LRESULT CALLBACK CustomWindowProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    void Unlink();
    bool ReflectScroll(UINT msg, UINT code, UINT position, HWND bar);
    // Whether the player has chosen a contrast theme: the one place the program asks.
    static bool SystemHighContrast();
    // A top-level window's look after the system changed its contrast theme or its colours:
    // the answer carried down, the controls told of new colours, the whole window drawn again.
    void FollowSystemContrast(bool coloursChanged);

    bool subclassed_ = false;
    bool contextGiven_ = false;
    WindowContext context_;
    Appearance look_;
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    Message current_{};
};

} // namespace fw
