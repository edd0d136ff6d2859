// The program's windows run for real: each modal run is driven by steps posted into its own
// message loop, and what the window did is checked from outside.
#include "Driven.h"
#include "LauncherDlg.h"
#include "Localization.h"
#include "MemoryRegistry.h"
#include "ResourceIds.h"
#include "SplashDlg.h"
#include "controls/Dpi.h"
#include "controls/ScaledArt.h"
#include "framework/DialogTemplate.h"
#include "framework/TemplateScale.h"
#include "framework/WindowDpi.h"
#include "dialogs/MessageDialog.h"
#include "framework/Application.h"
#include "win32/Owners.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace {

// Texts that show which key a window asked for, so that a test sees the lookup was used.
std::wstring KeyText(const wchar_t* key) { return std::wstring(L"<") + key + L">"; }
fw::WindowContext KeyContext() { return fw::WindowContext{KeyText, fw::Resources(GetModuleHandleW(L"local.dll"))}; }

class ProgramResources : public fw::Application {
public:
    ProgramResources() : local_(LoadLibraryW(L"local.dll")) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        SetCurrentResources(fw::Resources(local_.Get()));
        SetIniPath(L"" ENGLISH_TEXTS);
    }
    HMODULE Local() const { return local_.Get(); }

private:
    win32::Module local_;
};

using testing_ui::Driven;

void Key(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

RECT ChildRect(HWND parent, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(parent, id), &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class AppWindows : public testing::Test {
protected:
    ProgramResources app_;
    registry::MemoryRegistry registry_;
};

TEST_F(AppWindows, LocalizationKeepsTheSignedRemainderAndReadsNumberedStrings) {
    const std::pair<int, int> cases[] = {{13, 6}, {14, 0}, {8, 1}, {7, 0}, {-1, -1}, {-8, -1}, {1, 1}};
    for (auto [given, kept] : cases) {
        Localization::SetCurrentLocal(given);
        EXPECT_EQ(Localization::GetCurrentLocal(), kept) << given;
        EXPECT_EQ(Localization::m_Local, kept);
    }
    EXPECT_FALSE(Localization::GetLocalizedString(IDS_PANE_TITLE_NO_SELECTION).empty());
    EXPECT_EQ(Localization::GetLocalizedStdString(IDS_PANE_TEXT_NO_SELECTION),
              Localization::GetLocalizedString(IDS_PANE_TEXT_NO_SELECTION));
    EXPECT_EQ(Localization::GetLocalizedString(31999), L"") << "an id the module lacks gives nothing";
    EXPECT_EQ(GetSplashDlg(), GetSplashDlg());
    EXPECT_EQ(GetSplashDlg()->Hwnd(), nullptr) << "handing out the shared object creates no window";
}

struct Progress : Detection::TestManager {
    Progress(int completed, int total) {
        numCompleted_ = completed;
        numTests_ = total;
    }
};

TEST_F(AppWindows, ProgressBarFollowsTheTests) {
    CSplashDlg splash(nullptr);
    Progress none(0, 10);
    splash.OnTestProgress(&none); // before the window exists: nothing to move, no crash
    ASSERT_TRUE(splash.Create(nullptr));
    const HWND bar = GetDlgItem(splash.Hwnd(), IDC_PROGRESS_BAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0)), RGB(201, 162, 74));
    const struct {
        int completed, total, position;
    } cases[] = {{5, 10, 49}, {10, 10, 99}, {0, 10, 0}, {1, 3, 32}, {0, 0, 0}};
    for (const auto& c : cases) {
        Progress manager(c.completed, c.total);
        splash.OnTestProgress(&manager);
        EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), c.position) << c.completed << "/" << c.total;
    }
    splash.DestroyWindow();
    EXPECT_FALSE(IsWindow(bar));
}

// In a contrast theme the progress window shows neither its artwork nor its gold: the face colour
// in the theme's frame colour, the bar in the system's colours; and all of it again when the
// theme goes.
TEST_F(AppWindows, ProgressWindowInAContrastThemeAndBack) {
    CSplashDlg splash(nullptr);
    ASSERT_TRUE(splash.Create(nullptr));
    const HWND bar = GetDlgItem(splash.Hwnd(), IDC_PROGRESS_BAR);
    const HWND picture = FindWindowExW(splash.Hwnd(), nullptr, L"Static", nullptr);
    const auto shown = [&] { return (GetWindowLongW(picture, GWL_STYLE) & WS_VISIBLE) != 0; };
    const fw::Appearance skin = splash.Look();
    splash.SetAppearance(fw::Appearance{skin.dpi, true});
    EXPECT_FALSE(shown());
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0)), CLR_DEFAULT);
    RECT client{};
    GetClientRect(splash.Hwnd(), &client);
    const fw::ClientDC screen(nullptr);
    const fw::MemoryDC erased(screen.Get(), client.right, client.bottom);
    SendMessageW(splash.Hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Get()), 0);
    EXPECT_EQ(GetPixel(erased.Get(), 0, client.bottom / 2), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(GetPixel(erased.Get(), client.right / 2, client.bottom / 2), GetSysColor(COLOR_BTNFACE));
    splash.SetAppearance(skin);
    EXPECT_TRUE(shown());
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0)), RGB(201, 162, 74));
    splash.DestroyWindow();
}

// The progress window lives outside any modal run: what its handlers throw while it is shown,
// follows the tests or goes leaves from that call, for the run to handle, and does not end the
// process.
TEST_F(AppWindows, ProgressWindowPassesOnWhatItsHandlersThrow) {
    struct FailingPaint : CSplashDlg {
        int colourRequests = 0;
        HBRUSH OnCtlColor(HDC dc, HWND child, fw::CtlColor kind) override {
            if (!IsWindowVisible(Hwnd())) // painting once shown, not while being made
                return CSplashDlg::OnCtlColor(dc, child, kind);
            ++colourRequests;
            throw Detection::DetectionFailedException("paint");
        }
        void OnDestroy() override { throw Detection::DetectionFailedException("destroy"); }
    } splash;
    EXPECT_THROW(splash.Open(), Detection::DetectionFailedException);
    EXPECT_GT(splash.colourRequests, 0);
    const HWND window = splash.Hwnd();
    EXPECT_THROW(splash.DestroyWindow(), Detection::DetectionFailedException);
    EXPECT_FALSE(IsWindow(window)) << "the window goes all the same";
}

using Message = Driven<CMessageDialog>;

int RunMessage(std::vector<Message::Step> steps) {
    Message dialog(std::move(steps), L"The machine falls short.", L"", L"Do not show again", KeyContext(), nullptr);
    return dialog.DoModal();
}

TEST_F(AppWindows, MessageDialogReportsTheBoxOnOkAndTwoOtherwise) {
    std::wstring text, title, ok, label;
    EXPECT_EQ(RunMessage({[&](Message& d) {
                  wchar_t buffer[260];
                  GetDlgItemTextW(d.Window(), IDC_MESSAGE_TEXT, buffer, 260);
                  text = buffer;
                  GetWindowTextW(d.Window(), buffer, 260);
                  title = buffer;
                  GetDlgItemTextW(d.Window(), IDC_MESSAGE_OK, buffer, 260);
                  ok = buffer;
                  GetDlgItemTextW(d.Window(), IDC_MESSAGE_CHECK, buffer, 260);
                  label = buffer;
                  EXPECT_TRUE(GetWindowLongW(GetDlgItem(d.Window(), IDC_MESSAGE_OK), GWL_STYLE) & BS_OWNERDRAW);
                  SendDlgItemMessageW(d.Window(), IDC_MESSAGE_CHECK, BM_CLICK, 0, 0);
                  PostMessageW(GetDlgItem(d.Window(), IDC_MESSAGE_OK), BM_CLICK, 0, 0);
              }}),
              1);
    EXPECT_EQ(text, L"The machine falls short.");
    EXPECT_EQ(title, L"");
    EXPECT_EQ(ok, L"<IDS_OK_BUTTON>");
    EXPECT_EQ(label, L"Do not show again");

    EXPECT_EQ(RunMessage({[](Message& d) { PostMessageW(GetDlgItem(d.Window(), IDC_MESSAGE_OK), BM_CLICK, 0, 0); }}),
              0);

    // Escape closes with 2 whatever the box says.
    EXPECT_EQ(RunMessage({[](Message& d) {
                  SendDlgItemMessageW(d.Window(), IDC_MESSAGE_CHECK, BM_CLICK, 0, 0);
                  // To the dialog's own control: with nothing focused a key to GetFocus() goes nowhere.
                  Key(GetDlgItem(d.Window(), IDC_MESSAGE_CHECK), VK_ESCAPE);
              }}),
              2);

    // Space on the focused OK button is a click.
    EXPECT_EQ(RunMessage({[](Message& d) {
                              SendDlgItemMessageW(d.Window(), IDC_MESSAGE_CHECK, BM_CLICK, 0, 0);
                              SetFocus(GetDlgItem(d.Window(), IDC_MESSAGE_OK));
                          },
                          [](Message& d) { Key(GetDlgItem(d.Window(), IDC_MESSAGE_OK), VK_SPACE); }}),
              1);
}

using Launcher = Driven<CLauncherDlg>;

TEST_F(AppWindows, LauncherTextsDefaultButtonAndEndings) {
    std::wstring title, launch;
    int defId = 0;
    Launcher quit({[&](Launcher& d) {
                      wchar_t buffer[260];
                      GetWindowTextW(d.Window(), buffer, 260);
                      title = buffer;
                      GetDlgItemTextW(d.Window(), IDC_LAUNCHER_LAUNCH, buffer, 260);
                      launch = buffer;
                      defId = LOWORD(SendMessageW(d.Window(), DM_GETDEFID, 0, 0));
                      EXPECT_NE(SendMessageW(d.Window(), WM_GETICON, ICON_BIG, 0), 0);
                      EXPECT_NE(SendMessageW(d.Window(), WM_GETICON, ICON_SMALL, 0), 0);
                      PostMessageW(GetDlgItem(d.Window(), IDC_LAUNCHER_QUIT), BM_CLICK, 0, 0);
                  }},
                  KeyContext(), registry_, nullptr);
    EXPECT_EQ(quit.DoModal(), IDCANCEL);
    EXPECT_EQ(title, L"<IDS_LAUNCHER_TITLE>");
    EXPECT_EQ(launch, L"<IDS_LAUNCH_BUTTON>");
    EXPECT_EQ(defId, IDC_LAUNCHER_LAUNCH) << "Enter launches";

    Launcher escape({[](Launcher& d) { Key(GetFocus() ? GetFocus() : d.Window(), VK_ESCAPE); }}, KeyContext(),
                    registry_, nullptr);
    EXPECT_EQ(escape.DoModal(), IDCANCEL);
}

TEST_F(AppWindows, LauncherTabMarksTheButtonThatHadTheFocus) {
    std::vector<int> focusBefore, defaultAfter;
    Launcher dialog({[](Launcher& d) { SetFocus(GetDlgItem(d.Window(), IDC_LAUNCHER_LAUNCH)); },
                     [&](Launcher&) {
                         focusBefore.push_back(GetDlgCtrlID(GetFocus()));
                         Key(GetFocus(), VK_TAB);
                     },
                     [&](Launcher& d) {
                         defaultAfter.push_back(LOWORD(SendMessageW(d.Window(), DM_GETDEFID, 0, 0)));
                         focusBefore.push_back(GetDlgCtrlID(GetFocus()));
                         Key(GetFocus(), VK_TAB);
                     },
                     [&](Launcher& d) {
                         defaultAfter.push_back(LOWORD(SendMessageW(d.Window(), DM_GETDEFID, 0, 0)));
                         d.EndDialog(IDCANCEL);
                     }},
                    KeyContext(), registry_, nullptr);
    dialog.DoModal();
    ASSERT_EQ(focusBefore.size(), 2u);
    ASSERT_EQ(defaultAfter.size(), 2u);
    EXPECT_EQ(focusBefore[0], IDC_LAUNCHER_LAUNCH);
    EXPECT_NE(focusBefore[1], IDC_LAUNCHER_LAUNCH) << "Tab moved the focus on";
    EXPECT_EQ(defaultAfter[0], focusBefore[0]) << "the default goes to the button that had the focus";
    EXPECT_EQ(defaultAfter[1], focusBefore[1]);
}

// A press on the launcher's picture starts the system's move at that point of the screen.
TEST_F(AppWindows, LauncherMovesFromThePressedPointOfTheScreen) {
    struct Recording : Launcher {
        using Launcher::Launcher;
        LPARAM press = 0;
        bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
            // Recorded instead of starting the system's move loop, which would wait for the mouse.
            if (msg != WM_NCLBUTTONDOWN || wParam != HTCAPTION)
                return Launcher::OnMessage(msg, wParam, lParam, result);
            press = lParam;
            return true;
        }
    };
    POINT expected{7, 9};
    Recording dialog({[&](Launcher& d) {
                          SetWindowPos(d.Window(), nullptr, 170, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                          ClientToScreen(d.Window(), &expected);
                          PostMessageW(d.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 9));
                      },
                      [](Launcher&) {}, // the launcher posts its caption press to itself
                      [](Launcher& d) { d.EndDialog(IDCANCEL); }},
                     KeyContext(), registry_, nullptr);
    dialog.DoModal();
    EXPECT_EQ(dialog.press, MAKELPARAM(expected.x, expected.y));
}

TEST_F(AppWindows, LauncherLayoutFollowsTheSize) {
    RECT before[3]{}, after[3]{};
    RECT clientBefore{}, clientAfter{};
    const int ids[3] = {IDC_LAUNCHER_LAUNCH, IDC_LAUNCHER_SETTINGS, IDC_LAUNCHER_QUIT};
    Launcher dialog({[&](Launcher& d) {
                         GetClientRect(d.Window(), &clientBefore);
                         for (int i = 0; i < 3; ++i)
                             before[i] = ChildRect(d.Window(), ids[i]);
                         RECT window{};
                         GetWindowRect(d.Window(), &window);
                         SetWindowPos(d.Window(), nullptr, 0, 0, window.right - window.left + 200,
                                      window.bottom - window.top + 60, SWP_NOMOVE | SWP_NOZORDER);
                     },
                     [&](Launcher& d) {
                         GetClientRect(d.Window(), &clientAfter);
                         for (int i = 0; i < 3; ++i)
                             after[i] = ChildRect(d.Window(), ids[i]);
                         d.EndDialog(IDCANCEL);
                     }},
                    KeyContext(), registry_, nullptr);
    dialog.DoModal();
    ASSERT_EQ(clientAfter.right - clientBefore.right, 200);
    const auto width = [](const RECT& r) { return r.right - r.left; };
    // Settings: centred, same size, same top.
    EXPECT_EQ(width(after[1]), width(before[1]));
    EXPECT_EQ(after[1].top, before[1].top);
    EXPECT_EQ(after[1].left - before[1].left, 100);
    // Launch: same left, its gap to Settings kept.
    EXPECT_EQ(after[0].left, before[0].left);
    EXPECT_EQ(after[1].left - after[0].right, before[1].left - before[0].right);
    // Quit: its gap after Settings and its distance to the right edge kept.
    EXPECT_EQ(after[2].left - after[1].right, before[2].left - before[1].right);
    EXPECT_EQ(clientAfter.right - after[2].right, clientBefore.right - before[2].right);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(after[i].bottom - after[i].top, before[i].bottom - before[i].top);
}

// Share of pixel columns equal to their left neighbour and of rows equal to the row above:
// art stretched up from 96 DPI to 144 repeats a third of them.
std::vector<DWORD> Pixels(HDC source, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    GetDIBits(source, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

std::pair<double, double> RepeatedShares(HDC source, HBITMAP bitmap, int width, int height) {
    const std::vector<DWORD> pixels = Pixels(source, bitmap, width, height);
    const auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; };
    int columns = 0, rows = 0;
    for (int x = 1; x < width; ++x) {
        bool same = true;
        for (int y = 0; y < height && same; ++y)
            same = at(x, y) == at(x - 1, y);
        columns += same;
    }
    for (int y = 1; y < height; ++y) {
        bool same = true;
        for (int x = 0; x < width && same; ++x)
            same = at(x, y) == at(x, y - 1);
        rows += same;
    }
    return {double(columns) / (width - 1), double(rows) / (height - 1)};
}

TEST_F(AppWindows, LauncherArtAtHigherDpiIsDrawnNotStretched) {
    for (const int dpi : {120, 144, 192}) {
        const int width = dpi::Scale(450, dpi), height = dpi::Scale(300, dpi);
        const fw::ClientDC screen(nullptr);
        const fw::MemoryDC target(screen.Get(), width, height);
        ASSERT_TRUE(target && target.Bitmap());
        const auto share = [&](const art::ScaledBitmap& art) {
            art.Draw(target.Get(), RECT{0, 0, width, height});
            GdiFlush();
            return RepeatedShares(target.Get(), target.Bitmap(), width, height);
        };
        const auto [columns, rows] = share(art::ScaledBitmap(app_.CurrentResources(), IDB_LAUNCHER_BACKGROUND, dpi));
        EXPECT_LT(columns, 0.02) << dpi;
        EXPECT_LT(rows, 0.02) << dpi;
        // The measure sees the blocky picture that stretching the 100 % art gives.
        const auto [stretchedColumns, stretchedRows] =
            share(art::ScaledBitmap(app_.CurrentResources(), IDB_LAUNCHER_BACKGROUND, 96));
        EXPECT_GT(stretchedColumns, 0.15) << dpi;
        EXPECT_GT(stretchedRows, 0.15) << dpi;
    }
}

// Art drawn for the scale comes back at the asked size both where it has that size already and
// one pixel beside it (the status strip: four images of 16 pixels at 100 %).
TEST_F(AppWindows, FittedArtHasTheAskedSizeAtAndBesideItsOwn) {
    for (const int dpi : {120, 144, 192})
        for (const int extra : {0, 1}) {
            const int width = 4 * dpi::Scale(16, dpi) + extra, height = dpi::Scale(16, dpi);
            const fw::Bitmap fitted =
                art::ScaledBitmap(app_.CurrentResources(), IDB_STATUS_IMAGES, dpi).Fitted(width, height);
            BITMAP info{};
            ASSERT_TRUE(GetObjectW(fitted.Get(), sizeof info, &info)) << dpi << " +" << extra;
            EXPECT_EQ(info.bmWidth, width) << dpi << " +" << extra;
            EXPECT_EQ(info.bmHeight, height) << dpi << " +" << extra;
        }
}

// A picture loaded ahead for another scale than the window's is not the one it shows: opened at
// 96 DPI after a 144 DPI preparation, it draws the 100 % art, as a launcher given none does.
TEST_F(AppWindows, LauncherShowsAPreparedPictureOnlyAtItsOwnScale) {
    std::vector<DWORD> drawn, expected;
    Launcher dialog(
        {[&](Launcher& d) {
            ASSERT_EQ(dpi::OfWindow(d.Window()), 96);
            RECT client{};
            GetClientRect(d.Window(), &client);
            const fw::ClientDC screen(nullptr);
            const fw::MemoryDC painted(screen.Get(), client.right, client.bottom);
            const fw::MemoryDC reference(screen.Get(), client.right, client.bottom);
            SendMessageW(d.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(painted.Get()), 0);
            art::ScaledBitmap(app_.CurrentResources(), IDB_LAUNCHER_BACKGROUND, 96).Draw(reference.Get(), client);
            GdiFlush();
            drawn = Pixels(painted.Get(), painted.Bitmap(), client.right, client.bottom);
            expected = Pixels(reference.Get(), reference.Bitmap(), client.right, client.bottom);
            d.EndDialog(IDCANCEL);
        }},
        KeyContext(), registry_, nullptr);
    dialog.PrepareBackground(144);
    dialog.DoModal();
    ASSERT_FALSE(drawn.empty());
    EXPECT_TRUE(drawn == expected);
}

// A launcher made at 96 DPI and told it now shows at 144: where the system put it, its children,
// font and icons at 150 %, and its background drawn from the 150 % art, not stretched; then at
// 120 and 192, its icons at the sizes the system asks for there.
TEST_F(AppWindows, LauncherFollowsADpiChange) {
    RECT suggested{}, placed{}, settingsAfter{};
    LOGFONTW fontBefore{}, fontAfter{};
    std::vector<std::array<int, 3>> icons; // DPI, big and small icon width
    std::pair<double, double> repeated{1, 1};
    const auto fontOf = [](HWND window) {
        LOGFONTW shape{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof shape, &shape);
        return shape;
    };
    const auto iconSize = [](HWND window, WPARAM which) {
        ICONINFO info{};
        BITMAP bitmap{};
        if (GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &info)) {
            GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
        }
        return SIZE{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    };
    Launcher dialog(
        {[&](Launcher& d) {
             ASSERT_EQ(dpi::OfWindow(d.Window()), 96);
             fontBefore = fontOf(GetDlgItem(d.Window(), IDC_LAUNCHER_SETTINGS));
             RECT window{};
             GetWindowRect(d.Window(), &window);
             suggested =
                 RECT{window.left + 10, window.top + 20, window.left + 10 + (window.right - window.left) * 3 / 2,
                      window.top + 20 + (window.bottom - window.top) * 3 / 2};
             SendMessageW(d.Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
         },
         [&](Launcher& d) {
             GetWindowRect(d.Window(), &placed);
             settingsAfter = ChildRect(d.Window(), IDC_LAUNCHER_SETTINGS);
             fontAfter = fontOf(GetDlgItem(d.Window(), IDC_LAUNCHER_SETTINGS));
             icons.push_back({144, iconSize(d.Window(), ICON_BIG).cx, iconSize(d.Window(), ICON_SMALL).cx});
             RECT client{};
             GetClientRect(d.Window(), &client);
             const fw::ClientDC screen(nullptr);
             const fw::MemoryDC target(screen.Get(), client.right, client.bottom);
             SendMessageW(d.Window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Get()), 0);
             GdiFlush();
             repeated = RepeatedShares(target.Get(), target.Bitmap(), client.right, client.bottom);
             for (const int dpi : {120, 192}) {
                 SendMessageW(d.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&placed));
                 icons.push_back({dpi, iconSize(d.Window(), ICON_BIG).cx, iconSize(d.Window(), ICON_SMALL).cx});
             }
             d.EndDialog(IDCANCEL);
         }},
        KeyContext(), registry_, nullptr);
    dialog.DoModal();
    EXPECT_TRUE(EqualRect(&placed, &suggested));
    // The template's 8 points at 144 DPI, and its Settings button where the dialog manager puts it
    // with that font, as in a launcher opened there (not 11 pixels and the 96 DPI place times 1.5).
    EXPECT_EQ(fontBefore.lfHeight, -11);
    EXPECT_EQ(fontAfter.lfHeight, -16);
    const fw::Font font(CreateFontIndirectW(&fontAfter));
    const fw::TemplateControl* settings =
        fw::LoadDialogTemplate(app_.CurrentResources().Module(), IDD_LAUNCHER).Find(IDC_LAUNCHER_SETTINGS);
    ASSERT_NE(settings, nullptr);
    const RECT expected = fw::DialogUnitsToPixels(settings->box, fw::DialogBaseUnits(font.Get()));
    EXPECT_EQ(settingsAfter.top, expected.top);
    EXPECT_EQ(settingsAfter.bottom - settingsAfter.top, expected.bottom - expected.top);
    EXPECT_NEAR(settingsAfter.right - settingsAfter.left, expected.right - expected.left, 1); // the layout centres it
    ASSERT_EQ(icons.size(), 3u);
    for (const auto& [dpi, big, small] : icons) {
        EXPECT_EQ(big, dpi::SystemMetric(SM_CXICON, dpi)) << dpi;
        EXPECT_EQ(small, dpi::SystemMetric(SM_CXSMICON, dpi)) << dpi;
    }
    EXPECT_LT(repeated.first, 0.1);
    EXPECT_LT(repeated.second, 0.1);
}

} // namespace
