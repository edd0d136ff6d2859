#include "controls/HyperLinkLogic.h"

#include <gtest/gtest.h>

namespace {

using namespace hyperlink;

TEST(HyperLink, TextColourFirstMatchWins) {
    EXPECT_EQ(TextColour(false, false, false, kDefaultStyle), ctl::Rgb(0, 0, 255));
    EXPECT_EQ(TextColour(false, false, true, kDefaultStyle), ctl::Rgb(128, 0, 128));
    EXPECT_EQ(TextColour(true, true, true, kDefaultStyle), ctl::Rgb(0, 128, 128)); // no hover colour in 0x15
    EXPECT_EQ(TextColour(true, true, true, kDefaultStyle | kUseHover), ctl::Rgb(255, 0, 0));
    EXPECT_EQ(TextColour(false, true, true, kDefaultStyle | kNoActiveColour), ctl::Rgb(128, 0, 128));
}

TEST(HyperLink, BrowserCommandIsCutAtThePlaceholder) {
    struct Case {
        const wchar_t* registered;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"\"C:\\Browser\\browse.exe\" -osint -url \"%1\"", L"\"C:\\Browser\\browse.exe\" -osint -url  https://x"},
        {L"C:\\browse.exe %1 --new-window", L"C:\\browse.exe  https://x"},
        {L"C:\\browse.exe \"%1\" %1", L"C:\\browse.exe  https://x"},
        {L"C:\\browse.exe", L"C:\\browse.exe https://x"},
    };
    for (const Case& c : cases) {
        std::wstring command;
        ASSERT_TRUE(BuildBrowserCommand(c.registered, L"https://x", command)) << c.registered;
        EXPECT_EQ(command, c.expected);
    }
}

TEST(HyperLink, CommandsLongerThanTheBufferAreRefusedWhole) {
    const std::wstring browser = L"C:\\browse.exe %1"; // "C:\browse.exe " is 14 characters
    const std::wstring fits(522 - 1 - 15, L'a');       // 14 + " " + target + terminator = 522
    std::wstring command = L"untouched";
    ASSERT_TRUE(BuildBrowserCommand(browser, fits, command));
    EXPECT_EQ(command.size(), 521u);
    command = L"untouched";
    EXPECT_FALSE(BuildBrowserCommand(browser, fits + L"a", command));
    EXPECT_EQ(command, L"untouched");
    EXPECT_FALSE(BuildBrowserCommand(std::wstring(600, L'b'), L"x", command));
}

TEST(HyperLink, OpenErrorTexts) {
    EXPECT_EQ(OpenErrorText(31),
              L"Can't open link:\n\nThere is no application associated\nwith the given filename extension.");
    EXPECT_EQ(OpenErrorText(0), L"Can't open link:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(OpenErrorText(26), L"Can't open link:\n\nA sharing violation occurred. ");
    EXPECT_EQ(OpenErrorText(32), L"Can't open link:\n\nThe specified dynamic-link library was not found.");
    EXPECT_EQ(OpenErrorText(7), L"Can't open link:\n\nUnknown Error (7) occurred.");
    EXPECT_EQ(OpenErrorText(-5), L"Can't open link:\n\nUnknown Error (-5) occurred.");
}

TEST(HyperLink, FitToTextShrinksByAlignment) {
    const ctl::Rect window{100, 200, 220, 216};                                                // 120 x 16, no border
    EXPECT_EQ(FitToTextRect(window, 120, 16, 60, 13, 0x0), (ctl::Rect{100, 200, 160, 213}));   // left
    EXPECT_EQ(FitToTextRect(window, 120, 16, 60, 13, 0x1), (ctl::Rect{130, 200, 190, 213}));   // centre
    EXPECT_EQ(FitToTextRect(window, 120, 16, 60, 13, 0x2), (ctl::Rect{160, 200, 220, 213}));   // right
    EXPECT_EQ(FitToTextRect(window, 120, 16, 61, 13, 0x201), (ctl::Rect{129, 201, 191, 215})); // centred image
    // A 1-pixel border on each side is added back.
    EXPECT_EQ(FitToTextRect(ctl::Rect{0, 0, 122, 18}, 120, 16, 50, 13, 0x0), (ctl::Rect{0, 0, 52, 15}));
    // Text wider than the control grows it.
    EXPECT_EQ(FitToTextRect(window, 120, 16, 150, 13, 0x1), (ctl::Rect{85, 200, 235, 213}));
}

} // namespace

TEST(HyperLinkFocusMark, DotsEverySecondPixelRoundTheEdge) {
    using P = ctl::Point;
    // 5 x 3: 12 edge pixels clockwise from the top-left corner, every second one.
    EXPECT_EQ(hyperlink::FocusMarkDots({10, 20, 15, 23}),
              (std::vector<P>{{10, 20}, {12, 20}, {14, 20}, {14, 22}, {12, 22}, {10, 22}}));
    EXPECT_TRUE(hyperlink::FocusMarkDots({0, 0, 0, 5}).empty());
}
