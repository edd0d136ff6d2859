// The command that puts a theme's colours on the screen and takes them off again. SetSysColors
// changes them for the programs started from then on and tells every top-level window with
// WM_SYSCOLORCHANGE; the programs under test that are running already are made to set them
// themselves, as Wine's do not see another process's change.
#include "Driver.h"
#include "Themes.h"

#include "contrast/ContrastState.h"

#include <cstdio>

namespace driver {

namespace {

constexpr int kNoColour = 25;

std::wstring ColourLine(int index, COLORREF colour) { return std::to_wstring(index) + L" " + ColourText(colour); }

// Every system colour as the reader sees it.
template <typename Read>
std::vector<SystemColour> ColoursAsSeen(Read read) {
    std::vector<SystemColour> colours;
    for (int index = 0; index < contrast::kColourCount; ++index) {
        if (index != kNoColour)
            colours.push_back({index, read(index)});
    }
    return colours;
}

std::vector<SystemColour> CurrentColours() { return ColoursAsSeen(GetSysColor); }

bool SetColours(const std::vector<SystemColour>& colours) {
    std::vector<int> indices;
    std::vector<COLORREF> values;
    for (const SystemColour& c : colours) {
        indices.push_back(c.index);
        values.push_back(c.colour);
    }
    // The programs under test first: every WM_SYSCOLORCHANGE they get then finds the new colours.
    if (!SetColoursInPrograms(colours))
        return false;
    if (!SetSysColors(static_cast<int>(indices.size()), indices.data(), values.data())) {
        Fail(L"colours: SetSysColors failed (" + ErrorText(static_cast<long>(GetLastError())) + L")");
        return false;
    }
    return true;
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

int CmdColours(const Args& args) {
    const std::vector<std::wstring>& words = args.positional;
    if (words.empty() && args.Has(L"--exe")) {
        COLORREF seen[contrast::kColourCount];
        if (!ProgramColours(args.Get(L"--exe"), seen))
            return kNotMet;
        PrintColours(ColoursAsSeen([&](int index) { return seen[index]; }));
        return kOk;
    }
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
