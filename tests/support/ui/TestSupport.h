// Shared by the Windows-only UI tests: the test resource module, drawing surfaces with pixel
// reads, a count of the process's live GDI objects, and a log of messages in the order seen.
#pragma once

#include "framework/Application.h"
#include "framework/Context.h"
#include "win32/Owners.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <functional>
#include <string>
#include <vector>

namespace testing_ui {

// The test resource library (loaded by TestApplication), and a window context on it.
fw::Resources TestResources();
fw::WindowContext TestContext(TextLookup texts = {});

// An application object that keeps the test resource library loaded.
class TestApplication : public fw::Application {
public:
    TestApplication();
    ~TestApplication() override;
    HMODULE Resources() const { return resources_.Get(); }

private:
    win32::Module resources_;
};

// A 32-bit memory bitmap selected into its own DC.
class Surface {
public:
    Surface(int width, int height, COLORREF fill);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }
    // How many pixels of the rectangle have exactly this colour.
    int Count(const RECT& area, COLORREF colour) const;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

// Live GDI objects of this process. GetGuiResources answers nothing useful under Wine, so the
// handle table is walked by index with GetObjectType; where that finds nothing (systems that
// insist on full handles), GetGuiResources is the answer.
size_t CountLiveGdiObjects();

// A window's outer size, and resizing it in place.
SIZE OuterSize(HWND window);
void SetOuterSize(HWND window, SIZE size);

// How wide the text is in the control's own font, on one line.
int TextWidthIn(HWND control, const std::wstring& text);

// Runs pending messages of this thread (for windows shown outside a modal loop).
void PumpPending();

// How many live GDI objects `repeats` runs of `cycle` leave behind, counted after `warmUps` runs
// that may fill the system's caches (fonts, class brushes, cursors); 0 when nothing leaks.
long long GdiGrowth(int warmUps, int repeats, const std::function<void()>& cycle);

// Answers WM_QUERYUISTATE for one window with `state`, as Windows does in a window opened by the
// mouse (UISF_HIDEFOCUS) and after the first key (0); Wine keeps no UI state and answers 0.
class UiStateStandIn {
public:
    UiStateStandIn(HWND window, LRESULT state);
    ~UiStateStandIn();
    UiStateStandIn(const UiStateStandIn&) = delete;
    UiStateStandIn& operator=(const UiStateStandIn&) = delete;
    void Set(LRESULT state) { state_ = state; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND window_;
    WNDPROC previous_;
    LRESULT state_;
};

// The messages a test is about, in the order the objects saw them, one line each
// ("button: reflected WM_DRAWITEM"). Tests record only what they check, so that the
// sequence they expect is exact whatever else the system sends.
class MessageLog {
public:
    void Add(std::string entry) { entries_.push_back(std::move(entry)); }
    void Clear() { entries_.clear(); }
    const std::vector<std::string>& Entries() const { return entries_; }

private:
    std::vector<std::string> entries_;
};

// The name of a message for a log line ("WM_NOTIFY"), or its number in hex when unnamed here.
std::string MessageName(UINT msg);

// Success when the log holds exactly the expected lines in order; otherwise both sequences,
// numbered, with the first difference marked.
::testing::AssertionResult SequenceIs(const MessageLog& log, std::initializer_list<std::string> expected);

} // namespace testing_ui
