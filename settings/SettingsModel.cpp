#include "SettingsModel.h"

#include "Detection.h"
#include "GpuTable.h"
#include "InstallerRecord.h"
#include "UndoableKey.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

const wchar_t kDefaultSetting[] = L"DefaultSetting";
const wchar_t kLauncherVersionValue[] = L"LauncherVersion";
constexpr float kFourThirds = 4.0f / 3.0f; // 1.3333334 in single precision

// ratio × 100 truncated toward zero, kept inside int for absurd stored sizes.
int Percent(double ratio) { return static_cast<int>(std::clamp(ratio * 100.0, -2147483648.0, 2147483647.0)); }

int ToInt(std::uint32_t value) { return static_cast<int>(std::min<std::uint32_t>(value, 2147483647u)); }

std::wstring EngineKeyPathOf(const std::wstring& version) {
    return L"Software\\Velmora\\Tarnholm\\" + version + L"\\Engine\\";
}

std::wstring LauncherKeyPathOf(const std::wstring& version) {
    return L"Software\\Velmora\\Tarnholm\\" + version + L"\\Launcher\\";
}

// As much of text as fits, always terminated. The buffer's size comes with its type, so the
// compiler sees that no copy can pass its end.
template <std::size_t Capacity>
void CopyText(wchar_t (&target)[Capacity], const std::wstring& text) {
    static_assert(Capacity > 0);
    target[text.copy(target, Capacity - 1)] = L'\0';
}

} // namespace

bool IsWiderThanFourThirds(double width, double height) {
    if (!(height > 0))
        return false; // no ratio to speak of: treat as not wide
    return width / height > static_cast<double>(kFourThirds);
}

int ComputeAspectRatioOverride(int width, int height, bool widescreen, const settings::DisplayMode* desktop) {
    if (IsWiderThanFourThirds(width, height) || !widescreen) {
        if (height <= 0)
            return 133; // unusable stored height: store the 4:3 value rather than an overflow
        return Percent(static_cast<double>(width) / height);
    }
    if (desktop != nullptr && IsWiderThanFourThirds(desktop->width, desktop->height))
        return Percent(static_cast<double>(desktop->width) / desktop->height);
    return 178;
}

int AdapterClass(unsigned deviceId) {
    for (const GpuClassRow& row : kGpuClassTable)
        if (row.deviceId == deviceId)
            return row.hardwareClass;
    return 2;
}

int ProcessorClass(float score) {
    if (score <= 1.0f)
        return 2;
    if (score > 1.0f && score <= 1.8f)
        return 1;
    if (score > 1.8f)
        return 0;
    return 1; // not a number
}

std::wstring SettingsVersion(registry::RegistryBackend& registry) {
    // A version that does not fit half a text buffer is no version the game writes.
    std::wstring version = registry::ReadInstallerRecord(registry).version;
    if (version.empty() || version.size() >= kTextBufferSize / 2)
        version = L"1.0";
    return version;
}

int LanguageForLocale(std::uint32_t lcid) {
    switch (lcid & 0x3FF) {
    case 0x07: return kLanguageGerman;
    case 0x0A: return kLanguageSpanish;
    case 0x0C: return kLanguageFrench;
    case 0x10: return kLanguageItalian;
    default: return kLanguageEnglish;
    }
}

int ReadEngineLanguage(registry::RegistryBackend& registry, settings::UserLocale& locale) {
    const std::wstring engine = EngineKeyPathOf(SettingsVersion(registry));
    CRegistryKey key(registry, registry::RegistryRoot::CurrentUser, engine.c_str());
    std::uint32_t language = 0;
    if (key.ReadDword(kSettingsTable[kEngineLanguage].name, language) == registry::kRegistrySuccess)
        return static_cast<int>(language);
    return LanguageForLocale(locale.GetUserDefaultLCID());
}

CSettingsModel::CSettingsModel(DetectionApplication* detection, const settings::SettingsEnvironment& environment)
    : detection_(detection), environment_(environment) {
    const std::wstring version = SettingsVersion(environment_.registry);
    CopyText(engineKeyPath_, EngineKeyPathOf(version));
    CopyText(launcherKeyPath_, LauncherKeyPathOf(version));

    LauncherKey().CreateKey();
    EngineKey().CreateKey();
    CheckLauncherVersion();
    Load();
}

CRegistryKey CSettingsModel::EngineKey() const {
    return CRegistryKey(environment_.registry, registry::RegistryRoot::CurrentUser, engineKeyPath_);
}

CRegistryKey CSettingsModel::LauncherKey() const {
    return CRegistryKey(environment_.registry, registry::RegistryRoot::CurrentUser, launcherKeyPath_);
}

void CSettingsModel::CheckLauncherVersion() {
    std::uint32_t stored = 0;
    const long error = LauncherKey().ReadDword(kLauncherVersionValue, stored);
    if (error == registry::kRegistryFileNotFound ||
        (error == registry::kRegistrySuccess && stored < kLauncherVersion)) {
        ResetStoredSettings();
        LauncherKey().WriteDword(kLauncherVersionValue, kLauncherVersion);
    }
}

void CSettingsModel::ResetStoredSettings() {
    CRegistryKey engine = EngineKey();
    for (std::size_t row = 0; row < kEngineLanguage; ++row)
        engine.DeleteValue(kSettingsTable[row].name);
    CRegistryKey launcher = LauncherKey();
    for (std::size_t row = kFirstLauncherRow; row < kLauncherLanguage; ++row)
        launcher.DeleteValue(kSettingsTable[row].name);
    launcher.DeleteValue(kDefaultSetting);
}

void CSettingsModel::Load() {
    pendingMarker_.reset();
    CRegistryKey engine = EngineKey();
    CRegistryKey launcher = LauncherKey();
    for (std::size_t row = 0; row < kSettingCount; ++row) {
        std::uint32_t value = 0;
        (row < kFirstLauncherRow ? engine : launcher).ReadDword(kSettingsTable[row].name, value);
        values_[row] = static_cast<int>(value);
    }
    std::uint32_t language = 0;
    if (engine.ReadDword(kSettingsTable[kEngineLanguage].name, language) != registry::kRegistrySuccess)
        SetLanguageFromUserLocale();
}

void CSettingsModel::SetLanguageFromUserLocale() {
    const int id = LanguageForLocale(environment_.locale.GetUserDefaultLCID());
    values_[kEngineLanguage] = id;
    values_[kLauncherLanguage] = id;
}

settings::SaveResult CSettingsModel::Save() {
    settings::DisplayMode desktop;
    const bool narrowWithBox =
        !IsWiderThanFourThirds(values_[kScreenResolutionWidth], values_[kScreenResolutionHeight]) &&
        values_[kAspectRatioOverrideCHKB] != 0;
    // The desktop is only consulted for a 4:3 or narrower resolution with the box ticked.
    const bool haveDesktop = narrowWithBox && environment_.displayModes.GetCurrentMode(desktop);
    values_[kAspectRatioOverride] =
        ComputeAspectRatioOverride(values_[kScreenResolutionWidth], values_[kScreenResolutionHeight],
                                   values_[kAspectRatioOverrideCHKB] != 0, haveDesktop ? &desktop : nullptr);

    // The keys are opened for this save only: they are written with the rights they grant now.
    registry::UndoableKey engine(environment_.registry, registry::RegistryRoot::CurrentUser, engineKeyPath_);
    registry::UndoableKey launcher(environment_.registry, registry::RegistryRoot::CurrentUser, launcherKeyPath_);
    auto keyOf = [&](std::size_t row) -> registry::UndoableKey& { return row < kFirstLauncherRow ? engine : launcher; };
    // Nothing is written unless both keys take writes and every value they hold now is kept.
    if (engine.Open() != registry::kRegistrySuccess || launcher.Open() != registry::kRegistrySuccess)
        return settings::SaveResult::NotSaved;
    for (std::size_t row = 0; row < kSettingCount; ++row)
        if (keyOf(row).Keep(kSettingsTable[row].name) != registry::kRegistrySuccess)
            return settings::SaveResult::NotSaved;
    if (pendingMarker_ && launcher.Keep(kDefaultSetting) != registry::kRegistrySuccess)
        return settings::SaveResult::NotSaved;

    bool written = true;
    for (std::size_t row = 0; row < kSettingCount && written; ++row)
        written = keyOf(row).WriteDword(kSettingsTable[row].name, static_cast<std::uint32_t>(values_[row])) ==
                  registry::kRegistrySuccess;
    // The marker comes last: it says the values are there.
    if (written && pendingMarker_)
        written = launcher.WriteDword(kDefaultSetting, *pendingMarker_) == registry::kRegistrySuccess;
    if (!written) {
        // The engine must never start with half a save: both keys go back to what they held.
        const bool launcherBack = launcher.Undo() == registry::kRegistrySuccess;
        const bool engineBack = engine.Undo() == registry::kRegistrySuccess;
        return launcherBack && engineBack ? settings::SaveResult::NotSaved : settings::SaveResult::NotRestored;
    }
    defaultsUnstored_ = false;
    pendingMarker_.reset();
    return settings::SaveResult::Saved;
}

void CSettingsModel::SetValue(std::size_t index, int value) {
    const SettingDef& def = kSettingsTable.at(index);
    values_[index] = std::max(std::min(value, def.maximum), def.minimum);
}

void CSettingsModel::SetDefaultMarker(std::uint32_t value) {
    if (defaultsUnstored_)
        pendingMarker_ = value;
    else
        LauncherKey().WriteDword(kDefaultSetting, value);
}

void CSettingsModel::SetLevel(settings::LevelKind kind, int value) {
    switch (kind) {
    case settings::LevelKind::VerticalSync:
        values_[kVerticalSyncLvl] = value;
        SetValue(kVerticalSync, value);
        break;
    case settings::LevelKind::Textures:
        values_[kTextureLvl] = value;
        values_[kDegradedTextures] = value == 0 ? 1 : 0;
        break;
    case settings::LevelKind::Quality: ApplyQualityPreset(value); break;
    case settings::LevelKind::Widescreen: values_[kAspectRatioOverrideCHKB] = value; break;
    case settings::LevelKind::Language:
        values_[kLauncherLanguage] = value;
        SetValue(kEngineLanguage, value);
        break;
    default: return;
    }
    SetDefaultMarker(0);
}

void CSettingsModel::ApplyQualityPreset(int level) {
    values_[kVisualQualityLvl] = level;
    if (level >= 0 && level <= 3)
        for (const settings::PresetRow& preset : settings::kQualityPresets)
            SetValue(preset.row, preset.values[static_cast<std::size_t>(level)]);
    SetDefaultMarker(0);
}

void CSettingsModel::PrepareLists() {
    EnumerateDisplayModes();
    BuildLanguageList();
}

void CSettingsModel::EnumerateDisplayModes() {
    settings::DisplayMode mode;
    for (std::uint32_t index = 0; environment_.displayModes.EnumMode(index, mode); ++index) {
        const bool vga = mode.width == 640 && mode.height == 480;
        const bool inRange = mode.width >= 800 && mode.width <= 1920 && mode.height >= 600 && mode.height <= 1200;
        if (!vga && !inRange)
            continue;
        const bool known = std::any_of(displayModes_.begin(), displayModes_.end(), [&](const settings::DisplayMode& m) {
            return m.width == mode.width && m.height == mode.height;
        });
        if (!known)
            displayModes_.push_back(mode);
    }
}

void CSettingsModel::BuildLanguageList() {
    static constexpr struct {
        int id;
        const wchar_t* key;
    } kLanguages[] = {{kLanguageEnglish, L"LANG_ENGLISH"},
                      {kLanguageGerman, L"LANG_GERMAN"},
                      {kLanguageFrench, L"LANG_FRENCH"},
                      {kLanguageSpanish, L"LANG_SPANISH"},
                      {kLanguageItalian, L"LANG_ITALIAN"}};
    for (std::size_t i = 0; i < languages_.size(); ++i) {
        const std::wstring name = environment_.localize ? environment_.localize(kLanguages[i].key) : std::wstring();
        CopyText(languages_[i].name, name);
        languages_[i].id = kLanguages[i].id;
    }
}

settings::DisplayMode CSettingsModel::GetDisplayMode(int index) const {
    if (displayModes_.empty())
        throw std::out_of_range("no display modes");
    if (index > 0 && index < GetDisplayModeCount())
        return displayModes_[static_cast<std::size_t>(index)];
    return displayModes_[0];
}

int CSettingsModel::ClassifyHardware() {
    int processor = 1;
    for (Information* item : detection_->GetInformations()) {
        if (item == nullptr || item->GetTagName() != L"frequency")
            continue;
        if (const auto* cpu = dynamic_cast<const RequirementCPU*>(item))
            processor = ProcessorClass(cpu->GetBenchMarkScore());
        break;
    }
    const int adapter = AdapterClass(detection_->GetIntValue(L"directx/d3dadapter/0/deviceid"));
    return std::min(processor, adapter);
}

void CSettingsModel::ChooseResolution(int hardwareClass) {
    settings::DisplayMode desktop;
    const bool haveDesktop = environment_.displayModes.GetCurrentMode(desktop);
    const bool wide = haveDesktop && IsWiderThanFourThirds(desktop.width, desktop.height);
    std::uint64_t budget = 480000; // 800 × 600
    if (hardwareClass == 2)
        budget = wide ? 983040 : 1310720; // 1280 × 768 : 1280 × 1024
    else if (hardwareClass == 1)
        budget = wide ? 983040 : 786432; // 1280 × 768 : 1024 × 768

    settings::DisplayMode chosen;
    if (!displayModes_.empty()) {
        chosen = displayModes_.front();
        std::uint64_t best = 0;
        bool found = false;
        for (const settings::DisplayMode& mode : displayModes_) {
            const std::uint64_t pixels = std::uint64_t{mode.width} * mode.height;
            if (pixels <= budget && (!found || pixels > best)) {
                chosen = mode;
                best = pixels;
                found = true;
            }
        }
    } else if (haveDesktop) {
        // No usable mode was enumerated: keep what the desktop runs at.
        chosen = desktop;
    } else {
        chosen.width = static_cast<std::uint32_t>(std::max(values_[kScreenResolutionWidth], 0));
        chosen.height = static_cast<std::uint32_t>(std::max(values_[kScreenResolutionHeight], 0));
    }
    SetValue(kScreenResolutionWidth, ToInt(chosen.width));
    SetValue(kScreenResolutionHeight, ToInt(chosen.height));
}

bool CSettingsModel::ApplyHardwareDefaults(bool force) {
    std::uint32_t marker = 0;
    const long error = LauncherKey().ReadDword(kDefaultSetting, marker);
    if (!force && error != registry::kRegistryFileNotFound)
        return false;
    // Nothing stored yet: the marker waits for the values (the preset's 0 and then the 1 below).
    if (error == registry::kRegistryFileNotFound)
        defaultsUnstored_ = true;

    const int hardwareClass = ClassifyHardware();
    ChooseResolution(hardwareClass);
    ApplyQualityPreset(hardwareClass);

    const bool enoughVideoMemory = detection_->GetIntValue(L"directx/vidmemory") >= 250u;
    values_[kTextureLvl] = enoughVideoMemory ? 1 : 0;
    values_[kDegradedTextures] = enoughVideoMemory ? 0 : 1;

    values_[kVerticalSyncLvl] = 0;
    values_[kVerticalSync] = 0;
    values_[kAspectRatioOverrideCHKB] = 0;
    SetDefaultMarker(1);

    values_[kAlternateVerticalSync] = detection_->GetIntValue(L"system/cpu/nb") > 1u ? 1 : 0;
    values_[kAlternateVerticalSyncThreshold] = 0;
    return true;
}
