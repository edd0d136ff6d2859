// Test doubles for the settings model's seams.
#pragma once

#include "Detection.h"
#include "FakeDetectionApp.h"
#include "MemoryRegistry.h"
#include "SettingsModel.h"

#include <cstring>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

class FakeDisplayModes final : public settings::DisplayModes {
public:
    std::vector<settings::DisplayMode> modes;
    settings::DisplayMode desktop{1280, 1024, 32, 60};
    bool desktopReadable = true;
    int currentModeReads = 0;

    bool EnumMode(std::uint32_t index, settings::DisplayMode& mode) override {
        if (index >= modes.size())
            return false;
        mode = modes[index];
        return true;
    }
    bool GetCurrentMode(settings::DisplayMode& mode) override {
        ++currentModeReads;
        if (desktopReadable)
            mode = desktop;
        return desktopReadable;
    }
};

class FakeLocale final : public settings::UserLocale {
public:
    std::uint32_t lcid = 0x0409;
    std::uint32_t GetUserDefaultLCID() override { return lcid; }
};

using FakeDetection = testing_detection::FakeDetectionApp;

// A model over in-memory seams; the registry survives model instances, as it does between runs.
struct ModelHarness {
    registry::MemoryRegistry registry;
    FakeDisplayModes display;
    FakeLocale locale;
    FakeDetection detection;
    std::map<std::wstring, std::wstring> texts{{L"LANG_ENGLISH", L"English"},
                                               {L"LANG_GERMAN", L"Deutsch"},
                                               {L"LANG_FRENCH", L"Français"},
                                               {L"LANG_SPANISH", L"Español"},
                                               {L"LANG_ITALIAN", L"Italiano"}};

    settings::SettingsEnvironment Environment() {
        return {registry, display, locale, [this](const wchar_t* key) {
                    auto it = texts.find(key);
                    return it == texts.end() ? std::wstring(key) : it->second;
                }};
    }
    std::unique_ptr<CSettingsModel> Make() { return std::make_unique<CSettingsModel>(&detection, Environment()); }

    static constexpr const wchar_t* kEngine = L"Software\\Velmora\\Tarnholm\\1.0\\Engine\\";
    static constexpr const wchar_t* kLauncher = L"Software\\Velmora\\Tarnholm\\1.0\\Launcher\\";

    std::optional<std::uint32_t> Engine(const wchar_t* name) const {
        return registry.GetDword(registry::RegistryRoot::CurrentUser, kEngine, name);
    }
    std::optional<std::uint32_t> Launcher(const wchar_t* name) const {
        return registry.GetDword(registry::RegistryRoot::CurrentUser, kLauncher, name);
    }
    void PutEngine(const wchar_t* name, std::uint32_t value) { Put(kEngine, name, value); }
    void PutLauncher(const wchar_t* name, std::uint32_t value) { Put(kLauncher, name, value); }
    void Put(const wchar_t* path, const wchar_t* name, std::uint32_t value) {
        registry::MemoryRegistry::Value v{registry::kRegDword, std::vector<std::uint8_t>(4)};
        std::memcpy(v.data.data(), &value, 4);
        registry.SetValue(registry::RegistryRoot::CurrentUser, path, name, v);
    }
};
