#include "PlainRows.h"

#include <string>

namespace bench {

namespace {

const wchar_t kClass[] = L"TarnholmPlainRows";

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void VerticalLine(HDC dc, int x, int top, int height, COLORREF colour) {
    Fill(dc, RECT{x, top, x + 1, top + height}, colour);
}

void Text(HDC dc, const std::wstring& text, RECT rect, UINT align) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

COLORREF Darkened(COLORREF face) {
    const auto darken = [](int channel) { return channel > 80 ? channel - 80 : 0; };
    return RGB(darken(GetRValue(face)), darken(GetGValue(face)), darken(GetBValue(face)));
}

} // namespace

PlainRows::~PlainRows() {
    if (frame_)
        DestroyWindow(frame_);
    if (buffer_)
        DeleteObject(buffer_);
}

bool PlainRows::Create(const RECT& screen) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClass;
    RegisterClassW(&windowClass);
    const int width = screen.right - screen.left, height = screen.bottom - screen.top;
    const HDC screenDc = GetDC(nullptr);
    buffer_ = CreateBitmap(width, height, static_cast<UINT>(GetDeviceCaps(screenDc, PLANES)),
                           static_cast<UINT>(GetDeviceCaps(screenDc, BITSPIXEL)), nullptr);
    ReleaseDC(nullptr, screenDc);
    frame_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, screen.left, screen.top, width, height, nullptr,
                             nullptr, nullptr, nullptr);
    hwnd_ = CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, frame_, nullptr,
                            GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr && buffer_ != nullptr;
}

LRESULT CALLBACK PlainRows::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<PlainRows*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND)
        return 1;
    if (msg == WM_PAINT && self) {
        self->Paint();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

void PlainRows::Paint() {
    PAINTSTRUCT paint;
    const HDC windowDc = BeginPaint(hwnd_, &paint);
    RECT client;
    GetClientRect(hwnd_, &client);
    const HDC memory = CreateCompatibleDC(windowDc);
    const HGDIOBJ previousBitmap = SelectObject(memory, buffer_);
    PaintRows(memory, client);
    RECT box;
    GetClipBox(windowDc, &box);
    BitBlt(windowDc, box.left, box.top, box.right - box.left, box.bottom - box.top, memory, box.left, box.top, SRCCOPY);
    SelectObject(memory, previousBitmap);
    DeleteDC(memory);
    EndPaint(hwnd_, &paint);
}

void PlainRows::PaintRows(HDC dc, const RECT& client) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT), darkened = Darkened(face);
    const int right = client.right, indent = look_.indent, divider = look_.divider, rowHeight = look_.rowHeight;
    const int columnX = right - look_.columnWidth;

    Fill(dc, client, darkened);
    Fill(dc, RECT{client.left + 2, client.top + 2, right - 2, client.bottom - 2}, RGB(255, 255, 255));
    Fill(dc, RECT{client.left, client.top, client.left + indent, client.bottom}, darkened);
    RECT edge = client;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left + 2, client.top + 2, right - 2, client.bottom - 2);
    SetBkMode(dc, TRANSPARENT);
    const LOGBRUSH dots{BS_SOLID, shadow, 0};
    const HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &dots, 0, nullptr);
    const HGDIOBJ previousPen = SelectObject(dc, pen);

    // The group's row: background, expander box with its minus, bold caption, column title and line.
    Fill(dc, RECT{client.left, 0, right + 1, rowHeight}, darkened);
    Fill(dc, RECT{2, 4, 11, 13}, shadow);
    Fill(dc, RECT{3, 5, 10, 12}, RGB(255, 255, 255));
    Fill(dc, RECT{4, 8, 9, 9}, RGB(0, 0, 0));
    SelectObject(dc, look_.bold);
    SetTextColor(dc, light);
    Text(dc, look_.groupCaption, RECT{indent + 5, 0, right, rowHeight}, DT_LEFT);
    Text(dc, look_.columnTitle, RECT{columnX + 2, 0, right, rowHeight}, DT_CENTER);
    VerticalLine(dc, columnX, 0, rowHeight, shadow);
    VerticalLine(dc, columnX + 1, 0, rowHeight, light);
    MoveToEx(dc, indent, rowHeight - 1, nullptr);
    LineTo(dc, right + 1, rowHeight - 1);

    // The rows in view: image, caption, value, separator, divider and column line.
    SelectObject(dc, look_.normal);
    SetTextColor(dc, RGB(0, 0, 0));
    int imageWidth = 16, imageHeight = 16;
    ImageList_GetIconSize(look_.images, &imageWidth, &imageHeight);
    for (int row = 1, top = rowHeight; top < client.bottom; ++row, top += rowHeight) {
        const int index = row - 1;
        ImageList_Draw(look_.images, index % 4, dc, right - 1 - imageWidth / 2 - look_.columnWidth / 2,
                       top + (rowHeight - 1 - imageHeight) / 2, ILD_NORMAL);
        Text(dc, L"Detected item " + std::to_wstring(index), RECT{indent + 5, top, divider, top + rowHeight}, DT_LEFT);
        Text(dc, L"value " + std::to_wstring(index), RECT{divider + 5, top, columnX, top + rowHeight - 1}, DT_LEFT);
        MoveToEx(dc, indent + 3, top + rowHeight - 1, nullptr);
        LineTo(dc, right, top + rowHeight - 1);
        VerticalLine(dc, divider, top, rowHeight, shadow);
        VerticalLine(dc, divider + 1, top, rowHeight, light);
        VerticalLine(dc, columnX, top, rowHeight, shadow);
        VerticalLine(dc, columnX + 1, top, rowHeight, light);
    }
    SelectObject(dc, previousPen);
    DeleteObject(pen);
    RestoreDC(dc, saved);
}

} // namespace bench
