; The installer's names and texts. The names are the ones the suite's programs and its purge tool
; look for, so they stay exactly as they are.

!define MAKER "Orvek Communications"
!define PRODUCT "Tessaro Halvo"
!define PRODUCT_TITLE "ORVEK Tessaro Halvo"
!define PRODUCT_KEY "SOFTWARE\${MAKER}\${PRODUCT}"
!define MAKER_KEY "SOFTWARE\${MAKER}"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_TITLE}"
!define MENU_FOLDER "${MAKER}\ORVEK Tessaro HALVO"
!define SEARCH_MODULE_WINDOW_CLASS "TrawlexSearchModuleWindow"
!define SCRIPT_NAME "sscript.ini"
!define CLIENT_SETUP_FOLDER "Client Setup"
!define TUTORIAL_FILE "Tutorial.hlp"

; Machine values (the product key under HKEY_LOCAL_MACHINE).
!define VALUE_PROGRAM_PATH "Program Path"
!define VALUE_INSTALLED_VERSION "Installed Version"
!define VALUE_CLIENT_SETUP_LOCATION "Client Setup Location"
!define VALUE_GLOBAL_DATA_LOCATION "Global Data Location"
!define VALUE_WORKGROUP "Workgroup"
!define SERVER_INSTALLATION 387

; What this installation made, recorded in its uninstall entry so that removal takes exactly that.
!define MARK_MADE_SETUP_FOLDER "Made Client Setup Folder"
!define MARK_WROTE_SETUP_LOCATION "Wrote Client Setup Location"
!define MARK_WROTE_DATA_LOCATION "Wrote Global Data Location"
!define MARK_MADE_DESKTOP_SHORTCUT "Made Desktop Shortcut"

; Shortcuts.
!define LINK_SETTINGS "Network Storage Settings.lnk"
!define LINK_FIND "Find Discs.lnk"
!define LINK_PURGE "Remove All Data.lnk"
!define LINK_UNINSTALL "Uninstall.lnk"
!define LINK_STARTUP "Trawlex.lnk"
!define LINK_DESKTOP "Network Storage.lnk"

; Texts of the pages and messages.
!define TEXT_EARLIER_TITLE "Earlier Installation"
!define TEXT_EARLIER_SUBTITLE "${PRODUCT_TITLE} is already installed on this computer."
!define TEXT_EARLIER_BODY "Setup will replace the installed version $EarlierVersion in $EarlierFolder.$\r$\n$\r$\nThe users' data and the settings an administrator made (the public folder data location and the client setup location) are kept."
!define TEXT_KIND_TITLE "Installation Kind"
!define TEXT_KIND_SUBTITLE "Choose who will use ${PRODUCT_TITLE} on this computer."
!define TEXT_KIND_SERVER "&Administrator: manage the storage servers, make folders public and set up client computers"
!define TEXT_KIND_CLIENT "&Client: use the discs and the public folders an administrator shares"
!define TEXT_DATA_TITLE "Public Folders Location"
!define TEXT_DATA_SUBTITLE "Choose where the administrator's public folder data is found."
!define TEXT_DATA_BODY "The public folders the administrator shares are read from this folder (usually a folder on the network):"
!define TEXT_DATA_BROWSE "B&rowse..."
!define TEXT_DATA_BROWSE_TITLE "Select the folder of the public folder data:"
!define TEXT_OPTIONS_TITLE "Options"
!define TEXT_OPTIONS_SUBTITLE "Choose what Setup does besides installing the programs."
!define TEXT_OPTIONS_SHORTCUT "Create a shortcut to Network Storage on the &desktop."
!define TEXT_OPTIONS_TUTORIAL "Launch the ${PRODUCT_TITLE} &tutorial."
!define TEXT_READY_TITLE "Ready to Install"
!define TEXT_READY_SUBTITLE "Setup has what it needs to install ${PRODUCT_TITLE}."
!define TEXT_READY_KIND_SERVER "Administrator installation"
!define TEXT_READY_KIND_CLIENT "Client installation"
!define TEXT_CANNOT_WRITE "Setup cannot write to the destination folder:$\r$\n$INSTDIR$\r$\n$\r$\nChoose a folder you may write to. Nothing was installed."
!define TEXT_BAD_DESTINATION "The destination folder is not a full path (a drive path such as C:\Folder, or a network path such as \\server\share\folder):$\r$\n$0$\r$\n$\r$\nNothing was installed."
!define TEXT_QUOTED_DESTINATION "The destination folder must be given without quotes, as the last argument:$\r$\n/D=C:\Folder with blanks$\r$\n$\r$\nNothing was installed."
!define TEXT_SCRIPT_DESTINATION_REFUSED "The set-up script's destination folder is refused (it must be a full path outside the Windows folder): "
!define TEXT_STEP_FAILED "Setup could not finish installing ${PRODUCT_TITLE}: $0.$\r$\n$\r$\nWhat was installed has been removed again."
!define TEXT_SEARCH_MODULE_RUNS "The ${PRODUCT_TITLE} search module does not end. Close the programs of ${PRODUCT_TITLE} and try again."
