#include "controls/Glyphs.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// Each glyph is drawn in the ink alone, at the scale's size, in a shape of its own.
TEST(Glyphs, EachInTheInkAloneAndOfItsOwnShape) {
    const art::Glyph all[] = {art::Glyph::Check, art::Glyph::Cross, art::Glyph::Exclamation, art::Glyph::Dash};
    constexpr COLORREF kInk = RGB(255, 255, 0);
    constexpr COLORREF kGround = RGB(0, 0, 128);
    fw::ImageList list;
    ASSERT_TRUE(art::LoadGlyphStrip(list, all, 16, 144, kInk));
    ASSERT_EQ(list.GetImageCount(), 4);
    std::vector<std::vector<bool>> shapes;
    for (int index = 0; index < 4; ++index) {
        testing_ui::Surface surface(30, 30, kGround);
        ASSERT_TRUE(list.Draw(surface.Dc(), index, POINT{0, 0}));
        std::vector<bool> inked;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const COLORREF pixel = surface.Pixel(x, y);
                EXPECT_TRUE(pixel == kInk || pixel == kGround) << index << " at " << x << "," << y;
                EXPECT_FALSE(pixel == kInk && (x >= 24 || y >= 24)) << index << ": 24 pixels at 144 DPI";
                inked.push_back(pixel == kInk);
            }
        EXPECT_GT(std::count(inked.begin(), inked.end(), true), 24) << index;
        for (const std::vector<bool>& other : shapes)
            EXPECT_NE(inked, other) << index;
        shapes.push_back(inked);
    }
}
