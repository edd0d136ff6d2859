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

// "#rrggbb", as the colour commands print a colour.
std::wstring ColourText(COLORREF colour);

// The theme of that name; says so and gives null when there is none.
const Theme* ThemeNamed(const std::wstring& name);

// The programs that have the contrast library loaded (Contrast.cpp): every one made to set the
// colours itself; the system colours (COLOR_* indices) as the first one of that name sees them.
// False, having said why, when one did not take them or none could be asked.
bool SetColoursInPrograms(const std::vector<SystemColour>& colours);
bool ProgramColours(const std::wstring& exe, COLORREF (&seen)[COLOR_MENUBAR + 1]);

} // namespace driver
