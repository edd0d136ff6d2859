#include "tree/TreeFonts.h"

#include "framework/Gdi.h"

#include <cwchar>

namespace tree {

namespace {

struct SharedFonts {
    int holders = 0;
    fw::Font normal;
    fw::Font bold;
};
SharedFonts& Fonts() {
    static SharedFonts fonts;
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

void CreateSharedFonts(SharedFonts& fonts) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
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

} // namespace

TreeFonts::TreeFonts() {
    SharedFonts& fonts = Fonts();
    if (fonts.holders++ == 0)
        CreateSharedFonts(fonts);
}

TreeFonts::~TreeFonts() {
    SharedFonts& fonts = Fonts();
    if (--fonts.holders == 0) {
        fonts.normal.Reset();
        fonts.bold.Reset();
    }
}

HFONT TreeFonts::Normal() { return Fonts().normal.Get(); }
HFONT TreeFonts::Bold() { return Fonts().bold.Get(); }

} // namespace tree
