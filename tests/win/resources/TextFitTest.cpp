// Every language's texts fit the controls that show them: measured in the controls' own font
// (the system's message font for owner-drawn buttons), on the templates as created.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "LanguageFile.h"
#include "ResourceIds.h"
#include "TemplateTexts.h"

namespace {

using templatetexts::Fit;

const char* const kLanguages[] = {"EN", "DEU", "FR", "ESM", "ITA"};

std::wstring Widen(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

INT_PTR CALLBACK Quiet(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// Size of text drawn in the font; wrapped to `width` when given.
SIZE Measure(HFONT font, const std::wstring& text, int width = 0) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = {0, 0, width ? width : 10000, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (width ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

class TextFit : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryW(L"local.dll");
        ASSERT_NE(module_, nullptr);
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof ncm;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
        messageFont_ = CreateFontIndirectW(&ncm.lfMessageFont);
    }
    void TearDown() override {
        for (auto& [id, dialog] : dialogs_)
            DestroyWindow(dialog);
        DestroyWindow(host_);
        DeleteObject(messageFont_);
        FreeLibrary(module_);
    }

    // Created hidden; pages as children of a hidden host, as in the sheet.
    HWND Dialog(int templateId) {
        HWND& dialog = dialogs_[templateId];
        if (!dialog) {
            const bool page = templateId == IDD_VIDEO_PAGE || templateId == IDD_LANGUAGE_PAGE;
            dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(templateId), page ? host_ : nullptr, Quiet, 0);
        }
        return dialog;
    }

    HMODULE module_ = nullptr;
    HWND host_ = nullptr;
    HFONT messageFont_ = nullptr;
    std::map<int, HWND> dialogs_;
};

TEST_F(TextFit, EveryLanguagesTextsFitTheirControls) {
    for (const char* language : kLanguages) {
        const auto file =
            detection::LanguageFile::Load(std::string(LANGUAGE_DIR) + "/" + language + "/10-launcher.ini");
        ASSERT_GT(file.Size(), 0u) << language;
        const auto textOf = [&](const char* key) {
            const std::wstring* found = file.Find(Widen(key));
            EXPECT_NE(found, nullptr) << language << " " << key;
            return found ? *found : std::wstring();
        };
        for (const auto& t : templatetexts::kControlTexts) {
            HWND dialog = Dialog(t.templateId);
            ASSERT_NE(dialog, nullptr) << t.templateId;
            HWND control = GetDlgItem(dialog, t.controlId);
            ASSERT_NE(control, nullptr) << t.controlId;
            RECT client;
            GetClientRect(control, &client);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            const std::wstring text = textOf(t.key);
            const auto where = std::string(language) + " " + t.key;
            switch (t.fit) {
            case Fit::Line: EXPECT_LE(Measure(font, text).cx, client.right) << where; break;
            case Fit::Wrapped: EXPECT_LE(Measure(font, text, client.right).cy, client.bottom) << where; break;
            case Fit::CheckBox: // the box and its gap take about one line's height
                EXPECT_LE(Measure(font, text).cx + Measure(font, L"X").cy + 4, client.right) << where;
                break;
            case Fit::Button: // keep a little face on either side of the caption
                EXPECT_LE(Measure(messageFont_, text).cx + 8, client.right) << where;
                break;
            }
        }
        // The language list shows every name whole (the arrow button takes a scroll bar's width).
        HWND combo = GetDlgItem(Dialog(IDD_LANGUAGE_PAGE), IDC_LANGUAGE_COMBO);
        RECT box;
        GetClientRect(combo, &box);
        const auto comboFont = reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0));
        for (const char* key : templatetexts::kLanguageNameKeys)
            EXPECT_LE(Measure(comboFont, textOf(key)).cx + GetSystemMetrics(SM_CXVSCROLL) + 6, box.right)
                << language << " " << key;
        // The settings sheet's own buttons have the sheet's standard button width.
        const int buttonWidth = MulDiv(templatetexts::kSheetButtonWidthDlu, LOWORD(GetDialogBaseUnits()), 4);
        for (const char* key : templatetexts::kSheetButtonKeys)
            EXPECT_LE(Measure(messageFont_, textOf(key)).cx + 8, buttonWidth) << language << " " << key;
    }
}

} // namespace
