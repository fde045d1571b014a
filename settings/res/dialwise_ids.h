// Numbers of the settings program's dialog templates and their controls. Plain #defines so
// that the resource script and the C++ code share one list.
#pragma once

#define IDI_DIALWISE                                1

// The controls of one automatic run's schedule: on/off, period, unit, next date and time.
// Each page numbers its schedules from a base: base + 0 ... base + 4.
#define IDC_SCHEDULE_ON                             0
#define IDC_SCHEDULE_COUNT                          1
#define IDC_SCHEDULE_UNIT                           2
#define IDC_SCHEDULE_DATE                           3
#define IDC_SCHEDULE_TIME                           4

// General
#define IDD_GENERAL_PAGE                            200
#define IDC_GENERAL_PICTURE                         201
#define IDC_GENERAL_PRODUCT                         202
#define IDC_GENERAL_COPYRIGHT                       203
#define IDC_GENERAL_SHOW_ICON                       204
#define IDC_GENERAL_AUTOMAP_WARNING                 205

// Disc Search: the networks, then the quick and the full search's schedules.
#define IDD_DISC_SEARCH_PAGE                        210
#define IDC_DISC_SEARCH_NETWORKS                    211
#define IDC_DISC_SEARCH_PROPERTIES                  212
#define IDC_REFRESH_SCHEDULE                        220
#define IDC_RESCAN_SCHEDULE                         230

// Public Folders, for the administrator and for a client user
#define IDD_PUBLIC_FOLDERS_ADMIN_PAGE               240
#define IDD_PUBLIC_FOLDERS_CLIENT_PAGE              241
#define IDC_PUBLIC_LOCATION                         242
#define IDC_PUBLIC_BROWSE                           243
#define IDC_PUBLIC_FOLDER_LIST                      244
#define IDC_UPDATE_PUBLIC_SCHEDULE                  250

// Client Setup
#define IDD_CLIENTS_PAGE                            260
#define IDC_CLIENT_SETUP_LOCATION                   261
#define IDC_CLIENT_SETUP_BROWSE                     262
#define IDC_CREATE_SETUP_SCRIPT                     263

// Microsoft Windows Network Properties
#define IDD_SMB_PROPERTIES                          270
#define IDC_SMB_ALL_DOMAINS                         271
#define IDC_SMB_SELECTED_DOMAINS                    272
#define IDC_SMB_DOMAIN_LIST                         273

// About
#define IDD_ABOUT                                   280
#define IDC_ABOUT_PICTURE                           281
#define IDC_ABOUT_PRODUCT                           282
#define IDC_ABOUT_VERSION                           283
#define IDC_ABOUT_COPYRIGHT                         284

// Select Public Folders
#define IDD_SELECT_PUBLIC_FOLDERS                   290
#define IDC_SELECT_PUBLIC_FOLDER_LIST               291

// The picture beside the pages of the wizards
#define IDC_WIZARD_PICTURE                          300

// Client Setup Script wizard: a location page is a prompt-or-use choice with its directory;
// the actions page the same choice with its two actions.
#define IDD_SCRIPT_START_PAGE                       310
#define IDD_SCRIPT_INSTALLATION_PAGE                311
#define IDD_SCRIPT_PUBLIC_FOLDERS_PAGE              312
#define IDD_SCRIPT_ACTIONS_PAGE                     313
#define IDD_SCRIPT_FINISH_PAGE                      314
#define IDC_SCRIPT_WELCOME                          320
#define IDC_SCRIPT_PROMPT                           321
#define IDC_SCRIPT_USE                              322
#define IDC_SCRIPT_DIRECTORY                        323
#define IDC_SCRIPT_NOTE                             325
#define IDC_SCRIPT_TUTORIAL                         326
#define IDC_SCRIPT_SHORTCUT                         327
#define IDC_SCRIPT_SILENT_YES                       328
#define IDC_SCRIPT_SILENT_NO                        329

// Network Setup wizard
#define IDD_NETSETUP_START_PAGE                     340
#define IDD_NETSETUP_NETWORK_PAGE                   341
#define IDD_NETSETUP_SCOPE_PAGE                     342
#define IDD_NETSETUP_FINISH_PAGE                    343
#define IDC_NETSETUP_WELCOME                        350
#define IDC_NETSETUP_WINDOWS_NETWORK                351
#define IDC_NETSETUP_NETWARE                        352
#define IDC_NETSETUP_NETWORK_NOTE                   353
#define IDC_NETSETUP_OWN_DOMAIN                     354
#define IDC_NETSETUP_ALL_DOMAINS                    355
#define IDC_NETSETUP_SELECTED_DOMAINS               356
#define IDC_NETSETUP_DOMAIN_LIST                    357
#define IDC_NETSETUP_SEARCH_NOW                     358
#define IDC_NETSETUP_TUTORIAL                       359

// Find: Discs and Launch Objects, with its criteria page and its animation
#define IDD_FIND_MEDIA                              370
#define IDD_FIND_NAME_PAGE                          371
#define IDC_FIND_TABS                               372
#define IDC_FIND_NOW                                373
#define IDC_FIND_STOP                               374
#define IDC_FIND_NEW_SEARCH                         375
#define IDC_FIND_ANIMATION                          376
#define IDC_FIND_RESULTS                            377
#define IDC_FIND_STATUS                             378
#define IDC_FIND_NAMED                              380
#define IDC_FIND_LOOK_IN                            381
#define IDC_FIND_BROWSE                             382
#define IDC_FIND_SUBFOLDERS                         383
#define IDR_FIND_ANIMATION                          138
#define IDD_FIND_FOLDER_PICKER                      384
#define IDC_FIND_FOLDER_TREE                        385
