// Numbers of the entries of Basalt's string table. Plain #defines so that the
// resource script and the C++ code share one list.
#pragma once

// Menu items merged into Explorer's menus (also the tooltips of the view-mode buttons)
#define IDS_MENU_NEW                                110
#define IDS_MENU_NEW_FOLDER                         111
#define IDS_MENU_NEW_AUTOMAP_FOLDER                 112
#define IDS_MENU_NEW_LAUNCH_OBJECT                  113
#define IDS_MENU_PUBLIC_FOLDER_SETTINGS             114
#define IDS_MENU_CUT                                120
#define IDS_MENU_COPY                               121
#define IDS_MENU_PASTE                              122
#define IDS_MENU_INVERT_SELECTION                   123
#define IDS_MENU_SELECT_ALL                         124
#define IDS_MENU_LARGE_ICONS                        130
#define IDS_MENU_SMALL_ICONS                        131
#define IDS_MENU_LIST                               132
#define IDS_MENU_DETAILS                            133
#define IDS_MENU_ARRANGE_BY_NAME                    134
#define IDS_MENU_ARRANGE_BY_TYPE                    135
#define IDS_MENU_ARRANGE_BY_COMMENT                 136
#define IDS_MENU_ARRANGE_BY_SERVER                  137
#define IDS_MENU_AUTO_ARRANGE                       138
#define IDS_MENU_ARRANGE_ICONS                      139
#define IDS_MENU_LINE_UP_ICONS                      140
#define IDS_MENU_FULL_SEARCH                        142
#define IDS_MENU_QUICK_SEARCH                       143
#define IDS_MENU_REFRESH_PUBLIC_FOLDERS             144
#define IDS_MENU_MAP_DISC                           150
#define IDS_MENU_FIND_DISCS                         151
#define IDS_MENU_ABOUT_FMT                          160

// List and column headings, status bar texts
#define IDS_COLUMN_NAME                             200
#define IDS_COLUMN_TYPE                             201
#define IDS_COLUMN_COMMENT                          202
#define IDS_COLUMN_SERVER                           203
#define IDS_COLUMN_IN_FOLDER                        204
#define IDS_STATUS_OBJECT_COUNT_FMT                 220
#define IDS_STATUS_SELECTED_COUNT_FMT               221
#define IDS_MAPPING_COLUMN_DRIVE                    251
#define IDS_MAPPING_COLUMN_PATH                     252

// Display names of the item types
#define IDS_TYPE_CD_DVD                             260
#define IDS_TYPE_JAZ_DISK                           261
#define IDS_TYPE_DISC_FOLDER                        262
#define IDS_TYPE_ROOT_FOLDER                        263
#define IDS_TYPE_USER_FOLDER                        264
#define IDS_TYPE_AUTOMAP_FOLDER                     265
#define IDS_TYPE_DISC                               266
#define IDS_TYPE_LAUNCH_OBJECT                      267
#define IDS_TYPE_MULTIPLE_TYPES                     268
#define IDS_TYPE_PUBLIC_FOLDER                      269
#define IDS_TYPE_PUBLIC_AUTOMAP_FOLDER              270

// Registry key names and paths
#define IDS_SUBKEY_PROTOCOLS                        300
#define IDS_SUBKEY_MEDIA_TYPE                       301
#define IDS_SUBKEY_MEDIA_TYPE_CDROM                 302
#define IDS_SUBKEY_MEDIA_TYPE_CDROM_SMB_STRINGS     303
#define IDS_SUBKEY_MEDIA_TYPE_JAZ                   304
#define IDS_SUBKEY_MEDIA_TYPE_JAZ_SMB_STRINGS       305
#define IDS_SUBKEY_DISC_SEARCH                      306
#define IDS_SUBKEY_SMB_DOMAINS                      307
#define IDS_PROVIDER_VALUE_NOVELLNP                 308
#define IDS_PROVIDER_VALUE_NWNP32                   309
#define IDS_PROVIDER_VALUE_MSNP32                   310
#define IDS_KEY_NETWORK_PROVIDER_ORDER              311
#define IDS_SUBKEY_CACHE                            312
#define IDS_KEY_EXPLORER_CABINET_STATE              313
#define IDS_CABINET_SETTINGS_VALUE                  314
#define IDS_ACTIONS_KEY                             315
#define IDS_USER_DEFAULTS_KEY                       316
#define IDS_KEY_VNETSUP                             317
#define IDS_SUBKEY_SMB_SEARCH_STRINGS               318
#define IDS_SUBKEY_PRODUCT_INFO                     319
#define IDS_CLSID_KEY                               320
#define IDS_ROOT_NAME_CURRENT_USER                  321
#define IDS_KEY_WINDOWS_CURRENT_VERSION             322
#define IDS_DEFAULT_ICON_KEY                        323
#define IDS_PUBLIC_FOLDERS_KEY                      324

// Registry value names of the settings and network providers
#define IDS_AUTO_REFRESH_NEXT_EVENT_VALUE           350
#define IDS_AUTO_RESCAN_NEXT_EVENT_VALUE            351
#define IDS_MUST_RESCAN_VALUE                       352
#define IDS_MUST_REFRESH_VALUE                      353
#define IDS_LATEST_SERVER_VERSION_VALUE             354
#define IDS_PROVIDER_ORDER_VALUE                    355
#define IDS_PROGRAM_PATH_VALUE                      356
#define IDS_AUTO_REFRESH_VALUE                      357
#define IDS_AUTO_REFRESH_TIME_VALUE                 358
#define IDS_LAST_NETWARE_SERVER_VALUE               359
#define IDS_MS_WINDOWS_NETWORK_VALUE                360
#define IDS_NETWARE_NETWORK_VALUE                   361
#define IDS_PROGRAM_FILES_DIR_VALUE                 362
#define IDS_CLIPBOARD_CUT_FLAG_VALUE                363
#define IDS_SHOW_ICON_VALUE                         364
#define IDS_WORKGROUP_VALUE                         365
#define IDS_BACKGROUND_PROCESS_VALUE                366
#define IDS_AUTO_RESCAN_VALUE                       367
#define IDS_AUTO_RESCAN_TIME_VALUE                  368
#define IDS_AUTO_RESCAN_TIME_UNIT_VALUE             369
#define IDS_AUTO_REFRESH_TIME_UNIT_VALUE            370
#define IDS_AUTO_REFRESH_TIMER_VALUE                371
#define IDS_AUTO_RESCAN_TIMER_VALUE                 372
#define IDS_ENTIRE_NETWORK_VALUE                    373
#define IDS_NETWORK_TYPE_VALUE                      374
#define IDS_LOGGING_VALUE                           375
#define IDS_AUTOMAP_WARNING_VALUE                   376
#define IDS_MEDIA_NAME_CDROM                        377
#define IDS_MEDIA_NAME_JAZ                          378
#define IDS_AUTO_UPDATE_PUBLIC_VALUE                379
#define IDS_AUTO_UPDATE_PUBLIC_TIME_VALUE           380
#define IDS_AUTO_UPDATE_PUBLIC_TIME_UNIT_VALUE      381
#define IDS_AUTO_UPDATE_PUBLIC_TIMER_VALUE          382
#define IDS_AUTO_UPDATE_PUBLIC_NEXT_EVENT_VALUE     383
#define IDS_INITIALIZED_CLIENT_USER_VALUE           384
#define IDS_MUST_UPDATE_PUBLIC_VALUE                385
#define IDS_CLIENT_SETUP_LOCATION_VALUE             386
#define IDS_GLOBAL_DATA_LOCATION_VALUE              387
#define IDS_INSTALLED_VERSION_VALUE                 388
#define IDS_VERSION_VALUE                           389
#define IDS_PROVIDER_LANMAN_WORKSTATION             397
#define IDS_PROVIDER_NWC_WORKSTATION                398
#define IDS_PROVIDER_NETWARE_WORKSTATION            399

// Captions, titles and short dialog texts
#define IDS_CAPTION_ERROR_DELETING                  403
#define IDS_CAPTION_ERROR_COPYING                   404
#define IDS_CAPTION_ERROR_MOVING                    405
#define IDS_CAPTION_ERROR_ADDING                    406
#define IDS_CAPTION_ERROR_FINDING                   407
#define IDS_CAPTION_CONFIRM_DELETE                  408
#define IDS_UNABLE_TO_LOCATE_DLL_CAPTION            409
#define IDS_CAPTION_CONFIRM_REPLACE                 410
#define IDS_CAPTION_ERROR_PASTING                   411
#define IDS_CAPTION_ERROR_RENAMING                  412
#define IDS_SELECT_FOLDER_TITLE                     413
#define IDS_EDIT_TITLE_WORD                         414
#define IDS_ADD_TITLE_WORD                          415
#define IDS_SELECT_START_DIR_TITLE                  416
#define IDS_SELECT_TARGET_FILE_TITLE                417
#define IDS_LO_WIZARD_TITLE_FMT                     418
#define IDS_LO_PAGE_GENERAL                         420
#define IDS_LO_PAGE_AUTOMAPPING                     421
#define IDS_LO_PAGE_ACTIONS                         422
#define IDS_MULTI_MAPPING_PATH_TITLE_FMT            423
#define IDS_CAPTION_ERROR_IMPORTING                 424
#define IDS_CAPTION_UPDATE_SETUP_SCRIPT             432
#define IDS_CAPTION_DISCONNECT_DEVICE               433
#define IDS_CAPTION_CONNECT_DEVICE                  434
#define IDS_CAPTION_AUTOMAPPING                     435

// Message texts
#define IDS_ERR_EXPORT_FOLDER_FMT                   440
#define IDS_ERR_REMOVE_EXPORTED_FOLDER_FMT          441
#define IDS_ERR_CREATE_SHORTCUT                     442
#define IDS_BUSY_USER_FULL_SEARCH                   443
#define IDS_BUSY_USER_QUICK_SEARCH                  444
#define IDS_BUSY_AUTO_FULL_SEARCH                   445
#define IDS_ERR_FIELD_EMPTY                         447
#define IDS_ERR_EXTENSION_INVALID                   448
#define IDS_ERR_EXTENSION_BAD_CHARS                 449
#define IDS_UNABLE_TO_LOCATE_DLL_TEXT_FMT           450
#define IDS_ERR_ITEM_NOT_DELETABLE                  451
#define IDS_ERR_FOLDER_PATH_NOT_FOUND_FMT           452
#define IDS_INFO_MAPPING_ON_ACCESS                  453
#define IDS_ASK_REPLACE_DEVICE_IN_USE_FMT           454
#define IDS_DONT_SHOW_WARNING_AGAIN                 455
#define IDS_ERR_CONNECT_DISC_FMT                    457
#define IDS_ERR_LAUNCH_EXPLORER_FMT                 458
#define IDS_ERR_NETWORK_PATH_NOT_FOUND_FMT          459
#define IDS_ERR_NETWORK_ACCESS_DENIED_FMT           460
#define IDS_ERR_DEVICE_ALREADY_CONNECTED_FMT        461
#define IDS_ASK_REPLACE_CONNECTION_FMT              462
#define IDS_ERR_CONNECTION_NOT_REPLACED             463
#define IDS_ERR_COPY_MOVE_UNEXPECTED_FMT            464
#define IDS_ERR_CONNECTION_NOT_FOUND                465
#define IDS_ASK_OVERWRITE_REMEMBERED_FMT            466
#define IDS_ERR_ALL_DISCS_PATH_TOO_LONG_FMT         467
#define IDS_ERR_EXPORT_PATH_TOO_LONG_FMT            468
#define IDS_ERR_CONNECTION_NOT_ESTABLISHED          469
#define IDS_ASK_DELETE_ITEM_FMT                     470
#define IDS_ASK_DELETE_FOLDER_FMT                   471
#define IDS_ASK_DELETE_ITEMS_FMT                    472
#define IDS_ERR_NO_FREE_DRIVE_LETTER                473
#define IDS_ERR_USER_NAME_INVALID                   474
#define IDS_ERR_RENAME_WRITE_PROTECTED_FMT          476
#define IDS_ERR_NAME_REQUIRED                       477
#define IDS_ERR_DELETE_ACCESS_DENIED_FMT            478
#define IDS_ERR_RENAME_NAME_EXISTS_FMT              480
#define IDS_ERR_MOVE_INTO_SUBFOLDER_FMT             481
#define IDS_ERR_COPY_INTO_SUBFOLDER_FMT             482
#define IDS_ERR_NETWORK_PATH_BAD_CHARS              483
#define IDS_ERR_RECONNECT_UNAVAILABLE_FMT           484
#define IDS_ERR_ITEM_NOT_FOUND_FMT                  485
#define IDS_ERR_PASTE_ACCESS_DENIED_FMT             486
#define IDS_ERR_RENAME_TOO_LONG_FMT                 487
#define IDS_ERR_LAUNCH_OBJECT_NOT_ALLOWED           488
#define IDS_ASK_REPLACE_ITEM_FMT                    489
#define IDS_ERR_MOVE_SAME_FOLDER_FMT                490
#define IDS_ERR_CREATE_NAME_EXISTS_FMT              495
#define IDS_ASK_CONTINUE_AFTER_MAP_FAILURE_FMT      496
#define IDS_ASK_CONTINUE_AFTER_FREE_MAP_FAILURE_FMT 497
#define IDS_ASK_DISCONNECT_WITH_OPEN_FILES_FMT      500
#define IDS_ERR_MAP_CONNECTION_NOT_FOUND_FMT        502
#define IDS_ERR_MAP_USER_NAME_INVALID_FMT           503
#define IDS_ERR_MAP_PASSWORD_INVALID_FMT            504
#define IDS_ERR_MAP_CONNECTION_FAILED_FMT           505
#define IDS_ERR_PATH_INVALID_FMT                    506
#define IDS_ERR_STRING_EMPTY                        508
#define IDS_ERR_PATH_DOES_NOT_EXIST_FMT             509
#define IDS_ERR_NAME_BAD_CHARS                      512
#define IDS_ERR_FILE_HAS_NO_ICONS_FMT               513
#define IDS_ERR_ADD_ACCESS_DENIED_FMT               514
#define IDS_ERR_IMPORT_NAME_CLASH_FMT               515
#define IDS_ERR_PUBLIC_DATA_UNAVAILABLE             517
#define IDS_ERR_NO_CLIENT_SETUP_LOCATION            524
#define IDS_ERR_TARGET_FILE_QUOTES_FMT              525
#define IDS_FIRST_TIME_CLIENT_PROMPT_FMT            526
#define IDS_WARN_SERVER_VERSION_MISMATCH_FMT        534
#define IDS_ASK_UPDATE_SETUP_SCRIPT                 539
#define IDS_SETUP_SCRIPT_SAVED_FMT                  540
#define IDS_ERR_SETUP_SCRIPT_NOT_SAVED_FMT          541
#define IDS_ERR_PUBLIC_FOLDER_LIST_UNREADABLE       542

// Registered window message names, broadcast between the programs
#define IDS_MSG_CACHE_REFRESHED                     570
#define IDS_MSG_SEARCH_ADDED_ITEM                   571
#define IDS_MSG_SHOW_TRAY_ICON                      572
#define IDS_MSG_HIDE_TRAY_ICON                      573
#define IDS_MSG_START_STOP_LOG                      574
#define IDS_MSG_DELETE_ITEM                         575
#define IDS_MSG_CUT_ITEM                            576
#define IDS_MSG_COPY_ITEM                           577
#define IDS_MSG_PASTE_ITEM                          578
#define IDS_MSG_REFRESH_TIMER_CHANGE                579
#define IDS_MSG_RESCAN_TIMER_CHANGE                 580
#define IDS_MSG_BACKGROUND_SEARCH_CHANGE            581
#define IDS_MSG_ITEM_COUNT                          582
#define IDS_MSG_UPDATE_PUBLIC_TIMER_CHANGE          583
#define IDS_MSG_REGISTER_WITH_SERVER                584
#define IDS_MSG_MENU_IS_ACTIVATED                   585
#define IDS_MSG_GET_SELECTED_ITEM_TYPE              586
#define IDS_MSG_GET_SELECTED_ITEM_COUNT             587
#define IDS_MSG_SELECTED_ITEM_OPEN                  588
#define IDS_MSG_SELECTED_ITEM_EXPLORE               589
#define IDS_MSG_SELECTED_ITEM_CREATE_SHORTCUT       590
#define IDS_MSG_SELECTED_ITEM_RENAME                591
#define IDS_MSG_SELECTED_ITEM_SHOW_PROPERTIES       592
#define IDS_MSG_GET_SELECTED_ITEMS_PARENT_TYPE      593
#define IDS_MSG_GET_SHELLVIEW_CLIENT_ID             594

// Mutex names that keep one instance of a program or dialog
#define IDS_MUTEX_SEARCH_MODULE                     600
#define IDS_MUTEX_SETTINGS                          601
#define IDS_MUTEX_ABOUT_BOX                         602
#define IDS_MUTEX_INITIAL_NETWORK_SETUP             603
#define IDS_MUTEX_NEW_USER_INITIALIZATION           604

// Dialog texts, labels and name patterns
#define IDS_SETTINGS_TITLE_FMT                      630
#define IDS_BUTTON_YES                              632
#define IDS_BUTTON_NO                               633
#define IDS_FILTER_EXECUTABLE_FILES                 641
#define IDS_SHORTCUT_TO_FMT                         660
#define IDS_DEFAULT_USER_NAME                       663
#define IDS_INVALID_NAME_CHARACTERS                 664
#define IDS_INVALID_NETWORK_PATH_CHARACTERS         665
#define IDS_PASSWORD_REQUIRED_PROMPT                690
#define IDS_SHARED_DISCS_LABEL                      691
#define IDS_SELECT_BUTTON_TEXT                      692
#define IDS_START_DIRECTORY_LABEL                   693
#define IDS_SELECT_SHARED_DIRECTORY_TITLE           697
#define IDS_COPY_OF_PREFIX                          698
#define IDS_COPY_N_OF_FMT                           699

// File names and extensions
#define IDS_HELP_FILE_NAME                          700
#define IDS_SEARCH_MODULE_EXE_NAME                  701
#define IDS_BRANDING_DLL_NAME                       702
#define IDS_FALLBACK_LOG_FILE_NAME                  703
#define IDS_TUTORIAL_HELP_FILE_NAME                 704
#define IDS_SHELL_EXTENSION_DLL_NAME                705
#define IDS_SETTINGS_EXE_NAME                       706
#define IDS_PUBLIC_INDEX_FILE_NAME                  707
#define IDS_SETUP_SCRIPT_FILE_NAME                  708
#define IDS_PUBLIC_FOLDER_FILE_EXT                  711
#define IDS_CACHE_DATABASE_FILE_EXT                 712
#define IDS_SHORTCUT_FILE_EXT                       714
#define IDS_SHELL32_DLL_NAME                        718
#define IDS_WORKGROUP_HELPER_EXE_NAME               719

// Launch objects and mappings
#define IDS_ACTION_EXECUTE_TARGET_FILE              720
#define IDS_MAPPING_TARGET_FILE_PATH                721
#define IDS_MAPPING_THIS_DISC                       722
#define IDS_MAPPING_NO_DRIVE                        723
#define IDS_ACTION_TYPE_TARGET_FILE                 724
#define IDS_ACTION_TYPE_MESSAGE_BOX                 725
#define IDS_ACTION_TYPE_PARAMETER_LIST              726
#define IDS_ACTION_TYPE_FILE_DIALOG                 727
#define IDS_ACTION_COLUMN_NAME                      728
#define IDS_ACTION_COLUMN_TYPE                      729
#define IDS_NEW_ACTION_NAME                         730
#define IDS_START_AS_NORMAL                         750
#define IDS_START_AS_MINIMIZED                      751
#define IDS_START_AS_MAXIMIZED                      752
#define IDS_BROWSE_DISCS_BUTTON                     772

// Client set-up script sections and keys; password dialog; folder browser
#define IDS_SCRIPT_SECTION_SILENT_DIALOGS           800
#define IDS_SCRIPT_DIALOG_WELCOME                   801
#define IDS_SCRIPT_DIALOG_UNINSTALL                 802
#define IDS_SCRIPT_DIALOG_ASK_DEST_PATH             803
#define IDS_SCRIPT_DIALOG_START_COPY_FILES          804
#define IDS_SCRIPT_DIALOG_STATUS                    805
#define IDS_SCRIPT_DIALOG_ASK_DATA_PATH             806
#define IDS_SCRIPT_DIALOG_ASK_OPTIONS               807
#define IDS_SCRIPT_DIALOG_FINISH                    808
#define IDS_SCRIPT_SECTION_DIALOG_DATA              820
#define IDS_SCRIPT_KEY_DESTINATION_LOCATION         821
#define IDS_SCRIPT_KEY_GLOBAL_DATA_LOCATION         822
#define IDS_SCRIPT_KEY_CREATE_SHORTCUT              823
#define IDS_SCRIPT_KEY_RUN_TUTORIAL                 824
#define IDS_PASSWORD_RESOURCE_LABEL                 830
#define IDS_SELECT_SHORTCUT_FOLDER_TITLE            833

// Public folder export and index file
#define IDS_EXPORT_DWORD_PREFIX                     900
#define IDS_EXPORT_STRING_FMT                       901
#define IDS_PROGRAM_FILES_PLACEHOLDER               915
#define IDS_INDEX_SERVER_SECTION_FMT                950
#define IDS_INDEX_KEY_VERSION                       951
#define IDS_INDEX_KEY_CLIENT_SETUP_LOCATION         952
#define IDS_INDEX_KEY_COMMENT                       953
#define IDS_INDEX_KEY_FILE                          954

// Drive mapping: names the network would otherwise receive cut (a block of sixteen of its own)
#define IDS_ERR_NETWORK_PATH_TOO_LONG_FMT           1024
#define IDS_ERR_CREDENTIALS_TOO_LONG_FMT            1025
#define IDS_ERR_NOT_A_DRIVE_LETTER_FMT              1026

// Data transfer: an item replaced by one of the same name (a block of sixteen of its own)
#define IDS_ERR_REPLACE_HOLDS_SOURCE_FMT            1056
#define IDS_REPLACED_ITEM_ASIDE_FMT                 1057

// The Explorer parts: commands whose work the search module does (a block of sixteen of its own)
#define IDS_ERR_SEARCH_MODULE_UNREACHABLE           1072

// The settings program (a block of sixteen of its own)
#define IDS_ERR_SETTINGS_PROGRAM_MISSING_FMT        1088

// The property sheets of items (a block of sixteen of its own)
#define IDS_ERR_ITEM_NOT_SAVED_FMT                  1104
#define IDS_DRIVE_LETTER_GONE_FMT                   1105
#define IDS_ERR_NEW_ITEM_SETTINGS_NOT_SAVED_FMT     1106
#define IDS_MULTIPLE_TYPES                          1107
#define IDS_MULTIPLE_SERVERS                        1108
#define IDS_ENTRY_COLUMN_DESCRIPTION                1109
#define IDS_ENTRY_COLUMN_PARAMETER                  1110
#define IDS_ENTRY_COLUMN_EXTENSION                  1111
#define IDS_ERR_DESCRIPTION_BAD_CHARS               1112
#define IDS_ERR_PARAMETER_BAD_CHARS                 1113
