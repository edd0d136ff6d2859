#include "sheet/ResolutionText.h"

#include <gtest/gtest.h>

using sheet::FormatResolution;
using sheet::ParseResolution;
using sheet::Resolution;

TEST(ResolutionText, ItemTextsReadBackAsTheirNumbers) {
    const struct {
        int width, height;
        const wchar_t* text;
    } cases[] = {{1024, 768, L"1024x768"}, {640, 480, L"640x480"}, {1920, 1200, L"1920x1200"}, {0, 0, L"0x0"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatResolution(c.width, c.height), c.text);
        EXPECT_EQ(ParseResolution(c.text), (Resolution{c.width, c.height})) << c.text;
    }
    // Numbers beyond the settings' ranges still read back; the model clamps them.
    EXPECT_EQ(ParseResolution(L"2147483647x1"), (Resolution{2147483647, 1}));
}

// A text that is not two numbers around an "x" is no resolution at all: no half of it may be
// taken, and nothing may read as zero.
TEST(ResolutionText, AnythingButDigitsAroundTheFirstXIsRejected) {
    for (const wchar_t* text : {L"",
                                L"x",
                                L"1024",
                                L"1024x",
                                L"x768",
                                L"abcx768",
                                L"1024xabc",
                                L"1024X768",
                                L"1024 x 768",
                                L" 1024x768",
                                L"1024x768 ",
                                L"+1024x768",
                                L"-1024x768",
                                L"1024x-768",
                                L"1024x768x32",
                                L"1024xx768",
                                L"2147483648x768",
                                L"1024x99999999999",
                                L"1024\u00D7768",
                                L"\uFF11024x768"})
        EXPECT_FALSE(ParseResolution(text).has_value()) << "accepted: \"" << std::wstring(text).size() << "\" chars";
}
