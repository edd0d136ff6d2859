#include "TestResources.h"
#include "TestSupport.h"

#include "framework/Controls.h"
#include "framework/CustomWindow.h"
#include "framework/Dialog.h"
#include "framework/ExceptionScope.h"
#include "framework/Gdi.h"
#include "framework/MessageLoop.h"
#include "framework/PropertySheet.h"
#include "win32/Owners.h"

#include "Detection.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using testing_ui::MessageLog;
using testing_ui::MessageName;
using testing_ui::SequenceIs;
using testing_ui::TestApplication;

namespace {

constexpr UINT WM_TEST_STEP = WM_APP + 1;

std::string NotifyName(const NMHDR& header) {
    if (header.code != static_cast<UINT>(NM_CUSTOMDRAW))
        return "code " + std::to_string(static_cast<int>(header.code));
    const DWORD stage = reinterpret_cast<const NMCUSTOMDRAW&>(header).dwDrawStage;
    switch (stage) {
    case CDDS_PREPAINT: return "NM_CUSTOMDRAW prepaint";
    case CDDS_POSTPAINT: return "NM_CUSTOMDRAW postpaint";
    case CDDS_ITEMPREPAINT: return "NM_CUSTOMDRAW item prepaint";
    default: return "NM_CUSTOMDRAW stage " + std::to_string(stage);
    }
}

// A message as a log line shows it: the name and what tells the cases of a test apart.
std::string Describe(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY: return "WM_NOTIFY " + NotifyName(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL: return MessageName(msg) + " code " + std::to_string(LOWORD(wParam));
    case WM_DRAWITEM: return "WM_DRAWITEM for " + std::to_string(wParam);
    default: return MessageName(msg);
    }
}

std::string KindName(fw::CtlColor kind) {
    switch (kind) {
    case fw::CtlColor::MsgBox: return "MsgBox";
    case fw::CtlColor::Edit: return "Edit";
    case fw::CtlColor::ListBox: return "ListBox";
    case fw::CtlColor::Button: return "Button";
    case fw::CtlColor::Dialog: return "Dialog";
    case fw::CtlColor::ScrollBar: return "ScrollBar";
    case fw::CtlColor::Static: return "Static";
    }
    return "kind " + std::to_string(static_cast<int>(kind));
}

// A dialog on the test template whose steps are given by the test. With a log, the messages
// it watches are logged as "dialog: ..." where its switch, its notification handler, its
// default processing, its pre-translation and its dialog manager see them.
class TestDialog : public fw::Dialog {
public:
    explicit TestDialog(HWND parent = nullptr) : Dialog(IDD_TEST_DIALOG, testing_ui::TestContext(), parent) {}

    std::function<void(TestDialog&)> onInit;
    std::function<void(TestDialog&)> onStep;
    std::function<bool(TestDialog&, MSG&)> onPreTranslate;
    std::function<bool(TestDialog&, int, int)> onCommand;
    MessageLog* log = nullptr;
    std::vector<UINT> watched;

    bool OnInitDialog() override {
        Dialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return true;
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (Watching(msg.message))
            log->Add("dialog: PreTranslateMessage");
        return onPreTranslate && onPreTranslate(*this, msg);
    }
    bool TranslateDialogMessage(MSG& msg) override {
        if (Watching(msg.message))
            log->Add("dialog: dialog manager");
        return Dialog::TranslateDialogMessage(msg);
    }
    bool OnCommand(int id, int code, HWND control) override {
        if (onCommand && onCommand(*this, id, code))
            return true;
        return Dialog::OnCommand(id, code, control);
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_TEST_STEP && onStep) {
            onStep(*this);
            return true;
        }
        if (Watching(msg))
            log->Add("dialog: " + Describe(msg, wParam, lParam));
        return Dialog::OnMessage(msg, wParam, lParam, result);
    }
    void Post() const { PostMessageW(hwnd_, WM_TEST_STEP, 0, 0); }
    int FocusId() const { return GetDlgCtrlID(GetFocus()); }

protected:
    bool OnNotify(int id, NMHDR& header, LRESULT& result) override {
        if (Watching(WM_NOTIFY))
            log->Add("dialog: OnNotify " + NotifyName(header));
        return Dialog::OnNotify(id, header, result);
    }
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (Watching(msg))
            log->Add("dialog: default " + MessageName(msg));
        return Dialog::DefaultProc(msg, wParam, lParam);
    }

private:
    bool Watching(UINT msg) const { return log && std::find(watched.begin(), watched.end(), msg) != watched.end(); }
};

// Paints the whole window tree now, so that a log started afterwards holds only what the
// test itself caused.
void PaintEverything(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

class LoggingButton : public fw::Button {
public:
    MessageLog* log = nullptr;
    RECT lastItem{};

protected:
    void DrawItem(DRAWITEMSTRUCT& item) override {
        if (log)
            log->Add("button: DrawItem");
        lastItem = item.rcItem;
        const HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(item.hDC, &item.rcItem, brush);
        DeleteObject(brush);
    }
};

class AnsweringStatic : public fw::StaticCtrl {
public:
    HBRUSH answer = nullptr;
    MessageLog* log = nullptr;

protected:
    HBRUSH OnReflectedCtlColor(HDC, fw::CtlColor kind) override {
        if (log)
            log->Add("label: reflected " + KindName(kind));
        return answer;
    }
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(app_.Resources(), nullptr) << "fw_test_resources.dll not found"; }
    TestApplication app_;
};

} // namespace

TEST_F(FrameworkTest, ModalRunEndsByButtonAndDisablesItsOwnerMeanwhile) {
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

TEST_F(FrameworkTest, MissingTemplateFailsTheRunWithMinusOne) {
    fw::Dialog missing(9999);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(FrameworkTest, PreTranslationSeesTabBeforeTheDialogManagerAndCanSwallowEscape) {
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
            msg.wParam = 0; // nothing else reacts to it
            d.EndDialog(7);
        }
        return false;
    };
    // 7, not IDCANCEL: the dialog manager saw the Escape with its key code cleared.
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(focusWhenTabSeen, IDC_OWNERDRAW);
    EXPECT_EQ(focusWhenEscapeSeen, IDC_SECOND); // the dialog manager moved the focus after our hook
}

TEST_F(FrameworkTest, EscapeLeftAloneReachesTheDialogManagerAsCancel) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.Post(); };
    dialog.onStep = [](TestDialog& d) { PostMessageW(d.Item(IDOK), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(FrameworkTest, OwnerDrawAndColourRequestsAreReflectedToTheChildObject) {
    MessageLog drawLog, answeredLog, declinedLog;
    TestDialog dialog;
    LoggingButton button;
    AnsweringStatic label;
    const HBRUSH special = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH labelAnswer = nullptr, declined = nullptr, stockAnswer = nullptr;
    dialog.watched = {WM_DRAWITEM, WM_CTLCOLORSTATIC};
    dialog.onInit = [&](TestDialog& d) {
        EXPECT_TRUE(button.SubclassDlgItem(IDC_OWNERDRAW, d.Hwnd()));
        EXPECT_TRUE(label.SubclassDlgItem(IDC_LABEL, d.Hwnd()));
        EXPECT_FALSE(button.SubclassDlgItem(IDC_OWNERDRAW, d.Hwnd())); // already attached
        d.Post();
    };
    const auto logTo = [&](MessageLog& log) { dialog.log = button.log = label.log = &log; };
    dialog.onStep = [&](TestDialog& d) {
        PaintEverything(d.Hwnd());
        logTo(drawLog);
        RedrawWindow(button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

        const HDC dc = GetDC(d.Hwnd());
        logTo(answeredLog);
        label.answer = special;
        labelAnswer = reinterpret_cast<HBRUSH>(SendMessageW(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(label.Hwnd())));
        logTo(declinedLog);
        label.answer = nullptr;
        declined = reinterpret_cast<HBRUSH>(SendMessageW(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(label.Hwnd())));
        dialog.log = button.log = label.log = nullptr;
        stockAnswer = reinterpret_cast<HBRUSH>(DefDlgProcW(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(label.Hwnd())));
        ReleaseDC(d.Hwnd(), dc);
        d.EndDialog(IDOK);
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    // The paint request goes to the button's object, and nothing else draws it.
    EXPECT_TRUE(SequenceIs(drawLog, {"dialog: WM_DRAWITEM for 1001", "button: DrawItem"}));
    EXPECT_GT(button.lastItem.right, 0);
    // An answering child's brush is the answer; nothing else is asked.
    EXPECT_TRUE(SequenceIs(answeredLog, {"dialog: WM_CTLCOLORSTATIC", "label: reflected Static"}));
    EXPECT_EQ(labelAnswer, special);
    // Declined by the child: the dialog's own default colour handling answers.
    EXPECT_TRUE(SequenceIs(
        declinedLog, {"dialog: WM_CTLCOLORSTATIC", "label: reflected Static", "dialog: default WM_CTLCOLORSTATIC"}));
    EXPECT_NE(declined, nullptr);
    EXPECT_EQ(declined, stockAnswer);
    // The controls were let go when the dialog went.
    EXPECT_EQ(button.Hwnd(), nullptr);
    DeleteObject(special);
}

TEST_F(FrameworkTest, EveryKindOfColourRequestReachesTheChildAsItsKind) {
    MessageLog log;
    TestDialog dialog;
    AnsweringStatic label;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL, dialog.Hwnd()));
    dialog.log = label.log = &log;
    const HBRUSH special = CreateSolidBrush(RGB(4, 5, 6));
    label.answer = special;
    const struct {
        UINT msg;
        const char* name;
        const char* kind;
    } requests[] = {
        {WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX", "MsgBox"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT", "Edit"},
        {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX", "ListBox"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN", "Button"},
        {WM_CTLCOLORDLG, "WM_CTLCOLORDLG", "Dialog"},
        {WM_CTLCOLORSCROLLBAR, "WM_CTLCOLORSCROLLBAR", "ScrollBar"},
        {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC", "Static"},
    };
    testing_ui::Surface surface(4, 4, RGB(0, 0, 0));
    for (const auto& r : requests) {
        log.Clear();
        dialog.watched = {r.msg};
        const LRESULT answer = SendMessageW(dialog.Hwnd(), r.msg, reinterpret_cast<WPARAM>(surface.Dc()),
                                            reinterpret_cast<LPARAM>(label.Hwnd()));
        EXPECT_TRUE(SequenceIs(log, {std::string("dialog: ") + r.name, std::string("label: reflected ") + r.kind}))
            << r.name;
        EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), special) << r.name;
    }

    // A child without an object is not asked: the request goes to the default processing.
    log.Clear();
    dialog.watched = {WM_CTLCOLORBTN};
    SendMessageW(dialog.Hwnd(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(surface.Dc()),
                 reinterpret_cast<LPARAM>(dialog.Item(IDOK)));
    EXPECT_TRUE(SequenceIs(log, {"dialog: WM_CTLCOLORBTN", "dialog: default WM_CTLCOLORBTN"}));
    dialog.DestroyWindow();
    DeleteObject(special);
}

TEST_F(FrameworkTest, OwnerDrawOfMenusAndOfChildrenWithoutObjectsStaysWithTheParent) {
    MessageLog log;
    TestDialog dialog;
    LoggingButton button;
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(button.SubclassDlgItem(IDC_OWNERDRAW, dialog.Hwnd()));
    dialog.log = button.log = &log;
    dialog.watched = {WM_DRAWITEM};
    testing_ui::Surface surface(4, 4, RGB(0, 0, 0));

    // A menu item's handle field holds a menu, which may equal a window handle by chance.
    DRAWITEMSTRUCT menuItem{};
    menuItem.CtlType = ODT_MENU;
    menuItem.hwndItem = button.Hwnd();
    menuItem.hDC = surface.Dc();
    SendMessageW(dialog.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menuItem));
    DRAWITEMSTRUCT plainItem{};
    plainItem.CtlType = ODT_BUTTON;
    plainItem.CtlID = IDOK;
    plainItem.hwndItem = dialog.Item(IDOK);
    plainItem.hDC = surface.Dc();
    SendMessageW(dialog.Hwnd(), WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&plainItem));
    EXPECT_TRUE(SequenceIs(log, {"dialog: WM_DRAWITEM for 0", "dialog: default WM_DRAWITEM",
                                 "dialog: WM_DRAWITEM for 1", "dialog: default WM_DRAWITEM"}));
    dialog.DestroyWindow();
}

namespace {

// Erases by the default processing first (which asks OnCtlColor for the dialog brush), then
// marks one pixel of its own on top.
class DefaultFirstDialog : public fw::Dialog {
public:
    DefaultFirstDialog() : Dialog(IDD_TEST_DIALOG, testing_ui::TestContext()) {}
    HBRUSH dialogBrush = CreateSolidBrush(RGB(200, 0, 0));
    int colourRequests = 0;
    ~DefaultFirstDialog() override { DeleteObject(dialogBrush); }

protected:
    HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override {
        if (kind != fw::CtlColor::Dialog)
            return Dialog::OnCtlColor(dc, child, kind);
        ++colourRequests;
        return dialogBrush;
    }
    bool OnEraseBkgnd(HDC dc) override {
        Default();
        SetPixel(dc, 0, 0, RGB(0, 0, 200));
        return true;
    }
};

} // namespace

TEST_F(FrameworkTest, DefaultProcessingRunsInsideAHandlerBeforeItsOwnDrawing) {
    DefaultFirstDialog dialog;
    ASSERT_TRUE(dialog.Create());
    testing_ui::Surface surface(20, 20, RGB(0, 255, 0));
    EXPECT_EQ(SendMessageW(dialog.Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Dc()), 0), TRUE);
    EXPECT_EQ(dialog.colourRequests, 1);
    EXPECT_EQ(surface.Pixel(10, 10), RGB(200, 0, 0)); // the default erase with our brush
    EXPECT_EQ(surface.Pixel(0, 0), RGB(0, 0, 200));   // then our own drawing
}

TEST_F(FrameworkTest, HandlerExceptionEndsTheRunAndLeavesDoModal) {
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

TEST_F(FrameworkTest, ExceptionInANestedRunEndsEveryRunOnItsWay) {
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

// Outside a modal run, a handler's exception leaves from the call into the system that ran it.
TEST_F(FrameworkTest, HandlerExceptionOutsideAModalRunLeavesTheCallThatRanIt) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.onStep = [](TestDialog&) { throw Detection::DetectionFailedException("sent"); };
    EXPECT_THROW(fw::CarryExceptions([&dialog] { SendMessageW(dialog.Hwnd(), WM_TEST_STEP, 0, 0); }),
                 Detection::DetectionFailedException);
    dialog.onStep = nullptr;
    EXPECT_NO_THROW(fw::CarryExceptions([&dialog] { SendMessageW(dialog.Hwnd(), WM_TEST_STEP, 0, 0); }));
}

TEST_F(FrameworkTest, ModelessDialogLinksAndUnlinks) {
    TestDialog dialog;
    bool initialised = false;
    dialog.onInit = [&](TestDialog&) { initialised = true; };
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(initialised);
    EXPECT_FALSE(IsWindowVisible(dialog.Hwnd())); // the template is not visible; the caller shows it
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
    TestPage(UINT templateId, const wchar_t* title) : PropertyPage(templateId, testing_ui::TestContext()) {
        SetTitle(title);
    }
    int inits = 0;
    fw::PropertySheetDialog* sheetSeen = nullptr;
    std::function<void(TestPage&)> onInit;

protected:
    bool OnInitDialog() override {
        ++inits;
        sheetSeen = Sheet();
        const bool result = PropertyPage::OnInitDialog();
        if (onInit)
            onInit(*this);
        return result;
    }
};

class LoggingTab : public fw::TabCtrl {
public:
    MessageLog* log = nullptr;

protected:
    void PreSubclassWindow() override { ModifyStyle(0, TCS_OWNERDRAWFIXED); }
    void DrawItem(DRAWITEMSTRUCT& item) override {
        if (log)
            log->Add("tab: DrawItem " + Narrow(GetItemText(static_cast<int>(item.itemID), 256)));
    }

private:
    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
};

class TestSheet : public fw::PropertySheetDialog {
public:
    TestPage one{IDD_TEST_PAGE_ONE, L"Alpha"};
    TestPage two{IDD_TEST_PAGE_TWO, L"Beta"};
    LoggingTab tab;
    MessageLog* log = nullptr;
    std::function<void(TestSheet&)> onStep;
    bool visibleAtInit = true;
    int initialisedPagesAtInit = -1;

    TestSheet() : PropertySheetDialog(testing_ui::TestContext(), nullptr) {
        AddPage(one);
        AddPage(two);
    }

protected:
    bool OnInitDialog() override {
        visibleAtInit = IsWindowVisible(hwnd_) != FALSE;
        initialisedPagesAtInit = one.inits + two.inits;
        tab.SubclassWindow(GetTabControl());
        PostMessageW(hwnd_, WM_TEST_STEP, 0, 0);
        return true;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (msg == WM_TEST_STEP && onStep) {
            onStep(*this);
            return true;
        }
        if (msg == WM_DRAWITEM && log)
            log->Add("sheet: " + Describe(msg, wParam, lParam));
        return PropertySheetDialog::OnMessage(msg, wParam, lParam, result);
    }
};

} // namespace

TEST_F(FrameworkTest, PropertySheetWithTwoPagesAndItsTabControlSubclassed) {
    MessageLog drawLog;
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
        PaintEverything(s.Hwnd());
        s.log = s.tab.log = &drawLog;
        RedrawWindow(s.tab.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        s.log = s.tab.log = nullptr;
        s.EndDialog(5);
    };
    EXPECT_EQ(sheet.DoModal(), 5);
    EXPECT_FALSE(sheet.visibleAtInit);
    EXPECT_EQ(sheet.initialisedPagesAtInit, 1); // comctl32 had initialised the first page
    EXPECT_EQ(titles[0], L"Alpha");
    EXPECT_EQ(titles[1], L"Beta");
    EXPECT_TRUE(okAndCancelPresent);
    EXPECT_EQ(sheet.one.inits, 1);
    EXPECT_EQ(sheet.two.inits, 1);
    EXPECT_EQ(sheet.one.sheetSeen, &sheet);
    // Owner-draw items reflected from the sheet to the tab object; the selected one comes last.
    // 12320 is the id comctl32 gives a sheet's tab control.
    EXPECT_TRUE(SequenceIs(drawLog, {"sheet: WM_DRAWITEM for 12320", "tab: DrawItem Alpha",
                                     "sheet: WM_DRAWITEM for 12320", "tab: DrawItem Beta"}));
    EXPECT_EQ(sheet.Hwnd(), nullptr);
    EXPECT_EQ(sheet.one.Hwnd(), nullptr);
}

TEST_F(FrameworkTest, PropertySheetClosedByItsOwnCancelButtonEndsTheRun) {
    TestSheet sheet;
    sheet.onStep = [](TestSheet& s) { PostMessageW(s.Hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); };
    EXPECT_EQ(sheet.DoModal(), 0); // comctl32's result for Cancel
    EXPECT_EQ(sheet.Hwnd(), nullptr);
}

TEST_F(FrameworkTest, PropertyPageRunsAsADialogOfItsOwn) {
    TestPage page(IDD_TEST_PAGE_ONE, L"Alone");
    // Ended through the window the run created, whatever is active at the time.
    page.onInit = [](TestPage& p) { PostMessageW(p.Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); };
    EXPECT_EQ(page.DoModal(), IDCANCEL);
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

    bool InitInstance() override {
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
        return initResult; // `main` goes with this scope, and so does the main window
    }
    int ExitInstance() override {
        exited = true;
        return exitCode;
    }
};

} // namespace

TEST(Application, RunsTheHooksAndUsesTheMainWindowAsModalOwner) {
    RunApp app;
    ASSERT_NE(app.Resources(), nullptr);
    EXPECT_EQ(fw::Application::Current(), &app);
    EXPECT_EQ(fw::RunApplication(GetModuleHandleW(nullptr), L"/ForceDetectionUI"), 3);
    EXPECT_TRUE(app.exited);
    EXPECT_EQ(app.commandLineSeen, L"/ForceDetectionUI");
    EXPECT_NE(app.ownerOfModal, nullptr);
    EXPECT_EQ(app.MainWindow(), nullptr); // unlinked when its object went

    RunApp refused;
    refused.initResult = false;
    refused.exitCode = 0;
    EXPECT_EQ(fw::RunApplication(GetModuleHandleW(nullptr), L""), 0);
    EXPECT_TRUE(refused.exited); // the exit hook runs on every way out
}

TEST_F(FrameworkTest, ResourcesComeFromTheGivenLibrary) {
    const fw::Resources resources = testing_ui::TestResources();
    EXPECT_EQ(resources.String(IDS_TEST_STRING), L"Text from the test module");
    EXPECT_EQ(resources.String(12345), L"");

    fw::ImageList images;
    ASSERT_TRUE(images.Create(resources.Module(), IDB_TEST_IMAGES, 16, 10, RGB(255, 255, 255)));
    EXPECT_EQ(images.GetImageCount(), 3);
    testing_ui::Surface surface(16, 16, RGB(0, 255, 0));
    EXPECT_TRUE(images.Draw(surface.Dc(), 0, POINT{0, 0}));
    EXPECT_EQ(surface.Pixel(8, 8), RGB(255, 0, 0));
    EXPECT_TRUE(images.Draw(surface.Dc(), 1, POINT{0, 0})); // white is the mask: nothing drawn
    EXPECT_EQ(surface.Pixel(8, 8), RGB(255, 0, 0));
    EXPECT_FALSE(images.Draw(surface.Dc(), 3, POINT{0, 0}));

    const fw::Bitmap bitmap = resources.Picture(IDB_TEST_IMAGES);
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
    MessageLog* log = nullptr;

protected:
    // Custom draw and horizontal scrolls are the slider's own business; it declines the rest.
    bool OnReflectedNotify(NMHDR& header, LRESULT& result) override {
        if (log)
            log->Add("slider: reflected " + NotifyName(header));
        if (header.code != static_cast<UINT>(NM_CUSTOMDRAW))
            return false;
        result = CDRF_DODEFAULT;
        return true;
    }
    bool OnReflectedScroll(UINT msg, UINT code, UINT) override {
        if (log)
            log->Add("slider: reflected " + MessageName(msg) + " code " + std::to_string(code));
        return msg == WM_HSCROLL;
    }
};

} // namespace

TEST_F(FrameworkTest, CustomDrawAndScrollNotificationsAreReflectedToTheSlider) {
    MessageLog drawLog, keyLog, declinedLog;
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
        PaintEverything(d.Hwnd());
        d.watched = {WM_NOTIFY, WM_HSCROLL, WM_VSCROLL};
        d.log = slider.log = &drawLog;
        RedrawWindow(slider.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

        d.log = slider.log = &keyLog;
        SendMessageW(slider.Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
        SendMessageW(slider.Hwnd(), WM_KEYUP, VK_RIGHT, 0);
        positionAfterKey = slider.GetPos();
        rangeMax = slider.GetRangeMax();

        d.log = slider.log = &declinedLog;
        NMHDR other{slider.Hwnd(), IDC_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageW(d.Hwnd(), WM_NOTIFY, IDC_SLIDER, reinterpret_cast<LPARAM>(&other));
        SendMessageW(d.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(slider.Hwnd()));
        // The window's own scroll bar has no control window: nothing to reflect to.
        SendMessageW(d.Hwnd(), WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
        d.log = slider.log = nullptr;
        d.EndDialog(IDOK);
    };
    ASSERT_EQ(dialog.DoModal(), IDOK);
    // Answered with "default drawing" at the start, the slider asks nothing more.
    EXPECT_TRUE(
        SequenceIs(drawLog, {"dialog: WM_NOTIFY NM_CUSTOMDRAW prepaint", "slider: reflected NM_CUSTOMDRAW prepaint"}));
    // One step right: the line step on the key press, the end of tracking on its release.
    EXPECT_TRUE(SequenceIs(keyLog, {"dialog: WM_HSCROLL code 1", "slider: reflected WM_HSCROLL code 1",
                                    "dialog: WM_HSCROLL code 8", "slider: reflected WM_HSCROLL code 8"}));
    EXPECT_EQ(positionAfterKey, 1);
    EXPECT_EQ(rangeMax, 3);
    // What the child declines goes on to the parent's handler and its default processing.
    EXPECT_TRUE(SequenceIs(
        declinedLog, {"dialog: WM_NOTIFY code -16", "slider: reflected code -16", "dialog: OnNotify code -16",
                      "dialog: default WM_NOTIFY", "dialog: WM_VSCROLL code 1", "slider: reflected WM_VSCROLL code 1",
                      "dialog: default WM_VSCROLL", "dialog: WM_VSCROLL code 0", "dialog: default WM_VSCROLL"}));
}

namespace {

// Logs its life as "<name>: ...", with whether the window was linked to it at the time.
class Canvas : public fw::CustomWindow {
public:
    explicit Canvas(std::string name, MessageLog& log) : name_(std::move(name)), log_(log) {}
    bool throwOnCreate = false;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        switch (msg) {
        case WM_NCCREATE:
        case WM_CREATE:
        case WM_PAINT:
        case WM_DESTROY:
        case WM_NCDESTROY:
            log_.Add(name_ + ": " + MessageName(msg) + (FromHandle(hwnd_) == this ? " linked" : " not linked"));
            break;
        default: break;
        }
        return CustomWindow::OnMessage(msg, wParam, lParam, result);
    }
    int OnCreate(CREATESTRUCTW& create) override {
        log_.Add(name_ + ": OnCreate");
        if (throwOnCreate)
            throw Detection::DetectionFailedException("create");
        return CustomWindow::OnCreate(create);
    }
    void OnPaint() override {
        fw::PaintDC dc(hwnd_);
        log_.Add(name_ + ": OnPaint");
    }
    void OnDestroy() override {
        log_.Add(name_ + ": OnDestroy");
        CustomWindow::OnDestroy();
    }

private:
    std::string name_;
    MessageLog& log_;
};

} // namespace

TEST_F(FrameworkTest, WindowsOfRegisteredClassesAreRoutedToTheirObjects) {
    ASSERT_TRUE(fw::CustomWindow::RegisterWindowClass(L"TarnholmTestCanvas", CS_HREDRAW | CS_VREDRAW,
                                                      LoadCursorW(nullptr, IDC_ARROW), nullptr));
    MessageLog log;
    TestDialog parent;
    ASSERT_TRUE(parent.Create());
    ShowWindow(parent.Hwnd(), SW_SHOW);
    PaintEverything(parent.Hwnd());
    Canvas canvas("canvas", log);
    ASSERT_TRUE(
        canvas.Create(L"TarnholmTestCanvas", L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 50, 40}, parent.Hwnd(), 101));
    const HWND window = canvas.Hwnd();
    EXPECT_EQ(fw::Window::FromHandle(window), &canvas);
    EXPECT_EQ(GetDlgCtrlID(window), 101);
    UpdateWindow(window);
    DestroyWindow(window);
    // From the first message the object can see to the last, every one reaches it linked.
    EXPECT_TRUE(SequenceIs(log, {"canvas: WM_NCCREATE linked", "canvas: WM_CREATE linked", "canvas: OnCreate",
                                 "canvas: WM_PAINT linked", "canvas: OnPaint", "canvas: WM_DESTROY linked",
                                 "canvas: OnDestroy", "canvas: WM_NCDESTROY linked"}));
    EXPECT_EQ(canvas.Hwnd(), nullptr);
    EXPECT_EQ(fw::Window::FromHandle(window), nullptr);

    // Going with its parent: the same end.
    log.Clear();
    Canvas child("child", log);
    ASSERT_TRUE(child.Create(L"TarnholmTestCanvas", L"", WS_CHILD, RECT{0, 0, 5, 5}, parent.Hwnd(), 103));
    log.Clear();
    parent.DestroyWindow();
    EXPECT_TRUE(SequenceIs(log, {"child: WM_DESTROY linked", "child: OnDestroy", "child: WM_NCDESTROY linked"}));
    EXPECT_EQ(child.Hwnd(), nullptr);
}

TEST_F(FrameworkTest, ExceptionInCreationDestroysTheWindowAndLeavesCreate) {
    ASSERT_TRUE(fw::CustomWindow::RegisterWindowClass(L"TarnholmTestCanvas", CS_HREDRAW | CS_VREDRAW,
                                                      LoadCursorW(nullptr, IDC_ARROW), nullptr));
    MessageLog log;
    TestDialog parent;
    ASSERT_TRUE(parent.Create());
    Canvas failing("failing", log);
    failing.throwOnCreate = true;
    EXPECT_THROW(failing.Create(L"TarnholmTestCanvas", L"", WS_CHILD, RECT{0, 0, 5, 5}, parent.Hwnd(), 102),
                 Detection::DetectionFailedException);
    EXPECT_TRUE(SequenceIs(log, {"failing: WM_NCCREATE linked", "failing: WM_CREATE linked", "failing: OnCreate",
                                 "failing: WM_DESTROY linked", "failing: OnDestroy", "failing: WM_NCDESTROY linked"}));
    EXPECT_EQ(failing.Hwnd(), nullptr);
    EXPECT_EQ(GetDlgItem(parent.Hwnd(), 102), nullptr);
}

namespace {

// A key's way through the framework's loop, logged from each object it passes.
class KeyButton : public fw::Button {
public:
    explicit KeyButton(MessageLog& log) : log_(log) {}
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN)
            log_.Add("button: PreTranslateMessage");
        return false;
    }

protected:
    void OnKeyDown(UINT, UINT, UINT) override {
        log_.Add("button: WM_KEYDOWN");
        Default();
    }

private:
    MessageLog& log_;
};

class KeyPanel : public fw::CustomWindow {
public:
    explicit KeyPanel(MessageLog& log) : log_(log) {}
    bool consume = false;
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message != WM_KEYDOWN)
            return false;
        log_.Add("panel: PreTranslateMessage");
        return consume;
    }

private:
    MessageLog& log_;
};

} // namespace

TEST_F(FrameworkTest, PreTranslationRunsFromTheWindowUpThroughItsParentsThenTheDialogManager) {
    ASSERT_TRUE(
        fw::CustomWindow::RegisterWindowClass(L"TarnholmTestPanel", 0, LoadCursorW(nullptr, IDC_ARROW), nullptr));
    MessageLog log;
    TestDialog dialog;
    KeyPanel panel(log);
    KeyButton button(log);
    ASSERT_TRUE(dialog.Create());
    ASSERT_TRUE(
        panel.Create(L"TarnholmTestPanel", L"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 200, 100}, dialog.Hwnd(), 300));
    // Between the button and the panel a window of no object of ours: the walk goes through it.
    const HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 150, 80, panel.Hwnd(),
                                       reinterpret_cast<HMENU>(301), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(
        button.Create(L"BUTTON", L"Inner", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{5, 5, 80, 30}, frame, 302));
    dialog.log = &log;
    dialog.watched = {WM_KEYDOWN};
    bool done = false;
    dialog.onStep = [&](TestDialog&) { done = true; };
    const auto sendKey = [&] {
        log.Clear();
        done = false;
        PostMessageW(button.Hwnd(), WM_KEYDOWN, VK_F7, 0);
        dialog.Post();
        fw::PumpMessagesWhile([&] { return !done; });
    };

    sendKey();
    EXPECT_TRUE(SequenceIs(log, {"button: PreTranslateMessage", "panel: PreTranslateMessage",
                                 "dialog: PreTranslateMessage", "dialog: dialog manager", "button: WM_KEYDOWN"}));

    // Consumed on the way: nobody further up sees it, and it is never dispatched.
    panel.consume = true;
    sendKey();
    EXPECT_TRUE(SequenceIs(log, {"button: PreTranslateMessage", "panel: PreTranslateMessage"}));
    dialog.log = nullptr;
    dialog.DestroyWindow();
}

TEST_F(FrameworkTest, TooltipTakesItsColoursWidthAndTools) {
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
    EXPECT_FALSE(IsWindow(tipWindow)); // owned by the dialog, it goes with it
}

// The suites run twice: against the common controls a plain executable gets (5.x) and, with a
// manifest as the program has, against version 6, which lives in the side-by-side store.
// A pinned library stays loaded however often it is freed; a plain owner's goes with it.
TEST(Owners, PinnedModuleStaysLoadedWhateverIsFreed) {
    const wchar_t* const pinned = L"avifil32.dll";
    const wchar_t* const plain = L"msacm32.dll";
    ASSERT_EQ(GetModuleHandleW(pinned), nullptr) << "the test needs a library nothing has loaded";
    const win32::PinnedModule module(pinned);
    ASSERT_NE(module.Get(), nullptr);
    for (int i = 0; i < 3; ++i)
        FreeLibrary(LoadLibraryW(pinned));
    FreeLibrary(module.Get());
    EXPECT_EQ(GetModuleHandleW(pinned), module.Get());

    if (GetModuleHandleW(plain) == nullptr) {
        { const win32::Module owned(LoadLibraryW(plain)); }
        EXPECT_EQ(GetModuleHandleW(plain), nullptr);
    }
}

TEST(CommonControls, TheExpectedVersionIsLoaded) {
    const HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    const bool sideBySide = StrStrIW(path, L"microsoft.windows.common-controls") != nullptr;
    EXPECT_EQ(sideBySide, TARNHOLM_EXPECTED_COMCTL == 6) << path;
}

// ---- a change of scale ----

namespace {

// Logs each change of scale it is told of, as "NAME: FROM -> TO".
template <typename Base>
class ScaleLogging : public Base {
public:
    using Base::Base;
    MessageLog* log = nullptr;
    const char* name = "";

protected:
    void OnAppearanceChanged(const fw::Appearance& previous) override {
        Base::OnAppearanceChanged(previous);
        if (log)
            log->Add(std::string(name) + ": " + std::to_string(previous.dpi) + " -> " +
                     std::to_string(this->Look().dpi));
    }
};

class ScaleDialog : public ScaleLogging<fw::Dialog> {
public:
    ScaleDialog() : ScaleLogging(IDD_TEST_DIALOG, testing_ui::TestContext()) {}
};

} // namespace

// WM_DPICHANGED reaches the top-level window; the look then goes down to every control object,
// through a window without one, before the dialog's own part; the template's controls stand
// where the dialog manager would have put them at the new scale, and the window takes the
// suggested rectangle.
TEST_F(FrameworkTest, ADpiChangeGoesDownToEveryControlAndLaysTheTemplateOutAnew) {
    MessageLog log;
    ScaleDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ScaleLogging<fw::StaticCtrl> label;
    ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL, dialog.Hwnd()));
    const HWND plain =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 20, dialog.Hwnd(), nullptr, nullptr, nullptr);
    ScaleLogging<fw::StaticCtrl> nested;
    ASSERT_TRUE(nested.Create(L"STATIC", L"", WS_CHILD, RECT{0, 0, 10, 10}, plain, 77));
    EXPECT_EQ(nested.Look().dpi, dialog.Look().dpi);
    EXPECT_EQ(nested.Context().resources.Module(), testing_ui::TestResources().Module());
    dialog.log = label.log = nested.log = &log;
    dialog.name = "dialog";
    label.name = "label";
    nested.name = "nested";

    RECT suggested{40, 30, 40 + 450, 30 + 300};
    SendMessageW(dialog.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(SequenceIs(log, {"label: 96 -> 144", "nested: 96 -> 144", "dialog: 96 -> 144"}));
    const SIZE units =
        fw::DialogBaseUnits(reinterpret_cast<HFONT>(SendMessageW(dialog.Item(IDC_SECOND), WM_GETFONT, 0, 0)));
    const RECT second = fw::DialogUnitsToPixels(RECT{70, 10, 120, 24}, units);
    const RECT placed = dialog.ChildRect(dialog.Item(IDC_SECOND));
    EXPECT_TRUE(EqualRect(&placed, &second));
    const RECT window = dialog.WindowRect();
    EXPECT_TRUE(EqualRect(&window, &suggested));

    log.Clear();
    SendMessageW(dialog.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_TRUE(log.Entries().empty()) << "the same scale again changes nothing";
    dialog.DestroyWindow();
}

// A page comctl32 makes after its sheet moved is made at the scale the system gives it, then
// moved to its sheet's at once, controls and all.
TEST_F(FrameworkTest, APageMadeAfterItsSheetMovedTakesTheSheetsScale) {
    TestSheet sheet;
    sheet.onStep = [](TestSheet& s) {
        s.SetAppearance(fw::Appearance{192});
        EXPECT_TRUE(s.SetActivePage(1));
        EXPECT_EQ(s.two.Look().dpi, 192);
        const HWND label = GetDlgItem(s.two.Hwnd(), IDC_PAGE_LABEL);
        const SIZE units = fw::DialogBaseUnits(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        const RECT expected = fw::DialogUnitsToPixels(RECT{10, 10, 110, 20}, units);
        const RECT placed = s.two.ChildRect(label);
        EXPECT_TRUE(EqualRect(&placed, &expected));
        EXPECT_GT(units.cy, 2 * 13 - 4) << "the label's font is at 192 DPI";
        s.EndDialog(1);
    };
    EXPECT_EQ(sheet.DoModal(), 1);
}

// ---- a change of contrast theme ----

namespace {

class ColourCounting : public fw::StaticCtrl {
public:
    int told = 0;

protected:
    void OnSysColorChange() override { ++told; }
};

} // namespace

// The top-level window asks the system again when it says the contrast theme or its colours
// changed, and carries the answer down; a control is told of new colours by its top-level
// window, and asks nothing itself.
TEST_F(FrameworkTest, AContrastChangeIsAskedAtTheTopAndCarriedDown) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ColourCounting label;
    ASSERT_TRUE(label.SubclassDlgItem(IDC_LABEL, dialog.Hwnd()));
    const fw::Appearance system = dialog.Look();
    const fw::Appearance other{system.dpi, !system.highContrast};
    for (const UINT msg : {UINT(WM_SETTINGCHANGE), UINT(WM_SYSCOLORCHANGE)}) {
        dialog.SetAppearance(other);
        EXPECT_EQ(label.Look(), other);
        SendMessageW(label.Hwnd(), msg, SPI_SETHIGHCONTRAST, 0);
        EXPECT_EQ(label.Look(), other) << testing_ui::MessageName(msg);
        SendMessageW(dialog.Hwnd(), msg, SPI_SETHIGHCONTRAST, 0);
        EXPECT_EQ(label.Look(), system) << testing_ui::MessageName(msg);
    }
    EXPECT_EQ(label.told, 2) << "once sent itself, once told by the dialog";
    dialog.DestroyWindow();
}
