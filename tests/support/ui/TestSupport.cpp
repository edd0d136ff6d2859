#include "TestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <sstream>

namespace testing_ui {

fw::Resources TestResources() { return fw::Resources(GetModuleHandleW(L"fw_test_resources.dll")); }

fw::WindowContext TestContext(TextLookup texts) { return fw::WindowContext{std::move(texts), TestResources()}; }

TestApplication::TestApplication() : resources_(LoadLibraryW(L"fw_test_resources.dll")) {
    static const bool controlsReady = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)controlsReady;
}

TestApplication::~TestApplication() = default;

Surface::Surface(int width, int height, COLORREF fill) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    const HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Surface::~Surface() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

int Surface::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += Pixel(x, y) == colour;
    return count;
}

SIZE OuterSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void SetOuterSize(HWND window, SIZE size) {
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

int TextWidthIn(HWND control, const std::wstring& text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return extent.cx;
}

long long GdiGrowth(int warmUps, int repeats, const std::function<void()>& cycle) {
    for (int i = 0; i < warmUps; ++i)
        cycle();
    PumpPending();
    const size_t before = CountLiveGdiObjects();
    for (int i = 0; i < repeats; ++i)
        cycle();
    PumpPending();
    return static_cast<long long>(CountLiveGdiObjects()) - static_cast<long long>(before);
}

size_t CountLiveGdiObjects() {
    size_t count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    if (count == 0)
        count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string MessageName(UINT msg) {
    struct Named {
        UINT msg;
        const char* name;
    };
    static const Named kNames[] = {
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_PAINT, "WM_PAINT"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
        {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
        {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
        {WM_CTLCOLORSCROLLBAR, "WM_CTLCOLORSCROLLBAR"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
    };
    for (const Named& named : kNames)
        if (named.msg == msg)
            return named.name;
    std::ostringstream hex;
    hex << "0x" << std::hex << msg;
    return hex.str();
}

::testing::AssertionResult SequenceIs(const MessageLog& log, std::initializer_list<std::string> expected) {
    const std::vector<std::string> wanted(expected);
    const std::vector<std::string>& seen = log.Entries();
    if (seen == wanted)
        return ::testing::AssertionSuccess();
    const auto differ = std::mismatch(wanted.begin(), wanted.end(), seen.begin(), seen.end());
    const size_t first = static_cast<size_t>(differ.first - wanted.begin());
    const auto list = [first](std::ostream& out, const std::vector<std::string>& lines) {
        for (size_t i = 0; i < lines.size(); ++i)
            out << (i == first ? "  > " : "    ") << i << ": " << lines[i] << "\n";
        if (lines.size() == first)
            out << "  > " << first << ": (ends here)\n";
    };
    auto failure = ::testing::AssertionFailure();
    std::ostringstream text;
    text << "message sequence differs at line " << first << "\nexpected:\n";
    list(text, wanted);
    text << "seen:\n";
    list(text, seen);
    return failure << text.str();
}

UiStateStandIn::UiStateStandIn(HWND window, LRESULT state)
    : window_(window), previous_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC))), state_(state) {
    SetPropW(window_, L"UiStateStandIn", this);
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
}

UiStateStandIn::~UiStateStandIn() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, L"UiStateStandIn");
}

LRESULT CALLBACK UiStateStandIn::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<UiStateStandIn*>(GetPropW(window, L"UiStateStandIn"));
    if (msg == WM_QUERYUISTATE)
        return self->state_;
    return CallWindowProcW(self->previous_, window, msg, wParam, lParam);
}

} // namespace testing_ui
