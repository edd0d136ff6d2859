#include "tree/TreeFonts.h"

#include "framework/Gdi.h"
#include "framework/WindowDpi.h"

#include <cwchar>
#include <map>

namespace tree {

namespace {

struct SharedFonts {
    int holders = 0;
    fw::Font normal;
    fw::Font bold;
};
// By DPI: trees on screens of different scales each have their own pair.
std::map<int, SharedFonts>& Fonts() {
    static std::map<int, SharedFonts> fonts;
    return fonts;
}

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FamilyInstalled(HDC dc, const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    // Font names are matched without regard to case.
    EnumFontFamiliesExW(dc, &wanted, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

void CreateSharedFonts(SharedFonts& fonts, int dpi) {
    NONCLIENTMETRICSW metrics{};
    dpi::NonClientMetrics(dpi, metrics);
    const LOGFONTW& menu = metrics.lfMenuFont;
    LOGFONTW font{};
    font.lfHeight = menu.lfHeight;
    font.lfWeight = menu.lfWeight;
    font.lfItalic = menu.lfItalic;
    const fw::ClientDC screen(nullptr);
    font.lfCharSet = static_cast<BYTE>(GetTextCharset(screen.Get()));
    const wchar_t* face = menu.lfFaceName;
    if (menu.lfCharSet == ANSI_CHARSET || menu.lfCharSet == DEFAULT_CHARSET || menu.lfCharSet == SYMBOL_CHARSET)
        face = FamilyInstalled(screen.Get(), L"Tahoma") ? L"Tahoma" : L"MS Sans Serif";
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    fonts.normal.Reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    fonts.bold.Reset(CreateFontIndirectW(&font));
}

void Take(int dpi) {
    SharedFonts& fonts = Fonts()[dpi];
    if (fonts.holders++ == 0)
        CreateSharedFonts(fonts, dpi);
}

void Let(int dpi) {
    const auto found = Fonts().find(dpi);
    if (found != Fonts().end() && --found->second.holders == 0)
        Fonts().erase(found);
}

const SharedFonts* Held(int dpi) {
    const auto found = Fonts().find(dpi);
    return found != Fonts().end() ? &found->second : nullptr;
}

} // namespace

TreeFonts::TreeFonts(int dpi) : dpi_(dpi) { Take(dpi_); }

TreeFonts::~TreeFonts() { Let(dpi_); }

void TreeFonts::Hold(int dpi) {
    if (dpi == dpi_)
        return;
    Take(dpi);
    Let(dpi_);
    dpi_ = dpi;
}

HFONT TreeFonts::Normal(int dpi) {
    const SharedFonts* fonts = Held(dpi);
    return fonts ? fonts->normal.Get() : nullptr;
}

HFONT TreeFonts::Bold(int dpi) {
    const SharedFonts* fonts = Held(dpi);
    return fonts ? fonts->bold.Get() : nullptr;
}

} // namespace tree
