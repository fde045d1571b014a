// Numbers of the settings program's own string table. Plain #defines so that the resource
// script and the C++ code share one list.
#pragma once

// Starting the program
#define IDS_RUN_FROM_SOFTWARE_FMT                   100
#define IDS_RUNNING_COPY_NOT_FOUND                  101

// Titles of the windows a second start looks for
#define IDS_ABOUT_TITLE_FMT                         120
#define IDS_SELECT_PUBLIC_FOLDERS_TITLE             121
#define IDS_NETWORK_SETUP_SELECT_NETWORK_TITLE      122
#define IDS_NETWORK_SETUP_SCOPE_TITLE               123
#define IDS_NETWORK_SETUP_FINISH_TITLE              124

// The about box
#define IDS_ABOUT_VERSION_FMT                       130

// The settings pages
#define IDS_ILLEGAL_PERIOD                          140
#define IDS_NETWORK_SETTINGS_CHANGED                141
#define IDS_MACHINE_SETTING_NOT_SAVED_FMT           142
#define IDS_UNIT_MINUTES                            143
#define IDS_UNIT_HOURS                              144
#define IDS_UNIT_DAYS                               145
#define IDS_BROWSE_DATA_LOCATION_TITLE              146
#define IDS_BROWSE_CLIENT_SETUP_TITLE               147
#define IDS_SETUP_SCRIPT_REFUSED_FMT                148

// The client setup script and the network set-up wizards (a block of sixteen of its own)
#define IDS_SETUP_LOCATION_NOT_ABSOLUTE_FMT         1120

// Find: Discs and Launch Objects (a block of sixteen of its own)
#define IDS_FIND_TITLE                              1136
#define IDS_FIND_NAME_TAB                           1137
#define IDS_FIND_ITEMS_FOUND_FMT                    1138
#define IDS_FIND_CLEAR_QUESTION                     1139
#define IDS_FIND_CLEAR_TITLE                        1140
#define IDS_FIND_BROWSE_TITLE                       1141
