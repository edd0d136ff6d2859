// Identifiers of the resources in local.dll and in the program file itself.
//
// Shared by the resource scripts and the C++ code, so they are plain macros (the resource
// compiler understands nothing else). Numbers are fixed: the program and the library are
// built separately and meet only through these values.
//
// The program's own icon group is named, not numbered: "IDI_ICON1". That name is deliberately
// not defined as a macro here, or the resource compiler would turn it into a number.
#pragma once

// Language reported by the library's GetCurrentLocal export (English).
#define LOCAL_LANGUAGE_ID 1

// Dialog templates.
#define IDD_REPORT 101        // system check results (dialog and third settings page)
#define IDD_LANGUAGE_PAGE 102 // settings page: interface language
#define IDD_PROGRESS 105      // progress window shown while the hardware tests run
#define IDD_VIDEO_PAGE 114    // settings page: video options
#define IDD_LAUNCHER 130      // launcher window
#define IDD_MESSAGE 137       // message dialog with a do-not-show-again box

// Bitmaps.
#define IDB_VERDICT_IMAGES 129 // 3 images, 32 px wide: ideal, failed, sufficient; white is transparent
#define IDB_LAUNCHER_BACKGROUND 133
#define IDB_SPLASH 134 // artwork inside the progress window (used by its template only)
#define IDB_SHEET_BACKGROUND 139
#define IDB_VIDEO_BACKGROUND 140
#define IDB_LANGUAGE_BACKGROUND 141
#define IDB_REPORT_BACKGROUND 142
#define IDB_STATUS_IMAGES 143   // 4 images, 16 px wide: passed, failed, spare, not detected; white is transparent
#define IDB_RULE_HORIZONTAL 150 // gold rules of the report (used by its template only)
#define IDB_RULE_VERTICAL 151

// Every bitmap above is also drawn at 125, 150 and 200 % (scale index 1, 2, 3): the picture at
// scale index i has the 100 % id plus 1000 * i (IDB_STATUS_IMAGES at 150 % is 2143). Only bitmaps
// use these numbers (ids are per resource type), so they meet no dialog, icon or string id.
// The 100 % ids are the ones above, unchanged.
#define ART_SCALE_ID_STEP 1000
#define ART_SCALED_ID(id, index) ((id) + ART_SCALE_ID_STEP * (index))

#define VERDICT_IMAGE_WIDTH 32
#define VERDICT_IMAGE_COUNT 3
#define STATUS_IMAGE_WIDTH 16
#define STATUS_IMAGE_COUNT 4

// Icon group of every window.
#define IDI_WINDOW 1111

// String table.
#define IDS_PANE_TITLE_NO_SELECTION 3102 // info pane title while nothing is selected
#define IDS_PANE_TEXT_NO_SELECTION 3103  // info pane body while nothing is selected

// Report (IDD_REPORT). The frame, rules and emblem are anchored by the code but carry no text.
#define IDC_REPORT_TREE_FRAME 1001     // placeholder; the report tree is created inside it
#define IDC_REPORT_TREE 101            // the report tree, in the placeholder
#define IDC_REPORT_VERDICT_FRAME 1003  // frame around the verdict image
#define IDC_REPORT_VERDICT_RULE 1005   // gold rule under the verdict text
#define IDC_REPORT_COPYRIGHT_RULE 1006 // gold rule under the legal notice
#define IDC_REPORT_HEADER_RULE 1007    // gold rule under the header
#define IDC_REPORT_EMBLEM 1008         // emblem beside the legal notice
#define IDC_REPORT_COPYRIGHT 1011
#define IDC_REPORT_INFO 1012
#define IDC_REPORT_FOOTER_RULE 1021     // gold rule over the footer
#define IDC_REPORT_VERDICT_DIVIDER 1022 // upright gold rule between the verdict image and text
#define IDC_REPORT_OK 1028              // owner-drawn
#define IDC_REPORT_VERDICT 1037
#define IDC_REPORT_HELP_LINK 1043
#define IDC_REPORT_VERDICT_IMAGE 1045 // hidden marker: where the verdict image is drawn

// Language page (IDD_LANGUAGE_PAGE).
#define IDC_LANGUAGE_COMBO 1100
#define IDC_LANGUAGE_LABEL 1101

// Progress window (IDD_PROGRESS).
#define IDC_PROGRESS_BAR 1026

// Video page (IDD_VIDEO_PAGE).
#define IDC_VIDEO_QUALITY 1070    // slider, positions 0 to 3
#define IDC_VIDEO_RESOLUTION 1104 // drop-down list in insertion order
#define IDC_VIDEO_WIDESCREEN 1105 // check box
#define IDC_VIDEO_VSYNC 1106      // check box
#define IDC_VIDEO_TEXTURES 1107   // check box
#define IDC_VIDEO_RESOLUTION_LABEL 1055
#define IDC_VIDEO_QUALITY_LABEL 1059
#define IDC_VIDEO_VSYNC_LABEL 1069
#define IDC_VIDEO_TEXTURES_LABEL 1071
#define IDC_VIDEO_QUALITY_LOW 1081
#define IDC_VIDEO_QUALITY_VERY_HIGH 1083
#define IDC_VIDEO_QUALITY_HIGH 1084
#define IDC_VIDEO_QUALITY_MEDIUM 1108
#define IDC_VIDEO_WIDESCREEN_LABEL 1109

// Launcher window (IDD_LAUNCHER); all three owner-drawn.
#define IDC_LAUNCHER_SETTINGS 3
#define IDC_LAUNCHER_QUIT 4
#define IDC_LAUNCHER_LAUNCH 1024

// Message dialog (IDD_MESSAGE).
#define IDC_MESSAGE_OK 1051 // owner-drawn
#define IDC_MESSAGE_CHECK 1103
#define IDC_MESSAGE_TEXT 1104

// Buttons of the settings sheet: the property sheet's own, not from a template.
#define IDC_SHEET_OK 1
#define IDC_SHEET_CANCEL 2
#define IDC_SHEET_DEFAULT 12321 // the sheet's Apply-now button, reused
