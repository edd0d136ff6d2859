// The contrast themes' colours and names.
#include "Driver.h"
#include "Themes.h"

#include <cstdio>

namespace driver {

namespace {

// The themes set every system colour there is: the program's windows and the system's frames,
// captions, scroll bars, menus and tooltips draw with them.

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

} // namespace

std::wstring ColourText(COLORREF colour) {
    wchar_t text[8];
    _snwprintf(text, ARRAYSIZE(text), L"#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

const Theme* ThemeNamed(const std::wstring& name) {
    for (const Theme* theme : kThemes) {
        if (name == theme->name)
            return theme;
    }
    Fail(L"no theme " + Quoted(name) + L" (dark, light)");
    return nullptr;
}

} // namespace driver
