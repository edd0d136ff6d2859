// What the settings model needs from the platform besides the registry.
#pragma once

#include "texts/TextLookup.h"

#include <cstdint>
#include <string>

namespace registry {
class RegistryBackend;
}

namespace settings {

// The fields of a display mode that the pages and the hardware defaults use.
struct DisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t frequency = 0;
};

class DisplayModes {
public:
    virtual ~DisplayModes() = default;
    // Mode number index of the primary display; false past the last one.
    virtual bool EnumMode(std::uint32_t index, DisplayMode& mode) = 0;
    // The desktop's current mode; false when it cannot be read.
    virtual bool GetCurrentMode(DisplayMode& mode) = 0;
};

class UserLocale {
public:
    virtual ~UserLocale() = default;
    virtual std::uint32_t GetUserDefaultLCID() = 0;
};

// Everything the model reaches outside itself; the program passes the Win32 implementations.
struct SettingsEnvironment {
    registry::RegistryBackend& registry;
    DisplayModes& displayModes;
    UserLocale& locale;
    // Text by key from the chosen language file.
    TextLookup localize;
};

} // namespace settings
