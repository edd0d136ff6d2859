#include "controls/ButtonBorder.h"

#include <gtest/gtest.h>

using ctl::EdgeLine;
using ctl::Rgb;

TEST(ButtonPresets, HoldTheSevenValuesInOrder) {
    EXPECT_EQ(ctl::kFramed.face, Rgb(1, 1, 1));
    EXPECT_EQ(ctl::kFramed.darkEdge, Rgb(128, 128, 128));
    EXPECT_EQ(ctl::kFramed.lightEdge, Rgb(255, 255, 255));
    EXPECT_EQ(ctl::kFlat.face, Rgb(32, 32, 32));
    EXPECT_EQ(ctl::kFlat.darkEdge, Rgb(1, 1, 1));
    EXPECT_EQ(ctl::kFlat.lightEdge, Rgb(1, 1, 1));
    for (const ctl::ButtonColours& c : {ctl::kFramed, ctl::kFlat}) {
        EXPECT_EQ(c.text, Rgb(255, 255, 255));
        EXPECT_EQ(c.disabledText, Rgb(1, 1, 1));
        EXPECT_EQ(c.pressedText, Rgb(170, 170, 170));
        EXPECT_EQ(c.borderWidth, 1);
    }
    EXPECT_EQ(Rgb(1, 1, 15), 0x0F0101u);
}

TEST(ButtonRings, SingleRingUsesTheEdgeColoursMultipleRingsComputedGreys) {
    const ctl::Colour light = Rgb(9, 8, 7), dark = Rgb(6, 5, 4);
    EXPECT_EQ(ctl::RingColoursFor(1, 0, light, dark).light, light);
    EXPECT_EQ(ctl::RingColoursFor(1, 0, light, dark).dark, dark);
    // Palette-relative greys, lighter and darker the further in the ring lies.
    const struct {
        int rings, ring;
        ctl::Colour light, dark;
    } greys[] = {
        {2, 0, 0x02FFFFFFu, 0x027F7F7Fu}, {2, 1, 0x02DFDFDFu, 0x02555555u}, {3, 2, 0x02D5D5D5u, 0x023F3F3Fu},
        {4, 3, 0x02CFCFCFu, 0x02333333u}, {9, 8, 0x02C7C7C7u, 0x02191919u},
    };
    for (const auto& g : greys) {
        EXPECT_EQ(ctl::RingColoursFor(g.rings, g.ring, light, dark).light, g.light)
            << g.rings << " rings, ring " << g.ring;
        EXPECT_EQ(ctl::RingColoursFor(g.rings, g.ring, light, dark).dark, g.dark)
            << g.rings << " rings, ring " << g.ring;
    }
}

TEST(ButtonBorderLines, WidthZeroDrawsNothing) { EXPECT_TRUE(ctl::BorderLines({0, 0, 80, 20}, 0, 1, 2).empty()); }

TEST(ButtonBorderLines, RaisedSingleRingGeometry) {
    const ctl::Colour L = Rgb(255, 255, 255), D = Rgb(128, 128, 128);
    const auto lines = ctl::BorderLines({10, 5, 90, 30}, 1, L, D);
    const std::vector<EdgeLine> expected{
        {{10, 5}, {90, 5}, L},   // top
        {{10, 5}, {10, 30}, L},  // left
        {{11, 29}, {90, 29}, D}, // bottom
        {{89, 6}, {89, 30}, D},  // right
    };
    EXPECT_EQ(lines, expected);
}

TEST(ButtonBorderLines, SunkenSingleRingSwapsTheSides) {
    const ctl::Colour L = Rgb(255, 255, 255), D = Rgb(128, 128, 128);
    const auto lines = ctl::BorderLines({0, 0, 40, 20}, -1, L, D);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].colour, D);
    EXPECT_EQ(lines[1].colour, D);
    EXPECT_EQ(lines[2].colour, L); // a single sunken ring keeps the light edge below and right
    EXPECT_EQ(lines[3].colour, L);
}

TEST(ButtonBorderLines, RingsShrinkInwardAndTheInnermostSunkenRingEndsNearBlack) {
    const auto raised = ctl::BorderLines({0, 0, 40, 20}, 2, 0, 0);
    ASSERT_EQ(raised.size(), 8u);
    EXPECT_EQ(raised[4].from, (ctl::Point{1, 1})); // ring 1 top edge
    EXPECT_EQ(raised[4].to, (ctl::Point{39, 1}));
    EXPECT_EQ(raised[7].from, (ctl::Point{38, 2})); // ring 1 right edge
    EXPECT_EQ(raised[0].colour, 0x02FFFFFFu);
    EXPECT_EQ(raised[2].colour, 0x027F7F7Fu);
    EXPECT_EQ(raised[6].colour, 0x02555555u);

    const auto sunken = ctl::BorderLines({0, 0, 40, 20}, -3, 0, 0);
    ASSERT_EQ(sunken.size(), 12u);
    EXPECT_EQ(sunken[0].colour, 0x027F7F7Fu);   // outer ring: dark on top
    EXPECT_EQ(sunken[2].colour, 0x02FFFFFFu);   // light below
    EXPECT_EQ(sunken[6].colour, 0x02DFDFDFu);   // middle ring keeps its light grey
    EXPECT_EQ(sunken[8].colour, 0x023F3F3Fu);   // innermost: dark on top ...
    EXPECT_EQ(sunken[10].colour, Rgb(1, 1, 1)); // ... and RGB(1,1,1) below and right
    EXPECT_EQ(sunken[11].colour, Rgb(1, 1, 1));
}

TEST(ButtonBorderLines, AtTwiceTheScaleEachRingIsTwoPixelsOfItsColours) {
    const auto lines = ctl::BorderLines({0, 0, 40, 20}, -3, 0, 0, 2);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[4].from, (ctl::Point{1, 1})); // the outer ring's second pixel
    EXPECT_EQ(lines[4].colour, 0x027F7F7Fu);
    EXPECT_EQ(lines[8].from, (ctl::Point{2, 2})); // the middle ring starts two pixels in
    EXPECT_EQ(lines[8].colour, 0x02555555u);
    EXPECT_EQ(lines[22].colour, Rgb(1, 1, 1)); // the innermost ring's both pixels end near black
    EXPECT_EQ(lines[23].from, (ctl::Point{34, 6}));
}
