// The settings sheet driven by messages inside its modal run: what reaches the model and the
// registry for OK, Cancel, Escape and Default, what the pages show, and the slider's presets.
#include "SheetTestSupport.h"
#include "SettingRows.h"

#include "ResourceIds.h"
#include "tree/ReportTree.h"
#include "tree/ReportTreeList.h"
#include "report/SystemCheckDlg.h"

#include <commctrl.h>

using namespace sheet_test;
using testing_settings::Row;

namespace {

using Stored = std::array<std::optional<std::uint32_t>, kSettingCount>;

// Rows of the quality presets that differ between neighbouring levels, by level 0 to 3.
struct PresetProbe {
    std::size_t row;
    int byLevel[4];
};
constexpr PresetProbe kPresetProbe[] = {
    {Row(L"TerrainGeometryDetails"), {70, 50, 30, 10}}, {Row(L"EnvMeshLODCoefficient"), {7, 20, 15, 10}},
    {Row(L"ShadowDrawDistance"), {1, 6, 8, 10}},        {Row(L"ShadowBlurQuality"), {0, 1, 2, 3}},
    {Row(L"SLShadowUsingTwoViewports"), {0, 1, 1, 0}},  {Row(L"CharacterShaderLODCoefficient"), {50, 37, 24, 10}},
};

class SettingsSheet : public SheetFixture {
protected:
    // A complete stored set that differs from the hardware defaults everywhere it can.
    void StoreCustomSettings() {
        model_->SetValue(kScreenResolutionWidth, 1600);
        model_->SetValue(kScreenResolutionHeight, 1200);
        model_->ApplyQualityPreset(3);
        model_->SetLevel(settings::LevelKind::VerticalSync, 1);
        model_->SetLevel(settings::LevelKind::Textures, 0);
        model_->SetLevel(settings::LevelKind::Widescreen, 0);
        model_->SetLevel(settings::LevelKind::Language, 4);
        model_->Save();
        registry_.writes.clear();
    }
};

using Changes = std::vector<std::pair<std::size_t, std::uint32_t>>;

// What the medium quality preset stores: the preset marker (33) and every row the preset sets.
const Changes kMediumPreset = {
    {Row(L"VisualQualityLvl"), 1},
    {Row(L"TerrainGeometryDetails"), 50},
    {Row(L"DetailGrassCollision"), 0},
    {Row(L"DetailGrassDensityScale"), 8},
    {Row(L"DetailGrassFadeDistanceScale"), 90},
    {Row(L"BendableVegetation"), 1},
    {Row(L"EnvStartingMeshLOD"), 0},
    {Row(L"EnvMeshLODCoefficient"), 20},
    {Row(L"EnvShaderLODCoefficient"), 10},
    {Row(L"ImportanceLevel"), 2},
    {Row(L"ParticleEffectQuality"), 0},
    {Row(L"ParticleEffectNumber"), 7},
    {Row(L"EnableHeatDistortion"), 0},
    {Row(L"CharacterStartingMeshLOD"), 0},
    {Row(L"CharacterMeshLODCoefficient"), 10},
    {Row(L"CharacterShaderLODCoefficient"), 37},
    {Row(L"EnableGodRays"), 1},
    {Row(L"EnableGlow"), 1},
    {Row(L"CameraViewDistanceScale"), 80},
    {Row(L"MeshLodTransitionMultiplier"), 0},
    {Row(L"ShadowBufferResolution"), 8},
    {Row(L"ShadowDrawDistance"), 6},
    {Row(L"ShadowBlurQuality"), 1},
    {Row(L"SLShadowUsingTwoViewports"), 1},
};

// The row list of the report page's tree.
HWND ReportList(const DrivenSheet& s) {
    const auto* report = dynamic_cast<const CSystemCheckDlg*>(&s.GetPage(2));
    return report && report->Tree() ? report->Tree()->List().Hwnd() : nullptr;
}

Stored WithChanges(Stored stored, const Changes& changes) {
    for (const auto& [row, value] : changes)
        stored[row] = value;
    return stored;
}

} // namespace

// The player changes resolution, quality, vertical sync, widescreen and language; OK writes
// exactly those (with what they drive) and leaves every other value as it was.
TEST_F(SettingsSheet, OkWritesExactlyTheEditedValues) {
    StoreCustomSettings();
    const Stored before = registry_.Stored();
    const int result = RunSheet({
        [](DrivenSheet& s) {
            ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION,
                       FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), L"1280x800"));
            SendMessageW(s.VideoItem(IDC_VIDEO_QUALITY), TBM_SETPOS, TRUE, 1);
            SendMessageW(s.VideoPage().Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                         reinterpret_cast<LPARAM>(s.VideoItem(IDC_VIDEO_QUALITY)));
            Click(s.VideoItem(IDC_VIDEO_VSYNC));      // was on
            Click(s.VideoItem(IDC_VIDEO_WIDESCREEN)); // was off
            s.SetActivePage(1);
        },
        [](DrivenSheet& s) {
            ChooseItem(s.LanguagePage().Hwnd(), IDC_LANGUAGE_COMBO,
                       FindItem(s.LanguageItem(IDC_LANGUAGE_COMBO), GetLocalizedString(L"LANG_GERMAN")));
        },
        [this, before](DrivenSheet& s) {
            EXPECT_EQ(registry_.Stored(), before) << "nothing but the marker is written before OK";
            EXPECT_EQ(registry_.Marker(), 0u);
            Click(s.SheetItem(IDOK));
        },
    });
    EXPECT_EQ(result, 1);
    const Stored medium = WithChanges(before, kMediumPreset);
    const Stored expected = WithChanges(medium, {
                                                    {Row(L"ScreenResolutionWidth"), 1280},
                                                    {Row(L"ScreenResolutionHeight"), 800}, // resolution
                                                    {Row(L"VerticalSync"), 0},
                                                    {Row(L"VerticalSync_lvl"), 0}, // sync off
                                                    {Row(L"AspectRatioOverrideCHKB"), 1},
                                                    {Row(L"AspectRatioOverride"), 160}, // widescreen: 16:10
                                                    {kEngineLanguage, 3},
                                                    {kLauncherLanguage, 3}, // German
                                                });
    EXPECT_EQ(registry_.Stored(), expected);
    EXPECT_EQ(registry_.Stored()[Row(L"DegradedTextures")], 1u) << "textures untouched: still degraded";
}

// Cancel and Escape load the stored values again: nothing of the edits stays, in the registry
// or in the model; only the default marker, written at the first change, remains 0.
TEST_F(SettingsSheet, CancelAndEscapeLeaveEveryStoredSettingAsItWas) {
    StoreCustomSettings();
    registry_.PutLauncher(L"DefaultSetting", 1);
    const Stored before = registry_.Stored();
    const auto values = model_->GetValues();
    const auto edit = [](DrivenSheet& s) {
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), L"800x600"));
        Click(s.VideoItem(IDC_VIDEO_TEXTURES));
        SendMessageW(s.VideoItem(IDC_VIDEO_QUALITY), TBM_SETPOS, TRUE, 0);
        SendMessageW(s.VideoPage().Hwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(s.VideoItem(IDC_VIDEO_QUALITY)));
        s.SetActivePage(1);
    };
    const auto german = [](DrivenSheet& s) {
        ChooseItem(s.LanguagePage().Hwnd(), IDC_LANGUAGE_COMBO, 1);
        EXPECT_NE(s.LanguagePage().Hwnd(), nullptr);
    };
    const std::pair<const char*, DrivenSheet::Step> closers[] = {
        {"Cancel", [](DrivenSheet& s) { Click(s.SheetItem(IDCANCEL)); }},
        {"Escape on the language page", [](DrivenSheet& s) { Key(s.LanguageItem(IDC_LANGUAGE_COMBO), VK_ESCAPE); }},
        {"Escape on the sheet", [](DrivenSheet& s) { Key(s.Hwnd(), VK_ESCAPE); }},
    };
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        registry_.PutLauncher(L"DefaultSetting", 1);
        std::vector<DrivenSheet::Step> steps{edit, german, close};
        if (std::string(name) == "Escape on the language page")
            steps.insert(steps.end() - 1, [](DrivenSheet& s) { SetFocus(s.LanguageItem(IDC_LANGUAGE_COMBO)); });
        EXPECT_EQ(RunSheet(steps), 1);
        EXPECT_EQ(registry_.Stored(), before);
        EXPECT_EQ(model_->GetValues(), values) << "the model holds the stored values again";
        EXPECT_EQ(registry_.Marker(), 0u) << "the marker written by the edits stays";
    }
}

// Default puts the hardware defaults into the model and onto the open page at once; OK then
// stores them. The languages are not part of the defaults.
TEST_F(SettingsSheet, DefaultThenOkStoresTheHardwareDefaults) {
    StoreCustomSettings();
    const Stored before = registry_.Stored();
    RunSheet({
        [](DrivenSheet& s) {
            EXPECT_EQ(SelectedText(s.VideoItem(IDC_VIDEO_RESOLUTION)), L"1600x1200");
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_QUALITY), TBM_GETPOS, 0, 0), 3);
            Click(s.SheetItem(IDC_SHEET_DEFAULT));
        },
        [this](DrivenSheet& s) {
            EXPECT_EQ(SelectedText(s.VideoItem(IDC_VIDEO_RESOLUTION)), L"1024x768");
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_QUALITY), TBM_GETPOS, 0, 0), 1);
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_TEXTURES), BM_GETCHECK, 0, 0), BST_CHECKED);
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_VSYNC), BM_GETCHECK, 0, 0), BST_UNCHECKED);
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_WIDESCREEN), BM_GETCHECK, 0, 0), BST_UNCHECKED);
            EXPECT_EQ(registry_.Marker(), 1u);
            EXPECT_EQ(registry_.Stored()[Row(L"ScreenResolutionWidth")], 1600u) << "Default stores nothing by itself";
            Click(s.SheetItem(IDOK));
        },
    });
    const Stored medium = WithChanges(before, kMediumPreset);
    const Stored expected = WithChanges(medium, {
                                                    {Row(L"ScreenResolutionWidth"), 1024},
                                                    {Row(L"ScreenResolutionHeight"), 768},
                                                    {Row(L"AspectRatioOverride"), 133}, // resolution
                                                    {Row(L"VerticalSync_lvl"), 0},
                                                    {Row(L"VerticalSync"), 0},
                                                    {Row(L"AspectRatioOverrideCHKB"), 0}, // sync, widescreen
                                                    {Row(L"Texture_lvl"), 1},
                                                    {Row(L"DegradedTextures"), 0}, // textures
                                                    {Row(L"AlternateVerticalSync"), 1},
                                                    {Row(L"AlternateVerticalSyncThreshold"), 0}, // two processors
                                                });
    EXPECT_EQ(registry_.Stored(), expected);
    EXPECT_EQ(registry_.Stored()[kEngineLanguage], 4u);
}

// The video page reads the model whenever it is shown again, and the language page when the
// sheet's Default asks it to; a page opened for the first time after Default shows the defaults.
TEST_F(SettingsSheet, PagesShowTheModelAfterDefaultAndAfterSwitchingTabs) {
    StoreCustomSettings();
    RunSheet({
        [](DrivenSheet& s) { s.SetActivePage(1); },
        [this](DrivenSheet& s) {
            EXPECT_EQ(SelectedText(s.LanguageItem(IDC_LANGUAGE_COMBO)), GetLocalizedString(L"LANG_FRENCH"));
            // Another part of the program changes the model while the video page is hidden.
            model_->SetLevel(settings::LevelKind::Quality, 2);
            model_->SetValue(kScreenResolutionWidth, 800);
            model_->SetValue(kScreenResolutionHeight, 600);
            model_->SetLevel(settings::LevelKind::Widescreen, 1);
            model_->SetLevel(settings::LevelKind::Language, 6);
            s.SetActivePage(0);
        },
        [](DrivenSheet& s) {
            EXPECT_EQ(SelectedText(s.VideoItem(IDC_VIDEO_RESOLUTION)), L"800x600");
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_QUALITY), TBM_GETPOS, 0, 0), 2);
            EXPECT_EQ(SendMessageW(s.VideoItem(IDC_VIDEO_WIDESCREEN), BM_GETCHECK, 0, 0), BST_CHECKED);
            EXPECT_EQ(SelectedText(s.LanguageItem(IDC_LANGUAGE_COMBO)), GetLocalizedString(L"LANG_FRENCH"))
                << "the language page reads the model only when asked";
            Click(s.SheetItem(IDC_SHEET_DEFAULT));
        },
        [](DrivenSheet& s) {
            EXPECT_EQ(SelectedText(s.LanguageItem(IDC_LANGUAGE_COMBO)), GetLocalizedString(L"LANG_ITALIAN"));
            EXPECT_EQ(SelectedText(s.VideoItem(IDC_VIDEO_RESOLUTION)), L"1024x768");
            Click(s.SheetItem(IDCANCEL));
        },
    });

    // Default before the language page was ever shown: it opens on the model's language.
    RunSheet({
        [this](DrivenSheet& s) {
            model_->SetLevel(settings::LevelKind::Language, 5);
            EXPECT_EQ(s.LanguagePage().Hwnd(), nullptr);
            Click(s.SheetItem(IDC_SHEET_DEFAULT));
            s.SetActivePage(1);
        },
        [](DrivenSheet& s) {
            EXPECT_EQ(SelectedText(s.LanguageItem(IDC_LANGUAGE_COMBO)), GetLocalizedString(L"LANG_SPANISH"));
            Click(s.SheetItem(IDCANCEL));
        },
    });
}

TEST_F(SettingsSheet, ResolutionListAndSelectionFollowTheModel) {
    // A stored resolution the display does not offer selects nothing; the list is the model's
    // modes in their order.
    model_->SetValue(kScreenResolutionWidth, 1366);
    model_->SetValue(kScreenResolutionHeight, 768);
    RunSheet({[](DrivenSheet& s) {
        const HWND combo = s.VideoItem(IDC_VIDEO_RESOLUTION);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
        std::vector<std::wstring> items;
        for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[64] = {};
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        EXPECT_EQ(items, (std::vector<std::wstring>{L"640x480", L"800x600", L"1024x768", L"1280x1024", L"1280x800",
                                                    L"1600x1200"}));
        Click(s.SheetItem(IDCANCEL));
    }});

    model_->SetValue(kScreenResolutionWidth, 1280);
    model_->SetValue(kScreenResolutionHeight, 800);
    RunSheet({[](DrivenSheet& s) {
        EXPECT_EQ(SelectedText(s.VideoItem(IDC_VIDEO_RESOLUTION)), L"1280x800");
        Click(s.SheetItem(IDCANCEL));
    }});
}

// An item that is not two numbers around an "x" (none of ours, but the list is the page's only
// guard) changes nothing: no half resolution, no zero, no marker.
TEST_F(SettingsSheet, ForeignResolutionItemChangesNothing) {
    model_->SetValue(kScreenResolutionWidth, 1024);
    model_->SetValue(kScreenResolutionHeight, 768);
    model_->Save();
    RunSheet({[this](DrivenSheet& s) {
        const HWND combo = s.VideoItem(IDC_VIDEO_RESOLUTION);
        for (const wchar_t* foreign : {L"abcx600", L"1280x", L"x1024", L"1280", L"1280 x 1024", L"-800x600"}) {
            const auto index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(foreign));
            ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, static_cast<int>(index));
            EXPECT_EQ(model_->GetValue(kScreenResolutionWidth), 1024) << foreign;
            EXPECT_EQ(model_->GetValue(kScreenResolutionHeight), 768) << foreign;
        }
        EXPECT_FALSE(registry_.Marker().has_value()) << "no change, no marker";
        // A real item still works after them, and writes the marker at once.
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, FindItem(combo, L"1280x1024"));
        EXPECT_EQ(model_->GetValue(kScreenResolutionWidth), 1280);
        EXPECT_EQ(model_->GetValue(kScreenResolutionHeight), 1024);
        EXPECT_EQ(registry_.Marker(), 0u);
        EXPECT_EQ(registry_.Stored()[Row(L"ScreenResolutionWidth")], 1024u) << "stored only by OK";
        Click(s.SheetItem(IDCANCEL));
    }});
}

TEST_F(SettingsSheet, ChoosingGermanStoresThreeInBothLanguageRows) {
    model_->SetLevel(settings::LevelKind::Language, 1);
    model_->Save();
    RunSheet({
        [](DrivenSheet& s) { s.SetActivePage(1); },
        [this](DrivenSheet& s) {
            const HWND combo = s.LanguageItem(IDC_LANGUAGE_COMBO);
            EXPECT_EQ(SelectedText(combo), GetLocalizedString(L"LANG_ENGLISH"));
            EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 5);
            ChooseItem(s.LanguagePage().Hwnd(), IDC_LANGUAGE_COMBO,
                       FindItem(combo, GetLocalizedString(L"LANG_GERMAN")));
            EXPECT_EQ(model_->GetValue(kEngineLanguage), 3);
            EXPECT_EQ(model_->GetValue(kLauncherLanguage), 3);
            EXPECT_EQ(registry_.Marker(), 0u) << "the marker is written at once";
            Click(s.SheetItem(IDOK));
        },
    });
    EXPECT_EQ(registry_.Stored()[kEngineLanguage], 3u);
    EXPECT_EQ(registry_.Stored()[kLauncherLanguage], 3u);
}

// The thumb dragged with the mouse from 0 to 3: every position the slider reports on the way
// applies its preset at once, not only the last one.
TEST_F(SettingsSheet, DraggingTheSliderAppliesEveryPresetOnTheWay) {
    model_->ApplyQualityPreset(0);
    std::vector<int> levelsSeen;
    RunSheet({[&](DrivenSheet& s) {
        const HWND slider = s.VideoItem(IDC_VIDEO_QUALITY);
        ASSERT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 0);
        RECT thumb{}, channel{};
        SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        SendMessageW(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        const int y = (thumb.top + thumb.bottom) / 2;
        int x = (thumb.left + thumb.right) / 2;
        SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        for (; x <= channel.right + 4; x += 2) {
            SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
            const int level = model_->GetValue(kVisualQualityLvl);
            EXPECT_EQ(level, SendMessageW(slider, TBM_GETPOS, 0, 0)) << "at x " << x;
            if (levelsSeen.empty() || levelsSeen.back() != level) {
                levelsSeen.push_back(level);
                for (const PresetProbe& probe : kPresetProbe)
                    EXPECT_EQ(model_->GetValue(probe.row), probe.byLevel[level]) << "row " << probe.row;
            }
        }
        SendMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Click(s.SheetItem(IDCANCEL));
    }});
    EXPECT_EQ(levelsSeen, (std::vector<int>{0, 1, 2, 3}));
}

// The second half of a double-click on OK, Cancel or Default does nothing more than the first:
// one save, one load, one working-out of the defaults.
TEST_F(SettingsSheet, DoubleClickingAButtonActsAsOneClick) {
    StoreCustomSettings();
    registry_.queries = 0;
    model_->Load();
    const int queriesOfOneLoad = registry_.queries;
    ASSERT_GT(queriesOfOneLoad, 0);

    RunSheet({[this](DrivenSheet& s) {
        registry_.writes.clear();
        DoubleClick(s.SheetItem(IDOK));
    }});
    std::vector<std::wstring> names;
    for (const SettingDef& def : kSettingsTable)
        names.emplace_back(def.name);
    EXPECT_EQ(registry_.writes, names) << "the 36 settings written once, in table order";

    RunSheet({[this, queriesOfOneLoad](DrivenSheet& s) {
        registry_.queries = 0;
        DoubleClick(s.SheetItem(IDCANCEL));
        EXPECT_EQ(registry_.queries, queriesOfOneLoad);
    }});

    RunSheet({
        [this](DrivenSheet& s) {
            hardware_.queries.clear();
            DoubleClick(s.SheetItem(IDC_SHEET_DEFAULT));
            EXPECT_EQ(hardware_.DefaultsApplied(), 1);
            Click(s.SheetItem(IDC_SHEET_DEFAULT));
        },
        [this](DrivenSheet& s) {
            EXPECT_EQ(hardware_.DefaultsApplied(), 2) << "a later single click counts again";
            Click(s.SheetItem(IDCANCEL));
        },
    });
}

// The sheet's shape: no caption, a button tab strip, the standard button row cut off below, and
// the column of Default, OK and Cancel touching one another in the strip added at the right.
TEST_F(SettingsSheet, ReshapedWithTheButtonColumnAtTheRight) {
    RunSheet({[](DrivenSheet& s) {
        EXPECT_EQ(GetWindowLongW(s.Hwnd(), GWL_STYLE) & WS_CAPTION, 0);
        const HWND tabs = s.GetTabControl();
        EXPECT_EQ(GetWindowLongW(tabs, GWL_STYLE) & (TCS_BUTTONS | TCS_OWNERDRAWFIXED),
                  TCS_BUTTONS | TCS_OWNERDRAWFIXED);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);

        const RECT client = s.ClientRect();
        RECT rects[3];
        const int ids[3] = {IDC_SHEET_DEFAULT, IDOK, IDCANCEL};
        const wchar_t* keys[3] = {L"IDS_DEFAULT_SETTING_BUTTON", L"IDS_OK_BUTTON", L"IDS_CANCEL_BUTTON"};
        for (int i = 0; i < 3; ++i) {
            const HWND button = s.SheetItem(ids[i]);
            rects[i] = s.ChildRect(button);
            EXPECT_TRUE(IsWindowEnabled(button)) << ids[i];
            EXPECT_TRUE(IsWindowVisible(button)) << ids[i];
            EXPECT_EQ(GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << ids[i];
            wchar_t text[64] = {};
            GetWindowTextW(button, text, 64);
            EXPECT_EQ(std::wstring(text), GetLocalizedString(keys[i]));
        }
        const int width = rects[1].right - rects[1].left;
        const int height = rects[1].bottom - rects[1].top;
        EXPECT_EQ(rects[0].top, 27);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(rects[i].left, rects[0].left);
            EXPECT_EQ(rects[i].right - rects[i].left, width);
            EXPECT_EQ(rects[i].bottom - rects[i].top, height);
            if (i > 0) {
                EXPECT_EQ(rects[i].top, rects[i - 1].bottom) << "touching";
            }
        }
        // The column starts where the sheet's outer edge was and lies inside the client area,
        // with the strip's 27 pixels (less the frame) to its right.
        const RECT window = s.WindowRect();
        EXPECT_EQ(window.right - window.left, rects[0].left + width + 27);
        EXPECT_LE(rects[0].right, client.right);
        EXPECT_GE(client.bottom, rects[2].bottom);
        // The standard row is below the bottom edge: the Help button is not in the client area.
        Click(s.SheetItem(IDCANCEL));
    }});
}

// Tab marks the button that had the focus when it was pressed, and makes it the default.
TEST_F(SettingsSheet, TabMarksTheButtonThatHadTheFocus) {
    RunSheet({
        [](DrivenSheet& s) {
            SetFocus(s.SheetItem(IDCANCEL));
            Key(s.SheetItem(IDCANCEL), VK_TAB);
        },
        [](DrivenSheet& s) {
            EXPECT_EQ(LOWORD(SendMessageW(s.Hwnd(), DM_GETDEFID, 0, 0)), IDCANCEL);
            SetFocus(s.SheetItem(IDC_SHEET_DEFAULT));
            Key(s.SheetItem(IDC_SHEET_DEFAULT), VK_TAB);
        },
        [](DrivenSheet& s) {
            EXPECT_EQ(LOWORD(SendMessageW(s.Hwnd(), DM_GETDEFID, 0, 0)), IDC_SHEET_DEFAULT);
            Click(s.SheetItem(IDCANCEL));
        },
    });
}

// Closing the sheet by the system (Alt+F4, the system menu, WM_CLOSE) is a Cancel: the model is
// loaded again rather than left holding the edits for the next opening.
TEST_F(SettingsSheet, ClosingBySystemCountsAsCancel) {
    StoreCustomSettings();
    const Stored before = registry_.Stored();
    const auto values = model_->GetValues();
    const std::pair<const char*, DrivenSheet::Step> closers[] = {
        {"WM_CLOSE", [](DrivenSheet& s) { PostMessageW(s.Hwnd(), WM_CLOSE, 0, 0); }},
        {"SC_CLOSE", [](DrivenSheet& s) { PostMessageW(s.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& [name, close] : closers) {
        SCOPED_TRACE(name);
        EXPECT_EQ(RunSheet({[](DrivenSheet& s) {
                                ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, 0);
                                Click(s.VideoItem(IDC_VIDEO_WIDESCREEN));
                            },
                            close}),
                  1);
        EXPECT_EQ(model_->GetValues(), values);
        EXPECT_EQ(registry_.Stored(), before);
    }
}

// The report as the third page has no way out of its own: Escape while it has the focus, and
// its own cancel and OK commands, close the whole sheet as its Cancel does, never the page alone.
TEST_F(SettingsSheet, ReportPageWaysOutCloseTheSheetAsCancel) {
    StoreCustomSettings();
    const Stored before = registry_.Stored();
    const auto values = model_->GetValues();
    const auto edit = [](DrivenSheet& s) {
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, 0);
        Click(s.VideoItem(IDC_VIDEO_TEXTURES));
        s.SetActivePage(2);
    };
    const auto reportFocus = [](DrivenSheet& s) -> HWND {
        const HWND page = s.GetPage(2).Hwnd();
        EXPECT_NE(page, nullptr);
        HWND focus = GetNextDlgTabItem(page, nullptr, FALSE);
        SetFocus(focus != nullptr ? focus : page);
        return GetFocus();
    };
    const std::pair<const char*, DrivenSheet::Step> ways[] = {
        {"Escape", [=](DrivenSheet& s) { Key(reportFocus(s), VK_ESCAPE); }},
        {"Escape in the list", [](DrivenSheet& s) { Key(ReportList(s), VK_ESCAPE); }},
        {"the page's cancel command",
         [](DrivenSheet& s) { SendMessageW(s.GetPage(2).Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
        {"the page's OK command",
         [](DrivenSheet& s) { SendMessageW(s.GetPage(2).Hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }},
        {"the page's hidden OK button",
         [](DrivenSheet& s) {
             const HWND ok = GetDlgItem(s.GetPage(2).Hwnd(), IDC_REPORT_OK);
             EXPECT_FALSE(IsWindowVisible(ok));
             SendMessageW(s.GetPage(2).Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_REPORT_OK, BN_CLICKED),
                          reinterpret_cast<LPARAM>(ok));
         }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        EXPECT_EQ(RunSheet({edit, way}), 1);
        EXPECT_EQ(model_->GetValues(), values) << "loaded again, as by Cancel";
        EXPECT_EQ(registry_.Stored(), before);
    }
}

// Enter is the sheet's default button on every page, the report's included: OK stores the
// edits. While the report's list has the focus, the list keeps Enter and the sheet stays open.
TEST_F(SettingsSheet, EnterIsOkOnEveryPageButTheReportsListKeepsIt) {
    const auto edit = [](DrivenSheet& s) {
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), L"800x600"));
        Click(s.VideoItem(IDC_VIDEO_TEXTURES));
    };
    const auto enterOn = [](HWND control) {
        SetFocus(control);
        Key(control, VK_RETURN);
    };
    const std::pair<const char*, std::vector<DrivenSheet::Step>> pages[] = {
        {"video", {[=](DrivenSheet& s) { enterOn(s.VideoItem(IDC_VIDEO_RESOLUTION)); }}},
        {"language",
         {[](DrivenSheet& s) { s.SetActivePage(1); },
          [=](DrivenSheet& s) { enterOn(s.LanguageItem(IDC_LANGUAGE_COMBO)); }}},
        {"report",
         {[](DrivenSheet& s) { s.SetActivePage(2); },
          [=](DrivenSheet& s) { enterOn(GetDlgItem(s.GetPage(2).Hwnd(), IDC_REPORT_HELP_LINK)); }}},
    };
    for (const auto& [name, steps] : pages) {
        SCOPED_TRACE(name);
        StoreCustomSettings();
        std::vector<DrivenSheet::Step> run{edit};
        run.insert(run.end(), steps.begin(), steps.end());
        EXPECT_EQ(RunSheet(run), 1);
        EXPECT_EQ(registry_.Stored()[Row(L"ScreenResolutionWidth")], 800u) << "saved by OK";
        EXPECT_EQ(registry_.Stored()[Row(L"ScreenResolutionHeight")], 600u);
    }

    StoreCustomSettings();
    const Stored before = registry_.Stored();
    bool stillOpen = false;
    EXPECT_EQ(
        RunSheet({edit, [](DrivenSheet& s) { s.SetActivePage(2); }, [=](DrivenSheet& s) { enterOn(ReportList(s)); },
                  [&](DrivenSheet& s) {
                      stillOpen = IsWindowVisible(s.Hwnd()) != FALSE;
                      EXPECT_EQ(GetFocus(), ReportList(s)) << "the list keeps the focus";
                      Click(s.SheetItem(IDCANCEL));
                  }}),
        1);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(registry_.Stored(), before);
}

// After Tab has moved the focus on from a page's control, Enter still presses OK; after a Tab
// from Cancel it presses Cancel. Escape while the resolution list is dropped down closes only
// the list.
TEST_F(SettingsSheet, EnterAfterTabAndEscapeOnAnOpenList) {
    const auto edit = [](DrivenSheet& s) {
        ChooseItem(s.VideoPage().Hwnd(), IDC_VIDEO_RESOLUTION, FindItem(s.VideoItem(IDC_VIDEO_RESOLUTION), L"800x600"));
    };
    StoreCustomSettings();
    EXPECT_EQ(RunSheet({edit,
                        [](DrivenSheet& s) {
                            SetFocus(s.VideoItem(IDC_VIDEO_VSYNC));
                            Key(s.VideoItem(IDC_VIDEO_VSYNC), VK_TAB);
                        },
                        [](DrivenSheet&) { Key(GetFocus(), VK_RETURN); }}),
              1);
    EXPECT_EQ(registry_.Stored()[Row(L"ScreenResolutionWidth")], 800u) << "Enter after Tab saved";

    StoreCustomSettings();
    const Stored before = registry_.Stored();
    EXPECT_EQ(RunSheet({edit,
                        [](DrivenSheet& s) {
                            SetFocus(s.SheetItem(IDCANCEL));
                            Key(s.SheetItem(IDCANCEL), VK_TAB);
                        },
                        [](DrivenSheet&) { Key(GetFocus(), VK_RETURN); }}),
              1);
    EXPECT_EQ(registry_.Stored(), before) << "Enter after Tab from Cancel cancelled";

    bool openAfterEscape = false;
    EXPECT_EQ(RunSheet({edit,
                        [](DrivenSheet& s) {
                            const HWND combo = s.VideoItem(IDC_VIDEO_RESOLUTION);
                            SetFocus(combo);
                            SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
                            Key(combo, VK_ESCAPE);
                        },
                        [&](DrivenSheet& s) {
                            openAfterEscape = IsWindowVisible(s.Hwnd()) != FALSE;
                            Click(s.SheetItem(IDCANCEL));
                        }}),
              1);
    EXPECT_TRUE(openAfterEscape);
}

// A press on the sheet's or a page's background asks the sheet to move: the sheet gets the
// caption press at that point of the screen, wherever it stands, and nothing else of the presses.
TEST_F(SettingsSheet, PressesOnThePagesBackgroundsMoveTheSheet) {
    class RecordingSheet : public DrivenSheet {
    public:
        using DrivenSheet::DrivenSheet;
        std::vector<std::string> log;

    protected:
        bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
            if (msg != WM_NCLBUTTONDOWN)
                return DrivenSheet::OnMessage(msg, wParam, lParam, result);
            // Recorded instead of starting the system's move loop, which would wait for the mouse.
            log.push_back("caption press " + std::to_string(wParam == HTCAPTION) + " at " +
                          std::to_string(static_cast<short>(LOWORD(lParam))) + "," +
                          std::to_string(static_cast<short>(HIWORD(lParam))));
            result = 0;
            return true;
        }
    };
    std::vector<std::string> expected;
    const auto press = [&expected](HWND page, POINT at) {
        POINT screen = at;
        ClientToScreen(page, &screen);
        expected.push_back("caption press 1 at " + std::to_string(screen.x) + "," + std::to_string(screen.y));
        PostMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageW(page, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    };
    RecordingSheet sheet(*model_, registry_, &hardware_,
                         {[&](DrivenSheet& s) {
                              SetWindowPos(s.Hwnd(), nullptr, 170, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                              press(s.Hwnd(), POINT{3, 4});
                              press(s.VideoPage().Hwnd(), POINT{7, 9});
                          },
                          [](DrivenSheet& s) { s.SetActivePage(1); },
                          [&](DrivenSheet& s) {
                              press(s.LanguagePage().Hwnd(), POINT{11, 13});
                          },
                          [](DrivenSheet&) {}, // the sheet posts its caption press to itself
                          [](DrivenSheet& s) { Click(s.SheetItem(IDCANCEL)); }});
    EXPECT_EQ(sheet.DoModal(), 1);
    EXPECT_EQ(sheet.log, expected);
}
