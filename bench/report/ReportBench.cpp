// Speed of the report tree under Wine, on shown windows side by side: painting the list through
// its back buffer with 1,000 rows and with 100,000, at the top and further down, and a plain GDI
// window that paints the same rows in view (PlainRows). Each round repaints all of them in turn,
// so that every figure meets the same load. Then adding 1,000 rows and removing them all. Prints
// medians.
//   report_bench [runs]   (default 60)
#include "PlainRows.h"
#include "Timing.h"
#include "ResourceIds.h"
#include "controls/Dpi.h"
#include "framework/Application.h"
#include "framework/Controls.h"
#include "tree/ReportGeometry.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreeList.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using bench::Clock;
using bench::Median;
using bench::Ms;

constexpr double kPlainTarget = 1.2; // the list's paint against the plain program's

class Resources : public fw::Application {
public:
    Resources() : local_(LoadLibraryW(L"local.dll")) { SetCurrentResources(fw::Resources(local_)); }
    ~Resources() override { FreeLibrary(local_); }

private:
    HMODULE local_;
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

CReportGroupItem* Fill(CReportTree& tree, int rows) {
    auto* group = static_cast<CReportGroupItem*>(tree.AddItem(std::make_unique<CReportGroupItem>()));
    group->SetCaption(L"System requirements");
    group->AddColumn(L"Minimum");
    group->Expand(true);
    for (int i = 0; i < rows; ++i) {
        auto item = std::make_unique<CReportTextItem>();
        item->SetCaption(L"Detected item " + std::to_wstring(i));
        item->SetHint(L"What was found and what the game needs.");
        const std::wstring value = L"value " + std::to_wstring(i);
        item->SetValueData(&value);
        item->AddStatusImage(group->Columns().front().centreOffset, i % 4);
        tree.AddItem(std::move(item), group);
    }
    return group;
}

double TimedRepaint(HWND window) {
    const auto start = Clock::now();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return Ms(start);
}

// A tree in a frame of its own at x on the screen, filled with rows.
struct Shown {
    Shown(int x, int rows) {
        frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, x, 0, kWidth, kHeight, nullptr, nullptr,
                                nullptr, nullptr);
        if (!tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, kWidth, kHeight}, frame, 101))
            return;
        fw::ImageList images;
        images.Create(GetModuleHandleW(L"local.dll"), IDB_STATUS_IMAGES, STATUS_IMAGE_WIDTH, 10, RGB(255, 255, 255));
        tree.SetNodeImages(std::move(images));
        group = Fill(tree, rows);
        Pump();
    }
    ~Shown() { DestroyWindow(frame); }
    HWND List() const { return tree.List().Hwnd(); }

    static constexpr int kWidth = 420, kHeight = 800; // three fit side by side on the screen
    HWND frame;
    CReportTree tree;
    CReportGroupItem* group = nullptr;
};

void Line(const char* label, const std::vector<double>& times, const char* note = "") {
    std::printf("%-44s median %8.3f ms  min %8.3f  max %8.3f  %s\n", label, Median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()), note);
}

// The program's DPI, as the screen's LogPixels gave it at start.
int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return value;
}

// The plain program's rows as high as the list's at this DPI.
int RowHeight() { return dpi::Scale(tree::kRowHeight, ScreenDpi()); }

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 60;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Resources resources;

    auto start = Clock::now();
    Shown shortList(0, 1000);
    const double fillShort = Ms(start);
    start = Clock::now();
    Shown longList(Shown::kWidth, 100000);
    const double fillLong = Ms(start);
    if (!shortList.group || !longList.group) {
        std::fprintf(stderr, "the trees could not be created\n");
        return 1;
    }
    // The plain program beside them, with the list's client size, fonts and images.
    RECT client{};
    GetClientRect(shortList.List(), &client);
    const tree::ReportTreeModel& model = shortList.tree.Model();
    bench::PlainRows plain({shortList.tree.NormalFont(), shortList.tree.BoldFont(), shortList.tree.NodeImages(),
                            model.IndentWidth(), model.Divider(), shortList.group->ColumnWidth(), RowHeight(),
                            L"System requirements", L"Minimum"});
    if (!plain.Create(RECT{2 * Shown::kWidth, 0, 2 * Shown::kWidth + client.right, client.bottom})) {
        std::fprintf(stderr, "the plain window could not be created\n");
        return 1;
    }
    Pump();

    // 1. Repaints: the rows at the top of each list and the plain program's, then the short list
    // a page down and the long one half-way. Scrolling and its own paint are not timed.
    CReportItem* const longTop = longList.group;
    CReportItem* const longMiddle = longList.tree.ItemFromId(50000);
    std::vector<double> paintShort, paintLong, paintPlain, paintShortScrolled, paintLongMiddle;
    const auto scroll = [](Shown& shown, auto how) {
        how(shown);
        UpdateWindow(shown.List());
        Pump();
    };
    for (int i = 0; i < runs; ++i) {
        paintShort.push_back(TimedRepaint(shortList.List()));
        paintLong.push_back(TimedRepaint(longList.List()));
        paintPlain.push_back(TimedRepaint(plain.Hwnd()));
        scroll(shortList, [](Shown& shown) { SendMessageW(shown.List(), WM_VSCROLL, SB_PAGEDOWN, 0); });
        scroll(longList, [&](Shown& shown) { shown.tree.ScrollToItem(longMiddle); });
        paintShortScrolled.push_back(TimedRepaint(shortList.List()));
        paintLongMiddle.push_back(TimedRepaint(longList.List()));
        scroll(shortList, [](Shown& shown) { SendMessageW(shown.List(), WM_VSCROLL, SB_PAGEUP, 0); });
        scroll(longList, [&](Shown& shown) { shown.tree.ScrollToItem(longTop); });
    }
    const int middle = longMiddle->Position().y;

    // 2. Adding 1,000 rows and removing them all, on the shown window.
    CReportTree& tree = shortList.tree;
    std::vector<double> add, remove, both;
    for (int i = 0; i < runs; ++i) {
        tree.RemoveAllItems();
        Pump();
        start = Clock::now();
        Fill(tree, 1000);
        const double added = Ms(start);
        start = Clock::now();
        tree.RemoveAllItems();
        const double removed = Ms(start);
        add.push_back(added);
        remove.push_back(removed);
        both.push_back(added + removed);
        Pump();
    }

    std::printf("at %d DPI; ", ScreenDpi());
    std::printf("runs %d, list client %ldx%ld; filling and first paint: 1,000 rows %.0f ms, 100,000 rows %.0f ms\n",
                runs, client.right, client.bottom, fillShort, fillLong);
    std::printf("(scrolled: the short list by a page, the long one to its row at y %d)\n", middle);
    Line("paint 1,000 rows (back buffer)", paintShort, "(target <= 16)");
    Line("paint 100,000 rows", paintLong);
    Line("plain GDI, the same rows in view", paintPlain);
    Line("paint 1,000 rows, a page down", paintShortScrolled);
    Line("paint 100,000 rows, half-way down", paintLongMiddle);
    const double toPlain = Median(paintShort) / Median(paintPlain);
    std::printf("100,000 rows / 1,000 rows: %.2f at the top, %.2f further down\n",
                Median(paintLong) / Median(paintShort), Median(paintLongMiddle) / Median(paintShortScrolled));
    std::printf("1,000 rows / plain GDI:    %.2f (target at most %.2f: %s)\n", toPlain, kPlainTarget,
                toPlain <= kPlainTarget ? "met" : "not met");
    Line("add 1000 rows", add);
    Line("remove all 1000 rows", remove);
    Line("add 1000 + remove all", both, "(target <= 20)");
    return 0;
}
