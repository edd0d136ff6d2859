#include "Win32Settings.h"

#include <windows.h>

namespace settings {

namespace {

settings::DisplayMode FromDevMode(const DEVMODEW& devMode) {
    return {devMode.dmPelsWidth, devMode.dmPelsHeight, devMode.dmBitsPerPel, devMode.dmDisplayFrequency};
}

bool QueryMode(DWORD index, settings::DisplayMode& mode) {
    DEVMODEW devMode{};
    devMode.dmSize = sizeof devMode; // 220 bytes
    if (!EnumDisplaySettingsW(nullptr, index, &devMode))
        return false;
    mode = FromDevMode(devMode);
    return true;
}

} // namespace

bool Win32DisplayModes::EnumMode(std::uint32_t index, settings::DisplayMode& mode) { return QueryMode(index, mode); }

bool Win32DisplayModes::GetCurrentMode(settings::DisplayMode& mode) { return QueryMode(ENUM_CURRENT_SETTINGS, mode); }

std::uint32_t Win32UserLocale::GetUserDefaultLCID() { return ::GetUserDefaultLCID(); }

} // namespace settings
