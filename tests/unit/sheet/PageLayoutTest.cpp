#include "sheet/PageLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <span>

using ctl::Rect;

namespace {

// A page of controls held as rectangles.
class FakePage final : public ctl::LayoutTarget {
public:
    explicit FakePage(std::map<int, Rect> controls) : controls(std::move(controls)) {}
    Rect Get(int id) override { return controls.at(id); }
    void Move(int id, const Rect& rect) override { controls.at(id) = rect; }
    std::map<int, Rect> controls;
};

// The video page's template in pixels on a 480 x 366 page: labels centred over the combo and
// the slider, switches and their labels right of the combo's left edge, four level labels
// under the slider.
std::map<int, Rect> VideoTemplate() {
    return {
        {IDC_VIDEO_RESOLUTION_LABEL, {128, 49, 352, 64}}, {IDC_VIDEO_RESOLUTION, {172, 68, 308, 90}},
        {IDC_VIDEO_WIDESCREEN, {138, 107, 153, 123}},     {IDC_VIDEO_WIDESCREEN_LABEL, {159, 109, 369, 124}},
        {IDC_VIDEO_VSYNC, {138, 133, 153, 149}},          {IDC_VIDEO_VSYNC_LABEL, {159, 135, 369, 150}},
        {IDC_VIDEO_TEXTURES, {138, 159, 153, 175}},       {IDC_VIDEO_TEXTURES_LABEL, {159, 161, 369, 176}},
        {IDC_VIDEO_QUALITY_LABEL, {128, 231, 352, 246}},  {IDC_VIDEO_QUALITY, {105, 254, 375, 283}},
        {IDC_VIDEO_QUALITY_LOW, {81, 289, 159, 304}},     {IDC_VIDEO_QUALITY_MEDIUM, {159, 289, 237, 304}},
        {IDC_VIDEO_QUALITY_HIGH, {243, 289, 321, 304}},   {IDC_VIDEO_QUALITY_VERY_HIGH, {321, 289, 399, 304}},
    };
}

const std::map<int, Rect> kLanguageTemplate{{IDC_LANGUAGE_COMBO, {172, 80, 308, 102}},
                                            {IDC_LANGUAGE_LABEL, {128, 58, 352, 73}}};

const Rect kPage{0, 0, 480, 366};

// The page's table measured on its template.
ctl::Layout Measured(std::span<const ctl::LayoutRow> rows, FakePage& page) {
    ctl::Layout layout;
    for (const ctl::LayoutRow& row : rows)
        layout.Add(row, kPage, page);
    return layout;
}

int Width(const Rect& r) { return r.right - r.left; }

} // namespace

// Height never moves anything: every control keeps its distance from the page's top and its
// height, on both pages, at the template's size and when the page grows taller or shorter.
TEST(PageLayout, PagesOfTheTemplateWidthLeaveEveryControlWhereItWas) {
    for (const int height : {366, 566, 300}) {
        for (const auto& [rows, controls] :
             {std::pair{std::span<const ctl::LayoutRow>(sheet::kVideoPageLayout), VideoTemplate()},
              std::pair{std::span<const ctl::LayoutRow>(sheet::kLanguagePageLayout), kLanguageTemplate}}) {
            FakePage page(controls);
            Measured(rows, page).Apply(Rect{0, 0, 480, height}, page);
            EXPECT_EQ(page.controls, controls) << height;
        }
    }
}

// Widening the page by 200 pixels in one pass: the combo and the slider stay centred with
// their sizes; a control follows where its references are when its row comes, so the switches
// and labels, whose right edges follow the level labels placed only at the end, keep their old
// right edges, and the resolution label still sees the slider where it was.
TEST(PageLayout, WiderPageMovesEachControlWithItsReferencesOfThatMoment) {
    FakePage page(VideoTemplate());
    const ctl::Layout layout = Measured(sheet::kVideoPageLayout, page);
    layout.Apply(Rect{0, 0, 680, 366}, page);
    const std::map<int, Rect> expected{
        {IDC_VIDEO_RESOLUTION_LABEL, {128, 49, 352, 64}}, {IDC_VIDEO_RESOLUTION, {272, 68, 408, 90}},
        {IDC_VIDEO_WIDESCREEN, {238, 107, 153, 123}},     {IDC_VIDEO_WIDESCREEN_LABEL, {259, 109, 369, 124}},
        {IDC_VIDEO_VSYNC, {238, 133, 153, 149}},          {IDC_VIDEO_VSYNC_LABEL, {259, 135, 369, 150}},
        {IDC_VIDEO_TEXTURES, {238, 159, 153, 175}},       {IDC_VIDEO_TEXTURES_LABEL, {259, 161, 369, 176}},
        {IDC_VIDEO_QUALITY_LABEL, {228, 231, 452, 246}},  {IDC_VIDEO_QUALITY, {205, 254, 475, 283}},
        {IDC_VIDEO_QUALITY_LOW, {181, 289, 259, 304}},    {IDC_VIDEO_QUALITY_MEDIUM, {259, 289, 337, 304}},
        {IDC_VIDEO_QUALITY_HIGH, {343, 289, 421, 304}},   {IDC_VIDEO_QUALITY_VERY_HIGH, {421, 289, 499, 304}},
    };
    EXPECT_EQ(page.controls, expected);
    // A second pass finds every reference in place and settles the rest.
    layout.Apply(Rect{0, 0, 680, 366}, page);
    for (const auto& [id, rect] : page.controls)
        EXPECT_EQ(Width(rect), Width(VideoTemplate().at(id))) << id;
}

// The references are read as they are when a control is placed: a label whose left edge
// follows the slider is placed against the slider's old position when it comes first.
TEST(PageLayout, EachRowUsesItsReferencesWhereTheyAreAtThatMoment) {
    FakePage page(VideoTemplate());
    const ctl::Layout layout = Measured(sheet::kVideoPageLayout, page);
    // The resolution label (row 1) follows the slider, which is only re-centred in row 9.
    page.controls.at(IDC_VIDEO_QUALITY) = Rect{5, 254, 275, 283};
    layout.Apply(kPage, page);
    EXPECT_EQ(page.controls.at(IDC_VIDEO_RESOLUTION_LABEL).left, 128 - 100)
        << "placed against the slider's position before row 9";
    EXPECT_EQ(page.controls.at(IDC_VIDEO_QUALITY), (Rect{105, 254, 375, 283}));
    EXPECT_EQ(page.controls.at(IDC_VIDEO_QUALITY_LOW).left, 81) << "placed after the slider was re-centred";
}

TEST(PageLayout, LanguageLabelFollowsTheCentredCombo) {
    FakePage page(kLanguageTemplate);
    Measured(sheet::kLanguagePageLayout, page).Apply(Rect{0, 0, 380, 366}, page);
    EXPECT_EQ(page.controls.at(IDC_LANGUAGE_COMBO), (Rect{122, 80, 258, 102}));
    EXPECT_EQ(page.controls.at(IDC_LANGUAGE_LABEL), (Rect{78, 58, 302, 73}));
}
