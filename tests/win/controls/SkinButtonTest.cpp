#include "controls/SkinButton.h"

#include "TestSupport.h"
#include "framework/Dialog.h"
#include "win32/ComApartment.h"

#include <gtest/gtest.h>
#include <oleacc.h>

using testing_ui::Surface;

namespace {

constexpr COLORREF kOutside = RGB(0, 255, 0);
// The button is drawn at (10,10)-(110,50) on a green surface, so drawing outside it shows.
constexpr RECT kItem{10, 10, 110, 50};

struct Drawn {
    Surface surface{120, 60, kOutside};
    Drawn(UINT state, const ctl::ButtonColours& colours, const std::wstring& caption = L"", bool mark = false) {
        PaintSkinButton(surface.Dc(), kItem, state, caption, colours, mark);
    }
    COLORREF At(int x, int y) const { return surface.Pixel(x, y); }
};

// A preset with distinct colours so every role shows.
constexpr ctl::ButtonColours kDistinct{ctl::Rgb(0, 0, 128),
                                       ctl::Rgb(255, 255, 255),
                                       ctl::Rgb(255, 0, 0),
                                       ctl::Rgb(128, 128, 128),
                                       ctl::Rgb(255, 255, 0),
                                       ctl::Rgb(0, 255, 255),
                                       1};

RECT Inner(int inset) { return RECT{kItem.left + inset, kItem.top + inset, kItem.right - inset, kItem.bottom - inset}; }

} // namespace

TEST(SkinButtonPainter, RaisedSingleRingInTheEdgeColours) {
    Drawn d(0, ctl::kFramed);
    EXPECT_EQ(d.At(10, 10), RGB(255, 255, 255));  // top-left corner: lit
    EXPECT_EQ(d.At(60, 10), RGB(255, 255, 255));  // top edge
    EXPECT_EQ(d.At(10, 30), RGB(255, 255, 255));  // left edge
    EXPECT_EQ(d.At(60, 49), RGB(128, 128, 128));  // bottom edge
    EXPECT_EQ(d.At(109, 30), RGB(128, 128, 128)); // right edge
    EXPECT_EQ(d.At(11, 11), RGB(1, 1, 1));        // face inside the ring
    EXPECT_EQ(d.At(9, 9), kOutside);
    EXPECT_EQ(d.At(110, 50), kOutside);
}

TEST(SkinButtonPainter, WidthZeroDrawsNoBorderAndWidthTwoComputedGreys) {
    ctl::ButtonColours none = kDistinct;
    none.borderWidth = 0;
    Drawn flat(0, none);
    EXPECT_EQ(flat.At(10, 10), RGB(0, 0, 128));
    EXPECT_EQ(flat.At(109, 49), RGB(0, 0, 128));

    ctl::ButtonColours two = kDistinct;
    two.borderWidth = 2;
    Drawn d(0, two);
    EXPECT_EQ(d.At(60, 10), RGB(255, 255, 255)); // ring 0 lit: 255
    EXPECT_EQ(d.At(60, 11), RGB(223, 223, 223)); // ring 1 lit: 223
    EXPECT_EQ(d.At(60, 49), RGB(127, 127, 127)); // ring 0 shadow: 127
    EXPECT_EQ(d.At(60, 48), RGB(85, 85, 85));    // ring 1 shadow: 85
    EXPECT_EQ(d.At(12, 12), RGB(0, 0, 128));
}

TEST(SkinButtonPainter, SunkenBordersForNegativeWidths) {
    ctl::ButtonColours one = kDistinct;
    one.borderWidth = -1;
    Drawn d1(0, one);
    EXPECT_EQ(d1.At(60, 10), RGB(128, 128, 128)); // dark on top
    EXPECT_EQ(d1.At(60, 49), RGB(255, 255, 0));   // light below

    ctl::ButtonColours two = kDistinct;
    two.borderWidth = -2;
    Drawn d2(0, two);
    EXPECT_EQ(d2.At(60, 10), RGB(127, 127, 127));
    EXPECT_EQ(d2.At(60, 49), RGB(255, 255, 255));
    EXPECT_EQ(d2.At(60, 11), RGB(85, 85, 85));
    EXPECT_EQ(d2.At(60, 48), RGB(1, 1, 1));  // innermost sunken ring: near black below
    EXPECT_EQ(d2.At(108, 30), RGB(1, 1, 1)); // and right
}

TEST(SkinButtonPainter, PressedOnlyWhenFocusedAndSelected) {
    ctl::ButtonColours two = kDistinct;
    two.borderWidth = 2;
    Drawn pressed(ODS_FOCUS | ODS_SELECTED, two, L"Launch");
    // One sunken ring in the edge colours over a refilled face.
    EXPECT_EQ(pressed.At(60, 10), RGB(128, 128, 128));
    EXPECT_EQ(pressed.At(60, 49), RGB(255, 255, 0));
    EXPECT_EQ(pressed.At(60, 11), RGB(0, 0, 128));
    EXPECT_GT(pressed.surface.Count(Inner(2), RGB(0, 255, 255)), 0); // pressed-text colour
    EXPECT_EQ(pressed.surface.Count(Inner(2), RGB(255, 255, 255)), 0);

    Drawn selectedUnfocused(ODS_SELECTED, two, L"Launch");
    EXPECT_EQ(selectedUnfocused.At(60, 10), RGB(255, 255, 255));
    EXPECT_GT(selectedUnfocused.surface.Count(Inner(2), RGB(255, 255, 255)), 0);
    EXPECT_EQ(selectedUnfocused.surface.Count(Inner(2), RGB(0, 255, 255)), 0);
}

TEST(SkinButtonPainter, DisabledCaptionInTheDisabledColourUnlessFocused) {
    Drawn disabled(ODS_DISABLED, kDistinct, L"Settings");
    EXPECT_GT(disabled.surface.Count(Inner(1), RGB(255, 0, 0)), 0);
    EXPECT_EQ(disabled.surface.Count(Inner(1), RGB(255, 255, 255)), 0);

    Drawn focusedDisabled(ODS_DISABLED | ODS_FOCUS, kDistinct, L"Settings");
    EXPECT_EQ(focusedDisabled.surface.Count(Inner(1), RGB(255, 0, 0)), 0);

    // With the presets the disabled caption is the face colour: invisible on kFramed.
    Drawn framed(ODS_DISABLED, ctl::kFramed, L"Settings");
    EXPECT_EQ(framed.surface.Count(Inner(1), RGB(1, 1, 1)), (100 - 2) * (40 - 2));
}

TEST(SkinButtonPainter, FocusMarkIsADottedRectangleFiveInsideWhateverTheFocus) {
    const COLORREF face = RGB(0, 0, 128);
    const RECT markTop{kItem.left + 5, kItem.top + 5, kItem.right - 5, kItem.top + 6};
    const int length = markTop.right - markTop.left;

    Drawn marked(0, kDistinct, L"", true);
    const int dotted = length - marked.surface.Count(markTop, face);
    EXPECT_GT(dotted, length / 3);                                    // every other pixel or so
    EXPECT_LT(dotted, length);                                        // dotted, not solid
    EXPECT_EQ(marked.surface.Count(RECT{15, 14, 105, 15}, face), 90); // nothing 4 inside
    EXPECT_EQ(marked.surface.Count(RECT{16, 16, 104, 17}, face), 88); // nor 6 inside

    // The keyboard focus shows the same mark unless the UI state hides it (no keyboard use yet).
    Drawn focusedHidden(ODS_FOCUS | ODS_NOFOCUSRECT, kDistinct, L"", false);
    EXPECT_EQ(focusedHidden.surface.Count(markTop, face), length);
    Drawn focused(ODS_FOCUS, kDistinct, L"", false);
    EXPECT_EQ(length - focused.surface.Count(markTop, face), dotted);
    Drawn focusedAndMarked(ODS_FOCUS, kDistinct, L"", true); // one mark, not two cancelling out
    EXPECT_EQ(length - focusedAndMarked.surface.Count(markTop, face), dotted);
}

TEST(SkinButtonPainter, EmptyCaptionDrawsFaceAndBorderOnly) {
    Drawn d(0, kDistinct, L"");
    EXPECT_EQ(d.surface.Count(Inner(1), RGB(0, 0, 128)), 98 * 38);
}

TEST(SkinButtonPainter, LongCaptionIsClippedToTheButtonOnOneLine) {
    const std::wstring caption(200, L'W');
    Drawn d(0, kDistinct, caption);
    // Nothing outside the item rectangle, and the upper and lower bands stay face: one line.
    EXPECT_EQ(d.surface.Count(RECT{0, 0, 120, 10}, kOutside), 120 * 10);
    EXPECT_EQ(d.surface.Count(RECT{0, 50, 120, 60}, kOutside), 120 * 10);
    EXPECT_EQ(d.surface.Count(RECT{0, 10, 10, 50}, kOutside), 10 * 40);
    EXPECT_EQ(d.surface.Count(RECT{110, 10, 120, 50}, kOutside), 10 * 40);
    EXPECT_EQ(d.surface.Count(RECT{11, 11, 109, 16}, RGB(0, 0, 128)), 98 * 5);
    EXPECT_EQ(d.surface.Count(RECT{11, 44, 109, 49}, RGB(0, 0, 128)), 98 * 5);
    EXPECT_GT(d.surface.Count(Inner(1), RGB(255, 255, 255)), 0);
}

TEST(SkinButton, AttachSkinFailsForAMissingControlAndStoresNothing) {
    testing_ui::TestApplication app;
    fw::Dialog dialog(203, testing_ui::TestContext());
    ASSERT_TRUE(dialog.Create());
    CSkinButton missing;
    EXPECT_FALSE(missing.AttachSkin(4242, dialog.Hwnd(), ctl::kFlat));
    EXPECT_EQ(missing.Hwnd(), nullptr);

    CSkinButton button;
    button.focusMark = true;
    ASSERT_TRUE(button.AttachSkin(1011, dialog.Hwnd(), RGB(32, 32, 32), RGB(255, 255, 255), RGB(1, 1, 1), RGB(1, 1, 15),
                                  RGB(1, 1, 1), RGB(170, 170, 170), 1));
    EXPECT_FALSE(button.focusMark);
    // Drawn through the dialog's reflected owner-draw request, in the attached colours.
    ShowWindow(dialog.Hwnd(), SW_SHOW);
    RedrawWindow(button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rect{};
    GetClientRect(button.Hwnd(), &rect);
    const HDC dc = GetDC(button.Hwnd());
    EXPECT_EQ(GetPixel(dc, rect.right - 1, rect.bottom / 2), RGB(1, 1, 15)); // the Quit button's dark edge
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(32, 32, 32));
    ReleaseDC(button.Hwnd(), dc);

    // With the focus, the mark follows the UI state: hidden in a window opened by the mouse,
    // shown once the keyboard has been used.
    SetFocus(button.Hwnd());
    testing_ui::UiStateStandIn uiState(button.Hwnd(), UISF_HIDEFOCUS);
    const auto markPixels = [&] {
        Surface shown(rect.right, rect.bottom, kOutside);
        SendMessageW(button.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.Dc()), PRF_CLIENT);
        return (rect.right - 10) - shown.Count(RECT{5, 5, rect.right - 5, 6}, RGB(32, 32, 32));
    };
    EXPECT_EQ(markPixels(), 0);
    // The dialog manager's answer to Tab, as it reaches the control.
    uiState.Set(0);
    ValidateRect(button.Hwnd(), nullptr);
    SendMessageW(button.Hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_TRUE(GetUpdateRect(button.Hwnd(), nullptr, FALSE)) << "the window is to be painted again";
    EXPECT_GT(markPixels(), (rect.right - 10) / 3);

    // Every owner-drawn button carries the default-button style bit: a screen reader hears the
    // button as default only while it is the dialog's default.
    const win32::ComApartment apartment;
    win32::ComPtr<IAccessible> reader;
    ASSERT_EQ(AccessibleObjectFromWindow(button.Hwnd(), OBJID_CLIENT, __uuidof(IAccessible), reader.OutVoid()), S_OK);
    VARIANT self{}, state{};
    self.vt = VT_I4; // CHILDID_SELF
    for (const int defId : {IDOK, 1011}) {
        dialog.SetDefID(defId);
        ASSERT_EQ(reader->get_accState(self, &state), S_OK);
        EXPECT_EQ((state.lVal & STATE_SYSTEM_DEFAULT) != 0, defId == 1011) << defId;
    }
}
