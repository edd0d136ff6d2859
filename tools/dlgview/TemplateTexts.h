// Which text key each template control shows, as the program sets them. The viewer fills the
// templates from it; the resource tests check with it that every language's text fits.
#pragma once

#include "ResourceIds.h"

namespace templatetexts {

enum class Fit {
    Line,     // one line across the control
    Wrapped,  // word-wrapped within the control's height
    CheckBox, // one line beside the box
    Button,   // one line on an owner-drawn button, in the system's message font
};

struct ControlText {
    int templateId;
    int controlId;
    const char* key;
    Fit fit;
};

inline constexpr ControlText kControlTexts[] = {
    {IDD_LAUNCHER, IDC_LAUNCHER_LAUNCH, "IDS_LAUNCH_BUTTON", Fit::Button},
    {IDD_LAUNCHER, IDC_LAUNCHER_SETTINGS, "IDS_SETTING_BUTTON", Fit::Button},
    {IDD_LAUNCHER, IDC_LAUNCHER_QUIT, "IDS_QUIT", Fit::Button},
    {IDD_MESSAGE, IDC_MESSAGE_TEXT, "IDS_WARN_SYSTEM_INCOMPATIBLE", Fit::Wrapped},
    {IDD_MESSAGE, IDC_MESSAGE_CHECK, "IDS_DO_NOT_SHOW_AGAIN", Fit::CheckBox},
    {IDD_MESSAGE, IDC_MESSAGE_OK, "IDS_OK_BUTTON", Fit::Button},
    {IDD_REPORT, IDC_REPORT_INFO, "IDS_INFO", Fit::Wrapped},
    {IDD_REPORT, IDC_REPORT_COPYRIGHT, "IDS_COPYRIGHT", Fit::Line},
    {IDD_REPORT, IDC_REPORT_OK, "IDS_OK_BUTTON", Fit::Button},
    {IDD_REPORT, IDC_REPORT_VERDICT, "IDS_RESULT_IDEAL", Fit::Line},
    {IDD_REPORT, IDC_REPORT_VERDICT, "IDS_RESULT_FAILED", Fit::Line},
    {IDD_REPORT, IDC_REPORT_VERDICT, "IDS_RESULT_SUFFICIENT", Fit::Line},
    {IDD_REPORT, IDC_REPORT_HELP_LINK, "IDS_HELP", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_RESOLUTION_LABEL, "IDS_SCREEN_RESOLUTION_LABEL", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_WIDESCREEN_LABEL, "IDS_WIDE_SCREEN_RESOLUTION_CHECK", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_VSYNC_LABEL, "IDS_VERTICAL_SYNC_LABEL", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_TEXTURES_LABEL, "IDS_TEXTURE_QUALITY_LABEL", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_QUALITY_LABEL, "IDS_VIDEO_SETTING_QUALITY_LABEL", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_QUALITY_LOW, "VQL_LOW", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_QUALITY_MEDIUM, "VQL_MED", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_QUALITY_HIGH, "VQL_HIGH", Fit::Line},
    {IDD_VIDEO_PAGE, IDC_VIDEO_QUALITY_VERY_HIGH, "VQL_VERY_HIGH", Fit::Line},
    {IDD_LANGUAGE_PAGE, IDC_LANGUAGE_LABEL, "IDS_LANG_COMBO_LABEL", Fit::Line},
};

// The language names listed in the language page's drop-down list, in list order.
inline constexpr const char* kLanguageNameKeys[] = {
    "LANG_ENGLISH", "LANG_GERMAN", "LANG_FRENCH", "LANG_SPANISH", "LANG_ITALIAN",
};

// Captions of the settings sheet's own buttons, drawn on buttons of the sheet's standard
// button size (50 dialog units wide).
inline constexpr const char* kSheetButtonKeys[] = {
    "IDS_DEFAULT_SETTING_BUTTON",
    "IDS_OK_BUTTON",
    "IDS_CANCEL_BUTTON",
};
inline constexpr int kSheetButtonWidthDlu = 50;

} // namespace templatetexts
