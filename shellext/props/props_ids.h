// Templates and controls of the item property pages. The templates' numbers, and the numbers of
// the controls other programs' help and scripts know, are fixed; the rest are the pages' own.
#pragma once

#define IDD_FOLDER_GENERAL_PAGE         139
#define IDD_DISC_GENERAL_PAGE           151
#define IDD_SYSTEM_FOLDER_GENERAL_PAGE  162
#define IDD_DISC_MAPPING_PAGE           175
#define IDD_FOLDER_MAPPING_PAGE         176
#define IDD_MULTI_SEL_GENERAL_PAGE      180

#define IDC_AUTOMAP_DISABLED            1062
#define IDC_AUTOMAP_FREE_LETTER         1063
#define IDC_AUTOMAP_ALWAYS              1064
#define IDC_AUTOMAP_MULTIPLE            1065
#define IDC_AUTOMAP_DRIVE_COMBO         1073
#define IDC_AUTOMAP_REMOVE              1075
#define IDC_AUTOMAP_EDIT                1077
#define IDC_AUTOMAP_LIST                1083
#define IDC_AUTOMAP_ADD                 1084
#define IDC_MAKE_PUBLIC                 1119

#define IDC_ITEM_ICON                   1130
#define IDC_ITEM_NAME                   1131
#define IDC_ITEM_COMMENT                1132
#define IDC_ITEM_TYPE                   1133
#define IDC_ITEM_LOCATION               1134
#define IDC_ITEM_SERVER                 1135
#define IDC_FIND_TARGET                 1136
#define IDC_ITEM_CONTAINS               1137
#define IDC_AUTOMAP_LETTER_NOTE         1139

// The launch object's sheet and wizard, its action editors and entry editors.
#define IDD_LO_GENERAL_PAGE             165
#define IDD_LO_MAPPING_PAGE             167
#define IDD_LO_ACTIONS_PAGE             168
#define IDD_ADD_ACTION                  170
#define IDD_MESSAGE_BOX_ACTION          171
#define IDD_PARAMETER_LIST_ACTION       172
#define IDD_FILE_DIALOG_ACTION          173
#define IDD_CHANGE_ICON                 1200
#define IDD_PARAMETER_ENTRY             1201
#define IDD_FILE_EXTENSION_ENTRY        1202

#define IDC_LO_TARGET_FILE              1052
#define IDC_LO_START_IN                 1053
#define IDC_LO_START_AS                 1054
#define IDC_LO_COMMENT                  1055
#define IDC_LO_CONTACT_INFO             1056
#define IDC_LO_CHANGE_ICON              1057
#define IDC_LO_NAME                     1058
#define IDC_LO_BROWSE_TARGET            1059
#define IDC_LO_BROWSE_START_IN          1060
#define IDC_ACTION_LIST                 1066
#define IDC_EXIT_RESTORE                1070
#define IDC_EXIT_UNMAP                  1071
#define IDC_EXIT_KEEP                   1072
#define IDC_ENTRY_PREVIEW               1076
#define IDC_ENTRY_UP                    1078
#define IDC_ENTRY_DOWN                  1079
#define IDC_ACTION_TYPE_MESSAGE_BOX     1085
#define IDC_ACTION_TYPE_PARAMETER_LIST  1086
#define IDC_ACTION_TYPE_FILE_DIALOG     1087
#define IDC_ACTION_NAME                 1088
#define IDC_ACTION_MESSAGE              1089
#define IDC_BUTTONS_OK                  1090
#define IDC_BUTTONS_OK_CANCEL           1091
#define IDC_BUTTONS_YES_NO              1092
#define IDC_ACTION_TITLE                1093
#define IDC_PARAMETER_LIST              1094
#define IDC_ALLOW_MULTI_SELECT          1101
#define IDC_START_DIRECTORY             1102
#define IDC_BROWSE_START_DIRECTORY      1103
#define IDC_EXTENSION_LIST              1104
#define IDC_PARAMETER_DESCRIPTION       1303
#define IDC_PARAMETER_VALUE             1304
#define IDC_EXTENSION_VALUE             1305
#define IDC_EXTENSION_DESCRIPTION       1306
#define IDC_ICON_FILE                   1320
#define IDC_ICON_BROWSE                 1321
#define IDC_ICON_LIST                   1322
#define IDC_ENTRY_ADD                   1084
#define IDC_ENTRY_REMOVE                1075
#define IDC_ENTRY_EDIT                  1077
