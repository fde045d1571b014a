#include "dialwise_app.h"

#include "about_dialog.h"
#include "find/find_media_dlg.h"
#include "help_routing.h"
#include "launch_request.h"
#include "logging/logging.h"
#include "mapping/map_media_dialog.h"
#include "network_setup.h"
#include "public_folder_choice.h"
#include "registry/registry.h"
#include "res/dialwise_string_ids.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "select_public_folders_dialog.h"
#include "settings/auxiliary.h"
#include "settings/product_keys.h"
#include "sheet/ns_property_sheet.h"
#include "sheet/setting_values.h"
#include "shell_notices.h"
#include "text/text_format.h"
#include "ui/prompt.h"
#include "ui/wait_cursor.h"

#include <commctrl.h>

namespace {

constexpr char kInitCaller[] = "DialwiseApp::InitInstance()";

} // namespace

DialwiseApp::DialwiseApp(const wchar_t* commandLine) : commandLine_(commandLine) {}

DialwiseApp::~DialwiseApp()
{
    SetProgramHelp(nullptr);
    findDialog_.reset();
    mapDialog_.reset();
    sheet_.reset();
    g_hBrandingInstance = nullptr;
}

int DialwiseApp::Run()
{
    if (!InitInstance())
        return 1;
    RunTask(ChooseTask(commandLine_));
    return 0;
}

bool DialwiseApp::InitInstance()
{
    branding_.Reset(ExternalResMgr::LoadExternalDLL(CommonText(IDS_BRANDING_DLL_NAME), CommonText(IDS_SETTINGS_EXE_NAME)));
    if (!branding_)
        return false;
    g_hBrandingInstance = branding_.Get();

    ReadLoggingSwitch();
    Logging::OutToLogFile("\n\n");
    Logging::OutToLogFile("PrintDate");
    Logging::OutToLogFile(std::string(kInitCaller) + "\n");

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&controls);
    AuxiliaryFunctions::InitNewCurrentUser();
    SetProgramHelp([this] { OnHelp(); });
    return true;
}

void DialwiseApp::ReadLoggingSwitch()
{
    const std::string valueName = CommonText(IDS_LOGGING_VALUE);
    std::string key;
    try {
        key = ProductKeyPath();
        unsigned long value = 0;
        if (RegKey::CURRENT_USER.KeyExists(key) && RegKey::CURRENT_USER.GetKeyRead(key).TryQueryDWORDValue(valueName, value))
            Logging::LogIndicator = static_cast<int>(value);
    } catch (const RegKeyException& error) {
        Logging::LogIndicator = 0;
        LogSettingException(kInitCaller, key, valueName, error);
    }
}

void DialwiseApp::RunTask(const DialwiseTask& task)
{
    switch (task.which) {
    case DialwiseSwitch::RefreshDrive:
        RefreshDrive(task.value);
        return;
    case DialwiseSwitch::SettingsSheet:
        RunSettingsSheet(task.value);
        return;
    case DialwiseSwitch::FindDiscs:
        RunFindDiscs();
        return;
    case DialwiseSwitch::MapDisc:
        RunMapDisc();
        return;
    case DialwiseSwitch::AboutBox:
        RunAboutBox();
        return;
    case DialwiseSwitch::ExecuteLaunchObject:
        mode_ = Mode::ExecuteLaunchObject;
        AskLaunchManager(LaunchRequest::ExecuteLaunchObject, task.value);
        return;
    case DialwiseSwitch::AutoMapItem:
        mode_ = Mode::AutoMapItem;
        AskLaunchManager(LaunchRequest::AutoMapMedia, task.value);
        return;
    case DialwiseSwitch::NetworkSetup:
        mode_ = Mode::NetworkSetup;
        RunFirstNetworkSetup(instance_);
        return;
    case DialwiseSwitch::SelectPublicFolders:
        RunSelectPublicFolders();
        return;
    case DialwiseSwitch::None:
        break;
    }
    Logging::OutToLogFile("Tried to start Dialwise with without parameters.\n");
    ShowPrompt(nullptr, FormatText(ProgramText(IDS_RUN_FROM_SOFTWARE_FMT), BrandingText(IDS_BRAND_PRODUCT_TITLE)),
               ProductCaption(), MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
}

void DialwiseApp::RunSettingsSheet(const std::string& page)
{
    mode_ = Mode::SettingsSheet;
    if (!instance_.Acquire(SingleInstanceTask::SettingsSheet))
        return;
    {
        const WaitCursor wait;
        sheet_ = std::make_unique<NSPropertySheet>(SettingsPageOf(page));
    }
    sheet_->DoModal(nullptr);
}

void DialwiseApp::RunFindDiscs()
{
    mode_ = Mode::FindDiscs;
    findDialog_ = std::make_unique<FindMediaDlg>();
    findDialog_->DoModal(nullptr);
}

void DialwiseApp::RunMapDisc()
{
    mode_ = Mode::MapDisc;
    mapDialog_ = std::make_unique<MapMediaDialog>(std::string(), LaunchedStandalone, std::string(), nullptr);
    mapDialog_->DoModal(nullptr);
}

void DialwiseApp::RunAboutBox()
{
    mode_ = Mode::AboutBox;
    if (!instance_.Acquire(SingleInstanceTask::AboutBox))
        return;
    AboutDialog about;
    about.DoModal(nullptr);
}

void DialwiseApp::RunSelectPublicFolders()
{
    mode_ = Mode::SelectPublicFolders;
    if (!instance_.Acquire(SingleInstanceTask::SelectPublicFolders))
        return;
    PublicFolderChoice choice;
    const PublicFolderChoice::Listing listing = choice.Read(std::string());
    if (listing != PublicFolderChoice::Listing::Listed) {
        ShowErrorPrompt(nullptr, PublicFolderChoice::ProblemText(listing));
        return;
    }
    SelectPublicFoldersDialog dialog(choice);
    dialog.DoModal(nullptr);
}

void DialwiseApp::OnHelp()
{
    switch (mode_) {
    case Mode::SettingsSheet:
        if (sheet_)
            sheet_->ShowCurrentPageHelp();
        return;
    case Mode::MapDisc:
        if (mapDialog_)
            mapDialog_->OnHelp();
        return;
    case Mode::FindDiscs:
        if (findDialog_)
            findDialog_->OnHelp();
        return;
    default:
        LaunchHelpTopic(-1);
        return;
    }
}
