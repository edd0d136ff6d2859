// The program and the library are separate modules, each with its own copy of the C++ runtime
// (both link it statically). These tests check, through the real DLL, what the program relies
// on: the library's exception is caught by type, and strings and lists made by the library live
// on and are freed in the program.
#include "WinTestSupport.h"

#include <malloc.h>

#include <cmath>

using namespace wintest;

namespace {

std::wstring Lookup(const wchar_t* key) { return GetLocalizedString(key); }

int ExpectedOverall(const std::vector<Information*>& items) {
    bool shortfall = false;
    for (const Information* item : items) {
        if (item->GetTestResult() == kTestResultFailed)
            return 1;
        shortfall = shortfall || item->GetTestResult() == kTestResultSufficient ||
                    item->GetTestResult() == kTestResultUndetected;
    }
    return shortfall ? 2 : 0;
}

class DllTest : public ::testing::Test {
protected:
    void SetUp() override { PlaceRequirements(); }
};

} // namespace

// Must run before any test chooses a language file in this process.
TEST(Localization, BeforeAnyChoiceTheEnglishFileBesideTheLibraryAnswers) {
    WriteBytes(DllFolder() / "interpreter_local.ini", "IDS_QUIT=Quit beside the library\n");
    EXPECT_EQ(Lookup(L"IDS_QUIT"), L"Quit beside the library");
    EXPECT_EQ(Lookup(L"IDS_NOT_THERE"), L"IDS_NOT_THERE");
}

TEST_F(DllTest, FailureInsideTheLibraryIsCaughtByItsType) {
    std::filesystem::remove(DllFolder() / "requirements.ini");
    App missing;
    ASSERT_NE(missing.Get(), nullptr);
    try {
        missing->Initialize();
        FAIL() << "a missing requirements file must raise";
    } catch (const Detection::DetectionFailedException& e) {
        EXPECT_NE(std::string(e.what()).find("requirements.ini"), std::string::npos) << e.what();
    }
    EXPECT_THROW(missing->RunTests(), std::runtime_error); // and through its base class

    PlaceRequirements("[memory]\nminimum=1024\nrecommended=lots\n");
    App malformed;
    try {
        malformed->Initialize();
        FAIL() << "a malformed requirements file must raise";
    } catch (const std::exception& e) {
        EXPECT_NE(dynamic_cast<const Detection::DetectionFailedException*>(&e), nullptr);
        EXPECT_NE(std::string(e.what()).find("requirements.ini:3:"), std::string::npos) << e.what();
    }
}

TEST_F(DllTest, RunReportsEveryTestAndConsistentItems) {
    App app;
    RecordingObserver observer;
    app.Run(&observer);

    const std::vector<Information*> items = app->GetInformations();
    ASSERT_FALSE(items.empty());
    // Rising to every item, each report against the same total.
    ASSERT_FALSE(observer.calls.empty());
    for (size_t i = 0; i < observer.calls.size(); ++i) {
        EXPECT_GT(observer.calls[i].completed, i == 0 ? 0 : observer.calls[i - 1].completed);
        EXPECT_EQ(observer.calls[i].total, static_cast<int>(items.size()));
    }
    EXPECT_EQ(observer.calls.back().completed, static_cast<int>(items.size()));
    EXPECT_EQ(app->GetOverallResult(), ExpectedOverall(items));

    for (const Information* item : items) {
        EXPECT_FALSE(item->GetDisplayString().empty()) << item->GetTagName();
        EXPECT_FALSE(item->GetDescriptionString().empty()) << item->GetTagName();
        EXPECT_FALSE(item->GetValueString().empty()) << item->GetTagName();
        EXPECT_LE(static_cast<int>(item->GetTestResult()), 4);
    }

    // The processor item is the library's RequirementCPU, recognised across the module boundary.
    const auto* cpu = dynamic_cast<const RequirementCPU*>(ByTag(items, L"frequency"));
    ASSERT_NE(cpu, nullptr);
    EXPECT_TRUE(std::isfinite(cpu->GetBenchMarkScore()));
    EXPECT_GT(cpu->GetBenchMarkScore(), 0.0f);

    // What the library found agrees with what this program sees.
    EXPECT_EQ(app->GetIntValue(L"system/cpu/nb"), GetActiveProcessorCount(ALL_PROCESSOR_GROUPS));
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatusEx(&memory);
    EXPECT_GE(app->GetIntValue(L"system/memory"), memory.ullTotalPhys / (1024 * 1024));
    const std::wstring width =
        std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L" \u00D7 " + std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(ByTag(items, L"display")->GetValueString().rfind(width, 0), 0u) << width;
    EXPECT_EQ(app->GetIntValue(L"no/such/value"), 0u);
}

TEST_F(DllTest, TextsAndListsFromTheLibraryLiveOnInTheProgram) {
    // A program folder whose name needs more than ANSI, with a German and an English file.
    const std::filesystem::path program = DllFolder() / L"Spielst\u00E4nde \u2605";
    std::filesystem::remove_all(program);
    const std::filesystem::path data(TARNHOLM_DATA_DIR);
    WriteBytes(program / "localization" / "DEU" / "interpreter_local.ini",
               ReadBytes(data / "localization" / "DEU" / "20-detection.ini"));
    WriteBytes(program / "localization" / "EN" / "interpreter_local.ini", "IDS_ONLY_ENGLISH=English only\n");
    SetIniPath((program / "localization" / "DEU" / "interpreter_local.ini").wstring());

    std::wstring text = Lookup(L"DET_CPU_NAME");
    EXPECT_EQ(text, L"Prozessor");
    EXPECT_EQ(Lookup(L"IDS_ONLY_ENGLISH"), L"English only");
    EXPECT_EQ(Lookup(L"IDS_NOWHERE"), L"IDS_NOWHERE");

    // The program grows and frees what the library allocated, and the other way round.
    text.append(100000, L'x');
    text.shrink_to_fit();
    text.clear();
    text.shrink_to_fit();

    App app;
    app.Run(nullptr);
    std::vector<Information*> items = app->GetInformations();
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(ByTag(items, L"frequency")->GetDisplayString(), L"Prozessor");
    const Information* first = items.front();
    items.resize(10000, nullptr);
    EXPECT_EQ(items.front(), first);
    items = std::vector<Information*>();
    EXPECT_EQ(app->GetInformations().size(), 9u); // the library still owns its items

    EXPECT_EQ(_heapchk(), _HEAPOK);
    std::filesystem::remove_all(program);
}
