#pragma once

// Numbers of the branding library's strings and icons. Shared by the library's resource
// script and by the code that reads it, so the two cannot drift apart.
#define IDS_BRAND_PRODUCT_TITLE        50000
#define IDS_BRAND_MAKER_FOLDER         50001
#define IDS_BRAND_PRODUCT_FULL_NAME    51001
#define IDS_BRAND_COPYRIGHT            51002
#define IDS_BRAND_HELP_COMMAND         52000
#define IDS_BRAND_SETTINGS_COMMAND     52001
#define IDS_BRAND_TUTORIAL_COMMAND     52002
#define IDS_BRAND_PRODUCT_KEY          53000
#define IDS_BRAND_NAMESPACE_NAME       55000
#define IDS_BRAND_ALL_DISCS_FOLDER     55001
#define IDS_BRAND_NAMESPACE_CLSID      60000
#define IDS_BRAND_SEARCH_MODULE_CLSID  60001
#define IDS_BRAND_VIEW_OPTIONS         41000
#define IDS_BRAND_TUTORIAL_FLAG        42000

#define IDI_BRAND_ROOT_FOLDER          130
#define IDI_BRAND_PRODUCT              131
#define IDI_BRAND_SYSTEM_FOLDER        132
#define IDI_BRAND_SYSTEM_FOLDER_OPEN   133
#define IDI_BRAND_USER_FOLDER          134
#define IDI_BRAND_USER_FOLDER_OPEN     135
#define IDI_BRAND_AUTOMAP_FOLDER       136
#define IDI_BRAND_AUTOMAP_FOLDER_OPEN  137
#define IDI_BRAND_CDROM_DISC           138
#define IDI_BRAND_JAZ_DISC             139
#define IDI_BRAND_FREE_DRIVE           140
#define IDI_BRAND_CONNECTED_DRIVE      141
#define IDI_BRAND_LINK_OVERLAY         142
#define IDI_BRAND_EMPTY_ITEM           143
#define IDI_BRAND_DISC_SEARCH          144
#define IDI_BRAND_LAUNCH_OBJECT        145
#define IDI_BRAND_SHARED_OVERLAY       146
#define IDI_BRAND_PUBLIC_FOLDER        147
#define IDI_BRAND_PUBLIC_FOLDER_OPEN   148
#define IDI_BRAND_PUBLIC_AUTOMAP       149
#define IDI_BRAND_PUBLIC_AUTOMAP_OPEN  150
#define IDI_BRAND_MULTIPLE_SELECTION   151
