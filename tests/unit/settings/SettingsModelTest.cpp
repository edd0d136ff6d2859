#include "Fakes.h"
#include "SettingRows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <utility>

using testing_settings::Row;

namespace {

class SettingsStore : public testing::Test {
protected:
    ModelHarness h;
};

TEST_F(SettingsStore, FirstRunOnCleanProfile) {
    h.locale.lcid = 0x0407; // German (Germany)
    auto model = h.Make();

    EXPECT_TRUE(h.registry.KeyExists(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine));
    EXPECT_TRUE(h.registry.KeyExists(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher));
    EXPECT_EQ(h.Launcher(L"LauncherVersion"), 4u);
    EXPECT_EQ(h.registry.ValueCount(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine), 0u);
    for (std::size_t row = 0; row < kSettingCount; ++row) {
        if (row == kEngineLanguage || row == kLauncherLanguage)
            EXPECT_EQ(model->GetValue(row), 3) << "language comes from the user's locale";
        else
            EXPECT_EQ(model->GetValue(row), 0) << "row " << row;
    }
    EXPECT_EQ(h.registry.OpenHandleCount(), 0u);
}

TEST_F(SettingsStore, VersionTextGoesIntoBothKeyPaths) {
    h.registry.SetString(registry::RegistryRoot::LocalMachine, L"SOFTWARE\\Velmora\\Tarnholm", L"Version", L"2.1");
    auto model = h.Make();
    EXPECT_STREQ(model->GetEngineKeyPath(), L"Software\\Velmora\\Tarnholm\\2.1\\Engine\\");
    EXPECT_STREQ(model->GetLauncherKeyPath(), L"Software\\Velmora\\Tarnholm\\2.1\\Launcher\\");
    EXPECT_TRUE(h.registry.KeyExists(registry::RegistryRoot::CurrentUser, L"Software\\Velmora\\Tarnholm\\2.1\\Engine"));
}

TEST_F(SettingsStore, MissingEmptyOrOversizedVersionFallsBackToOnePointZero) {
    for (const std::wstring& version : {std::wstring(), std::wstring(200, L'9')}) {
        ModelHarness local;
        local.registry.SetString(registry::RegistryRoot::LocalMachine, L"SOFTWARE\\Velmora\\Tarnholm", L"Version",
                                 version);
        auto model = local.Make();
        EXPECT_STREQ(model->GetEngineKeyPath(), ModelHarness::kEngine);
    }
    auto model = h.Make(); // no value at all
    EXPECT_STREQ(model->GetLauncherKeyPath(), ModelHarness::kLauncher);
}

TEST_F(SettingsStore, MigrationFromLayoutThreeKeepsOnlyLanguagesAndMarkers) {
    h.PutLauncher(L"LauncherVersion", 3);
    for (std::size_t row = 0; row < kSettingCount; ++row)
        h.Put(row < kFirstLauncherRow ? ModelHarness::kEngine : ModelHarness::kLauncher, kSettingsTable[row].name, 5);
    h.PutLauncher(L"DefaultSetting", 1);
    h.PutLauncher(L"ShowDetectionUI", 0);

    auto model = h.Make();
    EXPECT_EQ(h.Launcher(L"LauncherVersion"), 4u);
    EXPECT_FALSE(h.Launcher(L"DefaultSetting")) << "the marker goes so fresh defaults are stored";
    EXPECT_EQ(h.Launcher(L"ShowDetectionUI"), 0u);
    EXPECT_EQ(h.Engine(L"LNG_Language"), 5u);
    EXPECT_EQ(h.Launcher(L"LNG_Language"), 5u);
    EXPECT_EQ(h.registry.ValueCount(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine), 1u);
    EXPECT_EQ(h.registry.ValueCount(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher), 3u);
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 0);
    EXPECT_EQ(model->GetValue(kEngineLanguage), 5);

    // A stored layout version of 4 or more changes nothing.
    h.PutEngine(L"ScreenResolutionWidth", 1024);
    h.PutLauncher(L"DefaultSetting", 0);
    h.PutLauncher(L"LauncherVersion", 9);
    auto again = h.Make();
    EXPECT_EQ(again->GetValue(kScreenResolutionWidth), 1024);
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 0u);
    EXPECT_EQ(h.Launcher(L"LauncherVersion"), 9u);
}

TEST_F(SettingsStore, UnreadableLauncherVersionChangesNothing) {
    h.registry.SetString(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher, L"LauncherVersion", L"four");
    h.PutEngine(L"ScreenResolutionWidth", 800);
    auto model = h.Make();
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 800);
    EXPECT_FALSE(h.Launcher(L"LauncherVersion"));
}

TEST_F(SettingsStore, LoadAndSaveMoveValuesUnchanged) {
    h.PutLauncher(L"LauncherVersion", 4);
    h.PutEngine(L"ScreenResolutionWidth", 5000); // outside its range: Load keeps it
    h.PutEngine(L"LNG_Language", 4);
    h.PutLauncher(L"LNG_Language", 6);
    h.PutLauncher(L"VisualQualityLvl", 2);
    auto model = h.Make();
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 5000);
    EXPECT_EQ(model->GetValue(kEngineLanguage), 4);
    EXPECT_EQ(model->GetValue(kLauncherLanguage), 6) << "the locale is only a fallback";
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 2);

    model->SetValue(kScreenResolutionHeight, 1000);
    model->Save();
    EXPECT_EQ(h.Engine(L"ScreenResolutionWidth"), 5000u);
    EXPECT_EQ(h.Engine(L"ScreenResolutionHeight"), 1000u);
    EXPECT_EQ(h.Launcher(L"VisualQualityLvl"), 2u);
    EXPECT_EQ(h.registry.ValueCount(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine), 31u);

    model->SetValue(kScreenResolutionHeight, 600);
    model->Load(); // Cancel: back to what is stored
    EXPECT_EQ(model->GetValue(kScreenResolutionHeight), 1000);
}

TEST_F(SettingsStore, LocaleMapping) {
    const std::pair<std::uint32_t, int> cases[] = {{0x0407, 3}, {0x0C07, 3}, {0x040A, 5}, {0x0C0A, 5},
                                                   {0x040C, 4}, {0x0410, 6}, {0x0409, 1}, {0x0411, 1}};
    for (auto [lcid, id] : cases) {
        ModelHarness local;
        local.locale.lcid = lcid;
        auto model = local.Make();
        EXPECT_EQ(model->GetValue(kEngineLanguage), id) << std::hex << lcid;
        EXPECT_EQ(model->GetValue(kLauncherLanguage), id);
    }
}

TEST_F(SettingsStore, SetValueClampsToTheRow) {
    auto model = h.Make();
    model->SetValue(kScreenResolutionWidth, 2048);
    model->SetValue(kScreenResolutionHeight, 100);
    model->SetValue(kAspectRatioOverride, -5);
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 1920);
    EXPECT_EQ(model->GetValue(kScreenResolutionHeight), 480);
    EXPECT_EQ(model->GetValue(kAspectRatioOverride), 100);
    EXPECT_THROW(model->SetValue(kSettingCount, 1), std::out_of_range);
}

TEST_F(SettingsStore, SetLevelKindsAndTheMarker) {
    auto model = h.Make();
    h.PutLauncher(L"DefaultSetting", 1);

    model->SetLevel(settings::LevelKind::VerticalSync, 3);
    EXPECT_EQ(model->GetValue(kVerticalSyncLvl), 3);
    EXPECT_EQ(model->GetValue(kVerticalSync), 1);
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 0u) << "written at once, before any Save";

    model->SetLevel(settings::LevelKind::Textures, 0);
    EXPECT_EQ(model->GetValue(kTextureLvl), 0);
    EXPECT_EQ(model->GetValue(kDegradedTextures), 1);
    model->SetLevel(settings::LevelKind::Textures, 7);
    EXPECT_EQ(model->GetValue(kDegradedTextures), 0);

    model->SetLevel(settings::LevelKind::Widescreen, 1);
    EXPECT_EQ(model->GetValue(kAspectRatioOverrideCHKB), 1);

    model->SetLevel(settings::LevelKind::Language, 20);
    EXPECT_EQ(model->GetValue(kLauncherLanguage), 20);
    EXPECT_EQ(model->GetValue(kEngineLanguage), 15);

    h.PutLauncher(L"DefaultSetting", 1);
    const auto before = model->GetValues();
    model->SetLevel(static_cast<settings::LevelKind>(5), 1);
    EXPECT_EQ(model->GetValues(), before);
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 1u) << "an unknown kind does nothing at all";
    EXPECT_FALSE(h.Engine(L"VerticalSync")) << "nothing but the marker is written before Save";
}

TEST_F(SettingsStore, QualityPresets) {
    auto model = h.Make();
    model->SetValue(kScreenResolutionWidth, 1024);
    model->SetLevel(settings::LevelKind::Quality, 2);
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 2);
    EXPECT_EQ(model->GetValue(Row(L"TerrainGeometryDetails")), 30);
    EXPECT_EQ(model->GetValue(Row(L"EnvMeshLODCoefficient")), 15);
    EXPECT_EQ(model->GetValue(Row(L"SLShadowUsingTwoViewports")), 1);

    model->SetLevel(settings::LevelKind::Quality, 0);
    // The low preset, row by row.
    const std::pair<std::size_t, int> low[] = {{Row(L"TerrainGeometryDetails"), 70},
                                               {Row(L"DetailGrassCollision"), 0},
                                               {Row(L"BendableVegetation"), 0},
                                               {Row(L"EnvStartingMeshLOD"), 1},
                                               {Row(L"EnvMeshLODCoefficient"), 7},
                                               {Row(L"EnvShaderLODCoefficient"), 10},
                                               {Row(L"ImportanceLevel"), 1},
                                               {Row(L"ParticleEffectQuality"), 0},
                                               {Row(L"ParticleEffectNumber"), 5},
                                               {Row(L"CharacterStartingMeshLOD"), 0},
                                               {Row(L"CharacterMeshLODCoefficient"), 10},
                                               {Row(L"CharacterShaderLODCoefficient"), 50},
                                               {Row(L"ShadowBufferResolution"), 1},
                                               {Row(L"ShadowDrawDistance"), 1},
                                               {Row(L"ShadowBlurQuality"), 0},
                                               {Row(L"EnableGodRays"), 0},
                                               {Row(L"EnableGlow"), 0},
                                               {Row(L"EnableHeatDistortion"), 0},
                                               {Row(L"DetailGrassDensityScale"), 6},
                                               {Row(L"DetailGrassFadeDistanceScale"), 90},
                                               {Row(L"CameraViewDistanceScale"), 70},
                                               {Row(L"SLShadowUsingTwoViewports"), 0},
                                               {Row(L"MeshLodTransitionMultiplier"), 0}};
    for (auto [row, value] : low)
        EXPECT_EQ(model->GetValue(row), value) << "row " << row;
    EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 1024) << "rows outside the table stay";

    model->ApplyQualityPreset(3);
    EXPECT_EQ(model->GetValue(Row(L"SLShadowUsingTwoViewports")), 0) << "two viewports only at medium and high";
    EXPECT_EQ(model->GetValue(Row(L"CharacterShaderLODCoefficient")), 10);

    h.PutLauncher(L"DefaultSetting", 1);
    const auto before = model->GetValues();
    model->ApplyQualityPreset(5);
    EXPECT_EQ(model->GetValue(kVisualQualityLvl), 5) << "stored unclamped";
    for (std::size_t row = 0; row < kSettingCount; ++row) {
        if (row != kVisualQualityLvl) {
            EXPECT_EQ(model->GetValue(row), before[row]);
        }
    }
    EXPECT_EQ(h.Launcher(L"DefaultSetting"), 0u);
}

TEST(PresetTable, EveryValueLiesInsideItsRowAndRowsAreDistinct) {
    std::array<bool, kSettingCount> seen{};
    for (const settings::PresetRow& preset : settings::kQualityPresets) {
        EXPECT_FALSE(seen[preset.row]) << "row " << preset.row << " twice";
        seen[preset.row] = true;
        for (int v : preset.values) {
            EXPECT_GE(v, kSettingsTable[preset.row].minimum);
            EXPECT_LE(v, kSettingsTable[preset.row].maximum);
        }
    }
    const std::size_t untouchedRows[] = {
        Row(L"ScreenResolutionWidth"),
        Row(L"ScreenResolutionHeight"),
        Row(L"VerticalSync"),
        Row(L"DegradedTextures"),
        Row(L"AspectRatioOverride"),
        Row(L"AlternateVerticalSync"),
        Row(L"AlternateVerticalSyncThreshold"),
        kEngineLanguage,
        Row(L"VerticalSync_lvl"),
        Row(L"Texture_lvl"),
        Row(L"VisualQualityLvl"),
        Row(L"AspectRatioOverrideCHKB"),
        kLauncherLanguage,
    };
    for (std::size_t untouched : untouchedRows)
        EXPECT_FALSE(seen[untouched]) << "row " << untouched;
}

TEST(AspectRatio, Examples) {
    const settings::DisplayMode wideDesktop{1680, 1050, 32, 60};
    const settings::DisplayMode squareDesktop{1024, 768, 32, 60};
    EXPECT_EQ(ComputeAspectRatioOverride(1280, 1024, false, nullptr), 125);
    EXPECT_EQ(ComputeAspectRatioOverride(1024, 768, false, nullptr), 133);
    EXPECT_EQ(ComputeAspectRatioOverride(1280, 800, false, nullptr), 160);
    EXPECT_EQ(ComputeAspectRatioOverride(1680, 1050, true, nullptr), 160);
    EXPECT_EQ(ComputeAspectRatioOverride(1280, 768, true, nullptr), 166);
    EXPECT_EQ(ComputeAspectRatioOverride(1280, 720, false, nullptr), 177);
    EXPECT_EQ(ComputeAspectRatioOverride(1366, 768, false, nullptr), 177);
    EXPECT_EQ(ComputeAspectRatioOverride(1280, 1024, true, &wideDesktop), 160);
    EXPECT_EQ(ComputeAspectRatioOverride(1280, 1024, true, &squareDesktop), 178);
    EXPECT_EQ(ComputeAspectRatioOverride(1024, 768, true, &squareDesktop), 178) << "4:3 is not wider";
    EXPECT_EQ(ComputeAspectRatioOverride(1024, 768, true, nullptr), 178);
    // Stored sizes the engine cannot use still give a defined value.
    EXPECT_EQ(ComputeAspectRatioOverride(0, 0, false, nullptr), 133);
    EXPECT_EQ(ComputeAspectRatioOverride(2147483647, 1, false, nullptr), 2147483647);
}

TEST_F(SettingsStore, SaveReadsTheDesktopOnlyWhenNeeded) {
    auto model = h.Make();
    h.display.desktop = {1440, 900, 32, 60};
    model->SetValue(kScreenResolutionWidth, 1280);
    model->SetValue(kScreenResolutionHeight, 1024);
    model->SetLevel(settings::LevelKind::Widescreen, 1);
    model->Save();
    EXPECT_EQ(h.Engine(L"AspectRatioOverride"), 160u);
    EXPECT_EQ(h.display.currentModeReads, 1);

    model->SetValue(kScreenResolutionWidth, 1920);
    model->SetValue(kScreenResolutionHeight, 1080);
    model->Save();
    EXPECT_EQ(h.Engine(L"AspectRatioOverride"), 177u);
    EXPECT_EQ(h.display.currentModeReads, 1) << "a wide resolution needs no desktop";
}

TEST_F(SettingsStore, DisplayModeFilterAndFirstWins) {
    h.display.modes = {{640, 480, 8, 60},    {720, 480, 32, 60},   {1024, 768, 16, 60}, {1024, 768, 32, 75},
                       {1280, 1024, 32, 60}, {2048, 1536, 32, 60}, {800, 600, 32, 60},  {1920, 1200, 32, 60},
                       {1921, 1200, 32, 60}, {800, 599, 32, 60},   {640, 400, 32, 60}};
    auto model = h.Make();
    model->PrepareLists();
    ASSERT_EQ(model->GetDisplayModeCount(), 5);
    EXPECT_EQ(model->GetDisplayMode(1).frequency, 60u);
    EXPECT_EQ(model->GetDisplayMode(1).bitsPerPixel, 16u) << "the first enumerated wins";
    EXPECT_EQ(model->GetDisplayMode(2).width, 1280u);
    EXPECT_EQ(model->GetDisplayMode(3).width, 800u) << "enumeration order is kept";
    EXPECT_EQ(model->GetDisplayMode(4).height, 1200u);
    EXPECT_EQ(model->GetDisplayMode(0).width, 640u);
    EXPECT_EQ(model->GetDisplayMode(5).width, 640u) << "out of range gives mode 0";
    EXPECT_EQ(model->GetDisplayMode(-1).width, 640u);
}

TEST_F(SettingsStore, EmptyDisplayModeListRaisesOnAccess) {
    auto model = h.Make();
    model->PrepareLists();
    EXPECT_EQ(model->GetDisplayModeCount(), 0);
    EXPECT_THROW(model->GetDisplayMode(0), std::out_of_range);
}

TEST_F(SettingsStore, LanguageListInFixedOrderWithBoundedNames) {
    h.texts[L"LANG_ITALIAN"] = std::wstring(400, L'i');
    auto model = h.Make();
    model->PrepareLists();
    const auto& languages = model->GetLanguages();
    const int ids[] = {1, 3, 4, 5, 6};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(languages[i].id, ids[i]);
    EXPECT_STREQ(languages[0].name, L"English");
    EXPECT_STREQ(languages[2].name, L"Français");
    EXPECT_EQ(std::wcslen(languages[4].name), 259u) << "long names are cut, never overflow";
}

} // namespace

TEST_F(SettingsStore, VersionOfAThirtyTwoBitInstallerNamesTheKeys) {
    h.registry.SetString(registry::RegistryRoot::LocalMachine32, L"SOFTWARE\\Velmora\\Tarnholm", L"Version", L"1.4");
    auto model = h.Make();
    EXPECT_STREQ(model->GetEngineKeyPath(), L"Software\\Velmora\\Tarnholm\\1.4\\Engine\\");
}

// --- saving when the registry refuses writes ---------------------------------------------------

namespace {

using StoredKeys = std::pair<registry::MemoryRegistry::ValueMap, registry::MemoryRegistry::ValueMap>;

StoredKeys BothKeys(const ModelHarness& h) {
    return {h.registry.Values(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine),
            h.registry.Values(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher)};
}

// Settings as an earlier run may leave them: most rows stored, two absent, two of other types,
// beside values that are no settings; then edits in memory that change every row.
std::unique_ptr<CSettingsModel> StoredThenEdited(ModelHarness& h) {
    h.PutLauncher(L"LauncherVersion", 4);
    h.PutLauncher(L"DefaultSetting", 0);
    for (std::size_t row = 0; row < kSettingCount; ++row)
        if (row != 3 /* TerrainGeometryDetails */ && row != kVisualQualityLvl)
            h.Put(row < kFirstLauncherRow ? ModelHarness::kEngine : ModelHarness::kLauncher, kSettingsTable[row].name,
                  2);
    h.registry.SetString(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine, L"EnableGlow", L"on");
    h.registry.SetValue(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher, L"Texture_lvl",
                        {registry::kRegBinary, {1, 2, 3, 4, 5, 6}});
    auto model = h.Make();
    for (std::size_t row = 0; row < kSettingCount; ++row)
        model->SetValue(row, kSettingsTable[row].maximum);
    return model;
}

// A save that cannot write one value, or a whole key, changes nothing stored in either key: what
// was written goes back byte for byte, what it made goes again. The edits stay for another OK.
TEST_F(SettingsStore, RefusedSaveLeavesBothKeysAsTheyWere) {
    struct Refusal {
        const wchar_t* key; // "engine" or "launcher"
        std::wstring value; // empty: the whole key refuses writes
    };
    std::vector<Refusal> refusals{{L"engine", L""}, {L"launcher", L""}};
    for (std::size_t row = 0; row < kSettingCount; ++row)
        refusals.push_back({row < kFirstLauncherRow ? L"engine" : L"launcher", kSettingsTable[row].name});
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(std::string(refusal.key, refusal.key + std::wcslen(refusal.key)) + " " +
                     std::string(refusal.value.begin(), refusal.value.end()));
        ModelHarness local;
        auto model = StoredThenEdited(local);
        const StoredKeys before = BothKeys(local);
        if (refusal.value.empty())
            local.registry.DenyWriteAccess(registry::RegistryRoot::CurrentUser,
                                           refusal.key[0] == L'e' ? ModelHarness::kEngine : ModelHarness::kLauncher);
        local.registry.refuseChange = [&refusal](const std::wstring& path, const std::wstring& name) -> long {
            return path.ends_with(refusal.key) && name == refusal.value ? 1450 : 0;
        };
        EXPECT_EQ(model->Save(), settings::SaveResult::NotSaved);
        EXPECT_EQ(BothKeys(local), before);
        EXPECT_EQ(model->GetValue(kScreenResolutionWidth), 1920) << "the edits stay";
        EXPECT_EQ(local.registry.OpenHandleCount(), 0u);

        local.registry.DenyWriteAccess(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine, false);
        local.registry.DenyWriteAccess(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher, false);
        local.registry.refuseChange = nullptr;
        EXPECT_EQ(model->Save(), settings::SaveResult::Saved) << "OK again stores them";
        EXPECT_EQ(local.Engine(L"ScreenResolutionWidth"), 1920u);
        EXPECT_EQ(local.Launcher(L"LNG_Language"), 15u);
    }
}

// When what was written cannot be put back either (a value made by the save that cannot be
// deleted, or one that cannot be set back), Save says so: the stored settings are not the old ones.
TEST_F(SettingsStore, SaveThatCannotPutBackSaysSo) {
    for (const wchar_t* stuck : {L"TerrainGeometryDetails", L"ScreenResolutionWidth"}) {
        ModelHarness local;
        auto model = StoredThenEdited(local);
        int changes = 0;
        local.registry.refuseChange = [stuck, &changes](const std::wstring&, const std::wstring& name) -> long {
            if (name == L"AspectRatioOverrideCHKB")
                return 1450;
            return name == stuck && ++changes > 1 ? 1450 : 0; // written once, then never again
        };
        EXPECT_EQ(model->Save(), settings::SaveResult::NotRestored);
        EXPECT_TRUE(local.Engine(stuck).has_value());
        EXPECT_EQ(local.Engine(L"ScreenResolutionHeight"), 2u) << "every other value went back";
    }
}

TEST_F(SettingsStore, EngineLanguageReadWithoutChangingAnything) {
    // Nothing stored: the user's locale, and not one key made.
    h.locale.lcid = 0x040A;
    EXPECT_EQ(ReadEngineLanguage(h.registry, h.locale), 5);
    EXPECT_FALSE(h.registry.KeyExists(registry::RegistryRoot::CurrentUser, ModelHarness::kEngine));
    EXPECT_FALSE(h.registry.KeyExists(registry::RegistryRoot::CurrentUser, ModelHarness::kLauncher));

    // The stored Engine language wins, under the installed version's key.
    h.registry.SetString(registry::RegistryRoot::LocalMachine, L"SOFTWARE\\Velmora\\Tarnholm", L"Version", L"2.5");
    h.Put(L"Software\\Velmora\\Tarnholm\\2.5\\Engine\\", L"LNG_Language", 4);
    h.PutLauncher(L"LNG_Language", 6); // under 1.0 and in the Launcher key: not the one
    EXPECT_EQ(ReadEngineLanguage(h.registry, h.locale), 4);
    EXPECT_EQ(h.registry.OpenHandleCount(), 0u);

    // The model agrees.
    auto model = h.Make();
    EXPECT_EQ(model->GetValue(kEngineLanguage), 4);

    EXPECT_EQ(LanguageForLocale(0x0407), 3);
    EXPECT_EQ(LanguageForLocale(0x0410), 6);
    EXPECT_EQ(LanguageForLocale(0x0809), 1);
    EXPECT_EQ(SettingsVersion(h.registry), L"2.5");
}

} // namespace
