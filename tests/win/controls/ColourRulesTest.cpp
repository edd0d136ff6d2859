#include "controls/ColourRules.h"

#include "TestSupport.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <gtest/gtest.h>

namespace {

class AnsweringStatic : public fw::StaticCtrl {
public:
    HBRUSH answer = nullptr;
    int asked = 0;

protected:
    HBRUSH OnReflectedCtlColor(HDC dc, fw::CtlColor) override {
        ++asked;
        SetTextColor(dc, RGB(0, 0, 255));
        return answer;
    }
};

class ColourRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.Create());
        ASSERT_TRUE(child_.SubclassDlgItem(1012, dialog_.Hwnd()));
    }
    void TearDown() override { DeleteObject(childBrush_); }

    struct Answer {
        HBRUSH brush;
        COLORREF text;
        int mode;
        COLORREF background;
    };
    Answer Ask(ctl::ColourRules& rules, fw::CtlColor kind) {
        SetTextColor(surface_.Dc(), RGB(7, 7, 7));
        SetBkMode(surface_.Dc(), OPAQUE);
        SetBkColor(surface_.Dc(), RGB(8, 8, 8));
        const HBRUSH brush = rules.Answer(dialog_, surface_.Dc(), child_.Hwnd(), kind);
        return {brush, GetTextColor(surface_.Dc()), GetBkMode(surface_.Dc()), GetBkColor(surface_.Dc())};
    }
    static COLORREF SolidColour(HBRUSH brush) {
        LOGBRUSH info{};
        GetObjectW(brush, sizeof info, &info);
        return info.lbStyle == BS_SOLID ? info.lbColor : CLR_INVALID;
    }

    testing_ui::TestApplication app_;
    fw::Dialog dialog_{203, testing_ui::TestContext()};
    AnsweringStatic child_;
    testing_ui::Surface surface_{4, 4, RGB(0, 0, 0)};
    HBRUSH childBrush_ = CreateSolidBrush(RGB(3, 3, 3));
    const HBRUSH hollow_ = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
};

} // namespace

TEST_F(ColourRulesTest, DialogRuleWhiteOnTransparentWithItsOwnBrushMadeOnce) {
    ctl::ColourRules rules(ctl::ColourRule::Dialog);
    const Answer statics = Ask(rules, fw::CtlColor::Static);
    EXPECT_EQ(statics.text, RGB(255, 255, 255));
    EXPECT_EQ(statics.mode, TRANSPARENT);
    EXPECT_EQ(SolidColour(statics.brush), RGB(1, 1, 1));
    const Answer background = Ask(rules, fw::CtlColor::Dialog);
    EXPECT_EQ(background.brush, statics.brush); // one brush for the window's life
    EXPECT_EQ(background.text, RGB(255, 255, 255));
    EXPECT_EQ(child_.asked, 2); // the default handling ran first each time
}

TEST_F(ColourRulesTest, SheetRuleOpaqueNearBlackTextBackground) {
    ctl::ColourRules rules(ctl::ColourRule::Sheet);
    const Answer a = Ask(rules, fw::CtlColor::Static);
    EXPECT_EQ(a.text, RGB(255, 255, 255));
    EXPECT_EQ(a.mode, OPAQUE);
    EXPECT_EQ(a.background, RGB(1, 1, 1));
    EXPECT_EQ(SolidColour(a.brush), RGB(1, 1, 1));
    EXPECT_EQ(Ask(rules, fw::CtlColor::Dialog).brush, a.brush);
}

TEST_F(ColourRulesTest, PageRuleHollowStockBrush) {
    ctl::ColourRules rules(ctl::ColourRule::Page);
    const Answer a = Ask(rules, fw::CtlColor::Static);
    EXPECT_EQ(a.brush, hollow_);
    EXPECT_EQ(a.text, RGB(255, 255, 255));
    EXPECT_EQ(a.mode, TRANSPARENT);
}

TEST_F(ColourRulesTest, OtherKindsKeepTheFrameworkAnswerIncludingTheChildsReflectedOne) {
    for (ctl::ColourRule rule : {ctl::ColourRule::Dialog, ctl::ColourRule::Sheet, ctl::ColourRule::Page}) {
        ctl::ColourRules rules(rule);
        child_.answer = childBrush_;
        const Answer reflected = Ask(rules, fw::CtlColor::Button);
        EXPECT_EQ(reflected.brush, childBrush_);
        EXPECT_EQ(reflected.text, RGB(0, 0, 255)); // the child's own colour stays
        child_.answer = nullptr;
        const Answer fallback = Ask(rules, fw::CtlColor::Edit);
        EXPECT_NE(fallback.brush, nullptr);
        EXPECT_NE(fallback.brush, hollow_);
        EXPECT_NE(fallback.text, RGB(255, 255, 255));
    }
}

TEST_F(ColourRulesTest, ReportRuleAnswersEveryKindWithoutAskingTheChild) {
    ctl::ColourRules rules(ctl::ColourRule::Report);
    child_.answer = childBrush_;
    for (fw::CtlColor kind : {fw::CtlColor::Static, fw::CtlColor::Button, fw::CtlColor::Edit, fw::CtlColor::Dialog}) {
        const Answer a = Ask(rules, kind);
        EXPECT_EQ(a.brush, hollow_);
        EXPECT_EQ(a.text, RGB(255, 255, 255));
        EXPECT_EQ(a.mode, TRANSPARENT);
    }
    EXPECT_EQ(child_.asked, 0);
}
