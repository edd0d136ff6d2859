#include "settings/PageLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using ctl::Rect;
using sheet::LayoutRow;

namespace {

// A page of controls held as rectangles; records the order in which they are moved.
class FakePage final : public sheet::LayoutTarget {
public:
    explicit FakePage(std::map<int, Rect> controls) : controls(std::move(controls)) {}
    Rect Get(int id) override { return controls.at(id); }
    void Move(int id, const Rect& rect) override {
        controls.at(id) = rect;
        moved.push_back(id);
    }
    std::map<int, Rect> controls;
    std::vector<int> moved;
};

// The video page's template in pixels on a 480 x 366 page: labels centred over the combo and
// the slider, switches and their labels right of the combo's left edge, four level labels
// under the slider.
std::map<int, Rect> VideoTemplate() {
    return {
        {1055, {128, 49, 352, 64}},   {1104, {172, 68, 308, 90}},   {1105, {138, 107, 153, 123}},
        {1109, {159, 109, 369, 124}}, {1106, {138, 133, 153, 149}}, {1069, {159, 135, 369, 150}},
        {1107, {138, 159, 153, 175}}, {1071, {159, 161, 369, 176}}, {1059, {128, 231, 352, 246}},
        {1070, {105, 254, 375, 283}}, {1081, {81, 289, 159, 304}},  {1108, {159, 289, 237, 304}},
        {1084, {243, 289, 321, 304}}, {1083, {321, 289, 399, 304}},
    };
}

const Rect kPage{0, 0, 480, 366};

int Centre(const Rect& r) { return (r.left + r.right) / 2; }
int Width(const Rect& r) { return r.right - r.left; }

} // namespace

TEST(PageLayout, TablesPlaceEveryControlOnceInTheGivenOrder) {
    const std::vector<int> videoOrder{1055, 1104, 1107, 1105, 1106, 1109, 1069,
                                      1071, 1070, 1108, 1084, 1059, 1081, 1083};
    std::vector<int> ids;
    for (const LayoutRow& row : sheet::kVideoPageLayout)
        ids.push_back(row.control);
    EXPECT_EQ(ids, videoOrder);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
    EXPECT_EQ(sheet::kLanguagePageLayout[0].control, 1100);
    EXPECT_EQ(sheet::kLanguagePageLayout[1].control, 1101);

    FakePage page(VideoTemplate());
    const auto distances = sheet::MeasureLayout(sheet::kVideoPageLayout, kPage, page);
    EXPECT_TRUE(page.moved.empty()) << "measuring moves nothing";
    sheet::ApplyLayout(sheet::kVideoPageLayout, distances, kPage, page);
    EXPECT_EQ(page.moved, videoOrder);
}

TEST(PageLayout, UnchangedPageLeavesEveryControlWhereTheTemplatePutIt) {
    FakePage page(VideoTemplate());
    const auto distances = sheet::MeasureLayout(sheet::kVideoPageLayout, kPage, page);
    sheet::ApplyLayout(sheet::kVideoPageLayout, distances, kPage, page);
    EXPECT_EQ(page.controls, VideoTemplate());
}

// Widening the page by 200 pixels in one pass: the combo and the slider stay centred with
// their sizes; a control follows where its references are when its row comes, so the switches
// and labels, whose right edges follow the level labels placed only at the end, keep their old
// right edges, and the resolution label still sees the slider where it was.
TEST(PageLayout, WiderPageMovesEachControlWithItsReferencesOfThatMoment) {
    FakePage page(VideoTemplate());
    const auto distances = sheet::MeasureLayout(sheet::kVideoPageLayout, kPage, page);
    sheet::ApplyLayout(sheet::kVideoPageLayout, distances, Rect{0, 0, 680, 366}, page);
    const std::map<int, Rect> expected{
        {1055, {128, 49, 352, 64}},   {1104, {272, 68, 408, 90}},   {1105, {238, 107, 153, 123}},
        {1109, {259, 109, 369, 124}}, {1106, {238, 133, 153, 149}}, {1069, {259, 135, 369, 150}},
        {1107, {238, 159, 153, 175}}, {1071, {259, 161, 369, 176}}, {1059, {228, 231, 452, 246}},
        {1070, {205, 254, 475, 283}}, {1081, {181, 289, 259, 304}}, {1108, {259, 289, 337, 304}},
        {1084, {343, 289, 421, 304}}, {1083, {421, 289, 499, 304}},
    };
    EXPECT_EQ(page.controls, expected);
    EXPECT_EQ(Centre(page.controls.at(1104)), 340);
    EXPECT_EQ(Centre(page.controls.at(1070)), 340);
    EXPECT_EQ(Width(page.controls.at(1070)), 270);
    // A second pass finds every reference in place and settles the rest.
    sheet::ApplyLayout(sheet::kVideoPageLayout, distances, Rect{0, 0, 680, 366}, page);
    for (const auto& [id, rect] : page.controls)
        EXPECT_EQ(Width(rect), Width(VideoTemplate().at(id))) << id;
}

// The references are read as they are when a control is placed: a label whose left edge
// follows the slider is placed against the slider's old position when it comes first.
TEST(PageLayout, EachRowUsesItsReferencesWhereTheyAreAtThatMoment) {
    FakePage page(VideoTemplate());
    const auto distances = sheet::MeasureLayout(sheet::kVideoPageLayout, kPage, page);
    // The resolution label (row 1) follows the slider, which is only re-centred in row 9.
    page.controls.at(1070) = Rect{5, 254, 275, 283};
    sheet::ApplyLayout(sheet::kVideoPageLayout, distances, kPage, page);
    EXPECT_EQ(page.controls.at(1055).left, 128 - 100) << "placed against the slider's position before row 9";
    EXPECT_EQ(page.controls.at(1070), (Rect{105, 254, 375, 283}));
    EXPECT_EQ(page.controls.at(1081).left, 81) << "placed after the slider was re-centred";
}

TEST(PageLayout, LanguageLabelFollowsTheCentredCombo) {
    FakePage page({{1100, {172, 80, 308, 102}}, {1101, {128, 58, 352, 73}}});
    const auto distances = sheet::MeasureLayout(sheet::kLanguagePageLayout, kPage, page);
    EXPECT_EQ(distances[1], (AnchorDistances{128 - 308, 58, 172 - 352, 15}));
    sheet::ApplyLayout(sheet::kLanguagePageLayout, distances, Rect{0, 0, 380, 366}, page);
    EXPECT_EQ(page.controls.at(1100), (Rect{122, 80, 258, 102}));
    EXPECT_EQ(page.controls.at(1101), (Rect{78, 58, 302, 73}));
}

// Height never moves anything: every control keeps its distance from the page's top and its
// height, on both pages, when the page grows taller or shorter.
TEST(PageLayout, TallerOrShorterPagesLeaveEveryControlWhereItWas) {
    for (const int height : {566, 300}) {
        FakePage video(VideoTemplate());
        const auto distances = sheet::MeasureLayout(sheet::kVideoPageLayout, kPage, video);
        sheet::ApplyLayout(sheet::kVideoPageLayout, distances, Rect{0, 0, 480, height}, video);
        EXPECT_EQ(video.controls, VideoTemplate()) << height;

        const std::map<int, Rect> languageTemplate{{1100, {172, 80, 308, 102}}, {1101, {128, 58, 352, 73}}};
        FakePage language(languageTemplate);
        const auto languageDistances = sheet::MeasureLayout(sheet::kLanguagePageLayout, kPage, language);
        sheet::ApplyLayout(sheet::kLanguagePageLayout, languageDistances, Rect{0, 0, 480, height}, language);
        EXPECT_EQ(language.controls, languageTemplate) << height;
    }
}
