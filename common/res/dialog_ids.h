// Numbers of Basalt's dialog templates and their controls. Plain #defines so that the resource
// script and the C++ code share one list.
#pragma once

// The check-box message box: a Yes/No question with a check box that switches it off.
#define IDD_CHECKBOX_MESSAGE_BOX                    1200
#define IDC_CHECKBOX_BOX_YES                        1307
#define IDC_CHECKBOX_BOX_NO                         1308
#define IDC_CHECKBOX_BOX_THIRD                      1309
#define IDC_CHECKBOX_BOX_CHECK                      1310
#define IDC_CHECKBOX_BOX_TEXT                       1311
#define IDC_CHECKBOX_BOX_ICON                       1312

// Browse Discs: the tree of folders and discs takes the place of the marker.
#define IDD_BROWSE_DISCS                            1204
#define IDC_BROWSE_TREE_MARKER                      1334
#define IDC_BROWSE_TREE                             2010

// A launch object's parameter list: the user picks the parameters passed to the program.
#define IDD_PARAMETER_LIST                          1326
#define IDC_PARAMETER_LIST_LIST                     1327
#define IDC_PARAMETER_LIST_TEXT                     1328

// Map Disc: the drive list is a ComboBoxEx32 made at run time (it has no id); the tree of
// shared discs goes below the marker label.
#define IDD_MAP_DISC                                1201
#define IDC_MAP_DRIVE_LABEL                         1313
#define IDC_MAP_PATH_LABEL                          1314
#define IDC_MAP_CONNECT_AS_LABEL                    1315
#define IDC_MAP_CONNECT_AS                          1316
#define IDC_MAP_RECONNECT                           1317
#define IDC_MAP_PATH_TEXT                           1318
#define IDC_MAP_PATH_EDIT                           1319
#define IDC_MAP_TREE_LABEL                          1320
#define IDC_MAP_BROWSE_NETWORK                      1329
#define IDC_MAP_TREE                                2001

// Enter Network Password: on Windows 95/98 the resource moves next to the label and only a
// password is asked.
#define IDD_MAP_PASSWORD                            1202
#define IDC_PASSWORD_LABEL                          1315
#define IDC_PASSWORD_USER_NAME                      1316
#define IDC_PASSWORD_EDIT                           1321
#define IDC_PASSWORD_MESSAGE                        1322
#define IDC_PASSWORD_RESOURCE                       1324
#define IDC_PASSWORD_RESOURCE_BESIDE_LABEL          1325

// The picture beside the pages of the wizards.
#define IDB_WIZARD_PICTURE                          1330

// "Scanning Network": the notice shown while a background search starts.
#define IDD_RESCAN_STARTUP                          1203
#define IDC_RESCAN_STARTUP_ICON                     1331
#define IDC_RESCAN_STARTUP_TEXT                     1335
