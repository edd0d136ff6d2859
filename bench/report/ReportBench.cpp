// Speed of the report tree under Wine: painting the list with 1,000 rows through its back
// buffer, and adding 1,000 rows then removing them all, on a shown window. Prints medians.
//   report_bench [runs]   (default 30)
#include "Timing.h"
#include "ResourceIds.h"
#include "framework/Application.h"
#include "framework/Controls.h"
#include "report/ReportTree.h"
#include "report/ReportTreeList.h"

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

class Resources : public fw::Application {
public:
    Resources() : local_(LoadLibraryW(L"local.dll")) { SetResourceModule(local_); }
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

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 30;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    Resources resources;

    const HWND frame = CreateWindowExW(0, L"STATIC", L"report bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 800, nullptr,
                                       nullptr, nullptr, nullptr);
    CReportTree tree;
    if (!tree.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 640, 800}, frame, 101)) {
        std::fprintf(stderr, "the tree could not be created\n");
        return 1;
    }
    fw::ImageList images;
    images.Create(IDB_STATUS_IMAGES, STATUS_IMAGE_WIDTH, 10, RGB(255, 255, 255));
    tree.SetNodeImages(std::move(images));
    Pump();

    // 1. Painting 1,000 rows (those in view are drawn, the rest are walked) through the back buffer.
    Fill(tree, 1000);
    Pump();
    const HWND list = tree.List().Hwnd();
    std::vector<double> paint, paintScrolled;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        paint.push_back(Ms(start));
    }
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    for (int i = 0; i < runs; ++i) {
        SendMessageW(list, WM_VSCROLL, i % 2 ? SB_PAGEUP : SB_PAGEDOWN, 0);
        // The scroll's own paint (the bar, the rows) is done first: only a repaint is timed.
        UpdateWindow(list);
        Pump();
        auto start = Clock::now();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        paintScrolled.push_back(Ms(start));
    }

    // 2. Adding 1,000 rows and removing them all, on the shown window.
    std::vector<double> add, remove, both;
    for (int i = 0; i < runs; ++i) {
        tree.RemoveAllItems();
        Pump();
        auto start = Clock::now();
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

    std::printf("runs %d, list client %dx%d\n", runs, tree.List().BackBufferWidth(), tree.List().BackBufferHeight());
    std::printf("paint 1000 rows (back buffer)      median %7.3f ms  min %7.3f  max %7.3f  (target <= 16)\n",
                Median(paint), *std::min_element(paint.begin(), paint.end()),
                *std::max_element(paint.begin(), paint.end()));
    std::printf("paint 1000 rows, scrolled          median %7.3f ms\n", Median(paintScrolled));
    std::printf("add 1000 rows                      median %7.3f ms\n", Median(add));
    std::printf("remove all 1000 rows               median %7.3f ms\n", Median(remove));
    std::printf("add 1000 + remove all              median %7.3f ms  min %7.3f  max %7.3f  (target <= 20)\n",
                Median(both), *std::min_element(both.begin(), both.end()), *std::max_element(both.begin(), both.end()));
    DestroyWindow(frame);
    return 0;
}
