// Shared by the Windows-only UI tests: the test resource module, drawing surfaces with pixel
// reads, and a count of the process's live GDI objects.
#pragma once

#include "framework/Application.h"

#include <windows.h>

#include <cstddef>

namespace testing_ui {

// An application object whose resource module is the test resource library.
class TestApplication : public fw::Application {
public:
    TestApplication();
    ~TestApplication() override;
    HMODULE Resources() const { return resources_; }

private:
    HMODULE resources_;
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

// Runs pending messages of this thread (for windows shown outside a modal loop).
void PumpPending();

} // namespace testing_ui
