#include "RunFlow.h"

#include <gtest/gtest.h>

namespace {

TEST(Switches, SubstringsCaseSensitiveAnywhere) {
    auto s = ParseSwitches(L"\"C:\\Games\\Launcher.exe\" /silentmode /ForceDetectionUI");
    EXPECT_TRUE(s.silent) << "a switch at the start of a longer word counts";
    EXPECT_TRUE(s.forceReport);
    EXPECT_FALSE(s.onlyDetection);

    s = ParseSwitches(L"Launcher.exe /SILENT /forcedetectionui /onlydetection");
    EXPECT_FALSE(s.silent || s.forceReport || s.onlyDetection);
    s = ParseSwitches(L"x/OnlyDetectionx");
    EXPECT_TRUE(s.onlyDetection);
}

TEST(LanguageFile, ChosenByEngineLanguage) {
    const std::wstring program = L"C:\\Games\\Tarnholm\\Launcher.exe";
    EXPECT_EQ(LanguageFilePath(program, 1), L"C:\\Games\\Tarnholm\\localization\\EN\\interpreter_local.ini");
    EXPECT_EQ(LanguageFilePath(program, 3), L"C:\\Games\\Tarnholm\\localization\\DEU\\interpreter_local.ini");
    EXPECT_EQ(LanguageFilePath(program, 4), L"C:\\Games\\Tarnholm\\localization\\FR\\interpreter_local.ini");
    EXPECT_EQ(LanguageFilePath(program, 5), L"C:\\Games\\Tarnholm\\localization\\ESM\\interpreter_local.ini");
    EXPECT_EQ(LanguageFilePath(program, 6), L"C:\\Games\\Tarnholm\\localization\\ITA\\interpreter_local.ini");
    for (int other : {0, 2, 7, 15, -1})
        EXPECT_EQ(LanguageFilePath(program, other), L"C:\\Games\\Tarnholm\\interpreter_local.ini") << other;
}

// The numbered strings follow the language file: German, French, Spanish (modern sort) and
// Italian tables, English for every other id.
TEST(LanguageFile, ResourceLanguageFollowsTheEngineLanguage) {
    const std::pair<int, unsigned short> table[] = {{1, 0x0409}, {3, 0x0407}, {4, 0x040C}, {5, 0x0C0A},
                                                    {6, 0x0410}, {0, 0x0409}, {2, 0x0409}, {7, 0x0409}};
    for (const auto& [engine, language] : table)
        EXPECT_EQ(ResourceLanguageFor(engine), language) << engine;
}

TEST(WindowPlan, SwitchTable) {
    struct Case {
        const wchar_t* line;
        int result;
        bool present;
        bool report, warning, launcher;
    } cases[] = {
        {L"", kResultIdeal, false, false, false, true},
        {L"", kResultSufficient, false, false, false, true},
        {L"", kResultFailed, false, true, true, true},
        {L"", kResultFailed, true, false, false, true}, // "ShowDetectionUI" of any content
        {L"/ForceDetectionUI", kResultIdeal, true, true, false, true},
        {L"/ForceDetectionUI", kResultFailed, false, true, false, true},
        {L"/OnlyDetection", kResultIdeal, false, true, false, false},
        {L"/OnlyDetection /ForceDetectionUI", kResultFailed, false, true, false, false},
        {L"/silent", kResultFailed, false, false, false, false},
        {L"/silent /ForceDetectionUI /OnlyDetection", kResultFailed, false, false, false, false},
    };
    for (const Case& c : cases) {
        const WindowPlan plan = PlanWindows(ParseSwitches(c.line), c.result, c.present);
        EXPECT_EQ(plan.report, c.report) << c.line << " result " << c.result;
        EXPECT_EQ(plan.warning, c.warning) << c.line << " result " << c.result;
        EXPECT_EQ(plan.launcher, c.launcher) << c.line << " result " << c.result;
    }
}

TEST(Progress, PercentTruncatedMinusOne) {
    EXPECT_EQ(ProgressPosition(5, 10), 49);
    EXPECT_EQ(ProgressPosition(10, 10), 99);
    EXPECT_EQ(ProgressPosition(0, 10), -1); // the bar clamps it to 0
    EXPECT_EQ(ProgressPosition(1, 3), 32);
    EXPECT_EQ(ProgressPosition(0, 0), 0);
    EXPECT_EQ(ProgressPosition(3, 0), 0);
}

} // namespace
