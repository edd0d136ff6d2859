#include "Fakes.h"
#include "SettingRows.h"
#include "GpuTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using testing_settings::Row;

namespace {

constexpr unsigned kUnlistedAdapter = 0x1234;

class HardwareDefaults : public testing::Test {
protected:
    void SetUp() override {
        h.detection.intValues[L"directx/d3dadapter/0/deviceid"] = kUnlistedAdapter;
        h.detection.intValues[L"directx/vidmemory"] = 512;
        h.detection.intValues[L"system/cpu/nb"] = 4;
    }
    std::unique_ptr<CSettingsModel> Prepared(std::vector<settings::DisplayMode> modes) {
        h.display.modes = std::move(modes);
        auto model = h.Make();
        model->PrepareLists();
        return model;
    }
    std::pair<int, int> Resolution(const CSettingsModel& model) {
        return {model.GetValue(kScreenResolutionWidth), model.GetValue(kScreenResolutionHeight)};
    }
    ModelHarness h;
};

TEST(GpuTable, ShapeAndDuplicates) {
    std::map<int, int> perClass;
    std::map<unsigned, std::set<int>> classesById;
    std::map<unsigned, int> count;
    for (const GpuClassRow& row : kGpuClassTable) {
        ++perClass[row.hardwareClass];
        classesById[row.deviceId].insert(row.hardwareClass);
        ++count[row.deviceId];
    }
    EXPECT_EQ(perClass[2], 10);
    EXPECT_EQ(perClass[1], 41);
    EXPECT_EQ(perClass[0], 114);
    std::set<unsigned> twice;
    for (auto [id, n] : count)
        if (n > 1)
            twice.insert(id);
    EXPECT_EQ(twice, (std::set<unsigned>{0x0392, 0x7240, 0x7248, 0x7260, 0x7268}));
    for (auto& [id, classes] : classesById)
        EXPECT_EQ(classes.size(), 1u) << std::hex << id;
}

TEST(Classification, AdapterAndProcessorClasses) {
    EXPECT_EQ(AdapterClass(0x0191), 2);
    EXPECT_EQ(AdapterClass(0x7248), 1);
    EXPECT_EQ(AdapterClass(0x0392), 0);
    EXPECT_EQ(AdapterClass(0x9586), 0);
    EXPECT_EQ(AdapterClass(kUnlistedAdapter), 2);
    EXPECT_EQ(AdapterClass(0x10000 + 0x0392), 2) << "the id is compared whole";

    EXPECT_EQ(ProcessorClass(0.2f), 2);
    EXPECT_EQ(ProcessorClass(1.0f), 2);
    EXPECT_EQ(ProcessorClass(std::nextafter(1.0f, 2.0f)), 1);
    EXPECT_EQ(ProcessorClass(1.8f), 1);
    EXPECT_EQ(ProcessorClass(std::nextafter(1.8f, 2.0f)), 0);
    EXPECT_EQ(ProcessorClass(std::numeric_limits<float>::quiet_NaN()), 1);
}

TEST_F(HardwareDefaults, ClassIsTheSmallerOfProcessorAndAdapter) {
    auto model = h.Make();
    EXPECT_EQ(model->ClassifyHardware(), 1) << "no processor item: processor class 1";

    h.detection.AddPlain(L"os");
    h.detection.AddCpu(0.5f);
    h.detection.AddCpu(3.0f); // only the first "frequency" item counts
    EXPECT_EQ(model->ClassifyHardware(), 2);

    h.detection.intValues[L"directx/d3dadapter/0/deviceid"] = 0x0421;
    EXPECT_EQ(model->ClassifyHardware(), 0);

    h.detection.items.clear();
    h.detection.AddCpu(1.5f, L"Frequency"); // tag compared exactly
    h.detection.intValues[L"directx/d3dadapter/0/deviceid"] = kUnlistedAdapter;
    EXPECT_EQ(model->ClassifyHardware(), 1);

    h.detection.items.clear();
    h.detection.AddPlain(L"frequency"); // not a processor item: no score to read
    EXPECT_EQ(model->ClassifyHardware(), 1);
}

TEST_F(HardwareDefaults, FirstRunStoresDefaultsOnceAndRespectsTheMarker) {
    h.detection.AddCpu(1.5f);
    auto model = Prepared({{800, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 1024, 32, 60}});
    ASSERT_TRUE(model->ApplyHardwareDefaults(false));
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 1) << "unlisted adapter, score 1.5: medium";
    EXPECT_EQ(Resolution(*model), std::make_pair(1024, 768));
    EXPECT_FALSE(h.Engine(L"ScreenResolutionWidth")) << "saving is the caller's business";
    EXPECT_FALSE(h.Launcher(L"DefaultSetting")) << "the marker goes with the values";
    ASSERT_EQ(model->Save(), settings::SaveResult::Saved);
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 1u);

    EXPECT_FALSE(model->ApplyHardwareDefaults(false));

    h.PutLauncher(L"DefaultSetting", 0); // the player changed something
    model->SetValue(kScreenResolutionWidth, 800);
    EXPECT_FALSE(model->ApplyHardwareDefaults(false));
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 800);

    EXPECT_TRUE(model->ApplyHardwareDefaults(true)) << "the Default button forces it";
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 1024);
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 1u);
}

TEST_F(HardwareDefaults, OtherChoices) {
    h.detection.AddCpu(0.8f);
    h.detection.intValues[L"directx/vidmemory"] = 249;
    h.detection.intValues[L"system/cpu/nb"] = 1;
    auto model = Prepared({{1024, 768, 32, 60}});
    model->SetLevel(settings::LevelKind::VerticalSync, 1);
    model->SetLevel(settings::LevelKind::Widescreen, 1);
    model->SetLevel(settings::LevelKind::Language, 4);
    model->SetValue(kAlternateVerticalSyncThreshold, 30);
    ASSERT_TRUE(model->ApplyHardwareDefaults(true));
    EXPECT_EQ(model->GetValue(kTextureLvl), 0);
    EXPECT_EQ(model->GetValue(kDegradedTextures), 1);
    EXPECT_EQ(model->GetValue(kVerticalSyncLvl), 0);
    EXPECT_EQ(model->GetValue(kVerticalSync), 0);
    EXPECT_EQ(model->GetValue(kAspectRatioOverrideCHKB), 0);
    EXPECT_EQ(model->GetValue(kAlternateVerticalSync), 0);
    EXPECT_EQ(model->GetValue(kAlternateVerticalSyncThreshold), 0);
    EXPECT_EQ(model->GetValue(kLauncherLanguage), 4) << "languages are left alone";
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 2);
    EXPECT_EQ(model->GetValue(Row(L"TerrainGeometryDetails")), 30) << "the high preset was applied";

    h.detection.intValues[L"directx/vidmemory"] = 250;
    h.detection.intValues[L"system/cpu/nb"] = 2;
    ASSERT_TRUE(model->ApplyHardwareDefaults(true));
    EXPECT_EQ(model->GetValue(kTextureLvl), 1);
    EXPECT_EQ(model->GetValue(kDegradedTextures), 0);
    EXPECT_EQ(model->GetValue(kAlternateVerticalSync), 1);
}

TEST_F(HardwareDefaults, ResolutionBudgets) {
    h.detection.AddCpu(0.5f);
    const std::vector<settings::DisplayMode> offered{{800, 600, 32, 60},  {1024, 768, 32, 60}, {1280, 720, 32, 60},
                                                     {1280, 768, 32, 60}, {1280, 800, 32, 60}, {1280, 1024, 32, 60},
                                                     {1600, 1200, 32, 60}};
    // High class on a 4:3 desktop.
    h.display.desktop = {1600, 1200, 32, 60};
    auto model = Prepared(offered);
    model->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*model), std::make_pair(1280, 1024));

    // High class on a 16:10 desktop: 1280×800 is above the wide budget.
    h.display.desktop = {1680, 1050, 32, 60};
    model->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*model), std::make_pair(1280, 768));

    // Without 1280×768 the next smaller mode.
    ModelHarness other;
    other.detection.AddCpu(0.5f);
    other.display.desktop = {1680, 1050, 32, 60};
    other.display.modes = {{1280, 800, 32, 60}, {1280, 720, 32, 60}, {1024, 768, 32, 60}};
    auto second = other.Make();
    second->PrepareLists();
    second->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*second), std::make_pair(1280, 720));

    // Medium class: 1024×768 on 4:3, the wide budget otherwise.
    h.detection.items.clear();
    h.detection.AddCpu(1.7f);
    h.display.desktop = {1024, 768, 32, 60};
    model->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*model), std::make_pair(1024, 768));
    h.display.desktop = {1920, 1080, 32, 60};
    model->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*model), std::make_pair(1280, 768));

    // Low class: 800×600 whatever the desktop.
    h.detection.intValues[L"directx/d3dadapter/0/deviceid"] = 0x0422;
    model->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*model), std::make_pair(800, 600));
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 0);
}

TEST_F(HardwareDefaults, TiesKeepTheFirstAndNothingWithinBudgetTakesTheFirstMode) {
    h.detection.AddCpu(2.5f); // low: 480000 pixels
    auto model = Prepared({{640, 480, 32, 60}, {800, 600, 16, 60}});
    model->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*model), std::make_pair(800, 600));

    // Equal pixel counts: the earlier mode stays (both 1024000 pixels here).
    h.detection.items.clear();
    h.detection.AddCpu(0.5f);
    auto tie = Prepared({{1280, 800, 32, 60}, {1024, 1000, 32, 60}, {800, 600, 32, 60}});
    tie->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*tie), std::make_pair(1280, 800));

    h.detection.items.clear();
    h.detection.AddCpu(2.5f);
    auto big = Prepared({{1600, 1200, 32, 60}, {1280, 1024, 32, 60}});
    big->ApplyHardwareDefaults(true);
    EXPECT_EQ(Resolution(*big), std::make_pair(1600, 1200));
}

TEST_F(HardwareDefaults, NoDisplayModesKeepsTheDesktopMode) {
    h.detection.AddCpu(0.5f);
    h.display.desktop = {2560, 1440, 32, 60};
    auto model = Prepared({{320, 200, 8, 60}}); // nothing usable
    ASSERT_EQ(model->GetDisplayModeCount(), 0);
    ASSERT_TRUE(model->ApplyHardwareDefaults(false));
    EXPECT_EQ(Resolution(*model), std::make_pair(1920, 1200)) << "clamped to the rows' ranges";
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 2) << "the other defaults still apply";

    h.display.desktopReadable = false;
    ASSERT_TRUE(model->ApplyHardwareDefaults(true));
    EXPECT_EQ(Resolution(*model), std::make_pair(1920, 1200)) << "no desktop either: keep the current values";
}

// First-run defaults and their marker are stored together or not at all. A refused save leaves
// the marker absent, so the next run chooses and stores them again; until a save succeeds, a
// player's change holds its marker back for the values, and Load (Cancel) gives it up.
TEST_F(HardwareDefaults, FirstRunMarkerStandsOnlyForStoredDefaults) {
    h.detection.AddCpu(1.5f);
    h.registry.DenyWriteAccess(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine);
    auto first = Prepared({{1024, 768, 32, 60}});
    ASSERT_TRUE(first->ApplyHardwareDefaults(false));
    EXPECT_EQ(first->Save(), settings::SaveResult::NotSaved);
    EXPECT_FALSE(h.Launcher(L"DefaultSetting")) << "the Launcher key took writes, yet no marker";
    EXPECT_FALSE(h.Launcher(L"VisualQualityLvl"));

    first->SetLevel(settings::LevelKind::VerticalSync, 1);
    first->Load(); // Cancel
    first->SetLevel(settings::LevelKind::VerticalSync, 0);
    EXPECT_FALSE(h.Launcher(L"DefaultSetting")) << "no marker ahead of the values, before or after Load";
    first->Load();
    EXPECT_EQ(first->Save(), settings::SaveResult::NotSaved);
    EXPECT_FALSE(h.Launcher(L"DefaultSetting"));

    h.registry.DenyWriteAccess(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine, false);
    auto next = Prepared({{1024, 768, 32, 60}});
    ASSERT_TRUE(next->ApplyHardwareDefaults(false)) << "the next run chooses them again";
    next->SetLevel(settings::LevelKind::Textures, 0);
    EXPECT_FALSE(h.Launcher(L"DefaultSetting"));
    h.registry.refuseChange = [](const std::wstring&, const std::wstring& name) -> long {
        return name == L"DefaultSetting" ? 1450 : 0;
    };
    EXPECT_EQ(next->Save(), settings::SaveResult::NotSaved) << "a refused marker takes the values back with it";
    EXPECT_FALSE(h.Engine(L"ScreenResolutionWidth"));
    h.registry.refuseChange = nullptr;
    ASSERT_EQ(next->Save(), settings::SaveResult::Saved);
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 0u) << "the player's change, stored with the values";
    EXPECT_EQ(h.Engine(L"ScreenResolutionWidth"), 1024u);
}

} // namespace
