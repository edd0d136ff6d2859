// How much of a window is drawn in a contrast theme's colours. Each pixel of its settled picture
// is exactly one of the theme's system colours, or a blend of two of them (a smoothed text edge
// mixes the text's colour with the background it is drawn on, so it lies on the straight line
// between the two in RGB), or something else: art, a fixed skin colour, a colour the theme does
// not have.
#include "Driver.h"
#include "Themes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace driver {

namespace {

// How far from the line between two theme colours a blend may lie: room for the rounding of
// smoothed text, none for a colour of its own.
constexpr double kBlendDistance = 3.0;
constexpr size_t kOthersShown = 5;

enum class Kind { Theme, Blend, Other };

double DistanceToSegment(COLORREF pixel, COLORREF from, COLORREF to) {
    const double p[3] = {double(GetRValue(pixel)), double(GetGValue(pixel)), double(GetBValue(pixel))};
    const double a[3] = {double(GetRValue(from)), double(GetGValue(from)), double(GetBValue(from))};
    const double b[3] = {double(GetRValue(to)), double(GetGValue(to)), double(GetBValue(to))};
    double along = 0, length = 0;
    for (int c = 0; c < 3; ++c) {
        along += (p[c] - a[c]) * (b[c] - a[c]);
        length += (b[c] - a[c]) * (b[c] - a[c]);
    }
    const double t = length > 0 ? std::clamp(along / length, 0.0, 1.0) : 0.0;
    double distance = 0;
    for (int c = 0; c < 3; ++c)
        distance += std::pow(p[c] - (a[c] + t * (b[c] - a[c])), 2);
    return std::sqrt(distance);
}

Kind KindOf(COLORREF pixel, const std::vector<COLORREF>& colours) {
    if (std::find(colours.begin(), colours.end(), pixel) != colours.end())
        return Kind::Theme;
    for (size_t i = 0; i < colours.size(); ++i) {
        for (size_t j = i + 1; j < colours.size(); ++j) {
            if (DistanceToSegment(pixel, colours[i], colours[j]) <= kBlendDistance)
                return Kind::Blend;
        }
    }
    return Kind::Other;
}

std::wstring Share(size_t part, size_t whole) {
    wchar_t text[16];
    _snwprintf(text, ARRAYSIZE(text), L"%.2f", whole ? 100.0 * double(part) / double(whole) : 0.0);
    return text;
}

} // namespace

int CmdMeasure(const Args& args) {
    HWND window = nullptr;
    if (!WindowArg(args, 0, window) || args.positional.size() < 2)
        return kUsage;
    const Theme* theme = ThemeNamed(args.positional[1]);
    if (!theme)
        return kUsage;
    std::vector<COLORREF> pixels;
    if (!SettledWindowPixels(window, args.Get(L"--mask"), args.Seconds(L"--timeout", 10), pixels) || pixels.empty()) {
        Fail(L"measure: no picture of the window (it did not settle, or a mask is wrong)");
        return kNotMet;
    }
    std::set<COLORREF> distinct;
    for (const SystemColour& c : theme->colours)
        distinct.insert(c.colour);
    const std::vector<COLORREF> colours(distinct.begin(), distinct.end());
    std::map<COLORREF, size_t> counts;
    for (COLORREF pixel : pixels)
        ++counts[pixel];
    size_t inTheme = 0, blends = 0, other = 0;
    std::vector<std::pair<size_t, COLORREF>> others;
    for (const auto& [colour, count] : counts) {
        switch (KindOf(colour, colours)) {
        case Kind::Theme: inTheme += count; break;
        case Kind::Blend: blends += count; break;
        case Kind::Other:
            other += count;
            others.push_back({count, colour});
            break;
        }
    }
    Print(L"theme " + Share(inTheme, pixels.size()) + L" blend " + Share(blends, pixels.size()) + L" other " +
          Share(other, pixels.size()));
    std::sort(others.rbegin(), others.rend());
    for (size_t i = 0; i < others.size() && i < kOthersShown; ++i)
        Print(L"other " + ColourText(others[i].second) + L" " + Share(others[i].first, pixels.size()));
    return kOk;
}

} // namespace driver
