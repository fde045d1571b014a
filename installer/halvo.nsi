; HalvoSetup.exe: installs the suite for an administrator (a server installation) or, with a
; set-up script beside it, for a client. Built by the build (installer/CMakeLists.txt), which
; defines TARGET (the NSIS target), FILES (the include file that lists the files to install),
; OUTFILE, VERSION, NAMESPACE_CLSID, MODULE_CLSID (the search module's class), ICON, and, for a
; 32-bit installer that carries the 64-bit Explorer's namespace, HAS_EXPLORER64.
;
; Command line: /S installs silently, /D=<folder> (the last argument, unquoted) is the
; destination. The exit code is 0 on success and non-zero on failure, silent or not.

Target ${TARGET}
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "strings.nsh"
!include "${FILES}"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "StrFunc.nsh"
!include "WinMessages.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

${StrLoc}

Name "${PRODUCT_TITLE}"
Caption "${PRODUCT_TITLE} ${VERSION} Setup"
OutFile "${OUTFILE}"
BrandingText "${MAKER}"
!if ${TARGET} == "amd64-unicode"
InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
!else
InstallDir "$PROGRAMFILES\${MAKER}\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT_TITLE}"
VIAddVersionKey /LANG=1033 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT_TITLE} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${MAKER}"

Var ServerKind          ; 1: an administrator's installation, 0: a client's
Var Scripted            ; 1 when a set-up script lies beside the installer
Var Script
Var SkipWelcome
Var SkipUninstall
Var SkipDestPath
Var SkipStartCopyFiles
Var SkipStatus
Var SkipDataPath
Var SkipOptions
Var SkipFinish
Var DataLocation        ; the public folder data location a client reads
Var CreateDesktopLink
Var RunTutorial
Var EarlierFolder       ; the folder of an earlier installation, empty when there is none
Var EarlierVersion
Var RefusedDestination  ; the script's destination when it was refused, said in the details
Var MadeParentFolder    ; the folder above the destination when this installation made it
Var KindServerRadio
Var DataField
Var LinkBox
Var TutorialBox

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWelcomeIfScripted
!insertmacro MUI_PAGE_WELCOME
Page custom EarlierInstallationPage
Page custom KindPage KindPageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipDestinationIfScripted
!insertmacro MUI_PAGE_DIRECTORY
Page custom DataLocationPage DataLocationPageLeave
Page custom OptionsPage OptionsPageLeave
Page custom ReadyPage
!define MUI_PAGE_CUSTOMFUNCTION_SHOW HideDetailsIfScripted
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFinishIfScripted
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------------------------
; Shared by the installer (to take back a failed first installation) and the uninstaller.

; Asks a running search module to end and waits for it; the error flag is set when it does not.
!macro STOP_SEARCH_MODULE
    ClearErrors
    FindWindow $0 "${SEARCH_MODULE_WINDOW_CLASS}"
    ${If} $0 <> 0
        DetailPrint "Ending the search module"
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        StrCpy $1 0
        ${Do}
            Sleep 100
            FindWindow $0 "${SEARCH_MODULE_WINDOW_CLASS}"
            IntOp $1 $1 + 1
            ${If} $0 = 0
            ${OrIf} $1 >= 150
                ${ExitDo}
            ${EndIf}
        ${Loop}
        ${If} $0 <> 0
            SetErrors
        ${EndIf}
    ${EndIf}
!macroend

; The 64-bit Explorer's namespace that a 32-bit installation adds on 64-bit Windows.
!macro REMOVE_EXPLORER64
!ifdef HAS_EXPLORER64
    ${If} ${RunningX64}
        ${If} ${FileExists} "$INSTDIR\x64\RegisterNamespace.exe"
            ExecWait '"$INSTDIR\x64\RegisterNamespace.exe" /unregister' $0
        ${EndIf}
        ${If} ${FileExists} "$INSTDIR\x64\Stubwire.dll"
            ${DisableX64FSRedirection}
            ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\x64\Stubwire.dll"' $0
            ${EnableX64FSRedirection}
        ${EndIf}
        SetRegView 64
        DeleteRegKey HKCR "CLSID\${MODULE_CLSID}"
        SetRegView 32
        !insertmacro HALVO_REMOVE_FILES_64
        RMDir "$INSTDIR\x64"
    ${EndIf}
!endif
!macroend

; Removes everything the installation in $INSTDIR wrote, as its uninstall entry records it.
!macro REMOVE_INSTALLATION
    SetShellVarContext all
    ; A folder that is a process's current folder cannot go.
    SetOutPath "$TEMP"
    DetailPrint "Removing the registrations"
    !insertmacro REMOVE_EXPLORER64
    ${If} ${FileExists} "$INSTDIR\RegisterNamespace.exe"
        ExecWait '"$INSTDIR\RegisterNamespace.exe" /unregister' $0
    ${EndIf}
    ; In a process of its own: the runtime a library loads can stay in the process that
    ; loaded it, and would then stay behind as a file.
    ${If} ${FileExists} "$INSTDIR\Stubwire.dll"
        ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\Stubwire.dll"' $0
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\Trawlex.exe"
        ExecWait '"$INSTDIR\Trawlex.exe" /UnregServer' $0
    ${EndIf}

    DetailPrint "Removing the shortcuts"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\${LINK_SETTINGS}"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\${LINK_FIND}"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\${LINK_PURGE}"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\${LINK_UNINSTALL}"
    RMDir "$SMPROGRAMS\${MENU_FOLDER}"
    RMDir "$SMPROGRAMS\${MAKER}"
    Delete "$SMSTARTUP\${LINK_STARTUP}"
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "${MARK_MADE_DESKTOP_SHORTCUT}"
    ${If} $0 = 1
        Delete "$DESKTOP\${LINK_DESKTOP}"
    ${EndIf}

    ; The client set-up folder keeps the administrator's own files (the set-up script).
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "${MARK_MADE_SETUP_FOLDER}"
    ${If} $0 != ""
        Delete "$0\HalvoSetup.exe"
        RMDir "$0"
    ${EndIf}

    DetailPrint "Removing the machine settings"
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "${MARK_WROTE_SETUP_LOCATION}"
    ${If} $0 = 1
        DeleteRegValue HKLM "${PRODUCT_KEY}" "${VALUE_CLIENT_SETUP_LOCATION}"
    ${EndIf}
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "${MARK_WROTE_DATA_LOCATION}"
    ${If} $0 = 1
        DeleteRegValue HKLM "${PRODUCT_KEY}" "${VALUE_GLOBAL_DATA_LOCATION}"
    ${EndIf}
    DeleteRegValue HKLM "${PRODUCT_KEY}" "${VALUE_PROGRAM_PATH}"
    DeleteRegValue HKLM "${PRODUCT_KEY}" "${VALUE_INSTALLED_VERSION}"
    DeleteRegValue HKLM "${PRODUCT_KEY}" "${VALUE_WORKGROUP}"
    DeleteRegKey HKLM "${PRODUCT_KEY}\User"
    DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "${MAKER_KEY}"

    DetailPrint "Removing the programs"
    !insertmacro HALVO_REMOVE_FILES
    Delete "$INSTDIR\Uninstall.exe"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Only what is empty goes: a log or a user's own file keeps its folder. The folder above
    ; goes only when it is the maker's, which the default destination made.
    RMDir "$INSTDIR"
    ${GetParent} "$INSTDIR" $0
    ${GetFileName} "$0" $1
    ${If} $1 == "${MAKER}"
        RMDir "$0"
    ${EndIf}
!macroend

; ---------------------------------------------------------------------------------------------
; The command line and the set-up script

; $0: the text of the /D= argument as typed, empty when there is none. NSIS takes /D= only as
; the last argument and swaps a path it cannot use for the default without a word.
Function DestinationArgument
    System::Call 'kernel32::GetCommandLine() t .r1'
    ${StrLoc} $2 $1 " /D=" ">"
    StrCpy $0 ""
    ${If} $2 != ""
        IntOp $2 $2 + 4
        StrCpy $0 $1 "" $2
        ; NSIS drops a trailing backslash.
        StrCpy $2 $0 1 -1
        ${If} $2 == "\"
            StrCpy $0 $0 -1
        ${EndIf}
    ${EndIf}
FunctionEnd

; $0 in, $0 out: "" when the folder is usable as a destination, else the folder unchanged.
; A destination is a full path (X:\... or \\server\share...), outside the Windows folder, and
; never climbs with "..".
Function IsUnusableDestination
    StrCpy $1 $0 1 1
    StrCpy $2 $0 2
    ${If} $1 == ":"
        StrCpy $1 $0 1 2
        ${If} $1 != "\"
            Return
        ${EndIf}
    ${ElseIf} $2 != "\\"
        Return
    ${EndIf}
    ${StrLoc} $1 "$0\" "\..\" ">"
    ${If} $1 != ""
        Return
    ${EndIf}
    StrLen $1 $WINDIR
    StrCpy $2 "$0\" $1
    StrCpy $3 "$0\" 1 $1
    ${If} $2 == $WINDIR
    ${AndIf} $3 == "\"
        Return
    ${EndIf}
    StrCpy $0 ""
FunctionEnd

!macro READ_SILENT_KEY VAR KEY
    ReadINIStr $0 "$Script" "Silent Dialogs" "${KEY}"
    ${If} $0 == "1"
        StrCpy ${VAR} 1
    ${Else}
        StrCpy ${VAR} 0
    ${EndIf}
!macroend

; The script's answers. A damaged or partial script is never fatal: what it does not answer is
; asked, or takes its default when nobody is asked.
Function ReadSetupScript
    !insertmacro READ_SILENT_KEY $SkipWelcome "Welcome"
    !insertmacro READ_SILENT_KEY $SkipUninstall "Uninstall"
    !insertmacro READ_SILENT_KEY $SkipDestPath "AskDestPath"
    !insertmacro READ_SILENT_KEY $SkipStartCopyFiles "StartCopyFiles"
    !insertmacro READ_SILENT_KEY $SkipStatus "Status"
    !insertmacro READ_SILENT_KEY $SkipDataPath "AskDataPath"
    !insertmacro READ_SILENT_KEY $SkipOptions "AskOptions"
    !insertmacro READ_SILENT_KEY $SkipFinish "Finish"
    IntOp $0 $SkipWelcome & $SkipUninstall
    IntOp $0 $0 & $SkipDestPath
    IntOp $0 $0 & $SkipStartCopyFiles
    IntOp $0 $0 & $SkipStatus
    IntOp $0 $0 & $SkipDataPath
    IntOp $0 $0 & $SkipOptions
    IntOp $0 $0 & $SkipFinish
    ${If} $0 = 1
        SetSilent silent
    ${EndIf}

    ReadINIStr $0 "$Script" "Dialog Data" "GlobalDataLocation"
    ${If} $0 != ""
        StrCpy $DataLocation $0
    ${EndIf}
    ReadINIStr $0 "$Script" "Dialog Data" "CreateShortcut"
    ${If} $0 == "0"
    ${OrIf} $0 == "1"
        StrCpy $CreateDesktopLink $0
    ${EndIf}
    ReadINIStr $0 "$Script" "Dialog Data" "RunTutorial"
    ${If} $0 == "0"
    ${OrIf} $0 == "1"
        StrCpy $RunTutorial $0
    ${EndIf}

    ; A destination given on the command line wins over the script's.
    Call DestinationArgument
    ${If} $0 != ""
        Return
    ${EndIf}
    ReadINIStr $0 "$Script" "Dialog Data" "DestinationLocation"
    ${If} $0 == ""
        Return
    ${EndIf}
    ; "%PROGRAM_FILES%" in any letter case stands for this computer's Program Files folder.
    StrCpy $1 $0 15
    ${If} $1 == "%PROGRAM_FILES%"
        StrCpy $1 $0 "" 15
!if ${TARGET} == "amd64-unicode"
        StrCpy $0 "$PROGRAMFILES64$1"
!else
        StrCpy $0 "$PROGRAMFILES$1"
!endif
    ${EndIf}
    StrCpy $R9 $0   ; the check uses $0 to $3
    Call IsUnusableDestination
    ${If} $0 != ""
        StrCpy $RefusedDestination $0
        Return
    ${EndIf}
    StrCpy $INSTDIR $R9
FunctionEnd

Function .onInit
!if ${TARGET} == "amd64-unicode"
    SetRegView 64
!endif
    StrCpy $ServerKind 1
    StrCpy $Scripted 0
    StrCpy $CreateDesktopLink 1
    StrCpy $RunTutorial 0
    StrCpy $Script "$EXEDIR\${SCRIPT_NAME}"
    ReadRegStr $DataLocation HKLM "${PRODUCT_KEY}" "${VALUE_GLOBAL_DATA_LOCATION}"
    ReadRegStr $EarlierFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $EarlierVersion HKLM "${UNINSTALL_KEY}" "DisplayVersion"

    ; A /D= that NSIS could not use is an error, never a quiet switch to another folder:
    ; quoted (NSIS takes it only unquoted), or not a full path.
    System::Call 'kernel32::GetCommandLine() t .r1'
    ${StrLoc} $2 $1 '"/D=' ">"
    ${If} $2 != ""
        MessageBox MB_OK|MB_ICONSTOP "${TEXT_QUOTED_DESTINATION}" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    Call DestinationArgument
    ${If} $0 != ""
        ${If} $0 != $INSTDIR
            MessageBox MB_OK|MB_ICONSTOP "${TEXT_BAD_DESTINATION}" /SD IDOK
            SetErrorLevel 3
            Quit
        ${EndIf}
    ${ElseIf} $EarlierFolder != ""
        ; An earlier installation is replaced where it is.
        StrCpy $INSTDIR $EarlierFolder
    ${EndIf}

    ; The administrator's set-up folder holds a script for the clients: beside it, this is a
    ; client's installation.
    ${If} ${FileExists} "$Script"
        StrCpy $ServerKind 0
        StrCpy $Scripted 1
        Call ReadSetupScript
    ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Pages

Function SkipWelcomeIfScripted
    ${If} $SkipWelcome = 1
        Abort
    ${EndIf}
FunctionEnd

Function SkipDestinationIfScripted
    ${If} $SkipDestPath = 1
        Abort
    ${EndIf}
FunctionEnd

Function HideDetailsIfScripted
    ${If} $SkipStatus = 1
        SetAutoClose true
        SetDetailsView hide
    ${EndIf}
FunctionEnd

Function SkipFinishIfScripted
    ${If} $SkipFinish = 1
        Abort
    ${EndIf}
FunctionEnd

Function EarlierInstallationPage
    ${If} $EarlierFolder == ""
    ${OrIf} $SkipUninstall = 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "${TEXT_EARLIER_TITLE}" "${TEXT_EARLIER_SUBTITLE}"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 100% "${TEXT_EARLIER_BODY}"
    Pop $0
    nsDialogs::Show
FunctionEnd

Function KindPage
    ${If} $Scripted = 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "${TEXT_KIND_TITLE}" "${TEXT_KIND_SUBTITLE}"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 10u 100% 24u "${TEXT_KIND_SERVER}"
    Pop $KindServerRadio
    ${NSD_AddStyle} $KindServerRadio ${WS_GROUP}
    ${NSD_CreateRadioButton} 0 40u 100% 24u "${TEXT_KIND_CLIENT}"
    Pop $0
    ${If} $ServerKind = 1
        ${NSD_Check} $KindServerRadio
    ${Else}
        ${NSD_Check} $0
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function KindPageLeave
    ${NSD_GetState} $KindServerRadio $0
    ${If} $0 = ${BST_CHECKED}
        StrCpy $ServerKind 1
    ${Else}
        StrCpy $ServerKind 0
    ${EndIf}
FunctionEnd

Function DataLocationPage
    ${If} $ServerKind = 1
    ${OrIf} $SkipDataPath = 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "${TEXT_DATA_TITLE}" "${TEXT_DATA_SUBTITLE}"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 24u "${TEXT_DATA_BODY}"
    Pop $0
    ${NSD_CreateText} 0 30u 75% 12u "$DataLocation"
    Pop $DataField
    ${NSD_CreateButton} 78% 29u 22% 14u "${TEXT_DATA_BROWSE}"
    Pop $0
    ${NSD_OnClick} $0 BrowseForDataLocation
    nsDialogs::Show
FunctionEnd

Function BrowseForDataLocation
    Pop $0
    ${NSD_GetText} $DataField $1
    nsDialogs::SelectFolderDialog "${TEXT_DATA_BROWSE_TITLE}" "$1"
    Pop $1
    ${If} $1 != "error"
        ${NSD_SetText} $DataField $1
    ${EndIf}
FunctionEnd

Function DataLocationPageLeave
    ${NSD_GetText} $DataField $DataLocation
FunctionEnd

Function OptionsPage
    ${If} $SkipOptions = 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "${TEXT_OPTIONS_TITLE}" "${TEXT_OPTIONS_SUBTITLE}"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 10u 100% 12u "${TEXT_OPTIONS_SHORTCUT}"
    Pop $LinkBox
    ${If} $CreateDesktopLink = 1
        ${NSD_Check} $LinkBox
    ${EndIf}
    ${NSD_CreateCheckbox} 0 30u 100% 12u "${TEXT_OPTIONS_TUTORIAL}"
    Pop $TutorialBox
    ${If} $RunTutorial = 1
        ${NSD_Check} $TutorialBox
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
    ${NSD_GetState} $LinkBox $0
    ${If} $0 = ${BST_CHECKED}
        StrCpy $CreateDesktopLink 1
    ${Else}
        StrCpy $CreateDesktopLink 0
    ${EndIf}
    ${NSD_GetState} $TutorialBox $0
    ${If} $0 = ${BST_CHECKED}
        StrCpy $RunTutorial 1
    ${Else}
        StrCpy $RunTutorial 0
    ${EndIf}
FunctionEnd

Function ReadyPage
    ${If} $SkipStartCopyFiles = 1
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "${TEXT_READY_TITLE}" "${TEXT_READY_SUBTITLE}"
    nsDialogs::Create 1018
    Pop $0
    ${If} $ServerKind = 1
        StrCpy $1 "${TEXT_READY_KIND_SERVER}"
    ${Else}
        StrCpy $1 "${TEXT_READY_KIND_CLIENT}"
    ${EndIf}
    StrCpy $1 "$1$\r$\n$\r$\nDestination folder:$\r$\n      $INSTDIR"
    ${If} $ServerKind = 0
        StrCpy $1 "$1$\r$\n$\r$\nPublic folder data location:$\r$\n      $DataLocation"
    ${EndIf}
    ${NSD_CreateLabel} 0 0 100% 100% "$1$\r$\n$\r$\nClick Install to begin."
    Pop $0
    nsDialogs::Show
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Installing

; Ends the installation with a message and a non-zero exit code; a first installation is taken
; back, an earlier one is left as it is. $0 names the step that failed.
Function FailInstallation
    DetailPrint "Failed: $0"
    ${If} $EarlierFolder == ""
        !insertmacro REMOVE_INSTALLATION
        RMDir "$MadeParentFolder"
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "${TEXT_STEP_FAILED}" /SD IDOK
    SetErrorLevel 2
    Quit
FunctionEnd

; The destination must take files before anything is written anywhere.
Function CheckDestinationWritable
    ${GetParent} "$INSTDIR" $1
    StrCpy $MadeParentFolder ""
    ${IfNot} ${FileExists} "$1\*.*"
        StrCpy $MadeParentFolder $1
    ${EndIf}
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\halvo-setup.tmp" w
    ${If} ${Errors}
        ; Only the empty folders this attempt made go again.
        RMDir "$INSTDIR"
        RMDir "$MadeParentFolder"
        MessageBox MB_OK|MB_ICONSTOP "${TEXT_CANNOT_WRITE}" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    FileClose $0
    Delete "$INSTDIR\halvo-setup.tmp"
FunctionEnd

Function WriteMachineSettings
    WriteRegStr HKLM "${PRODUCT_KEY}" "${VALUE_PROGRAM_PATH}" "$INSTDIR"
    ${If} $ServerKind = 1
        WriteRegDWORD HKLM "${PRODUCT_KEY}" "${VALUE_INSTALLED_VERSION}" ${SERVER_INSTALLATION}
    ${Else}
        DeleteRegValue HKLM "${PRODUCT_KEY}" "${VALUE_INSTALLED_VERSION}"
    ${EndIf}
    ; A new user's settings and cache start from these (the user set-up copies them).
    WriteRegDWORD HKLM "${PRODUCT_KEY}\User" "Microsoft Windows Network" 1
    WriteRegDWORD HKLM "${PRODUCT_KEY}\User" "NetWare Network" 0
    WriteRegDWORD HKLM "${PRODUCT_KEY}\User" "Logging" 0
    WriteRegStr HKLM "${PRODUCT_KEY}\User\Cache" "Name" "Network Storage"
    WriteRegStr HKLM "${PRODUCT_KEY}\User\Cache" "OriginalName" "Network Storage"
    WriteRegDWORD HKLM "${PRODUCT_KEY}\User\Cache" "ItemType" 4
    WriteRegStr HKLM "${PRODUCT_KEY}\User\Cache\All Discs" "Name" "All Discs"
    WriteRegStr HKLM "${PRODUCT_KEY}\User\Cache\All Discs" "OriginalName" "All Discs"
    WriteRegDWORD HKLM "${PRODUCT_KEY}\User\Cache\All Discs" "ItemType" 0

    ; A client reads the administrator's public folders from the data location. It starts as
    ; the value already set, so only an answer given on the page or in the script changes it.
    ReadRegStr $0 HKLM "${PRODUCT_KEY}" "${VALUE_GLOBAL_DATA_LOCATION}"
    ${If} $ServerKind = 0
    ${AndIf} $DataLocation != ""
    ${AndIf} $DataLocation != $0
        WriteRegStr HKLM "${PRODUCT_KEY}" "${VALUE_GLOBAL_DATA_LOCATION}" "$DataLocation"
        ${If} $0 == ""
            WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${MARK_WROTE_DATA_LOCATION}" 1
        ${EndIf}
    ${EndIf}
FunctionEnd

; The administrator's folder of client set-up files, with this installer in it.
Function MakeClientSetupFolder
    ReadRegStr $1 HKLM "${PRODUCT_KEY}" "${VALUE_CLIENT_SETUP_LOCATION}"
    ${If} $1 == ""
        StrCpy $1 "$INSTDIR\${CLIENT_SETUP_FOLDER}"
        WriteRegStr HKLM "${PRODUCT_KEY}" "${VALUE_CLIENT_SETUP_LOCATION}" "$1"
        WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${MARK_WROTE_SETUP_LOCATION}" 1
    ${EndIf}
    ${If} $1 == $EXEDIR
        Return   ; installed from the set-up folder itself
    ${EndIf}
    ClearErrors
    CreateDirectory "$1"
    CopyFiles /SILENT "$EXEPATH" "$1\HalvoSetup.exe"
    ${If} ${Errors}
        DetailPrint "The client set-up folder $1 could not take the installer"
        Return
    ${EndIf}
    DetailPrint "Client set-up folder: $1"
    ; The administrator moved the folder: the copy this installer left in the old one goes.
    ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "${MARK_MADE_SETUP_FOLDER}"
    ${If} $2 != ""
    ${AndIf} $2 != $1
        Delete "$2\HalvoSetup.exe"
        RMDir "$2"
    ${EndIf}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "${MARK_MADE_SETUP_FOLDER}" "$1"
FunctionEnd

Function RegisterComponents
    DetailPrint "Registering the namespace"
    ExecWait '"$INSTDIR\RegisterNamespace.exe" /register' $0
    ${If} $0 != 0
        StrCpy $0 "the namespace could not be registered"
        Call FailInstallation
    ${EndIf}
    DetailPrint "Registering the interfaces"
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\Stubwire.dll"' $0
    ${If} $0 != 0
        StrCpy $0 "Stubwire.dll could not be registered"
        Call FailInstallation
    ${EndIf}
    DetailPrint "Registering the search module"
    ExecWait '"$INSTDIR\Trawlex.exe" /RegServer' $0
    ${If} $0 != 0
        StrCpy $0 "the search module could not be registered"
        Call FailInstallation
    ${EndIf}
FunctionEnd

!ifdef HAS_EXPLORER64
; On 64-bit Windows Explorer is a 64-bit program and loads only 64-bit extensions: the 64-bit
; namespace library goes beside the programs, registered in the 64-bit view of the registry,
; and reaches the search module through the 64-bit interface library.
Function InstallExplorer64
    ${IfNot} ${RunningX64}
        Return
    ${EndIf}
    DetailPrint "Installing the namespace for the 64-bit Explorer"
    SetOutPath "$INSTDIR\x64"
    ClearErrors
    !insertmacro HALVO_INSTALL_FILES_64
    SetOutPath "$INSTDIR"
    ${If} ${Errors}
        StrCpy $0 "the 64-bit namespace could not be copied"
        Call FailInstallation
    ${EndIf}
    ExecWait '"$INSTDIR\x64\RegisterNamespace.exe" /register' $0
    ${If} $0 != 0
        StrCpy $0 "the namespace could not be registered for the 64-bit Explorer"
        Call FailInstallation
    ${EndIf}
    ${DisableX64FSRedirection}
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\x64\Stubwire.dll"' $0
    ${EnableX64FSRedirection}
    ${If} $0 != 0
        StrCpy $0 "the 64-bit Stubwire.dll could not be registered"
        Call FailInstallation
    ${EndIf}
    ; The search module's class where 64-bit programs look for it (what Trawlex.exe /RegServer
    ; writes in the 32-bit view).
    SetRegView 64
    WriteRegStr HKCR "CLSID\${MODULE_CLSID}" "" "Halvo Trawlex.exe"
    WriteRegStr HKCR "CLSID\${MODULE_CLSID}\LocalServer32" "" '"$INSTDIR\Trawlex.exe"'
    SetRegView 32
FunctionEnd
!endif

Function MakeShortcuts
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${LINK_SETTINGS}" "$INSTDIR\Dialwise.exe"
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${LINK_FIND}" "$INSTDIR\Dialwise.exe" "-f"
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${LINK_PURGE}" "$INSTDIR\Clearbay.exe" "user"
    CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${LINK_UNINSTALL}" "$INSTDIR\Uninstall.exe"
    ; The search module starts at log-on for every user.
    CreateShortcut "$SMSTARTUP\${LINK_STARTUP}" "$INSTDIR\Trawlex.exe"
    ${If} $CreateDesktopLink = 1
        CreateShortcut "$DESKTOP\${LINK_DESKTOP}" "$WINDIR\explorer.exe" \
            "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\::${NAMESPACE_CLSID}" "$INSTDIR\Skinset.dll" 1
        WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${MARK_MADE_DESKTOP_SHORTCUT}" 1
    ${EndIf}
FunctionEnd

Function WriteUninstallEntry
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_TITLE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Dialwise.exe"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

Section "Install"
    ${If} $RefusedDestination != ""
        DetailPrint "${TEXT_SCRIPT_DESTINATION_REFUSED}$RefusedDestination"
    ${EndIf}
    Call CheckDestinationWritable
    ${If} $EarlierFolder != ""
        !insertmacro STOP_SEARCH_MODULE
        ${If} ${Errors}
            MessageBox MB_OK|MB_ICONSTOP "${TEXT_SEARCH_MODULE_RUNS}" /SD IDOK
            SetErrorLevel 4
            Quit
        ${EndIf}
    ${EndIf}

    ; The uninstall entry comes first, so that a failure further on can be taken back.
    Call WriteUninstallEntry
    DetailPrint "Installing the programs"
    SetOutPath "$INSTDIR"
    ClearErrors
    !insertmacro HALVO_INSTALL_FILES
    ${If} ${Errors}
        StrCpy $0 "the programs could not be copied"
        Call FailInstallation
    ${EndIf}
    Call WriteMachineSettings
    Call RegisterComponents
!ifdef HAS_EXPLORER64
    Call InstallExplorer64
!endif
    Call MakeShortcuts
    ${If} $ServerKind = 1
        Call MakeClientSetupFolder
    ${EndIf}
    ; An earlier installation in another folder has now been replaced: its programs go.
    ${If} $EarlierFolder != ""
    ${AndIf} $EarlierFolder != $INSTDIR
        Push $INSTDIR
        StrCpy $INSTDIR $EarlierFolder
        DetailPrint "Removing the earlier installation's programs from $INSTDIR"
        !insertmacro HALVO_REMOVE_FILES
        Delete "$INSTDIR\Uninstall.exe"
        RMDir "$INSTDIR"
        Pop $INSTDIR
    ${EndIf}
SectionEnd

Function .onInstSuccess
    ; What the settings program does after an installation: the network set-up for an
    ; administrator, the choice of public folders for a client. Not when nobody is there.
    ${If} ${Silent}
        Return
    ${EndIf}
    ${If} $ServerKind = 1
        Exec '"$INSTDIR\Dialwise.exe" -n'
    ${Else}
        Exec '"$INSTDIR\Dialwise.exe" -i'
        ; The administrator's network set-up offers the tutorial itself; a client's script asks.
        ${If} $RunTutorial = 1
        ${AndIf} ${FileExists} "$INSTDIR\${TUTORIAL_FILE}"
            ExecShell "open" "$INSTDIR\${TUTORIAL_FILE}"
        ${EndIf}
    ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Uninstalling: what the installation wrote, and nothing else. The users' data stays for the
; purge tool.

Function un.onInit
!if ${TARGET} == "amd64-unicode"
    SetRegView 64
!endif
FunctionEnd

Section "Uninstall"
    !insertmacro STOP_SEARCH_MODULE
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "${TEXT_SEARCH_MODULE_RUNS}" /SD IDOK
        SetErrorLevel 4
        Quit
    ${EndIf}
    !insertmacro REMOVE_INSTALLATION
SectionEnd
