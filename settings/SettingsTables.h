// The constant tables of the settings model: the stored settings and the quality presets.
#pragma once

#include <array>
#include <cstddef>

struct SettingDef {
    int minimum;
    int maximum;
    const wchar_t* name;
};

inline constexpr std::size_t kSettingCount = 36;
inline constexpr std::size_t kFirstLauncherRow = 31; // rows before it live in the Engine key

// Row numbers the code refers to by name.
enum SettingRow : std::size_t {
    kScreenResolutionWidth = 0,
    kScreenResolutionHeight = 1,
    kVerticalSync = 2,
    kDegradedTextures = 15,
    kAspectRatioOverride = 26,
    kAlternateVerticalSync = 28,
    kAlternateVerticalSyncThreshold = 29,
    kEngineLanguage = 30,
    kVerticalSyncLvl = 31,
    kTextureLvl = 32,
    kVisualQualityLvl = 33,
    kAspectRatioOverrideCHKB = 34,
    kLauncherLanguage = 35,
};

inline constexpr std::array<SettingDef, kSettingCount> kSettingsTable{{
    {640, 1920, L"ScreenResolutionWidth"},
    {480, 1200, L"ScreenResolutionHeight"},
    {0, 1, L"VerticalSync"},
    {0, 200, L"TerrainGeometryDetails"},
    {0, 1, L"DetailGrassCollision"},
    {0, 1, L"BendableVegetation"},
    {0, 2, L"EnvStartingMeshLOD"},
    {1, 20, L"EnvMeshLODCoefficient"},
    {1, 1000, L"EnvShaderLODCoefficient"},
    {0, 3, L"ImportanceLevel"},
    {0, 1, L"ParticleEffectQuality"},
    {0, 10, L"ParticleEffectNumber"},
    {0, 2, L"CharacterStartingMeshLOD"},
    {1, 20, L"CharacterMeshLODCoefficient"},
    {1, 1000, L"CharacterShaderLODCoefficient"},
    {0, 1, L"DegradedTextures"},
    {1, 16, L"ShadowBufferResolution"},
    {1, 100, L"ShadowDrawDistance"},
    {0, 3, L"ShadowBlurQuality"},
    {0, 1, L"EnableGodRays"},
    {0, 1, L"EnableGlow"},
    {0, 1, L"EnableHeatDistortion"},
    {0, 40, L"DetailGrassDensityScale"},
    {1, 1000, L"DetailGrassFadeDistanceScale"},
    {1, 1000, L"CameraViewDistanceScale"},
    {0, 1, L"SLShadowUsingTwoViewports"},
    {100, 178, L"AspectRatioOverride"},
    {0, 10, L"MeshLodTransitionMultiplier"},
    {0, 4, L"AlternateVerticalSync"},
    {0, 40, L"AlternateVerticalSyncThreshold"},
    {0, 15, L"LNG_Language"},
    {0, 1, L"VerticalSync_lvl"},
    {0, 1, L"Texture_lvl"},
    {0, 3, L"VisualQualityLvl"},
    {0, 1, L"AspectRatioOverrideCHKB"},
    {0, 15, L"LNG_Language"},
}};

namespace settings {

// One engine value per row, for quality levels 0 (low) to 3 (very high), in the order applied.
struct PresetRow {
    std::size_t row;
    std::array<int, 4> values;
};

inline constexpr std::array<PresetRow, 23> kQualityPresets{{
    {3, {70, 50, 30, 10}},   // TerrainGeometryDetails
    {4, {0, 0, 1, 1}},       // DetailGrassCollision
    {22, {6, 8, 10, 10}},    // DetailGrassDensityScale
    {23, {90, 90, 95, 100}}, // DetailGrassFadeDistanceScale
    {5, {0, 1, 1, 1}},       // BendableVegetation
    {6, {1, 0, 0, 0}},       // EnvStartingMeshLOD
    {7, {7, 20, 15, 10}},    // EnvMeshLODCoefficient
    {8, {10, 10, 10, 10}},   // EnvShaderLODCoefficient
    {9, {1, 2, 3, 3}},       // ImportanceLevel
    {10, {0, 0, 1, 1}},      // ParticleEffectQuality
    {11, {5, 7, 9, 10}},     // ParticleEffectNumber
    {21, {0, 0, 1, 1}},      // EnableHeatDistortion
    {12, {0, 0, 0, 0}},      // CharacterStartingMeshLOD
    {13, {10, 10, 10, 10}},  // CharacterMeshLODCoefficient
    {14, {50, 37, 24, 10}},  // CharacterShaderLODCoefficient
    {19, {0, 1, 1, 1}},      // EnableGodRays
    {20, {0, 1, 1, 1}},      // EnableGlow
    {24, {70, 80, 90, 100}}, // CameraViewDistanceScale
    {27, {0, 0, 5, 10}},     // MeshLodTransitionMultiplier
    {16, {1, 8, 8, 8}},      // ShadowBufferResolution
    {17, {1, 6, 8, 10}},     // ShadowDrawDistance
    {18, {0, 1, 2, 3}},      // ShadowBlurQuality
    {25, {0, 1, 1, 0}},      // SLShadowUsingTwoViewports
}};

} // namespace settings
