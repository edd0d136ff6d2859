// What the settings model needs from the platform besides the registry.
#pragma once

#include "texts/TextLookup.h"

#include <cstdint>
#include <string>

// The fields of a display mode that the pages and the hardware defaults use.
struct DisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t frequency = 0;
};

class IDisplayModes {
public:
    virtual ~IDisplayModes() = default;
    // Mode number index of the primary display; false past the last one.
    virtual bool EnumMode(std::uint32_t index, DisplayMode& mode) = 0;
    // The desktop's current mode; false when it cannot be read.
    virtual bool GetCurrentMode(DisplayMode& mode) = 0;
};

class IUserLocale {
public:
    virtual ~IUserLocale() = default;
    virtual std::uint32_t GetUserDefaultLCID() = 0;
};

class IRegistryBackend;

// Everything the model reaches outside itself; the program passes the Win32 implementations.
struct SettingsEnvironment {
    IRegistryBackend& registry;
    IDisplayModes& displayModes;
    IUserLocale& locale;
    // Text by key from the chosen language file.
    TextLookup localize;
};
