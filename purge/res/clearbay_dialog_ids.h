// Numbers of the purge tool's dialogs, their controls and its menu command.
#pragma once

#define IDD_PURGE                   100
#define IDD_ABOUT                   101

#define IDC_ROOT_CLASSES_ROOT       1001
#define IDC_ROOT_CURRENT_USER       1002
#define IDC_ROOT_LOCAL_MACHINE      1003
#define IDC_FILES_DELETE            1004
#define IDC_FILES_KEEP              1005
#define IDC_FOUND_LIST              1006
#define IDC_START_SEARCH            1007
#define IDC_PURGE_SYSTEM            1008
#define IDC_ABOUT_VERSION           1010
#define IDC_ABOUT_SCOPE             1011

// System-menu command; a multiple of 16 as the system menu requires.
#define IDM_ABOUT_BOX               0x0010
