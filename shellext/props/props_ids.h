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
#define IDC_ITEM_CONTAINS               1137
#define IDC_AUTOMAP_LETTER_NOTE         1139
