// Numbers of the entries of the purge tool's own string table. Plain #defines so that the
// resource script and the C++ code share one list.
#pragma once

// Files and shortcuts looked for
#define IDS_SEARCH_MODULE_EXE                 200
#define IDS_SEARCH_MODULE_LINK                201
#define IDS_NETWORK_STORAGE_LINK              202
#define IDS_ORVEK_PRODUCT_LINK                203
#define IDS_ZANDOR_PRODUCT_LINK               204
#define IDS_ORVEK_MENU_FOLDER                 220
#define IDS_ZANDOR_MENU_FOLDER                221
#define IDS_ORVEK_VENDOR_FOLDER               222

// Registry names
#define IDS_PRODUCT_INFO_KEY                  1000
#define IDS_CLSID_KEY                         1001
#define IDS_INTERFACE_KEY                     1002
#define IDS_PRODUCT_KEY                       1003
#define IDS_VENDOR_KEY                        1004
#define IDS_SOFTWARE_KEY                      1005
#define IDS_WINDOWS_CURRENT_VERSION_KEY       1006
#define IDS_ZANDOR_VENDOR_KEY                 1010
#define IDS_ZANDOR_PRODUCT_KEY                1011
#define IDS_MY_COMPUTER_NAMESPACE_KEY         1012
#define IDS_SHELL_EXTENSIONS_APPROVED_KEY     1013
#define IDS_SHELLEXTENSIONS_APPROVED_KEY      1014
#define IDS_NT_SHELLEXTENSIONS_APPROVED_KEY   1015
#define IDS_UNINSTALL_KEY                     1016
#define IDS_RUN_KEY                           1017
#define IDS_ORVEK_PRODUCT_NAME              1018
#define IDS_ZANDOR_PRODUCT_NAME             1019
#define IDS_INSTALLSHIELD_FOLDER              1020

// Class and interface identifiers of the suite's components (both brands)
#define IDS_CLASS_ID_1100                     1100
#define IDS_CLASS_ID_1101                     1101
#define IDS_CLASS_ID_1110                     1110
#define IDS_CLASS_ID_1111                     1111
#define IDS_CLASS_ID_1120                     1120
#define IDS_CLASS_ID_1121                     1121
#define IDS_CLASS_ID_1122                     1122
#define IDS_INTERFACE_ID_1130                 1130
#define IDS_INTERFACE_ID_1131                 1131
#define IDS_INTERFACE_ID_1132                 1132
#define IDS_INTERFACE_ID_1150                 1150
#define IDS_INTERFACE_ID_1151                 1151
#define IDS_INTERFACE_ID_1152                 1152
#define IDS_INTERFACE_ID_1170                 1170
#define IDS_INTERFACE_ID_1171                 1171
#define IDS_INTERFACE_ID_1172                 1172
#define IDS_INTERFACE_ID_1192                 1192
#define IDS_INSTALLER_PRODUCT_CODE            1200

// Registry value names
#define IDS_PROGRAM_PATH_VALUE                1501
#define IDS_PROGRAM_FILES_DIR_VALUE           1502
#define IDS_CLIENT_SETUP_LOCATION_VALUE       1503

// Messages
#define IDS_APP_CAPTION                       2000
#define IDS_WRONG_USAGE                       2001
#define IDS_CONFIRM_REGISTRY_PURGE            2002
#define IDS_REGISTRY_PURGE_DONE               2003
#define IDS_REGISTRY_PURGE_FAILED             2004
#define IDS_ABOUT_MENU_ITEM                   2005
#define IDS_ABOUT_VERSION                     2006

// The report in the list
#define IDS_COLUMN_NAME                       2100
#define IDS_COLUMN_COMMENT                    2101
#define IDS_SEARCHING                         2102
#define IDS_REPORT_REGISTRY_TITLE             2103
#define IDS_REPORT_CLASSES_ROOT               2104
#define IDS_REPORT_CURRENT_USER               2105
#define IDS_REPORT_LOCAL_MACHINE              2106
#define IDS_REPORT_STRING_VALUE               2107
#define IDS_REPORT_NO_REGISTRY_DATA           2108
#define IDS_REPORT_SEPARATOR                  2109
#define IDS_REPORT_FILES_TITLE                2110
#define IDS_REPORT_NO_FILES                   2111
#define IDS_KIND_FOLDER                       2112
#define IDS_KIND_FILE                         2113
#define IDS_KIND_PROTECTED                    2114
