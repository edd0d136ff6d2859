// local.dll as the launcher loads and uses it: by its plain name from the program's folder,
// with every template, control, bitmap, icon, string and export that the windows ask for.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/DialogTemplate.h"
#include "ResourceIds.h"
#include "controls/ArtScale.h"
#include "controls/Dpi.h"

namespace {

enum class Kind { OwnerDrawButton, CheckBox, DropDownList, Slider, ProgressBar, Text, Picture, Placeholder, Marker };

struct Expected {
    int id;
    Kind kind;
};

const std::map<int, std::vector<Expected>> kTemplates = {
    {IDD_REPORT,
     {{IDC_REPORT_TREE_FRAME, Kind::Placeholder},
      {IDC_REPORT_VERDICT_FRAME, Kind::Picture},
      {IDC_REPORT_VERDICT_RULE, Kind::Picture},
      {IDC_REPORT_COPYRIGHT_RULE, Kind::Picture},
      {IDC_REPORT_HEADER_RULE, Kind::Picture},
      {IDC_REPORT_EMBLEM, Kind::Picture},
      {IDC_REPORT_COPYRIGHT, Kind::Text},
      {IDC_REPORT_INFO, Kind::Text},
      {IDC_REPORT_FOOTER_RULE, Kind::Picture},
      {IDC_REPORT_VERDICT_DIVIDER, Kind::Picture},
      {IDC_REPORT_OK, Kind::OwnerDrawButton},
      {IDC_REPORT_VERDICT, Kind::Text},
      {IDC_REPORT_HELP_LINK, Kind::Text},
      {IDC_REPORT_VERDICT_IMAGE, Kind::Marker}}},
    {IDD_LANGUAGE_PAGE, {{IDC_LANGUAGE_COMBO, Kind::DropDownList}, {IDC_LANGUAGE_LABEL, Kind::Text}}},
    {IDD_PROGRESS, {{IDC_PROGRESS_BAR, Kind::ProgressBar}}},
    {IDD_VIDEO_PAGE,
     {{IDC_VIDEO_RESOLUTION, Kind::DropDownList},
      {IDC_VIDEO_WIDESCREEN, Kind::CheckBox},
      {IDC_VIDEO_QUALITY, Kind::Slider},
      {IDC_VIDEO_VSYNC, Kind::CheckBox},
      {IDC_VIDEO_TEXTURES, Kind::CheckBox},
      {IDC_VIDEO_RESOLUTION_LABEL, Kind::Text},
      {IDC_VIDEO_WIDESCREEN_LABEL, Kind::Text},
      {IDC_VIDEO_VSYNC_LABEL, Kind::Text},
      {IDC_VIDEO_TEXTURES_LABEL, Kind::Text},
      {IDC_VIDEO_QUALITY_LABEL, Kind::Text},
      {IDC_VIDEO_QUALITY_LOW, Kind::Text},
      {IDC_VIDEO_QUALITY_MEDIUM, Kind::Text},
      {IDC_VIDEO_QUALITY_HIGH, Kind::Text},
      {IDC_VIDEO_QUALITY_VERY_HIGH, Kind::Text}}},
    {IDD_LAUNCHER,
     {{IDC_LAUNCHER_LAUNCH, Kind::OwnerDrawButton},
      {IDC_LAUNCHER_SETTINGS, Kind::OwnerDrawButton},
      {IDC_LAUNCHER_QUIT, Kind::OwnerDrawButton}}},
    {IDD_MESSAGE,
     {{IDC_MESSAGE_TEXT, Kind::Text}, {IDC_MESSAGE_CHECK, Kind::CheckBox}, {IDC_MESSAGE_OK, Kind::OwnerDrawButton}}},
};

bool IsClass(const fw::TemplateControl& c, const wchar_t* name) { return lstrcmpiW(c.className.c_str(), name) == 0; }

// Why a control is not of the kind the code relies on; empty when it is.
std::string KindProblem(const fw::TemplateControl& c, Kind kind) {
    const DWORD type = c.style & 0xF;
    const bool visible = (c.style & WS_VISIBLE) != 0;
    switch (kind) {
    case Kind::OwnerDrawButton:
        return IsClass(c, L"Button") && type == BS_OWNERDRAW && visible ? "" : "not a visible owner-drawn button";
    case Kind::CheckBox:
        return IsClass(c, L"Button") && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) && visible ? ""
                                                                                                    : "not a check box";
    case Kind::DropDownList:
        if (!IsClass(c, L"ComboBox") || (c.style & 3) != CBS_DROPDOWNLIST)
            return "not a drop-down list";
        return c.style & CBS_SORT ? "sorts its items (must keep insertion order)" : "";
    case Kind::Slider: return IsClass(c, TRACKBAR_CLASSW) && !(c.style & TBS_VERT) ? "" : "not a horizontal slider";
    case Kind::ProgressBar: return IsClass(c, PROGRESS_CLASSW) ? "" : "not a progress bar";
    case Kind::Text:
        return IsClass(c, L"Static") && (c.style & SS_TYPEMASK) <= SS_RIGHT && visible ? "" : "not a visible text";
    case Kind::Picture:
        return IsClass(c, L"Static") && visible && c.text.empty() ? "" : "not a visible static without text";
    case Kind::Placeholder:
        return IsClass(c, L"Static") && visible && c.text.empty() && (c.style & WS_CLIPCHILDREN)
                   ? ""
                   : "not an empty static that clips the tree inside it";
    case Kind::Marker: return IsClass(c, L"Static") && !visible ? "" : "not a hidden static";
    }
    return "unknown kind";
}

class LocalDll : public testing::Test {
protected:
    static void SetUpTestSuite() { module_ = LoadLibraryW(L"local.dll"); }
    static void TearDownTestSuite() {
        if (module_)
            FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "local.dll not found beside the test"; }

    static HMODULE module_;
};

HMODULE LocalDll::module_ = nullptr;

TEST_F(LocalDll, ReportsEnglishThroughItsExport) {
    auto fn = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "GetCurrentLocal")));
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(), 1);
}

TEST_F(LocalDll, EveryTemplateHasItsControlsOfTheRightKindInsideTheWindow) {
    for (const auto& [templateId, controls] : kTemplates) {
        const auto t = fw::LoadDialogTemplate(module_, templateId);
        ASSERT_TRUE(t.valid) << "template " << templateId;
        for (const Expected& e : controls) {
            const auto* c = t.Find(e.id);
            if (!c) {
                ADD_FAILURE() << "template " << templateId << " lacks control " << e.id;
                continue;
            }
            EXPECT_EQ(KindProblem(*c, e.kind), "") << "template " << templateId << ", control " << e.id;
        }
        for (const auto& c : t.controls) {
            if (!(c.style & WS_VISIBLE))
                continue;
            const RECT& b = c.box;
            EXPECT_TRUE(b.left >= 0 && b.top >= 0 && b.right <= t.cx && b.bottom <= t.cy)
                << "template " << templateId << ", control " << c.id << " reaches outside the window";
        }
    }
}

TEST_F(LocalDll, WindowStylesSuitTheirUse) {
    // Pages are children of the settings sheet; the report is also a page, and resizable alone.
    for (int page : {IDD_VIDEO_PAGE, IDD_LANGUAGE_PAGE}) {
        const auto t = fw::LoadDialogTemplate(module_, page);
        EXPECT_TRUE(t.style & WS_CHILD) << page;
    }
    const auto report = fw::LoadDialogTemplate(module_, IDD_REPORT);
    EXPECT_TRUE(report.style & WS_THICKFRAME);
    // The sheet takes the size of its largest page: equal pages leave no gaps.
    for (int page : {IDD_VIDEO_PAGE, IDD_LANGUAGE_PAGE}) {
        const auto t = fw::LoadDialogTemplate(module_, page);
        EXPECT_EQ(t.cx, report.cx) << page;
        EXPECT_EQ(t.cy, report.cy) << page;
    }
    // Moved by dragging their picture: no caption bar.
    for (int captionless : {IDD_LAUNCHER, IDD_PROGRESS})
        EXPECT_EQ(fw::LoadDialogTemplate(module_, captionless).style & WS_CAPTION, 0u) << captionless;
}

// Enter must act as the message dialog's OK button (which reports the box's state), never as
// the plain OK command, which the dialog would end with 1 ("ticked") whatever the box shows.
INT_PTR CALLBACK RecordCommands(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        auto* seen = reinterpret_cast<std::vector<std::pair<int, HWND>>*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        seen->push_back({LOWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return TRUE;
    }
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return TRUE;
    }
    return FALSE;
}

TEST_F(LocalDll, EnterInTheMessageDialogPressesItsOkButton) {
    std::vector<std::pair<int, HWND>> seen;
    HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(IDD_MESSAGE), nullptr, RecordCommands,
                                     reinterpret_cast<LPARAM>(&seen));
    ASSERT_NE(dialog, nullptr);
    HWND ok = GetDlgItem(dialog, IDC_MESSAGE_OK);
    EXPECT_TRUE(IsWindowVisible(ok) || (GetWindowLongPtrW(ok, GWL_STYLE) & WS_VISIBLE));
    EXPECT_EQ(GetWindowLongPtrW(ok, GWL_STYLE) & 0xF, BS_OWNERDRAW);
    for (HWND focus : {GetDlgItem(dialog, IDC_MESSAGE_CHECK), ok}) {
        seen.clear();
        SetFocus(focus);
        MSG msg{focus, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        IsDialogMessageW(dialog, &msg);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].first, IDC_MESSAGE_OK);
        EXPECT_EQ(seen[0].second, ok);
    }
    DestroyWindow(dialog);
}

struct BitmapSize {
    int id;
    int width, height; // 0: only "present"
};

// Every bitmap at every scale: the 100 % size drawn again at 125, 150 and 200 %, under the id
// the program asks for at that scale, its size rounded as the program rounds pixel figures.
TEST_F(LocalDll, EveryBitmapIsThereAtEveryScaleWithItsSize) {
    const BitmapSize bitmaps[] = {{IDB_VERDICT_IMAGES, VERDICT_IMAGE_WIDTH * VERDICT_IMAGE_COUNT, 32},
                                  {IDB_STATUS_IMAGES, STATUS_IMAGE_WIDTH * STATUS_IMAGE_COUNT, 16},
                                  {IDB_LAUNCHER_BACKGROUND, 450, 300},
                                  {IDB_SPLASH, 360, 117},
                                  {IDB_SHEET_BACKGROUND, 608, 397},
                                  {IDB_VIDEO_BACKGROUND, 480, 338},
                                  {IDB_LANGUAGE_BACKGROUND, 480, 338},
                                  {IDB_REPORT_BACKGROUND, 480, 338},
                                  {IDB_RULE_HORIZONTAL, 256, 1},
                                  {IDB_RULE_VERTICAL, 1, 64}};
    for (int index = 0; index < art::kScaleCount; ++index) {
        const int dpi = dpi::kBase * art::kScalePercents[index] / 100;
        for (const BitmapSize& b : bitmaps) {
            const int id = ART_SCALED_ID(b.id, index);
            HBITMAP bitmap = LoadBitmapW(module_, MAKEINTRESOURCEW(id));
            ASSERT_NE(bitmap, nullptr) << id;
            BITMAP bm{};
            GetObjectW(bitmap, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, dpi::Scale(b.width, dpi)) << id;
            EXPECT_EQ(bm.bmHeight, dpi::Scale(b.height, dpi)) << id;
            DeleteObject(bitmap);
        }
    }
}

// White is the transparent colour: each image's corners must be white and its centre not, or
// the images would show white boxes or holes.
TEST_F(LocalDll, ImageStripsUseWhiteOnlyAroundTheirImages) {
    for (const BitmapSize& base : {BitmapSize{IDB_VERDICT_IMAGES, VERDICT_IMAGE_WIDTH, 32},
                                   BitmapSize{IDB_STATUS_IMAGES, STATUS_IMAGE_WIDTH, 16}})
        for (int index = 0; index < art::kScaleCount; ++index) {
            const int dpi = dpi::kBase * art::kScalePercents[index] / 100;
            const BitmapSize b{ART_SCALED_ID(base.id, index), dpi::Scale(base.width, dpi),
                               dpi::Scale(base.height, dpi)};
            HBITMAP bitmap = LoadBitmapW(module_, MAKEINTRESOURCEW(b.id));
            ASSERT_NE(bitmap, nullptr);
            BITMAP bm{};
            GetObjectW(bitmap, sizeof bm, &bm);
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, bitmap);
            for (int x0 = 0; x0 + b.width <= bm.bmWidth; x0 += b.width) {
                for (POINT corner :
                     {POINT{0, 0}, POINT{b.width - 1, 0}, POINT{0, b.height - 1}, POINT{b.width - 1, b.height - 1}})
                    EXPECT_EQ(GetPixel(dc, x0 + corner.x, corner.y), RGB(255, 255, 255)) << b.id << " image at " << x0;
                EXPECT_NE(GetPixel(dc, x0 + b.width / 2, b.height / 2), RGB(255, 255, 255))
                    << b.id << " image at " << x0;
                EXPECT_NE(GetPixel(dc, x0 + b.width / 4, b.height / 2), RGB(255, 255, 255))
                    << b.id << " image at " << x0;
            }
            SelectObject(dc, old);
            DeleteDC(dc);
            DeleteObject(bitmap);
        }
}

// Backgrounds are stretched over their windows: drawn at the window's shape they are not distorted.
TEST_F(LocalDll, BackgroundsHaveTheShapeOfTheirWindows) {
    const std::pair<int, int> backgrounds[] = {{IDB_LAUNCHER_BACKGROUND, IDD_LAUNCHER},
                                               {IDB_VIDEO_BACKGROUND, IDD_VIDEO_PAGE},
                                               {IDB_LANGUAGE_BACKGROUND, IDD_LANGUAGE_PAGE},
                                               {IDB_REPORT_BACKGROUND, IDD_REPORT},
                                               {IDB_SPLASH, IDD_PROGRESS}};
    for (const auto& [bitmapId, templateId] : backgrounds) {
        HBITMAP bitmap = LoadBitmapW(module_, MAKEINTRESOURCEW(bitmapId));
        ASSERT_NE(bitmap, nullptr) << bitmapId;
        BITMAP bm{};
        GetObjectW(bitmap, sizeof bm, &bm);
        DeleteObject(bitmap);
        const auto t = fw::LoadDialogTemplate(module_, templateId);
        const double bitmapAspect = double(bm.bmWidth) / bm.bmHeight;
        const double windowAspect = double(t.cx) / t.cy; // dialog units are square with the dialog font
        EXPECT_NEAR(bitmapAspect / windowAspect, 1.0, 0.1) << "bitmap " << bitmapId;
        EXPECT_GE(bm.bmWidth, t.cx) << "bitmap " << bitmapId << " would be blown up";
    }
    HBITMAP sheet = LoadBitmapW(module_, MAKEINTRESOURCEW(IDB_SHEET_BACKGROUND));
    EXPECT_NE(sheet, nullptr);
    DeleteObject(sheet);
}

TEST_F(LocalDll, WindowIconHasTheSizesWindowsShow) {
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        HICON icon = static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDI_WINDOW), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    // The lookup must find an image of exactly that size, not a scaled one.
    HRSRC group = FindResourceW(module_, MAKEINTRESOURCEW(IDI_WINDOW), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group, nullptr);
    auto* dir = static_cast<BYTE*>(LockResource(LoadResource(module_, group)));
    for (int size : {16, 20, 24, 32, 40, 48, 64})
        EXPECT_NE(LookupIconIdFromDirectoryEx(dir, TRUE, size, size, 0), 0) << size;
}

TEST_F(LocalDll, InfoPaneStringsArePresent) {
    for (UINT id : {IDS_PANE_TITLE_NO_SELECTION, IDS_PANE_TEXT_NO_SELECTION}) {
        wchar_t text[512] = {};
        EXPECT_GT(LoadStringW(module_, id, text, 512), 0) << id;
    }
}

TEST_F(LocalDll, CarriesTheProductVersion) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module_, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
    wchar_t* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\ProductName",
                               reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, L"Tarnholm");
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_NE(fixed->dwProductVersionMS, 0u);
}

} // namespace
