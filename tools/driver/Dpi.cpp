// What a window looks like at the screen's scale: how much of its picture repeats its neighbouring
// pixels (art stretched up rather than drawn at the scale), and texts that their controls cut.
// (Icon sizes are checked in the program's own process: another process cannot read an icon's
// bitmaps under Wine.)
#include "Driver.h"

#include "win32/Owners.h"

#include <commctrl.h>

#include <algorithm>

#include <vector>

namespace driver {

namespace {

struct ReleaseScreenDc {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DeleteDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using ScreenDc = win32::UniqueHandle<win32::NullHandleTraits<HDC, ReleaseScreenDc>>;
using MemoryDc = win32::UniqueHandle<win32::NullHandleTraits<HDC, DeleteDc>>;
using Bitmap = win32::UniqueHandle<win32::NullHandleTraits<HBITMAP, DeleteGdiObject>>;
using Font = win32::UniqueHandle<win32::NullHandleTraits<HFONT, DeleteGdiObject>>;

// The screen's pixels of a screen rectangle, top row first, one DWORD each.
std::vector<DWORD> ScreenPixels(const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    std::vector<DWORD> pixels;
    const ScreenDc screen(GetDC(nullptr));
    const MemoryDc memory(CreateCompatibleDC(screen.Get()));
    const Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
    if (w <= 0 || h <= 0 || !memory || !bitmap)
        return pixels;
    const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rect.left, rect.top, SRCCOPY);
    SelectObject(memory.Get(), previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<size_t>(w) * h);
    if (GetDIBits(memory.Get(), bitmap.Get(), 0, h, pixels.data(), &info, DIB_RGB_COLORS) != h)
        pixels.clear();
    return pixels;
}

std::wstring Percent(int part, int whole) { return std::to_wstring(whole > 0 ? (part * 1000 / whole + 5) / 10 : 0); }

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The control's font where this process can read it; a font handle is the owning process's own,
// so otherwise the font every template of the program names (8 points of MS Shell Dlg) at `dpi`.
Font MeasuringFont(HWND control, int dpi) {
    DWORD_PTR font = 0;
    SendMessageTimeoutW(control, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &font);
    LOGFONTW shape{};
    if (!font || GetObjectW(reinterpret_cast<HFONT>(font), sizeof shape, &shape) == 0) {
        shape = LOGFONTW{};
        shape.lfHeight = -MulDiv(8, dpi, 72);
        shape.lfWeight = FW_NORMAL;
        shape.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(shape.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    }
    return Font(CreateFontIndirectW(&shape));
}

// The room `text` needs: one line, or wrapped to `wrapWidth` when it is given.
SIZE TextRoom(HWND control, const std::wstring& text, int wrapWidth, int dpi) {
    const ScreenDc dc(GetDC(nullptr));
    const Font font = MeasuringFont(control, dpi);
    const HGDIOBJ previous = SelectObject(dc.Get(), font.Get());
    RECT room{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    const UINT format = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &room, format);
    SelectObject(dc.Get(), previous);
    return SIZE{room.right - room.left, room.bottom - room.top};
}

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t found[32]{};
    return GetClassNameW(window, found, 32) > 0 && lstrcmpiW(found, name) == 0;
}

// What of the control's text its client area cannot show; empty when all of it fits.
std::wstring CutText(HWND control, int dpi) {
    const std::wstring text = WindowText(control);
    RECT client{};
    GetClientRect(control, &client);
    if (text.empty() || client.right <= 0)
        return {};
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    int width = client.right, wrap = 0;
    if (IsClass(control, WC_STATICW)) {
        const LONG kind = style & SS_TYPEMASK;
        if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP && kind != SS_SIMPLE)
            return {}; // a picture, a frame
        if (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT)
            wrap = (style & SS_CENTERIMAGE) ? 0 : width;
    } else if (IsClass(control, WC_BUTTONW)) {
        const LONG kind = style & BS_TYPEMASK;
        if (kind == BS_GROUPBOX)
            return {};
        // A check box or radio button writes its text beside the box.
        if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON ||
            kind == BS_3STATE || kind == BS_AUTO3STATE)
            width -= MulDiv(13 + 4, dpi, 96);
        if (style & BS_MULTILINE)
            wrap = width;
    } else {
        return {};
    }
    const SIZE room = TextRoom(control, text, wrap, dpi);
    if (room.cx <= width && room.cy <= client.bottom)
        return {};
    return Quoted(text) + L" needs " + std::to_wstring(room.cx) + L"x" + std::to_wstring(room.cy) + L" in " +
           std::to_wstring(width) + L"x" + std::to_wstring(client.bottom);
}

struct CutSearch {
    int dpi;
    std::vector<std::wstring> cut;
};

// The row list of a property tree paints its texts itself and says which it cut.
void CollectTreeCut(HWND list, CutSearch& search) {
    std::vector<std::wstring> lines;
    const std::wstring where = L"tree " + std::to_wstring(GetDlgCtrlID(GetParent(list))) + L" ";
    if (!TreeCutLines(list, lines)) {
        search.cut.push_back(where + L"could not be asked for its cut lines");
        return;
    }
    for (const std::wstring& line : lines)
        search.cut.push_back(where + Quoted(line) + L" is cut");
}

BOOL CALLBACK CollectCut(HWND child, LPARAM param) {
    auto& search = *reinterpret_cast<CutSearch*>(param);
    // Only what is on the screen: the shown page of a sheet, controls that are not hidden.
    if (!IsWindowVisible(child))
        return TRUE;
    if (IsClass(child, L"TarnholmReportTreeList")) {
        CollectTreeCut(child, search);
        return TRUE;
    }
    const std::wstring cut = CutText(child, search.dpi);
    if (!cut.empty())
        search.cut.push_back(std::to_wstring(GetDlgCtrlID(child)) + L" " + cut);
    if (IsClass(child, WC_TABCONTROLW)) {
        const int count = static_cast<int>(SendMessageW(child, TCM_GETITEMCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            std::wstring caption;
            RECT cell{};
            if (!TabItemText(child, index, caption) || !TabItemRect(child, index, cell)) {
                search.cut.push_back(L"tab " + std::to_wstring(index) + L" could not be read");
                continue;
            }
            const SIZE room = TextRoom(child, caption, 0, search.dpi);
            if (room.cx > cell.right - cell.left)
                search.cut.push_back(L"tab " + std::to_wstring(index) + L" " + Quoted(caption) + L" needs " +
                                     std::to_wstring(room.cx) + L" in " + std::to_wstring(cell.right - cell.left));
        }
    }
    return TRUE;
}

} // namespace

int CmdRepeats(const Args& args) {
    HWND window = nullptr, target = nullptr;
    if (const int rc = WindowOrControlArgs(args, window, target); rc != kOk)
        return rc;
    RECT rect{};
    GetClientRect(target, &rect);
    MapWindowPoints(target, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    // Once the window has painted and the screen holds still.
    std::vector<DWORD> pixels, previous;
    PollUntil(
        10,
        [&] {
            previous = std::move(pixels);
            pixels = ScreenPixels(rect);
            return FullyPainted(window) && !pixels.empty() && pixels == previous;
        },
        100);
    if (pixels.empty() || w < 2 || h < 2) {
        Fail(L"repeats: the window's picture could not be read");
        return kNotMet;
    }
    const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; };
    int columns = 0, rows = 0;
    for (int x = 1; x < w; ++x) {
        bool same = true;
        for (int y = 0; y < h && same; ++y)
            same = at(x, y) == at(x - 1, y);
        columns += same;
    }
    for (int y = 1; y < h; ++y) {
        bool same = true;
        for (int x = 0; x < w && same; ++x)
            same = at(x, y) == at(x, y - 1);
        rows += same;
    }
    Print(L"columns " + Percent(columns, w - 1) + L" rows " + Percent(rows, h - 1));
    return kOk;
}

int CmdCutTexts(const Args& args) {
    HWND window = nullptr;
    if (!WindowArg(args, 0, window))
        return kUsage;
    CutSearch search{GetDeviceCaps(ScreenDc(GetDC(nullptr)).Get(), LOGPIXELSX), {}};
    long long dpi = 0;
    if (args.Has(L"--dpi")) {
        if (!ParseNumber(args.Get(L"--dpi"), dpi) || dpi <= 0) {
            Fail(L"cut-texts: --dpi takes a positive number");
            return kUsage;
        }
        search.dpi = static_cast<int>(dpi);
    }
    EnumChildWindows(window, CollectCut, reinterpret_cast<LPARAM>(&search));
    for (const std::wstring& line : search.cut)
        Print(line);
    return search.cut.empty() ? kOk : kNotMet;
}

int CmdDpiMove(const Args& args) {
    HWND window = nullptr;
    long long dpi = 0;
    if (!WindowArg(args, 0, window))
        return kUsage;
    if (args.positional.size() < 2 || !ParseNumber(args.positional[1], dpi) || dpi <= 0 || dpi > 65535) {
        Fail(L"dpi-move: give the new DPI");
        return kUsage;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    // The DPI the window shows at now, as the system has it (the screen's where it has no other).
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto forWindow = win32::ProcAddress<GetDpiForWindowFn>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    int from = forWindow ? static_cast<int>(forWindow(window)) : 0;
    if (from <= 0)
        from = GetDeviceCaps(ScreenDc(GetDC(nullptr)).Get(), LOGPIXELSX);
    SIZE size{MulDiv(rect.right - rect.left, static_cast<int>(dpi), from),
              MulDiv(rect.bottom - rect.top, static_cast<int>(dpi), from)};
    if (args.Has(L"--size")) {
        const std::wstring given = args.Get(L"--size");
        const size_t comma = given.find(L',');
        long long width = 0, height = 0;
        if (comma == std::wstring::npos || !ParseNumber(given.substr(0, comma), width) ||
            !ParseNumber(given.substr(comma + 1), height) || width <= 0 || height <= 0) {
            Fail(L"dpi-move: --size takes W,H");
            return kUsage;
        }
        size = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    }
    // On the screen it moved to: shifted back into the work area where it would reach past it.
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const LONG left = std::max(area.left, std::min(rect.left, area.right - size.cx));
    const LONG top = std::max(area.top, std::min(rect.top, area.bottom - size.cy));
    const RECT suggested{left, top, left + size.cx, top + size.cy};
    if (!SendDpiChange(window, static_cast<int>(dpi), suggested)) {
        Fail(L"dpi-move: the window did not take the change: " + ErrorText(static_cast<long>(GetLastError())));
        return kNotMet;
    }
    return kOk;
}

} // namespace driver
