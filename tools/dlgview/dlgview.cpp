// dlgview: opens every window template of local.dll roughly as the launcher shows it (background
// picture stretched, white text on the dark skin, owner-drawn buttons and tabs, the texts of a
// language file) and saves a screenshot of each.
//
//   dlgview <output folder> <language file>
//
// The report tree is the program's own control; a plain stand-in with a few rows is drawn in
// its placeholder so that the report can be judged as a whole. Exit code 0 when every
// screenshot was written.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "LanguageFile.h"
#include "PngWriter.h"
#include "ResourceIds.h"
#include "TemplateTexts.h"

namespace {

HMODULE g_res;
detection::LanguageFile g_texts;
std::string g_outDir;
int g_failures = 0;

std::wstring Widen(const std::string& s) {
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::wstring Text(const char* key) {
    const std::wstring wide = Widen(key);
    const std::wstring* text = g_texts.Find(wide);
    return text ? *text : wide;
}

std::wstring ResourceString(UINT id) {
    wchar_t buffer[512] = {};
    LoadStringW(g_res, id, buffer, 512);
    return buffer;
}

// ------------------------------------------------------------------ look of a window

enum class Rule { Dialog, Sheet, Page, Report };

struct AnchorEntry {
    HWND child;
    int flags;
    RECT rect;
};

struct Window {
    Window(int id, Rule look, UINT bitmap, int result = 1)
        : templateId(id), rule(look), bitmapId(bitmap), overallResult(result) {}
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int templateId = 0;
    Rule rule = Rule::Dialog;
    UINT bitmapId = 0;
    HBITMAP background = nullptr;
    HBRUSH darkBrush = CreateSolidBrush(RGB(1, 1, 1));
    int overallResult = 1;
    HIMAGELIST verdictImages = nullptr;
    POINT verdictPos{};
    std::vector<AnchorEntry> anchors;
    RECT lastClient{};

    ~Window() {
        DeleteObject(darkBrush);
        if (background)
            DeleteObject(background);
        if (verdictImages)
            ImageList_Destroy(verdictImages);
    }
};

void StretchBackground(HWND hwnd, HDC dc, HBITMAP bitmap) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    BITMAP bm;
    GetObjectW(bitmap, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

HFONT MessageFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return CreateFontIndirectW(&ncm.lfMessageFont);
}

// The skinned button: face, one raised ring, caption centred in the message font.
void DrawSkinButton(const DRAWITEMSTRUCT& di, COLORREF face, COLORREF dark, COLORREF light) {
    RECT rc = di.rcItem;
    HBRUSH brush = CreateSolidBrush(face);
    FillRect(di.hDC, &rc, brush);
    DeleteObject(brush);
    const bool pressed = (di.itemState & ODS_SELECTED) != 0;
    auto line = [&](int x0, int y0, int x1, int y1, COLORREF c) {
        HPEN pen = CreatePen(PS_SOLID, 1, c);
        HGDIOBJ old = SelectObject(di.hDC, pen);
        MoveToEx(di.hDC, x0, y0, nullptr);
        LineTo(di.hDC, x1, y1);
        SelectObject(di.hDC, old);
        DeleteObject(pen);
    };
    const COLORREF topLeft = pressed ? dark : light;
    const COLORREF bottomRight = pressed ? light : dark;
    line(rc.left, rc.top, rc.right, rc.top, topLeft);
    line(rc.left, rc.top, rc.left, rc.bottom, topLeft);
    line(rc.left + 1, rc.bottom - 1, rc.right, rc.bottom - 1, bottomRight);
    line(rc.right - 1, rc.top + 1, rc.right - 1, rc.bottom, bottomRight);
    wchar_t caption[256] = {};
    GetWindowTextW(di.hwndItem, caption, 256);
    HFONT font = MessageFont();
    HGDIOBJ oldFont = SelectObject(di.hDC, font);
    SetTextColor(di.hDC, pressed ? RGB(170, 170, 170) : RGB(255, 255, 255));
    SetBkMode(di.hDC, TRANSPARENT);
    DrawTextW(di.hDC, caption, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(di.hDC, oldFont);
    DeleteObject(font);
}

void DrawTab(const DRAWITEMSTRUCT& di) {
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(di.hwndItem, TCM_GETITEMW, di.itemID, reinterpret_cast<LPARAM>(&item));
    const int saved = SaveDC(di.hDC);
    SetBkColor(di.hDC, RGB(32, 32, 32));
    SetTextColor(di.hDC, RGB(255, 255, 255));
    RECT rc = di.rcItem;
    if (di.itemState) {
        HBRUSH brush = CreateSolidBrush(RGB(32, 32, 32));
        FillRect(di.hDC, &rc, brush);
        DeleteObject(brush);
    }
    ExtTextOutW(di.hDC, rc.left + 4, rc.top + 3, ETO_OPAQUE, nullptr, text, lstrlenW(text), nullptr);
    RestoreDC(di.hDC, saved);
}

// ------------------------------------------------------------------ report tree stand-in

const wchar_t kTreeClass[] = L"TarnholmTreePreview";

struct PreviewRow {
    const wchar_t* caption;
    const wchar_t* value;
    int image; // -1: none
};

const PreviewRow kPreviewRows[] = {
    {L"Processor", L"Intel Core i5-3470 @ 3.20 GHz", 0},
    {L"Processors", L"4", 0},
    {L"Memory", L"8192 MB", 0},
    {L"Graphics card", L"NVIDIA GeForce GT 430", 1},
    {L"Video memory", L"1024 MB", 0},
    {L"Operating system", L"Windows 10 (build 19045)", 0},
    {L"Free disk space", L"23.7 GB", 0},
    {L"Sound card", L"", 3},
};

LRESULT CALLBACK TreePreviewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int paneHeight = 50;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto darken = [](int v) { return v > 80 ? v - 80 : 0; };
    const COLORREF dark = RGB(darken(GetRValue(face)), darken(GetGValue(face)), darken(GetBValue(face)));
    RECT list = {0, 0, rc.right, rc.bottom - paneHeight};
    HBRUSH darkBrush = CreateSolidBrush(dark);
    FillRect(dc, &list, darkBrush);
    RECT inner = {2, 2, list.right - 2, list.bottom - 2};
    FillRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT gutter = {0, 0, 12, list.bottom};
    FillRect(dc, &gutter, darkBrush);
    DrawEdge(dc, &list, BDR_SUNKENOUTER, BF_RECT);

    HFONT normal = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf;
    GetObjectW(normal, sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectW(&lf);
    SetBkMode(dc, TRANSPARENT);
    const int divider = rc.right * 3 / 10;
    const int column = 60;
    HIMAGELIST images = ImageList_LoadImageW(g_res, MAKEINTRESOURCEW(IDB_STATUS_IMAGES), STATUS_IMAGE_WIDTH, 10,
                                             RGB(255, 255, 255), IMAGE_BITMAP, 0);
    RECT group = {2, 2, list.right - 2, 23};
    FillRect(dc, &group, darkBrush);
    SelectObject(dc, bold);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT text = {19, 2, list.right - column, 23};
    DrawTextW(dc, Text("IDS_REQUIREMENT").c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
    RECT title = {list.right - 2 - column, 2, list.right - 2, 23};
    DrawTextW(dc, Text("IDS_MINIMUM").c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, normal);
    int y = 23;
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, shadow);
    for (const PreviewRow& row : kPreviewRows) {
        if (y + 21 > list.bottom - 2)
            break;
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT cap = {19, y, divider, y + 21};
        DrawTextW(dc, row.caption, -1, &cap, DT_SINGLELINE | DT_VCENTER);
        RECT val = {divider + 5, y, list.right - 2 - column, y + 21};
        DrawTextW(dc, row.value, -1, &val, DT_SINGLELINE | DT_VCENTER);
        if (row.image >= 0 && images)
            ImageList_Draw(images, row.image, dc, list.right - 2 - column / 2 - 8, y + 2, ILD_NORMAL);
        MoveToEx(dc, divider, y, nullptr);
        LineTo(dc, divider, y + 21);
        MoveToEx(dc, list.right - 2 - column, y, nullptr);
        LineTo(dc, list.right - 2 - column, y + 21);
        for (int x = 17; x < list.right - 2; x += 2)
            SetPixel(dc, x, y + 20, GetSysColor(COLOR_BTNSHADOW));
        y += 21;
    }
    SelectObject(dc, oldPen);
    DeleteObject(shadow);
    if (images)
        ImageList_Destroy(images);

    RECT pane = {0, rc.bottom - paneHeight, rc.right, rc.bottom};
    HBRUSH paneBrush = CreateSolidBrush(RGB(32, 32, 32));
    FillRect(dc, &pane, paneBrush);
    DeleteObject(paneBrush);
    DrawEdge(dc, &pane, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&pane, -4, -4);
    SetTextColor(dc, RGB(255, 255, 255));
    SelectObject(dc, bold);
    RECT paneTitle = pane;
    DrawTextW(dc, ResourceString(IDS_PANE_TITLE_NO_SELECTION).c_str(), -1, &paneTitle, DT_SINGLELINE | DT_CALCRECT);
    DrawTextW(dc, ResourceString(IDS_PANE_TITLE_NO_SELECTION).c_str(), -1, &paneTitle, DT_SINGLELINE);
    SelectObject(dc, normal);
    RECT body = {pane.left, paneTitle.bottom, pane.right, pane.bottom};
    DrawTextW(dc, ResourceString(IDS_PANE_TEXT_NO_SELECTION).c_str(), -1, &body, DT_WORDBREAK);
    DeleteObject(bold);
    DeleteObject(darkBrush);
    EndPaint(hwnd, &ps);
    return 0;
}

// ------------------------------------------------------------------ the report's anchors

struct AnchorRule {
    int id;
    int flags; // 1 top, 2 left, 4 right, 8 bottom
};

const AnchorRule kReportAnchors[] = {
    {1003, 3},  {1022, 3},  {1037, 3},  {1045, 3},  {1005, 7},  {1012, 7}, {1001, 15},
    {1006, 14}, {1011, 14}, {1008, 10}, {1021, 14}, {1028, 12}, {1043, 8}, {1007, 7},
};

int Shift(bool nearSide, bool farSide, bool forFar, int oldSize, int newSize) {
    const int delta = newSize - oldSize;
    if (nearSide && farSide)
        return forFar ? delta : 0;
    if (nearSide)
        return 0;
    if (farSide)
        return delta;
    return newSize / 2 - oldSize / 2;
}

void ApplyAnchors(HWND hwnd, Window& w) {
    RECT now;
    GetClientRect(hwnd, &now);
    for (AnchorEntry& e : w.anchors) {
        const bool top = e.flags & 1, left = e.flags & 2, right = e.flags & 4, bottom = e.flags & 8;
        e.rect.left += Shift(left, right, false, w.lastClient.right, now.right);
        e.rect.right += Shift(left, right, true, w.lastClient.right, now.right);
        e.rect.top += Shift(top, bottom, false, w.lastClient.bottom, now.bottom);
        e.rect.bottom += Shift(top, bottom, true, w.lastClient.bottom, now.bottom);
        MoveWindow(e.child, e.rect.left, e.rect.top, e.rect.right - e.rect.left, e.rect.bottom - e.rect.top, TRUE);
        if (GetDlgCtrlID(e.child) == IDC_REPORT_TREE_FRAME) {
            if (HWND tree = GetWindow(e.child, GW_CHILD))
                MoveWindow(tree, 0, 0, e.rect.right - e.rect.left, e.rect.bottom - e.rect.top, TRUE);
        }
    }
    w.lastClient = now;
    InvalidateRect(hwnd, nullptr, TRUE);
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// ------------------------------------------------------------------ dialog procedure

void FillTexts(HWND hwnd, int templateId, int overallResult) {
    for (const auto& t : templatetexts::kControlTexts) {
        if (t.templateId != templateId)
            continue;
        if (t.controlId == IDC_REPORT_VERDICT) {
            static const char* const verdicts[] = {"IDS_RESULT_IDEAL", "IDS_RESULT_FAILED", "IDS_RESULT_SUFFICIENT"};
            if (std::string(t.key) != verdicts[overallResult])
                continue;
        }
        SetDlgItemTextW(hwnd, t.controlId, Text(t.key).c_str());
    }
}

void Initialise(HWND hwnd, Window& w) {
    if (w.bitmapId)
        w.background = LoadBitmapW(g_res, MAKEINTRESOURCEW(w.bitmapId));
    FillTexts(hwnd, w.templateId, w.overallResult);
    switch (w.templateId) {
    case IDD_LAUNCHER: SetWindowTextW(hwnd, Text("IDS_LAUNCHER_TITLE").c_str()); break;
    case IDD_PROGRESS:
        SendDlgItemMessageW(hwnd, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendDlgItemMessageW(hwnd, IDC_PROGRESS_BAR, PBM_SETPOS, 62, 0);
        break;
    case IDD_MESSAGE: SetWindowTextW(hwnd, L""); break;
    case IDD_VIDEO_PAGE: {
        for (const wchar_t* mode : {L"800x600", L"1024x768", L"1280x720", L"1280x1024", L"1600x900", L"1920x1080"})
            SendDlgItemMessageW(hwnd, IDC_VIDEO_RESOLUTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
        SendDlgItemMessageW(hwnd, IDC_VIDEO_RESOLUTION, CB_SETCURSEL, 5, 0);
        SendDlgItemMessageW(hwnd, IDC_VIDEO_QUALITY, TBM_SETRANGEMIN, FALSE, 0);
        SendDlgItemMessageW(hwnd, IDC_VIDEO_QUALITY, TBM_SETRANGEMAX, FALSE, 3);
        SendDlgItemMessageW(hwnd, IDC_VIDEO_QUALITY, TBM_SETPOS, TRUE, 2);
        CheckDlgButton(hwnd, IDC_VIDEO_VSYNC, BST_CHECKED);
        CheckDlgButton(hwnd, IDC_VIDEO_TEXTURES, BST_CHECKED);
        break;
    }
    case IDD_LANGUAGE_PAGE:
        for (const char* key : templatetexts::kLanguageNameKeys)
            SendDlgItemMessageW(hwnd, IDC_LANGUAGE_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(key).c_str()));
        SendDlgItemMessageW(hwnd, IDC_LANGUAGE_COMBO, CB_SETCURSEL, 1, 0);
        break;
    case IDD_REPORT: {
        w.verdictImages = ImageList_LoadImageW(g_res, MAKEINTRESOURCEW(IDB_VERDICT_IMAGES), VERDICT_IMAGE_WIDTH, 10,
                                               RGB(255, 255, 255), IMAGE_BITMAP, 0);
        const RECT marker = ChildRect(hwnd, GetDlgItem(hwnd, IDC_REPORT_VERDICT_IMAGE));
        w.verdictPos = {marker.left, marker.top};
        HWND frame = GetDlgItem(hwnd, IDC_REPORT_TREE_FRAME);
        RECT fr;
        GetClientRect(frame, &fr);
        CreateWindowExW(0, kTreeClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, fr.right, fr.bottom, frame, nullptr,
                        GetModuleHandleW(nullptr), nullptr);
        GetClientRect(hwnd, &w.lastClient);
        for (const AnchorRule& a : kReportAnchors)
            if (HWND child = GetDlgItem(hwnd, a.id))
                w.anchors.push_back({child, a.flags, ChildRect(hwnd, child)});
        break;
    }
    default: break;
    }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        // Pages get their PROPSHEETPAGE, windows the Window itself.
        w = reinterpret_cast<Window*>(lParam);
        if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD && GetParent(hwnd) &&
            SendMessageW(GetParent(hwnd), PSM_GETTABCONTROL, 0, 0))
            w = reinterpret_cast<Window*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(w));
        Initialise(hwnd, *w);
        return TRUE;
    }
    case WM_ERASEBKGND:
        if (!w)
            return FALSE;
        if (w->background) {
            StretchBackground(hwnd, reinterpret_cast<HDC>(wParam), w->background);
        } else {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wParam), &rc, w->darkBrush);
        }
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (!w || (msg == WM_CTLCOLORBTN && w->rule != Rule::Report))
            return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        SetBkMode(reinterpret_cast<HDC>(wParam), w->rule == Rule::Sheet ? OPAQUE : TRANSPARENT);
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(1, 1, 1));
        return reinterpret_cast<INT_PTR>(w->rule == Rule::Dialog || w->rule == Rule::Sheet
                                             ? w->darkBrush
                                             : static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH)));
    case WM_DRAWITEM: {
        const auto& di = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (w && w->templateId == IDD_MESSAGE)
            DrawSkinButton(di, RGB(1, 1, 1), RGB(128, 128, 128), RGB(255, 255, 255));
        else if (di.CtlID == IDC_LAUNCHER_QUIT && w && w->templateId == IDD_LAUNCHER)
            DrawSkinButton(di, RGB(32, 32, 32), RGB(1, 1, 15), RGB(1, 1, 1));
        else
            DrawSkinButton(di, RGB(32, 32, 32), RGB(1, 1, 1), RGB(1, 1, 1));
        return TRUE;
    }
    case WM_NOTIFY: {
        // The quality slider shows the page's picture behind its channel, as the skinned slider does.
        auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        if (!w || cd->hdr.code != NM_CUSTOMDRAW || cd->hdr.idFrom != IDC_VIDEO_QUALITY || !w->background)
            return FALSE;
        LRESULT result = CDRF_DODEFAULT;
        if (cd->dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
        } else if (cd->dwDrawStage == CDDS_ITEMPREPAINT && cd->dwItemSpec == TBCD_CHANNEL) {
            RECT page, slider = ChildRect(hwnd, cd->hdr.hwndFrom), client;
            GetClientRect(hwnd, &page);
            GetClientRect(cd->hdr.hwndFrom, &client);
            BITMAP bm;
            GetObjectW(w->background, sizeof bm, &bm);
            HDC mem = CreateCompatibleDC(cd->hdc);
            HGDIOBJ old = SelectObject(mem, w->background);
            SetStretchBltMode(cd->hdc, COLORONCOLOR);
            const double sx = double(bm.bmWidth) / page.right, sy = double(bm.bmHeight) / page.bottom;
            StretchBlt(cd->hdc, 0, 0, client.right, client.bottom, mem, int(slider.left * sx), int(slider.top * sy),
                       int(client.right * sx), int(client.bottom * sy), SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_PAINT:
        if (!w || !w->verdictImages)
            return FALSE;
        {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            ImageList_Draw(w->verdictImages, w->overallResult, dc, w->verdictPos.x, w->verdictPos.y, ILD_TRANSPARENT);
            EndPaint(hwnd, &ps);
        }
        return TRUE;
    case WM_SIZE:
        if (w && !w->anchors.empty())
            ApplyAnchors(hwnd, *w);
        return FALSE;
    default: return FALSE;
    }
}

// ------------------------------------------------------------------ screenshots

void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

void Capture(HWND hwnd, const std::string& name) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump(400);
    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC wdc = GetWindowDC(hwnd);
    HDC mem = CreateCompatibleDC(wdc);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, width, height, wdc, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    const auto* px = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[3 * i] = px[4 * i + 2];
        rgb[3 * i + 1] = px[4 * i + 1];
        rgb[3 * i + 2] = px[4 * i];
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, wdc);
    const std::string path = g_outDir + "/" + name + ".png";
    if (png::Write(path, width, height, rgb)) {
        std::printf("saved %s (%dx%d)\n", path.c_str(), width, height);
    } else {
        std::printf("cannot write %s\n", path.c_str());
        ++g_failures;
    }
}

HWND Open(Window& w, HWND parent = nullptr) {
    HWND hwnd =
        CreateDialogParamW(g_res, MAKEINTRESOURCEW(w.templateId), parent, DialogProc, reinterpret_cast<LPARAM>(&w));
    if (!hwnd) {
        std::printf("template %d: cannot create (error %lu)\n", w.templateId, GetLastError());
        ++g_failures;
    }
    return hwnd;
}

void ShowTemplate(int id, Rule rule, UINT bitmap, int result, const std::string& name) {
    Window w(id, rule, bitmap, result);
    HWND hwnd = Open(w);
    if (!hwnd)
        return;
    ShowWindow(hwnd, SW_SHOW);
    Capture(hwnd, name);
    if (w.templateId == IDD_REPORT) {
        RECT r;
        GetWindowRect(hwnd, &r);
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left + 240, r.bottom - r.top + 120, SWP_NOMOVE | SWP_NOZORDER);
        Capture(hwnd, name + "-enlarged");
    }
    DestroyWindow(hwnd);
}

// A page on its own: a captionless host the size of the page.
void ShowPage(int id, UINT bitmap, const std::string& name) {
    Window w(id, Rule::Page, bitmap);
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 40, 40, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND page = Open(w, host);
    if (page) {
        RECT r;
        GetWindowRect(page, &r);
        SetWindowPos(host, nullptr, 40, 40, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        ShowWindow(page, SW_SHOW);
        ShowWindow(host, SW_SHOW);
        Capture(host, name);
    }
    DestroyWindow(host);
}

// ------------------------------------------------------------------ the settings sheet

LRESULT CALLBACK SheetSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* w = reinterpret_cast<Window*>(data);
    switch (msg) {
    case WM_ERASEBKGND: StretchBackground(hwnd, reinterpret_cast<HDC>(wParam), w->background); return TRUE;
    case WM_DRAWITEM: {
        const auto& di = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (di.CtlType == ODT_TAB)
            DrawTab(di);
        else
            DrawSkinButton(di, RGB(32, 32, 32), RGB(1, 1, 1), RGB(1, 1, 1));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(1, 1, 1));
        return reinterpret_cast<LRESULT>(w->darkBrush);
    default: return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK TabSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_ERASEBKGND) {
        RECT clip;
        GetClipBox(reinterpret_cast<HDC>(wParam), &clip);
        FillRect(reinterpret_cast<HDC>(wParam), &clip, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void ShowSheet() {
    Window video(IDD_VIDEO_PAGE, Rule::Page, IDB_VIDEO_BACKGROUND);
    Window language(IDD_LANGUAGE_PAGE, Rule::Page, IDB_LANGUAGE_BACKGROUND);
    Window report(IDD_REPORT, Rule::Report, IDB_REPORT_BACKGROUND);
    Window sheet(0, Rule::Sheet, IDB_SHEET_BACKGROUND);
    sheet.background = LoadBitmapW(g_res, MAKEINTRESOURCEW(IDB_SHEET_BACKGROUND));
    const std::wstring captions[] = {Text("IDS_EASY_VIDEO_SETTING_CAPTION"),
                                     Text("IDS_LANGUAGES_CONFIGURATION_CAPTION"), Text("IDS_DETECTIONUI_NAME")};
    Window* windows[] = {&video, &language, &report};
    PROPSHEETPAGEW pages[3] = {};
    for (int i = 0; i < 3; ++i) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEW);
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].hInstance = g_res;
        pages[i].pszTemplate = MAKEINTRESOURCEW(windows[i]->templateId);
        pages[i].pfnDlgProc = DialogProc;
        pages[i].pszTitle = captions[i].c_str();
        pages[i].lParam = reinterpret_cast<LPARAM>(windows[i]);
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOCONTEXTHELP;
    header.hInstance = g_res;
    header.pszCaption = L"";
    header.nPages = 3;
    header.ppsp = pages;
    HWND hwnd = reinterpret_cast<HWND>(PropertySheetW(&header));
    if (!hwnd) {
        std::printf("settings sheet: cannot create\n");
        ++g_failures;
        return;
    }
    SetWindowSubclass(hwnd, SheetSubclass, 1, reinterpret_cast<DWORD_PTR>(&sheet));
    SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) & ~WS_CAPTION);
    HWND tab = reinterpret_cast<HWND>(SendMessageW(hwnd, PSM_GETTABCONTROL, 0, 0));
    SetWindowLongPtrW(tab, GWL_STYLE, GetWindowLongPtrW(tab, GWL_STYLE) | TCS_BUTTONS | TCS_OWNERDRAWFIXED);
    SetWindowSubclass(tab, TabSubclass, 1, 0);
    RECT wr, ok;
    GetWindowRect(hwnd, &wr);
    GetWindowRect(GetDlgItem(hwnd, IDOK), &ok);
    const int okW = ok.right - ok.left, okH = ok.bottom - ok.top;
    SetWindowPos(hwnd, nullptr, wr.left, wr.top, wr.right - wr.left + okW + 27, ok.top - wr.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
    const int ids[] = {IDC_SHEET_DEFAULT, IDC_SHEET_OK, IDC_SHEET_CANCEL};
    const char* const keys[] = {"IDS_DEFAULT_SETTING_BUTTON", "IDS_OK_BUTTON", "IDS_CANCEL_BUTTON"};
    for (int i = 0; i < 3; ++i) {
        HWND button = GetDlgItem(hwnd, ids[i]);
        SetWindowLongPtrW(button, GWL_STYLE, (GetWindowLongPtrW(button, GWL_STYLE) & ~0xF) | BS_OWNERDRAW);
        EnableWindow(button, TRUE);
        ShowWindow(button, SW_SHOW);
        MoveWindow(button, wr.right - wr.left, 27 + i * (okH + 3), okW, okH + 3, TRUE);
        SetWindowTextW(button, Text(keys[i]).c_str());
    }
    ShowWindow(GetDlgItem(hwnd, IDHELP), SW_HIDE);
    ShowWindow(hwnd, SW_SHOW);
    const char* const names[] = {"sheet-video", "sheet-language", "sheet-report"};
    for (int i = 0; i < 3; ++i) {
        SendMessageW(hwnd, PSM_SETCURSEL, i, 0);
        if (HWND page = reinterpret_cast<HWND>(SendMessageW(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0)))
            ShowWindow(GetDlgItem(page, IDC_REPORT_OK), SW_HIDE);
        Capture(hwnd, names[i]);
    }
    DestroyWindow(hwnd);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::printf("usage: dlgview <output folder> <language file>\n");
        return 2;
    }
    auto narrow = [](const wchar_t* s) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
        return out;
    };
    g_outDir = narrow(argv[1]);
    const std::wstring out = argv[1];
    for (size_t pos = out.find_first_of(L"/\\", 3); pos != std::wstring::npos; pos = out.find_first_of(L"/\\", pos + 1))
        CreateDirectoryW(out.substr(0, pos).c_str(), nullptr);
    CreateDirectoryW(out.c_str(), nullptr);
    g_texts = detection::LanguageFile::Load(std::filesystem::path(argv[2]));
    if (g_texts.Size() == 0) {
        std::printf("cannot read %s\n", narrow(argv[2]).c_str());
        return 1;
    }

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    g_res = LoadLibraryW(L"local.dll");
    if (!g_res) {
        std::printf("cannot load local.dll\n");
        return 1;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = TreePreviewProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kTreeClass;
    RegisterClassW(&wc);

    ShowTemplate(IDD_LAUNCHER, Rule::Dialog, IDB_LAUNCHER_BACKGROUND, 1, "launcher");
    ShowTemplate(IDD_PROGRESS, Rule::Dialog, 0, 1, "progress");
    ShowTemplate(IDD_MESSAGE, Rule::Dialog, 0, 1, "message");
    ShowTemplate(IDD_REPORT, Rule::Report, IDB_REPORT_BACKGROUND, 1, "report-failed");
    ShowTemplate(IDD_REPORT, Rule::Report, IDB_REPORT_BACKGROUND, 0, "report-ideal");
    ShowPage(IDD_VIDEO_PAGE, IDB_VIDEO_BACKGROUND, "page-video");
    ShowPage(IDD_LANGUAGE_PAGE, IDB_LANGUAGE_BACKGROUND, "page-language");
    ShowSheet();
    FreeLibrary(g_res);
    return g_failures == 0 ? 0 : 1;
}
