// The contrast themes the scenarios show the program in, as Windows sets them when a player
// chooses one: every system colour, and the scheme's name that SPI_GETHIGHCONTRAST gives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

struct SystemColour {
    int index; // COLOR_*
    COLORREF colour;
};

struct Theme {
    const wchar_t* name; // as the commands take it
    const wchar_t* scheme;
    std::vector<SystemColour> colours;
};

// The theme of that name; says so and gives null when there is none.
const Theme* ThemeNamed(const std::wstring& name);

} // namespace driver
