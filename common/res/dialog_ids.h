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
