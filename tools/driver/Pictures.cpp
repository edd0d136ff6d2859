// Pictures of windows as the player sees them, read back from the screen and written as 24-bit
// BMP files. A picture meant for comparison is taken once the window has settled, with the parts
// that differ from machine to machine painted over in one flat colour.
#include "Driver.h"

#include "win32/Owners.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>

namespace driver {

namespace {

struct DeleteDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ReleaseScreenDc {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using MemoryDc = win32::UniqueHandle<win32::NullHandleTraits<HDC, DeleteDc>>;
using ScreenDc = win32::UniqueHandle<win32::NullHandleTraits<HDC, ReleaseScreenDc>>;
template <typename H>
using GdiObject = win32::UniqueHandle<win32::NullHandleTraits<H, DeleteGdiObject>>;

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Masked areas are magenta, a colour none of the windows uses.
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// Rows bottom-up, 24 bits a pixel, each padded to 4 bytes: as a BMP file holds them.
struct Picture {
    BITMAPINFOHEADER info{};
    std::vector<BYTE> pixels;

    bool operator==(const Picture& other) const {
        return info.biWidth == other.info.biWidth && info.biHeight == other.info.biHeight && pixels == other.pixels;
    }
};

// masks: rectangles relative to the window's top-left corner.
bool Capture(HWND hwnd, const std::vector<RECT>& masks, Picture& picture) {
    RECT rc;
    if (!GetWindowRect(hwnd, &rc))
        return false;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return false;
    const ScreenDc screen(GetDC(nullptr));
    const MemoryDc memory(CreateCompatibleDC(screen.Get()));
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
    if (!screen || !memory || !bitmap)
        return false;
    {
        const SelectGuard selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), rc.left, rc.top, SRCCOPY);
        const GdiObject<HBRUSH> brush(CreateSolidBrush(kMaskColour));
        for (const RECT& mask : masks)
            FillRect(memory.Get(), &mask, brush.Get());
    }
    picture.info = {};
    picture.info.biSize = sizeof picture.info;
    picture.info.biWidth = w;
    picture.info.biHeight = h;
    picture.info.biPlanes = 1;
    picture.info.biBitCount = 24;
    picture.info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    picture.pixels.assign(static_cast<size_t>(stride) * h, 0);
    return GetDIBits(memory.Get(), bitmap.Get(), 0, h, picture.pixels.data(),
                     reinterpret_cast<BITMAPINFO*>(&picture.info), DIB_RGB_COLORS) == h;
}

// Nothing but one colour besides the masks: what a window shows on the screen before its
// painting has reached it.
bool Blank(const Picture& picture) {
    const size_t stride = picture.info.biWidth <= 0 ? 0 : picture.pixels.size() / picture.info.biHeight;
    const BYTE mask[3] = {GetBValue(kMaskColour), GetGValue(kMaskColour), GetRValue(kMaskColour)};
    const BYTE* first = nullptr;
    for (size_t row = 0; stride && row < picture.pixels.size(); row += stride) {
        for (size_t x = 0; x < static_cast<size_t>(picture.info.biWidth) * 3; x += 3) {
            const BYTE* pixel = &picture.pixels[row + x];
            if (std::equal(pixel, pixel + 3, mask))
                continue;
            if (!first)
                first = pixel;
            else if (!std::equal(pixel, pixel + 3, first))
                return false;
        }
    }
    return true;
}

bool Write(const Picture& picture, const std::wstring& path) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof picture.info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out)
        return false;
    const bool ok = fwrite(&file, sizeof file, 1, out) == 1 &&
                    fwrite(&picture.info, sizeof picture.info, 1, out) == 1 &&
                    fwrite(picture.pixels.data(), 1, picture.pixels.size(), out) == picture.pixels.size();
    return fclose(out) == 0 && ok;
}

// "ID" masks the whole control; "ID@L,T,R,B" a rectangle of its client area, in client
// coordinates, cut to that area. Several are separated by ";". The control is looked up as the
// other commands do, so a control on a property sheet's shown page is found too.
bool ParseMasks(HWND hwnd, const std::wstring& text, std::vector<RECT>& masks) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    std::wstring mask;
    for (size_t start = 0; start <= text.size(); start += mask.size() + 1) {
        mask = text.substr(start, text.find(L';', start) - start);
        if (mask.empty())
            continue;
        const size_t at = mask.find(L'@');
        long long id = 0;
        if (!ParseNumber(mask.substr(0, at), id))
            return false;
        HWND control = GetDlgItem(hwnd, static_cast<int>(id));
        if (!control)
            control = FindDescendant(hwnd, static_cast<int>(id), true);
        if (!control) {
            Fail(L"mask: no control " + std::to_wstring(id));
            return false;
        }
        RECT rect{};
        if (at == std::wstring::npos) {
            GetWindowRect(control, &rect);
        } else {
            long long v[4];
            std::wstring numbers = mask.substr(at + 1) + L",";
            size_t from = 0;
            for (long long& n : v) {
                const size_t comma = numbers.find(L',', from);
                if (comma == std::wstring::npos || !ParseNumber(numbers.substr(from, comma - from), n))
                    return false;
                from = comma + 1;
            }
            RECT client{}, wanted{static_cast<LONG>(v[0]), static_cast<LONG>(v[1]), static_cast<LONG>(v[2]),
                                  static_cast<LONG>(v[3])};
            GetClientRect(control, &client);
            IntersectRect(&rect, &client, &wanted);
            MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        }
        OffsetRect(&rect, -window.left, -window.top);
        masks.push_back(rect);
    }
    return true;
}

// Settled: nothing left to paint, and two pictures in a row the same. Either alone can be
// fooled: the screen shows a paint only some time after it, and a window that has not yet
// handled what it was sent has nothing to paint yet.
bool SettledPicture(HWND hwnd, const std::vector<RECT>& masks, double seconds, Picture& picture) {
    bool have = false;
    return PollUntil(
        seconds,
        [&] {
            Picture now;
            if (!FullyPainted(hwnd) || !Capture(hwnd, masks, now)) {
                have = false;
                return false;
            }
            const bool same = have && now == picture;
            picture = std::move(now);
            have = true;
            return same;
        },
        150);
}

// Every thread of a process held still for as long as the object lives.
class FrozenProcess {
public:
    explicit FrozenProcess(DWORD pid) {
        const win32::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
        if (!snapshot)
            return;
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry)) {
            if (entry.th32OwnerProcessID != pid)
                continue;
            win32::KernelHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID));
            if (thread && SuspendThread(thread.Get()) != static_cast<DWORD>(-1))
                threads_.push_back(std::move(thread));
        }
    }
    ~FrozenProcess() {
        for (const win32::KernelHandle& thread : threads_)
            ResumeThread(thread.Get());
    }
    FrozenProcess(const FrozenProcess&) = delete;
    FrozenProcess& operator=(const FrozenProcess&) = delete;

private:
    std::vector<win32::KernelHandle> threads_;
};

} // namespace

bool FullyPainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool painted = true;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
                *reinterpret_cast<bool*>(data) = false;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&painted));
    return painted;
}

bool SaveWindowBitmap(HWND hwnd, const std::wstring& path) {
    Picture picture;
    return Capture(hwnd, {}, picture) && Write(picture, path);
}

bool SaveSettledWindowBitmap(HWND hwnd, const std::wstring& path, double seconds) {
    Picture picture;
    return SettledPicture(hwnd, {}, seconds, picture) && Write(picture, path);
}

bool SettledWindowPixels(HWND hwnd, const std::wstring& masks, double seconds, std::vector<COLORREF>& pixels) {
    std::vector<RECT> masked;
    Picture picture;
    if (!ParseMasks(hwnd, masks, masked) || !SettledPicture(hwnd, {}, seconds, picture))
        return false;
    const LONG width = picture.info.biWidth, height = picture.info.biHeight;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    pixels.clear();
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const POINT at{x, y};
            if (std::any_of(masked.begin(), masked.end(), [&](const RECT& mask) { return PtInRect(&mask, at); }))
                continue;
            const BYTE* pixel = &picture.pixels[(height - 1 - y) * stride + x * 3];
            pixels.push_back(RGB(pixel[2], pixel[1], pixel[0]));
        }
    }
    return true;
}

int CmdShot(const Args& args) {
    HWND hwnd;
    std::vector<RECT> masks;
    if (!WindowArg(args, 0, hwnd) || args.positional.size() < 2 || !ParseMasks(hwnd, args.Get(L"--mask"), masks))
        return kUsage;
    Picture picture;
    if (!SettledPicture(hwnd, masks, args.Seconds(L"--timeout", 10), picture)) {
        Fail(L"shot: the window did not settle");
        return kNotMet;
    }
    if (!Write(picture, args.positional[1])) {
        Fail(L"shot: could not write " + args.positional[1]);
        return kNotMet;
    }
    return kOk;
}

// For a window shown too briefly to be caught while the program runs on (the progress window):
// the program is held still in short steps until the window is shown and its painting is on the
// screen, photographed, and let go.
int CmdFreeze(const Args& args) {
    const std::wstring exe = args.Get(L"--exe");
    long long id = 0;
    if (exe.empty() || !ParseNumber(args.Get(L"--id"), id) || args.positional.empty())
        return kUsage;
    HWND caught = nullptr;
    bool seen = false, written = false;
    PollUntil(
        args.Seconds(L"--timeout", 60),
        [&] {
            const std::vector<DWORD> pids = ProcessesNamed(exe);
            if (pids.empty())
                return false;
            const FrozenProcess frozen(pids.front());
            const HWND window = ShownWindowWithControl(pids.front(), static_cast<int>(id));
            if (!window)
                return seen; // gone again: nothing more to wait for
            std::vector<RECT> masks;
            Picture picture;
            if (!FullyPainted(window) || !ParseMasks(window, args.Get(L"--mask"), masks) ||
                !Capture(window, masks, picture))
                return false;
            seen = true;
            if (Blank(picture) || !SettledPicture(window, masks, 2, picture))
                return false;
            caught = window;
            written = Write(picture, args.positional[0]);
            return true;
        },
        1);
    if (!caught) {
        Fail(seen ? L"freeze: the window was shown, but its painting never reached the screen"
                  : L"freeze: no window with control " + std::to_wstring(id) + L" was caught");
        return kNotMet;
    }
    Print(Hex(reinterpret_cast<UINT_PTR>(caught)));
    return written ? kOk : kNotMet;
}

} // namespace driver
