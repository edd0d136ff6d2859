#include "TestResources.h"
#include "TestSupport.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/PropertySheet.h"

#include "Detection.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <functional>
#include <string>

using testing_ui::TestApplication;

namespace {

constexpr UINT WM_TEST_STEP = WM_APP + 1;

// A dialog on the test template whose steps are given by the test.
class TestDialog : public fw::Dialog {
public:
    explicit TestDialog(HWND parent = nullptr) : Dialog(IDD_TEST_DIALOG, parent) {}

    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> onStep;
    std::function<bool(TestDialog&, MSG&)> onPreTranslate;
    std::function<bool(TestDialog&, int, int)> onCommand;

    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return true;
    }
    bool PreTranslateMessage(MSG& msg) override { return onPreTranslate && onPreTranslate(*this, msg); }
    bool OnCommand(int id, int code, HWND control) override
    {
        if (onCommand && onCommand(*this, id, code))
            return true;
        return Dialog::OnCommand(id, code, control);
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_TEST_STEP && onStep) {
            onStep(*this);
            return true;
        }
        return Dialog::OnMessage(msg, wParam, lParam, result);
    }
    void Post() const { PostMessageW(hwnd_, WM_TEST_STEP, 0, 0); }
    int FocusId() const { return GetDlgCtrlID(GetFocus()); }
};

class CountingButton : public fw::Button {
public:
    int draws = 0;
    RECT lastItem{};

protected:
    void DrawItem(DRAWITEMSTRUCT& item) override
    {
        ++draws;
        lastItem = item.rcItem;
        const HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(item.hDC, &item.rcItem, brush);
        DeleteObject(brush);
    }
};

class AnsweringStatic : public fw::StaticCtrl {
public:
    HBRUSH answer = nullptr;
    int asked = 0;

protected:
    HBRUSH OnReflectedCtlColor(HDC, fw::CtlColor) override
    {
        ++asked;
        return answer;
    }
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.Resources(), nullptr) << "fw_test_resources.dll not found"; }
    TestApplication app_;
};

} // namespace

TEST_F(FrameworkTest, ModalRunEndsByButtonAndDisablesItsOwnerMeanwhile)
{
    TestDialog owner;
    ASSERT_TRUE(owner.Create());
    ShowWindow(owner.Hwnd(), SW_SHOW);

    TestDialog dialog(owner.Hwnd());
    bool ownerEnabledDuringRun = true;
    HWND ownerSeen = nullptr;
    HWND window = nullptr;
    dialog.onInit = [&](TestDialog& d) {
        window = d.Hwnd();
        ownerEnabledDuringRun = IsWindowEnabled(owner.Hwnd()) != FALSE;
        ownerSeen = GetWindow(d.Hwnd(), GW_OWNER);
        d.Post();
    };
    dialog.onStep = [](TestDialog& d) { PostMessageW(d.Item(IDC_SECOND), BM_CLICK, 0, 0); };
    dialog.onCommand = [](TestDialog& d, int id, int code) {
        if (id != IDC_SECOND || code != BN_CLICKED)
            return false;
        d.EndDialog(42);
        return true;
    };

    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_FALSE(ownerEnabledDuringRun);
    EXPECT_EQ(ownerSeen, owner.Hwnd());
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    EXPECT_EQ(fw::Window::FromHandle(owner.Hwnd()), &owner);
}

TEST_F(FrameworkTest, MissingTemplateFailsTheRunWithMinusOne)
{
    fw::Dialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(FrameworkTest, PreTranslationSeesTabBeforeTheDialogManagerAndCanSwallowEscape)
{
    TestDialog dialog;
    int focusWhenTabSeen = 0;
    int focusWhenEscapeSeen = 0;
    dialog.onInit = [](TestDialog& d) {
        SetFocus(d.Item(IDC_OWNERDRAW));
        d.Post();
    };
    dialog.onStep = [](TestDialog&) {
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0);
        PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    dialog.onPreTranslate = [&](TestDialog& d, MSG& msg) {
        if (msg.message != WM_KEYDOWN)
            return false;
        if (msg.wParam == VK_TAB)
            focusWhenTabSeen = d.FocusId();
        if (msg.wParam == VK_ESCAPE) {
            focusWhenEscapeSeen = d.FocusId();
            msg.wParam = 0;  // nothing else reacts to it
            d.EndDialog(7);
        }
        return false;
    };
    // 7, not IDCANCEL: the dialog manager saw the Escape with its key code cleared.
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(focusWhenTabSeen, IDC_OWNERDRAW);
    EXPECT_EQ(focusWhenEscapeSeen, IDC_SECOND);  // the dialog manager moved the focus after our hook
}

TEST_F(FrameworkTest, EscapeLeftAloneReachesTheDialogManagerAsCancel)
{
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.Post(); };
    dialog.onStep = [](TestDialog& d) { PostMessageW(d.Item(IDOK), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(FrameworkTest, OwnerDrawAndColourRequestsAreReflectedToTheChildObject)
{
    TestDialog dialog;
    CountingButton button;
    AnsweringStatic label;
    const HBRUSH special = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH labelAnswer = nullptr, declined = nullptr, stockAnswer = nullptr;
    dialog.onInit = [&](TestDialog& d) {
        EXPECT_TRUE(button.SubclassDlgItem(IDC_OWNERDRAW, d.Hwnd()));
        EXPECT_TRUE(label.SubclassDlgItem(IDC_LABEL, d.Hwnd()));
        EXPECT_FALSE(button.SubclassDlgItem(IDC_OWNERDRAW, d.Hwnd()));  // already attached
        d.Post();
    };
    dialog.onStep = [&](TestDialog& d) {
        RedrawWindow(button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const HDC dc = GetDC(d.Hwnd());
        label.answer = special;
        labelAnswer = reinterpret_cast<HBRUSH>(
            SendMessageW(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label.Hwnd())));
        label.answer = nullptr;
        declined = reinterpret_cast<HBRUSH>(
            SendMessageW(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label.Hwnd())));
        stockAnswer = reinterpret_cast<HBRUSH>(DefDlgProcW(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(label.Hwnd())));
        ReleaseDC(d.Hwnd(), dc);
        d.EndDialog(IDOK);
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_GT(button.draws, 0);
    EXPECT_GT(button.lastItem.right, 0);
    EXPECT_EQ(labelAnswer, special);
    EXPECT_EQ(label.asked, 3);
    // Declined by the child: the dialog's own default colour handling answers.
    EXPECT_NE(declined, nullptr);
    EXPECT_EQ(declined, stockAnswer);
    // The controls were let go when the dialog went.
    EXPECT_EQ(button.Hwnd(), nullptr);
    DeleteObject(special);
}

namespace {

// Erases by the default processing first (which asks OnCtlColor for the dialog brush), then
// marks one pixel of its own on top.
class DefaultFirstDialog : public fw::Dialog {
public:
    DefaultFirstDialog() : Dialog(IDD_TEST_DIALOG) {}
    HBRUSH dialogBrush = CreateSolidBrush(RGB(200, 0, 0));
    int colourRequests = 0;
    ~DefaultFirstDialog() override { DeleteObject(dialogBrush); }

protected:
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override
    {
        if (kind != fw::CtlColor::Dialog)
            return Dialog::OnCtlColor(dc, child, kind);
        ++colourRequests;
        return dialogBrush;
    }
    bool OnEraseBkgnd(HDC dc) override
    {
        Default();
        SetPixel(dc, 0, 0, RGB(0, 0, 200));
        return true;
    }
};

} // namespace

TEST_F(FrameworkTest, DefaultProcessingRunsInsideAHandlerBeforeItsOwnDrawing)
{
    DefaultFirstDialog dialog;
    ASSERT_TRUE(dialog.Create());
    testing_ui::Surface surface(20, 20, RGB(0, 255, 0));
    EXPECT_EQ(SendMessageW(dialog.Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Dc()), 0), TRUE);
    EXPECT_EQ(dialog.colourRequests, 1);
    EXPECT_EQ(surface.Pixel(10, 10), RGB(200, 0, 0));  // the default erase with our brush
    EXPECT_EQ(surface.Pixel(0, 0), RGB(0, 0, 200));    // then our own drawing
}

TEST_F(FrameworkTest, HandlerExceptionEndsTheRunAndLeavesDoModal)
{
    TestDialog owner;
    ASSERT_TRUE(owner.Create());
    TestDialog dialog(owner.Hwnd());
    HWND window = nullptr;
    dialog.onInit = [&](TestDialog& d) {
        window = d.Hwnd();
        d.Post();
    };
    dialog.onStep = [](TestDialog&) { throw Detection::DetectionFailedException("detection failed"); };
    EXPECT_THROW(dialog.DoModal(), Detection::DetectionFailedException);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
}

TEST_F(FrameworkTest, ExceptionInANestedRunEndsEveryRunOnItsWay)
{
    TestDialog outer;
    HWND outerWindow = nullptr, innerWindow = nullptr;
    bool outerDisabledUnderInner = false;
    bool outerContinuedAfterInner = false;
    outer.onInit = [&](TestDialog& d) {
        outerWindow = d.Hwnd();
        d.Post();
    };
    outer.onStep = [&](TestDialog& d) {
        TestDialog inner(d.Hwnd());
        inner.onInit = [&](TestDialog& i) {
            innerWindow = i.Hwnd();
            outerDisabledUnderInner = !IsWindowEnabled(d.Hwnd());
            throw Detection::DetectionFailedException("from initialisation");
        };
        inner.DoModal();
        outerContinuedAfterInner = true;
    };
    EXPECT_THROW(outer.DoModal(), Detection::DetectionFailedException);
    EXPECT_TRUE(outerDisabledUnderInner);
    EXPECT_FALSE(outerContinuedAfterInner);
    EXPECT_FALSE(IsWindow(innerWindow));
    EXPECT_FALSE(IsWindow(outerWindow));
}

TEST_F(FrameworkTest, ModelessDialogLinksAndUnlinks)
{
    TestDialog dialog;
    bool initialised = false;
    dialog.onInit = [&](TestDialog&) { initialised = true; };
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(initialised);
    EXPECT_FALSE(IsWindowVisible(dialog.Hwnd()));  // the template is not visible; the caller shows it
    EXPECT_EQ(fw::Window::FromHandle(dialog.Hwnd()), &dialog);
    EXPECT_EQ(fw::Window::FromHandle(dialog.Item(IDOK)), nullptr);
    const HWND window = dialog.Hwnd();
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

// ---- property sheet ----

namespace {

class TestPage : public fw::PropertyPage {
public:
    TestPage(UINT templateId, const wchar_t* title) : PropertyPage(templateId) { SetTitle(title); }
    int inits = 0;
    fw::PropertySheetDialog* sheetSeen = nullptr;

protected:
    bool OnInitDialog() override
    {
        ++inits;
        sheetSeen = Sheet();
        return PropertyPage::OnInitDialog();
    }
};

class CountingTab : public fw::TabCtrl {
public:
    int draws = 0;
    std::wstring firstDrawnText;

protected:
    void PreSubclassWindow() override { ModifyStyle(0, TCS_OWNERDRAWFIXED); }
    void DrawItem(DRAWITEMSTRUCT& item) override
    {
        if (draws++ == 0)
            firstDrawnText = GetItemText(static_cast<int>(item.itemID), 256);
    }
};

class TestSheet : public fw::PropertySheetDialog {
public:
    TestPage one{IDD_TEST_PAGE_ONE, L"Alpha"};
    TestPage two{IDD_TEST_PAGE_TWO, L"Beta"};
    CountingTab tab;
    std::function<void(TestSheet&)> onStep;
    bool visibleAtInit = true;
    int initialisedPagesAtInit = -1;

    TestSheet()
    {
        AddPage(one);
        AddPage(two);
    }

protected:
    bool OnInitDialog() override
    {
        visibleAtInit = IsWindowVisible(hwnd_) != FALSE;
        initialisedPagesAtInit = one.inits + two.inits;
        tab.SubclassWindow(GetTabControl());
        PostMessageW(hwnd_, WM_TEST_STEP, 0, 0);
        return true;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_TEST_STEP && onStep) {
            onStep(*this);
            return true;
        }
        return PropertySheetDialog::OnMessage(msg, wParam, lParam, result);
    }
};

} // namespace

TEST_F(FrameworkTest, PropertySheetWithTwoPagesAndItsTabControlSubclassed)
{
    TestSheet sheet;
    std::wstring titles[2];
    bool okAndCancelPresent = false;
    sheet.onStep = [&](TestSheet& s) {
        titles[0] = s.tab.GetItemText(0, 256);
        titles[1] = s.tab.GetItemText(1, 256);
        okAndCancelPresent = s.Item(IDOK) && s.Item(IDCANCEL);
        EXPECT_EQ(s.GetActivePage(), &s.one);
        EXPECT_TRUE(s.SetActivePage(1));
        EXPECT_EQ(s.GetActivePage(), &s.two);
        RedrawWindow(s.tab.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        s.EndDialog(5);
    };
    EXPECT_EQ(sheet.DoModal(), 5);
    EXPECT_FALSE(sheet.visibleAtInit);
    EXPECT_EQ(sheet.initialisedPagesAtInit, 1);  // comctl32 had initialised the first page
    EXPECT_EQ(titles[0], L"Alpha");
    EXPECT_EQ(titles[1], L"Beta");
    EXPECT_TRUE(okAndCancelPresent);
    EXPECT_EQ(sheet.one.inits, 1);
    EXPECT_EQ(sheet.two.inits, 1);
    EXPECT_EQ(sheet.one.sheetSeen, &sheet);
    EXPECT_GT(sheet.tab.draws, 0);  // owner-draw items reflected from the sheet to the tab object
    EXPECT_FALSE(sheet.tab.firstDrawnText.empty());
    EXPECT_EQ(sheet.Hwnd(), nullptr);
    EXPECT_EQ(sheet.one.Hwnd(), nullptr);
}

TEST_F(FrameworkTest, PropertySheetClosedByItsOwnCancelButtonEndsTheRun)
{
    TestSheet sheet;
    sheet.onStep = [](TestSheet& s) { PostMessageW(s.Hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
    EXPECT_EQ(sheet.DoModal(), 0);  // comctl32's result for Cancel
    EXPECT_EQ(sheet.Hwnd(), nullptr);
}

TEST_F(FrameworkTest, PropertyPageRunsAsADialogOfItsOwn)
{
    TestPage page(IDD_TEST_PAGE_ONE, L"Alone");
    TestDialog helper;
    // End the run from outside once the page is up.
    ASSERT_TRUE(helper.Create());
    SetTimer(helper.Hwnd(), 1, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        PostMessageW(GetActiveWindow(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(page.DoModal(), IDCANCEL);
    KillTimer(helper.Hwnd(), 1);
    EXPECT_EQ(page.inits, 1);
    EXPECT_EQ(page.sheetSeen, nullptr);
}

// ---- application and resources ----

namespace {

class RunApp : public TestApplication {
public:
    bool initResult = true;
    int exitCode = 3;
    HWND ownerOfModal = reinterpret_cast<HWND>(1);
    std::wstring commandLineSeen;
    bool exited = false;

    bool InitInstance() override
    {
        commandLineSeen = CommandLine();
        TestDialog main;
        main.Create();
        SetMainWindow(&main);
        TestDialog modal;
        modal.onInit = [&](TestDialog& d) {
            ownerOfModal = GetWindow(d.Hwnd(), GW_OWNER);
            d.EndDialog(IDOK);
        };
        modal.DoModal();
        return initResult;  // `main` goes with this scope, and so does the main window
    }
    int ExitInstance() override
    {
        exited = true;
        return exitCode;
    }
};

} // namespace

TEST(Application, RunsTheHooksAndUsesTheMainWindowAsModalOwner)
{
    RunApp app;
    ASSERT_NE(app.Resources(), nullptr);
    EXPECT_EQ(fw::Application::Current(), &app);
    EXPECT_EQ(fw::RunApplication(GetModuleHandleW(nullptr), L"/ForceDetectionUI"), 3);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(app.commandLineSeen, L"/ForceDetectionUI");
    EXPECT_NE(app.ownerOfModal, nullptr);
    EXPECT_EQ(app.MainWindow(), nullptr);  // unlinked when its object went

    RunApp refused;
    refused.initResult = false;
    refused.exitCode = 0;
    EXPECT_EQ(fw::RunApplication(GetModuleHandleW(nullptr), L""), 0);
    EXPECT_TRUE(refused.exited);  // the exit hook runs on every way out
}

TEST_F(FrameworkTest, ResourcesComeFromTheCurrentResourceModule)
{
    EXPECT_EQ(fw::LoadStringResource(IDS_TEST_STRING), L"Text from the test module");
    EXPECT_EQ(fw::LoadStringResource(12345), L"");

    fw::ImageList images;
    ASSERT_TRUE(images.Create(IDB_TEST_IMAGES, 16, 10, RGB(255, 255, 255)));
    EXPECT_EQ(images.GetImageCount(), 3);
    testing_ui::Surface surface(16, 16, RGB(0, 255, 0));
    EXPECT_TRUE(images.Draw(surface.Dc(), 0, POINT{0, 0}));
    EXPECT_EQ(surface.Pixel(8, 8), RGB(255, 0, 0));
    EXPECT_TRUE(images.Draw(surface.Dc(), 1, POINT{0, 0}));  // white is the mask: nothing drawn
    EXPECT_EQ(surface.Pixel(8, 8), RGB(255, 0, 0));
    EXPECT_FALSE(images.Draw(surface.Dc(), 3, POINT{0, 0}));

    fw::Bitmap bitmap(fw::LoadBitmapResource(IDB_TEST_IMAGES));
    ASSERT_TRUE(bitmap);
    testing_ui::Surface stretched(6, 4, RGB(0, 0, 0));
    fw::StretchBitmap(stretched.Dc(), bitmap.Get(), RECT{0, 0, 6, 4});
    EXPECT_EQ(stretched.Pixel(0, 2), RGB(255, 0, 0));
    EXPECT_EQ(stretched.Pixel(5, 2), RGB(0, 0, 255));
}

// ---- notifications, scrolling, custom windows, tooltips ----

namespace {

class ReflectedSlider : public fw::SliderCtrl {
public:
    int customDraws = 0;
    int scrolls = 0;
    UINT lastScrollCode = 0;

protected:
    bool OnReflectedNotify(NMHDR& header, LRESULT& result) override
    {
        if (header.code != static_cast<UINT>(NM_CUSTOMDRAW))
            return false;
        ++customDraws;
        result = CDRF_DODEFAULT;
        return true;
    }
    bool OnReflectedScroll(UINT msg, UINT code, UINT) override
    {
        if (msg != WM_HSCROLL)
            return false;
        ++scrolls;
        lastScrollCode = code;
        return true;
    }
};

} // namespace

TEST_F(FrameworkTest, CustomDrawAndScrollNotificationsAreReflectedToTheSlider)
{
    TestDialog dialog;
    ReflectedSlider slider;
    int positionAfterKey = -1;
    int rangeMax = -1;
    dialog.onInit = [&](TestDialog& d) {
        ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, d.Hwnd()));
        slider.SetRangeMin(0);
        slider.SetRangeMax(3, true);
        d.Post();
    };
    dialog.onStep = [&](TestDialog& d) {
        RedrawWindow(slider.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        SendMessageW(slider.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
        positionAfterKey = slider.GetPos();
        rangeMax = slider.GetRangeMax();
        d.EndDialog(IDOK);
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_GT(slider.customDraws, 0);
    EXPECT_GT(slider.scrolls, 0);
    EXPECT_EQ(positionAfterKey, 1);
    EXPECT_EQ(rangeMax, 3);
}

namespace {

class Canvas : public fw::CustomWindow {
public:
    int creates = 0;
    int paints = 0;
    bool throwOnCreate = false;

protected:
    int OnCreate(CREATESTRUCTW& create) override
    {
        ++creates;
        if (throwOnCreate)
            throw Detection::DetectionFailedException("create");
        return CustomWindow::OnCreate(create);
    }
    void OnPaint() override
    {
        fw::PaintDC dc(hwnd_);
        ++paints;
    }
};

} // namespace

TEST_F(FrameworkTest, WindowsOfRegisteredClassesAreRoutedToTheirObjects)
{
    ASSERT_TRUE(fw::CustomWindow::RegisterWindowClass(L"TarnholmTestCanvas", CS_HREDRAW | CS_VREDRAW,
                                                      LoadCursorW(nullptr, IDC_ARROW), nullptr));
    TestDialog parent;
    ASSERT_TRUE(parent.Create());
    ShowWindow(parent.Hwnd(), SW_SHOW);
    Canvas canvas;
    ASSERT_TRUE(canvas.Create(L"TarnholmTestCanvas", L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 40}, parent.Hwnd(), 101));
    EXPECT_EQ(canvas.creates, 1);
    EXPECT_EQ(fw::Window::FromHandle(canvas.Hwnd()), &canvas);
    EXPECT_EQ(GetDlgCtrlID(canvas.Hwnd()), 101);
    UpdateWindow(canvas.Hwnd());
    EXPECT_EQ(canvas.paints, 1);

    Canvas failing;
    failing.throwOnCreate = true;
    EXPECT_THROW(failing.Create(L"TarnholmTestCanvas", L"", WS_CHILD, RECT{0, 0, 5, 5}, parent.Hwnd(), 102),
                 Detection::DetectionFailedException);
    EXPECT_EQ(failing.Hwnd(), nullptr);
    EXPECT_EQ(GetDlgItem(parent.Hwnd(), 102), nullptr);
}

TEST_F(FrameworkTest, TooltipTakesItsColoursWidthAndTools)
{
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    fw::ToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(dialog.Hwnd()));
    EXPECT_FALSE(tip.Create(dialog.Hwnd()));
    tip.SetTipBkColor(RGB(0, 0, 0));
    tip.SetTipTextColor(RGB(255, 255, 255));
    tip.SetMaxTipWidth(225);
    EXPECT_EQ(SendMessageW(tip.Hwnd(), TTM_GETTIPBKCOLOR, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(SendMessageW(tip.Hwnd(), TTM_GETTIPTEXTCOLOR, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageW(tip.Hwnd(), TTM_GETMAXTIPWIDTH, 0, 0), 225);
    EXPECT_TRUE(tip.AddTool(dialog.Item(IDOK), L"Saves the settings"));
    EXPECT_TRUE(tip.AddTool(dialog.Item(IDC_LABEL), L"first", RECT{0, 0, 10, 10}, 1));
    tip.UpdateTipText(L"second", dialog.Item(IDC_LABEL), 1);
    EXPECT_EQ(tip.GetToolCount(), 2);

    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = dialog.Item(IDC_LABEL);
    info.uId = 1;
    info.lpszText = text;
    SendMessageW(tip.Hwnd(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"second");
    const HWND tipWindow = tip.Hwnd();
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(tipWindow));  // owned by the dialog, it goes with it
}

// The suites run twice: against the common controls a plain executable gets (5.x) and, with a
// manifest as the program has, against version 6, which lives in the side-by-side store.
TEST(CommonControls, TheExpectedVersionIsLoaded)
{
    const HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    const bool sideBySide = StrStrIW(path, L"microsoft.windows.common-controls") != nullptr;
    EXPECT_EQ(sideBySide, TARNHOLM_EXPECTED_COMCTL == 6) << path;
}
