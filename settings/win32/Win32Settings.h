// The settings model's platform seams on Win32 (the registry's is Win32Registry.h).
#pragma once

#include "SettingsPlatform.h"
#include "Win32Registry.h"

namespace settings {

class Win32DisplayModes final : public IDisplayModes {
public:
    bool EnumMode(std::uint32_t index, DisplayMode& mode) override;
    bool GetCurrentMode(DisplayMode& mode) override;
};

class Win32UserLocale final : public IUserLocale {
public:
    std::uint32_t GetUserDefaultLCID() override;
};

} // namespace settings
