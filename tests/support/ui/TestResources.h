// Ids of the framework test resource module.
#pragma once

#define IDD_TEST_DIALOG 200
#define IDD_TEST_PAGE_ONE 201
#define IDD_TEST_PAGE_TWO 202
#define IDD_TEST_CONTROLS 203
#define IDB_TEST_IMAGES 210
#define IDS_TEST_STRING 300

#define IDC_OWNERDRAW 1001
#define IDC_SECOND 1002
#define IDC_LABEL 1003
#define IDC_SLIDER 1004
#define IDC_PAGE_LABEL 1101
#define IDC_TABS 1010
#define IDC_SKIN 1011
#define IDC_LEFT 1012
#define IDC_CENTRE 1013
