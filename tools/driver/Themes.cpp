// The contrast themes and the command that puts their colours on the screen and takes them off
// again. SetSysColors changes them for every program of the session, and tells every top-level
// window with WM_SYSCOLORCHANGE.
#include "Driver.h"
#include "Themes.h"

#include <cstdio>

namespace driver {

namespace {

// Every system colour there is (index 25 is none). The themes set them all: the program's
// windows and the system's frames, captions, scroll bars, menus and tooltips draw with them.
constexpr int kLastColour = COLOR_MENUBAR;
constexpr int kNoColour = 25;

// White on black, yellow links, a cyan selection, green disabled text.
const Theme kDark{L"dark",
                  L"High Contrast Black",
                  {
                      {COLOR_SCROLLBAR, RGB(0, 0, 0)},
                      {COLOR_BACKGROUND, RGB(0, 0, 0)},
                      {COLOR_ACTIVECAPTION, RGB(128, 0, 128)},
                      {COLOR_INACTIVECAPTION, RGB(0, 128, 0)},
                      {COLOR_MENU, RGB(0, 0, 0)},
                      {COLOR_WINDOW, RGB(0, 0, 0)},
                      {COLOR_WINDOWFRAME, RGB(255, 255, 255)},
                      {COLOR_MENUTEXT, RGB(255, 255, 255)},
                      {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
                      {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
                      {COLOR_ACTIVEBORDER, RGB(128, 0, 128)},
                      {COLOR_INACTIVEBORDER, RGB(0, 128, 0)},
                      {COLOR_APPWORKSPACE, RGB(0, 0, 0)},
                      {COLOR_HIGHLIGHT, RGB(26, 235, 255)},
                      {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
                      {COLOR_BTNFACE, RGB(0, 0, 0)},
                      {COLOR_BTNSHADOW, RGB(128, 128, 128)},
                      {COLOR_GRAYTEXT, RGB(63, 242, 63)},
                      {COLOR_BTNTEXT, RGB(255, 255, 255)},
                      {COLOR_INACTIVECAPTIONTEXT, RGB(255, 255, 255)},
                      {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
                      {COLOR_3DDKSHADOW, RGB(128, 128, 128)},
                      {COLOR_3DLIGHT, RGB(192, 192, 192)},
                      {COLOR_INFOTEXT, RGB(255, 255, 255)},
                      {COLOR_INFOBK, RGB(0, 0, 0)},
                      {COLOR_HOTLIGHT, RGB(255, 255, 0)},
                      {COLOR_GRADIENTACTIVECAPTION, RGB(128, 0, 128)},
                      {COLOR_GRADIENTINACTIVECAPTION, RGB(0, 128, 0)},
                      {COLOR_MENUHILIGHT, RGB(26, 235, 255)},
                      {COLOR_MENUBAR, RGB(0, 0, 0)},
                  }};

// Black on white, blue links, a dark purple selection, dark red disabled text.
const Theme kLight{L"light",
                   L"High Contrast White",
                   {
                       {COLOR_SCROLLBAR, RGB(255, 255, 255)},
                       {COLOR_BACKGROUND, RGB(255, 255, 255)},
                       {COLOR_ACTIVECAPTION, RGB(0, 0, 0)},
                       {COLOR_INACTIVECAPTION, RGB(255, 255, 255)},
                       {COLOR_MENU, RGB(255, 255, 255)},
                       {COLOR_WINDOW, RGB(255, 255, 255)},
                       {COLOR_WINDOWFRAME, RGB(0, 0, 0)},
                       {COLOR_MENUTEXT, RGB(0, 0, 0)},
                       {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
                       {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
                       {COLOR_ACTIVEBORDER, RGB(0, 0, 0)},
                       {COLOR_INACTIVEBORDER, RGB(128, 128, 128)},
                       {COLOR_APPWORKSPACE, RGB(255, 255, 255)},
                       {COLOR_HIGHLIGHT, RGB(55, 0, 110)},
                       {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
                       {COLOR_BTNFACE, RGB(255, 255, 255)},
                       {COLOR_BTNSHADOW, RGB(128, 128, 128)},
                       {COLOR_GRAYTEXT, RGB(96, 0, 0)},
                       {COLOR_BTNTEXT, RGB(0, 0, 0)},
                       {COLOR_INACTIVECAPTIONTEXT, RGB(0, 0, 0)},
                       {COLOR_BTNHIGHLIGHT, RGB(0, 0, 0)},
                       {COLOR_3DDKSHADOW, RGB(128, 128, 128)},
                       {COLOR_3DLIGHT, RGB(192, 192, 192)},
                       {COLOR_INFOTEXT, RGB(0, 0, 0)},
                       {COLOR_INFOBK, RGB(255, 255, 255)},
                       {COLOR_HOTLIGHT, RGB(0, 0, 159)},
                       {COLOR_GRADIENTACTIVECAPTION, RGB(0, 0, 0)},
                       {COLOR_GRADIENTINACTIVECAPTION, RGB(255, 255, 255)},
                       {COLOR_MENUHILIGHT, RGB(55, 0, 110)},
                       {COLOR_MENUBAR, RGB(255, 255, 255)},
                   }};

const Theme* const kThemes[] = {&kDark, &kLight};

std::wstring ColourLine(int index, COLORREF colour) {
    wchar_t line[32];
    _snwprintf(line, ARRAYSIZE(line), L"%d #%02x%02x%02x", index, GetRValue(colour), GetGValue(colour),
               GetBValue(colour));
    return line;
}

std::vector<SystemColour> CurrentColours() {
    std::vector<SystemColour> colours;
    for (int index = 0; index <= kLastColour; ++index) {
        if (index != kNoColour)
            colours.push_back({index, GetSysColor(index)});
    }
    return colours;
}

bool SetColours(const std::vector<SystemColour>& colours) {
    std::vector<int> indices;
    std::vector<COLORREF> values;
    for (const SystemColour& c : colours) {
        indices.push_back(c.index);
        values.push_back(c.colour);
    }
    if (SetSysColors(static_cast<int>(indices.size()), indices.data(), values.data()))
        return true;
    Fail(L"colours: SetSysColors failed (" + ErrorText(static_cast<long>(GetLastError())) + L")");
    return false;
}

// Saved colours are lines as the command prints them: "INDEX #rrggbb".
bool SaveColours(const std::wstring& path, const std::vector<SystemColour>& colours) {
    FILE* out = _wfopen(path.c_str(), L"w");
    if (!out)
        return false;
    bool written = true;
    for (const SystemColour& c : colours)
        written = written && fwprintf(out, L"%ls\n", ColourLine(c.index, c.colour).c_str()) > 0;
    return fclose(out) == 0 && written;
}

bool LoadColours(const std::wstring& path, std::vector<SystemColour>& colours) {
    FILE* in = _wfopen(path.c_str(), L"r");
    if (!in)
        return false;
    int index = 0;
    unsigned int rgb = 0;
    while (fwscanf(in, L"%d #%x", &index, &rgb) == 2)
        colours.push_back({index, RGB(rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff)});
    const bool whole = feof(in) != 0;
    fclose(in);
    return whole && !colours.empty();
}

void PrintColours(const std::vector<SystemColour>& colours) {
    for (const SystemColour& c : colours)
        Print(ColourLine(c.index, c.colour));
}

} // namespace

const Theme* ThemeNamed(const std::wstring& name) {
    for (const Theme* theme : kThemes) {
        if (name == theme->name)
            return theme;
    }
    Fail(L"no theme " + Quoted(name) + L" (dark, light)");
    return nullptr;
}

int CmdColours(const Args& args) {
    const std::vector<std::wstring>& words = args.positional;
    if (words.empty()) {
        PrintColours(CurrentColours());
        return kOk;
    }
    if (words[0] == L"of" && words.size() == 2) {
        const Theme* theme = ThemeNamed(words[1]);
        if (theme)
            PrintColours(theme->colours);
        return theme ? kOk : kUsage;
    }
    if (words[0] == L"set" && words.size() == 2 && args.Has(L"--save")) {
        const Theme* theme = ThemeNamed(words[1]);
        if (!theme)
            return kUsage;
        if (!SaveColours(args.Get(L"--save"), CurrentColours())) {
            Fail(L"colours: cannot write " + args.Get(L"--save"));
            return kNotMet;
        }
        return SetColours(theme->colours) ? kOk : kNotMet;
    }
    if (words[0] == L"restore" && words.size() == 2) {
        std::vector<SystemColour> saved;
        if (!LoadColours(words[1], saved)) {
            Fail(L"colours: no saved colours in " + words[1]);
            return kNotMet;
        }
        return SetColours(saved) ? kOk : kNotMet;
    }
    return kUsage;
}

} // namespace driver
