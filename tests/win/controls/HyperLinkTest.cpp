// The hyperlink on a real static control: attaching, fitting, opening by mouse and space, and
// what a failed opening does. The shell is replaced so that nothing is really opened.
#include "TestResources.h"
#include "TestSupport.h"
#include "controls/HyperLink.h"
#include "controls/LinkOpener.h"
#include "framework/Dialog.h"
#include "win32/ClassesRoot.h"
#include "win32/Shell.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace {

class TestLink : public CHyperLink {
public:
    int OpenTarget(const std::wstring& target, int showCommand) override {
        opened.push_back(target);
        shows.push_back(showCommand);
        return result;
    }
    void ShowOpenError(int code) override { errors.push_back(code); }

    std::vector<std::wstring> opened;
    std::vector<int> shows;
    std::vector<int> errors;
    int result = 42;
};

class HyperLinkWindow : public testing::Test {
protected:
    HyperLinkWindow() {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
        static_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 100, 50, 200, 20, parent_,
                                  reinterpret_cast<HMENU>(1043), nullptr, nullptr);
        SendMessageW(static_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    ~HyperLinkWindow() override { DestroyWindow(parent_); }

    HWND parent_;
    HWND static_;
};

TEST_F(HyperLinkWindow, AttachingShowsTheTargetFitsAndUnderlines) {
    TestLink link;
    link.SetLinkTarget(L"https://support.example/");
    ASSERT_TRUE(link.SubclassWindow(static_));
    wchar_t text[260];
    GetWindowTextW(static_, text, 260);
    EXPECT_STREQ(text, L"https://support.example/");

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(static_, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);

    // Fitted to the text, centred where the wider control was.
    const HDC dc = GetDC(static_);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(static_, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(static_, dc);
    const RECT rect = fw::ChildRect(parent_, static_);
    // Halves rounded towards zero; a pixel of room either side of the text.
    EXPECT_EQ(rect.right - rect.left, 200 - 2 * ((200 - size.cx - 2) / 2));
    EXPECT_EQ(rect.bottom - rect.top, size.cy);
    EXPECT_EQ(rect.left, 100 + (200 - size.cx - 2) / 2);
    EXPECT_EQ(SendMessageW(link.ToolTip(), TTM_GETTOOLCOUNT, 0, 0), 1);

    // A new target re-fits the control.
    SetWindowTextW(static_, L"Help");
    link.SetLinkTarget(L"https://support.example/help");
    const RECT shorter = fw::ChildRect(parent_, static_);
    EXPECT_LT(shorter.right - shorter.left, size.cx);
    EXPECT_EQ(SendMessageW(static_, WM_NCHITTEST, 0, 0), HTCLIENT);
}

TEST_F(HyperLinkWindow, FocusMarkAroundTheTextWhenTheUiStateShowsIt) {
    TestLink link;
    link.SetLinkTarget(L"https://support.example/");
    ASSERT_TRUE(link.SubclassWindow(static_));
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SetFocus(static_);
    // The column left of the text: dots of the text colour (black here) only with the mark.
    const auto leftColumnDots = [&] {
        RedrawWindow(parent_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(static_, &client);
        const HDC dc = GetDC(static_);
        int dots = 0;
        for (int y = 0; y < client.bottom; ++y)
            dots += (GetPixel(dc, 0, y) & 0xFFFFFF) == RGB(0, 0, 0);
        ReleaseDC(static_, dc);
        return std::pair{dots, static_cast<int>(client.bottom)};
    };
    // Hidden in a window opened by the mouse.
    testing_ui::UiStateStandIn uiState(static_, UISF_HIDEFOCUS);
    EXPECT_EQ(leftColumnDots().first, 0);
    // The dialog manager's answer to Tab, as it reaches the control.
    uiState.Set(0);
    SendMessageW(static_, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const auto [dots, height] = leftColumnDots();
    EXPECT_GE(dots, height / 2 - 1); // every second pixel down the edge
    EXPECT_LT(dots, height);
    SetFocus(nullptr);
    EXPECT_EQ(leftColumnDots().first, 0);
}

TEST_F(HyperLinkWindow, PressAndReleaseOrSpaceOpenOnce) {
    TestLink link;
    SetWindowTextW(static_, L"Help");
    ASSERT_TRUE(link.SubclassWindow(static_));
    link.SetLinkTarget(L"https://support.example/");
    SendMessageW(static_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(link.opened.empty()) << "not on the press";
    EXPECT_TRUE(link.IsActive());
    EXPECT_EQ(GetFocus(), static_);
    SendMessageW(static_, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(link.opened, (std::vector<std::wstring>{L"https://support.example/"}));
    EXPECT_EQ(link.shows, (std::vector<int>{SW_SHOW}));
    EXPECT_TRUE(link.IsFollowed());

    SendMessageW(static_, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(link.opened.size(), 1u);
    SendMessageW(static_, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(link.opened.size(), 2u);
    SendMessageW(static_, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(link.IsActive());
    EXPECT_TRUE(link.errors.empty());
}

TEST_F(HyperLinkWindow, AFailedOpeningIsReportedAndNotFollowed) {
    TestLink link;
    link.result = 31;
    ASSERT_TRUE(link.SubclassWindow(static_));
    SendMessageW(static_, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(link.errors, (std::vector<int>{31}));
    EXPECT_FALSE(link.IsFollowed());
}

TEST_F(HyperLinkWindow, HandCursorComesFromResourcesOnly) {
    HCURSOR hand = nullptr;
    {
        TestLink link;
        ASSERT_TRUE(link.SubclassWindow(static_));
        hand = link.HandCursor();
    }
    EXPECT_NE(hand, nullptr);
    // The helper program was mapped for its resources only and is gone again.
    EXPECT_EQ(GetModuleHandleW(L"winhlp32.exe"), nullptr);
    // One hand for every link, kept after the link that made it.
    TestLink next;
    ASSERT_TRUE(next.SubclassWindow(static_));
    EXPECT_EQ(next.HandCursor(), hand);
    EXPECT_EQ(
        SendMessageW(static_, WM_SETCURSOR, reinterpret_cast<WPARAM>(static_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
        TRUE);
    EXPECT_EQ(GetCursor(), hand);
}

// The box of a failed opening carries the program's title, also in a window without one (as
// the captionless settings sheet).
TEST(HyperLinkError, TheBoxCarriesTheProgramsTitleInAnUntitledWindow) {
    testing_ui::TestApplication app;
    fw::Dialog parent(IDD_TEST_DIALOG,
                      testing_ui::TestContext([](const wchar_t* key) { return L"<" + std::wstring(key) + L">"; }));
    ASSERT_TRUE(parent.Create());
    parent.SetText(L"");
    CHyperLink link;
    ASSERT_TRUE(link.SubclassWindow(
        CreateWindowExW(0, L"STATIC", L"Help", WS_CHILD, 0, 0, 90, 20, parent.Hwnd(), nullptr, nullptr, nullptr)));
    static std::wstring caption;
    static int activated = 0;
    // The box is read and closed as it becomes active (then its owner is activated again).
    const std::unique_ptr<std::remove_pointer_t<HHOOK>, decltype(&UnhookWindowsHookEx)> hook(
        SetWindowsHookExW(
            WH_CBT,
            [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (code == HCBT_ACTIVATE && activated++ == 0) {
                    wchar_t text[256] = {};
                    GetWindowTextW(reinterpret_cast<HWND>(wParam), text, 256);
                    caption = text;
                    PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
                }
                return CallNextHookEx(nullptr, code, wParam, lParam);
            },
            nullptr, GetCurrentThreadId()),
        UnhookWindowsHookEx);
    ASSERT_TRUE(hook);
    link.ShowOpenError(31);
    EXPECT_EQ(caption, L"<IDS_LAUNCHER_TITLE>");
}

TEST(HyperLinkRegistry, ClassesRootDefaultValue) {
    std::wstring value = L"unchanged";
    EXPECT_NE(win32::ReadClassesRootDefault(L".no-such-extension-for-tarnholm", value), 0);
    EXPECT_EQ(value, L"unchanged");
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CLASSES_ROOT, L".tarnholmtest", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const wchar_t data[] = L"tarnholmfile";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data);
    RegCloseKey(key);
    EXPECT_EQ(win32::ReadClassesRootDefault(L".tarnholmtest", value), 0);
    EXPECT_EQ(value, L"tarnholmfile");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".tarnholmtest");
}

// The shell library comes with the first call, not with the program, and stays from then on
// (the shell may go on working in it); its answer arrives as ShellExecuteW's would.
TEST(ShellOnDemand, LoadedAtTheFirstCallAndKeptWithTheShellsCode) {
    if (GetModuleHandleW(L"shell32.dll") != nullptr)
        GTEST_SKIP() << "something else in this test program has loaded the shell library";
    SHELLEXECUTEINFOW missing{};
    missing.cbSize = sizeof missing;
    missing.fMask = SEE_MASK_FLAG_NO_UI;
    missing.lpVerb = L"open";
    missing.lpFile = L"C:\\no-such-folder-for-tarnholm\\game.exe";
    missing.nShow = SW_HIDE;
    EXPECT_FALSE(win32::ExecuteThroughShell(missing));
    const auto code = reinterpret_cast<INT_PTR>(missing.hInstApp);
    EXPECT_TRUE(code == SE_ERR_FNF || code == SE_ERR_PNF) << code;
    const HMODULE shell = GetModuleHandleW(L"shell32.dll");
    ASSERT_NE(shell, nullptr);
    FreeLibrary(shell);
    EXPECT_EQ(GetModuleHandleW(L"shell32.dll"), shell) << "no FreeLibrary takes it away";

    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::wstring command = std::wstring(system) + L"\\cmd.exe";
    SHELLEXECUTEINFOW started{};
    started.cbSize = sizeof started;
    started.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
    started.lpVerb = L"open";
    started.lpFile = command.c_str();
    started.lpParameters = L"/c exit 7";
    started.nShow = SW_HIDE;
    ASSERT_TRUE(win32::ExecuteThroughShell(started));
    EXPECT_GT(reinterpret_cast<INT_PTR>(started.hInstApp), 32);
    ASSERT_NE(started.hProcess, nullptr);
    const win32::KernelHandle process(started.hProcess);
    ASSERT_EQ(WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 7u);
    EXPECT_EQ(GetModuleHandleW(L"shell32.dll"), shell);
}

} // namespace
