#include "RunFlow.h"

#include <gtest/gtest.h>

namespace {

TEST(Switches, SubstringsCaseSensitiveAnywhere) {
    auto s = app::ParseSwitches(L"\"C:\\Games\\Launcher.exe\" /silentmode /ForceDetectionUI");
    EXPECT_TRUE(s.silent) << "a switch at the start of a longer word counts";
    EXPECT_TRUE(s.forceReport);
    EXPECT_FALSE(s.onlyDetection);

    s = app::ParseSwitches(L"Launcher.exe /SILENT /forcedetectionui /onlydetection");
    EXPECT_FALSE(s.silent || s.forceReport || s.onlyDetection);
    s = app::ParseSwitches(L"x/OnlyDetectionx");
    EXPECT_TRUE(s.onlyDetection);
}

TEST(CommandLine, SplitAsWindowsSplitsIt) {
    const auto words = [](const std::wstring& line) {
        std::vector<std::wstring> out;
        for (const app::CommandLineArgument& a : app::SplitCommandLine(line))
            out.push_back(a.text);
        return out;
    };
    using V = std::vector<std::wstring>;
    EXPECT_EQ(words(L""), V{});
    EXPECT_EQ(words(L"  \t "), V{});
    EXPECT_EQ(words(L"a  b\tc"), (V{L"a", L"b", L"c"}));
    EXPECT_EQ(words(L"\"C:\\My Files\\x.txt\" next"), (V{L"C:\\My Files\\x.txt", L"next"}));
    EXPECT_EQ(words(L"a\"b c\"d"), (V{L"ab cd"}));
    EXPECT_EQ(words(L"\"\""), V{L""});
    EXPECT_EQ(words(L"C:\\dir\\"), V{L"C:\\dir\\"}) << "backslashes without a quote stay as they are";
    EXPECT_EQ(words(L"\"C:\\dir\\\\\" x"), (V{L"C:\\dir\\", L"x"})) << "2n backslashes before a quote: n";
    EXPECT_EQ(words(L"a\\\"b"), V{L"a\"b"}) << "2n+1 backslashes before a quote: n and the quote";
    EXPECT_EQ(words(L"\"say \"\"hi\"\"\""), V{L"say \"hi\""}) << "\"\" inside quotes";
    EXPECT_EQ(words(L"\"open"), V{L"open"}) << "an unclosed quote runs to the end";

    const auto positions = app::SplitCommandLine(L" ab \"c d\" ");
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[0].begin, 1u);
    EXPECT_EQ(positions[0].end, 3u);
    EXPECT_EQ(positions[1].begin, 4u);
    EXPECT_EQ(positions[1].end, 9u);
}

TEST(Switches, ReportTakesTheNextArgumentAsItsFile) {
    auto s = app::ParseSwitches(L"/Report report.txt");
    EXPECT_TRUE(s.report);
    EXPECT_EQ(s.reportFile, L"report.txt");
    EXPECT_FALSE(s.silent || s.forceReport || s.onlyDetection);

    s = app::ParseSwitches(L"/silent /Report \"C:\\Support Desk\\Tårnholm check.txt\" /ForceDetectionUI");
    EXPECT_TRUE(s.report && s.silent && s.forceReport);
    EXPECT_EQ(s.reportFile, L"C:\\Support Desk\\Tårnholm check.txt");

    // Any argument holding the word is the switch, as "/silently" is "/silent".
    s = app::ParseSwitches(L"/Reporting out.txt");
    EXPECT_TRUE(s.report);
    EXPECT_EQ(s.reportFile, L"out.txt");
    s = app::ParseSwitches(L"x/Report out.txt");
    EXPECT_EQ(s.reportFile, L"out.txt");
    s = app::ParseSwitches(L"\"/Report\" \"a b.txt\"");
    EXPECT_EQ(s.reportFile, L"a b.txt");

    // Case-sensitive, like the others.
    for (const wchar_t* line : {L"/report x.txt", L"/REPORT x.txt", L"-Report x.txt"}) {
        s = app::ParseSwitches(line);
        EXPECT_FALSE(s.report) << line;
        EXPECT_TRUE(s.reportFile.empty()) << line;
    }

    // The first argument holding the word counts; the one after it is the file, even when it is
    // named like the switch.
    s = app::ParseSwitches(L"/Report a.txt /Report b.txt");
    EXPECT_EQ(s.reportFile, L"a.txt");
}

TEST(Switches, ReportFileIsNoSwitch) {
    auto s = app::ParseSwitches(L"/Report C:/silent/OnlyDetection.txt");
    EXPECT_TRUE(s.report);
    EXPECT_EQ(s.reportFile, L"C:/silent/OnlyDetection.txt");
    EXPECT_FALSE(s.silent) << "the file's name is not searched for switches";
    EXPECT_FALSE(s.onlyDetection);

    s = app::ParseSwitches(L"/Report x/OnlyDetection");
    EXPECT_EQ(s.reportFile, L"x/OnlyDetection") << "only an argument that starts with / can be a switch";
    EXPECT_FALSE(s.onlyDetection);

    // Outside the file argument the other switches are found as always.
    s = app::ParseSwitches(L"/silentmode /Report C:/silent.txt");
    EXPECT_TRUE(s.silent);
}

TEST(Switches, ReportWithoutFile) {
    for (const wchar_t* line : {L"/Report", L"/Report   ", L"/Report \"\"", L"/Report /silent", L"/Report /Report",
                                L"/Report /ForceDetectionUI x.txt", L"/Report /silently"}) {
        const app::LaunchSwitches s = app::ParseSwitches(line);
        EXPECT_TRUE(s.report) << line;
        EXPECT_TRUE(s.reportFile.empty()) << line;
    }
    // An argument after "/Report" that holds a switch stays that switch.
    EXPECT_TRUE(app::ParseSwitches(L"/Report /silent").silent);
    EXPECT_TRUE(app::ParseSwitches(L"/Report /ForceDetectionUI x.txt").forceReport);
}

TEST(LanguageFile, ChosenByEngineLanguage) {
    const std::wstring program = L"C:\\Games\\Tarnholm\\Launcher.exe";
    EXPECT_EQ(app::LanguageFilePath(program, 1), L"C:\\Games\\Tarnholm\\localization\\EN\\interpreter_local.ini");
    EXPECT_EQ(app::LanguageFilePath(program, 3), L"C:\\Games\\Tarnholm\\localization\\DEU\\interpreter_local.ini");
    EXPECT_EQ(app::LanguageFilePath(program, 4), L"C:\\Games\\Tarnholm\\localization\\FR\\interpreter_local.ini");
    EXPECT_EQ(app::LanguageFilePath(program, 5), L"C:\\Games\\Tarnholm\\localization\\ESM\\interpreter_local.ini");
    EXPECT_EQ(app::LanguageFilePath(program, 6), L"C:\\Games\\Tarnholm\\localization\\ITA\\interpreter_local.ini");
    for (int other : {0, 2, 7, 15, -1})
        EXPECT_EQ(app::LanguageFilePath(program, other), L"C:\\Games\\Tarnholm\\interpreter_local.ini") << other;
}

// The numbered strings follow the language file: German, French, Spanish (modern sort) and
// Italian tables, English for every other id.
TEST(LanguageFile, ResourceLanguageFollowsTheEngineLanguage) {
    const std::pair<int, unsigned short> table[] = {{1, 0x0409}, {3, 0x0407}, {4, 0x040C}, {5, 0x0C0A},
                                                    {6, 0x0410}, {0, 0x0409}, {2, 0x0409}, {7, 0x0409}};
    for (const auto& [engine, language] : table)
        EXPECT_EQ(app::ResourceLanguageFor(engine), language) << engine;
}

TEST(WindowPlan, SwitchTable) {
    struct Case {
        const wchar_t* line;
        int result;
        bool present;
        bool report, warning, launcher;
    } cases[] = {
        {L"", app::kResultIdeal, false, false, false, true},
        {L"", app::kResultSufficient, false, false, false, true},
        {L"", app::kResultFailed, false, true, true, true},
        {L"", app::kResultFailed, true, false, false, true}, // "ShowDetectionUI" of any content
        {L"/ForceDetectionUI", app::kResultIdeal, true, true, false, true},
        {L"/ForceDetectionUI", app::kResultFailed, false, true, false, true},
        {L"/OnlyDetection", app::kResultIdeal, false, true, false, false},
        {L"/OnlyDetection /ForceDetectionUI", app::kResultFailed, false, true, false, false},
        {L"/silent", app::kResultFailed, false, false, false, false},
        {L"/silent /ForceDetectionUI /OnlyDetection", app::kResultFailed, false, false, false, false},
        // A report file is written instead of any window.
        {L"/Report r.txt", app::kResultFailed, false, false, false, false},
        {L"/Report r.txt /ForceDetectionUI", app::kResultIdeal, false, false, false, false},
        {L"/OnlyDetection /Report", app::kResultFailed, false, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::RunsWithoutWindows(app::ParseSwitches(c.line)), !c.report && !c.launcher) << c.line;
        const app::WindowPlan plan = app::PlanWindows(app::ParseSwitches(c.line), c.result, c.present);
        EXPECT_EQ(plan.report, c.report) << c.line << " result " << c.result;
        EXPECT_EQ(plan.warning, c.warning) << c.line << " result " << c.result;
        EXPECT_EQ(plan.launcher, c.launcher) << c.line << " result " << c.result;
    }
}

TEST(ExitCode, ReportFirstThenDefaultsOnlyWithoutWindows) {
    // Switches, report written, defaults stored: exit code.
    EXPECT_EQ(app::RunExitCode(app::ParseSwitches(L""), false, false), 0) << "a message told the player";
    EXPECT_EQ(app::RunExitCode(app::ParseSwitches(L"/silent"), false, true), 0);
    EXPECT_EQ(app::RunExitCode(app::ParseSwitches(L"/silent"), false, false), 2);
    EXPECT_EQ(app::RunExitCode(app::ParseSwitches(L"/Report r.txt"), true, false), 2);
    EXPECT_EQ(app::RunExitCode(app::ParseSwitches(L"/Report r.txt"), true, true), 0);
    EXPECT_EQ(app::RunExitCode(app::ParseSwitches(L"/silent /Report r.txt"), false, false), 1);
}

TEST(Progress, PercentTruncatedMinusOne) {
    EXPECT_EQ(app::ProgressPosition(5, 10), 49);
    EXPECT_EQ(app::ProgressPosition(10, 10), 99);
    EXPECT_EQ(app::ProgressPosition(0, 10), -1); // the bar clamps it to 0
    EXPECT_EQ(app::ProgressPosition(1, 3), 32);
    EXPECT_EQ(app::ProgressPosition(0, 0), 0);
    EXPECT_EQ(app::ProgressPosition(3, 0), 0);
}

} // namespace
