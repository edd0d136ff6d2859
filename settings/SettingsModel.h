// The settings the game engine reads: 36 integers in two per-user registry keys whose path holds
// the installed version, with the display-mode and language lists the settings pages show.
#pragma once

#include "RegistryKey.h"
#include "SettingsPlatform.h"
#include "SettingsTables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DetectionApplication;

inline constexpr std::size_t kTextBufferSize = 260;

struct LanguageRecord {
    wchar_t name[kTextBufferSize];
    int id;
};

inline constexpr std::uint32_t kLauncherVersion = 4;
inline constexpr int kLanguageEnglish = 1;
inline constexpr int kLanguageGerman = 3;
inline constexpr int kLanguageFrench = 4;
inline constexpr int kLanguageSpanish = 5;
inline constexpr int kLanguageItalian = 6;

namespace settings {

// The player's choices that SetLevel takes, each driving one or more settings.
enum class LevelKind : int {
    VerticalSync = 0, // the vertical-sync level and the engine's switch
    Textures = 1,     // the texture level and the engine's degraded-textures switch
    Quality = 2,      // a quality preset
    Widescreen = 3,   // the widescreen check box
    Language = 4,     // the launcher's and the engine's language
};

// What Save did to the stored settings.
enum class SaveResult {
    Saved,       // every value written
    NotSaved,    // nothing stored changed
    NotRestored, // a write failed and what had been written could not all be put back
};

} // namespace settings

class CSettingsModel {
public:
    CSettingsModel(DetectionApplication* detection, const settings::SettingsEnvironment& environment);
    CSettingsModel(const CSettingsModel&) = delete;
    CSettingsModel& operator=(const CSettingsModel&) = delete;

    // Reads every value; a marker held back for the next Save is given up with the edits.
    void Load();
    // Writes every value, or none: when one cannot be written, the values already written in
    // either key are put back as they were (those that did not exist are deleted). The model's
    // values stay as they are either way, so that the player's edits can be saved again. While
    // the model holds defaults that were never stored, the default marker is one of the values.
    settings::SaveResult Save();
    void SetValue(std::size_t index, int value);
    void SetLevel(settings::LevelKind kind, int value);
    // Writes "DefaultSetting" at once, unless the model holds defaults that were never stored:
    // then it goes with them in the next Save, so that no marker stands for settings not there.
    void SetDefaultMarker(std::uint32_t value);
    void ApplyQualityPreset(int level);
    // Without force, defaults chosen where none are stored ("DefaultSetting" absent) are only in
    // the model: Save stores them with their marker, and a refused Save leaves the marker absent
    // so that the next run chooses them again.
    bool ApplyHardwareDefaults(bool force);
    int ClassifyHardware();

    void PrepareLists();
    void EnumerateDisplayModes();
    void BuildLanguageList();
    void CheckLauncherVersion();
    void ResetStoredSettings();
    void SetLanguageFromUserLocale();

    int GetDisplayModeCount() const { return static_cast<int>(displayModes_.size()); }
    // Mode index, or mode 0 for an index out of range; throws std::out_of_range when empty.
    settings::DisplayMode GetDisplayMode(int index) const;

    int GetValue(std::size_t index) const { return values_.at(index); }
    const std::array<int, kSettingCount>& GetValues() const { return values_; }
    const std::array<LanguageRecord, 5>& GetLanguages() const { return languages_; }
    const std::vector<settings::DisplayMode>& GetDisplayModes() const { return displayModes_; }
    DetectionApplication* GetDetectionApplication() const { return detection_; }

    const wchar_t* GetEngineKeyPath() const { return engineKeyPath_; }
    const wchar_t* GetLauncherKeyPath() const { return launcherKeyPath_; }
    CRegistryKey EngineKey() const;
    CRegistryKey LauncherKey() const;

private:
    void ChooseResolution(int hardwareClass);

    std::array<int, kSettingCount> values_{};
    std::array<LanguageRecord, 5> languages_{};
    std::vector<settings::DisplayMode> displayModes_;
    DetectionApplication* detection_;
    wchar_t engineKeyPath_[kTextBufferSize]{};
    wchar_t launcherKeyPath_[kTextBufferSize]{};
    settings::SettingsEnvironment environment_;
    // Defaults chosen where none were stored, and no Save has stored the values since: the
    // marker is then held back for the next Save (pendingMarker_), never written ahead.
    bool defaultsUnstored_ = false;
    std::optional<std::uint32_t> pendingMarker_;
};

// The version text that the settings' key paths hold: the installer's "Version", or "1.0" when
// it recorded none (or none that fits half a text buffer).
std::wstring SettingsVersion(registry::RegistryBackend& registry);

// The language id of a user locale's primary language: German 3, Spanish 5, French 4, Italian 6,
// any other English 1.
int LanguageForLocale(std::uint32_t lcid);

// The engine language (row 30) that a run would choose its language file by, read without
// creating, migrating or writing anything: the stored Engine "LNG_Language", or the user
// locale's language when none can be read. For what a run has to say before it has a model.
int ReadEngineLanguage(registry::RegistryBackend& registry, settings::UserLocale& locale);

// AspectRatioOverride for a resolution: the ratio × 100, or for a 4:3-or-narrower resolution with
// the widescreen box ticked, the desktop's wider ratio (178 when the desktop is not wide either).
int ComputeAspectRatioOverride(int width, int height, bool widescreen, const settings::DisplayMode* desktop);

// Whether width / height is wider than 4:3.
bool IsWiderThanFourThirds(double width, double height);

// Hardware class 0–2 of a graphics adapter by its device id (2 when not listed).
int AdapterClass(unsigned deviceId);

// Hardware class of a processor benchmark score (lower is faster).
int ProcessorClass(float benchMarkScore);
