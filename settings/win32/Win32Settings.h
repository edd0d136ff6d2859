// The settings model's platform seams on Win32 (the registry's is Win32Registry.h).
#pragma once

#include "SettingsPlatform.h"
#include "Win32Registry.h"

namespace settings {

class Win32DisplayModes final : public settings::DisplayModes {
public:
    bool EnumMode(std::uint32_t index, settings::DisplayMode& mode) override;
    bool GetCurrentMode(settings::DisplayMode& mode) override;
};

class Win32UserLocale final : public settings::UserLocale {
public:
    std::uint32_t GetUserDefaultLCID() override;
};

} // namespace settings
