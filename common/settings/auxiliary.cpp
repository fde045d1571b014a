#include "settings/auxiliary.h"

#include "base/scoped_handle.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/next_event_text.h"
#include "settings/platform.h"
#include "settings/product_keys.h"
#include "text/text_format.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr DWORD kServerInstallation = 387;
constexpr DWORD kOtherInstallation = 691;
// The workgroup helper only asks the system one question; never hang the caller on it.
constexpr DWORD kWorkgroupHelperTimeoutMs = 30000;

std::string UpperCase(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Upper case, blanks trimmed, trailing backslashes removed.
std::string NormalisedPath(const std::string& path)
{
    std::string text = UpperCase(path);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    while (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}

bool RunWorkgroupHelper()
{
    std::string programPath;
    try {
        programPath = ReadProgramPath();
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::GetComputerDomain() - ", error);
        return false;
    }
    const std::string helper = CommonText(IDS_WORKGROUP_HELPER_EXE_NAME);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpDirectory = programPath.c_str();
    info.nShow = SW_SHOWNORMAL;
    const std::string fullPath = programPath + "\\" + helper;
    info.lpFile = fullPath.c_str();
    if (!::ShellExecuteExA(&info)) {
        Logging::OutToLogFile(FormatText("AuxiliaryFunctions::GetComputerDomain, errcode: %d \n",
                                         static_cast<int>(::GetLastError())));
        return false;
    }
    ScopedKernelHandle process(info.hProcess);
    if (process)
        ::WaitForSingleObject(process.Get(), kWorkgroupHelperTimeoutMs);
    return true;
}

} // namespace

PlatformType AuxiliaryFunctions::GetPlatform()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info))
        return PlatformUnknown;
    return info.dwMajorVersion < 5 ? PlatformBeforeWindows2000 : PlatformWindows2000OrLater;
}

unsigned short AuxiliaryFunctions::CheckSupportedNetworks()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) {
        Logging::OutToLogFile("AuxiliaryFunctions::CheckSupportedNetworks | ERROR :");
        Logging::OutToLogFile("Operating System version capture failed.\n");
        return 0;
    }
    unsigned short networks = 0;
    try {
        RegKeyRead order = RegKey::LOCAL_MACHINE.GetKeyRead(CommonText(IDS_KEY_NETWORK_PROVIDER_ORDER));
        if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
            // The whole list is read: a cut-off list would hide providers at its end.
            const std::string providers = UpperCase(order.QueryStringValue(CommonText(IDS_PROVIDER_ORDER_VALUE)));
            if (providers.find(UpperCase(CommonText(IDS_PROVIDER_LANMAN_WORKSTATION))) != std::string::npos)
                networks |= MicrosoftWindowsNetworkBit;
            if (providers.find(UpperCase(CommonText(IDS_PROVIDER_NWC_WORKSTATION))) != std::string::npos ||
                providers.find(UpperCase(CommonText(IDS_PROVIDER_NETWARE_WORKSTATION))) != std::string::npos)
                networks |= NetWareNetworkBit;
        } else {
            if (order.ValueExists(CommonText(IDS_PROVIDER_VALUE_MSNP32)))
                networks |= MicrosoftWindowsNetworkBit;
            if (order.ValueExists(CommonText(IDS_PROVIDER_VALUE_NOVELLNP))) {
                networks |= NetWareNetworkBit;
            } else if (order.ValueExists(CommonText(IDS_PROVIDER_VALUE_NWNP32))) {
                if (HMODULE netware = ::LoadLibraryA("NWAPI32.DLL")) {
                    ::FreeLibrary(netware);
                    networks |= NetWareNetworkBit;
                }
            }
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::CheckSupportedNetworks() - ", error);
    }
    Logging::OutToLogFile("Networks supported (bitwise) : ", networks);
    Logging::OutToLogFile("\n");
    return networks;
}

std::string AuxiliaryFunctions::GetComputerDomain()
{
    try {
        if (IsNtPlatform()) {
            RunWorkgroupHelper();
            return RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath()).QueryStringValue(CommonText(IDS_WORKGROUP_VALUE));
        }
        const std::string vnetsup = CommonText(IDS_KEY_VNETSUP);
        if (!RegKey::LOCAL_MACHINE.KeyExists(vnetsup))
            return {};
        return RegKey::LOCAL_MACHINE.GetKeyRead(vnetsup).QueryStringValue(CommonText(IDS_WORKGROUP_VALUE));
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::GetComputerDomain() - ", error);
        return {};
    }
}

std::string AuxiliaryFunctions::GetWindowsDirectoryA()
{
    char buffer[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

ItemCreators AuxiliaryFunctions::GetUser()
{
    try {
        RegKeyRead machine = RegKey::LOCAL_MACHINE.GetKeyRead(ProductKeyPath());
        const std::string valueName = CommonText(IDS_INSTALLED_VERSION_VALUE);
        if (!machine.ValueExists(valueName))
            return ItemCreatorClient;
        switch (machine.QueryDWORDValue(valueName)) {
        case kServerInstallation:
            return ItemCreatorServer;
        case kOtherInstallation:
            return ItemCreatorOther;
        default:
            return ItemCreatorClient;
        }
    } catch (const RegKeyException& error) {
        if (error.Cause() != ERROR_FILE_NOT_FOUND)
            LogRegKeyException("AuxiliaryFunctions::GetUser() - ", error);
        return ItemCreatorClient;
    }
}

bool AuxiliaryFunctions::GetClipboardCutFlag()
{
    try {
        RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(ProductKeyPath());
        const std::string valueName = CommonText(IDS_CLIPBOARD_CUT_FLAG_VALUE);
        return user.ValueExists(valueName) && user.QueryDWORDValue(valueName) != 0;
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::GetClipboardCutFlag() - ", error);
        return false;
    }
}

void AuxiliaryFunctions::SetClipboardCutFlag(bool cut)
{
    try {
        const std::string valueName = CommonText(IDS_CLIPBOARD_CUT_FLAG_VALUE);
        if (cut) {
            RegKey::CURRENT_USER.CreateKey(ProductKeyPath()).SetDWORDValue(valueName, 1);
        } else if (RegKey::CURRENT_USER.KeyExists(ProductKeyPath())) {
            RegKey user = RegKey::CURRENT_USER.GetKey(ProductKeyPath());
            if (user.ValueExists(valueName))
                user.DeleteValue(valueName);
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::SetClipboardCutFlag() - ", error);
    }
}

void AuxiliaryFunctions::LaunchHelpFile(int topic)
{
    try {
        const std::string helpFile = ReadProgramPath() + "\\" + CommonText(IDS_HELP_FILE_NAME);
        HWND owner = ::GetActiveWindow();
        if (topic == -1)
            ::WinHelpA(owner, helpFile.c_str(), HELP_FINDER, 0);
        else
            ::WinHelpA(owner, helpFile.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::LaunchHelpFile() - ", error);
    }
}

bool AuxiliaryFunctions::IsSubpath(const std::string& path, const std::string& subPath)
{
    const std::string parent = NormalisedPath(path);
    const std::string child = NormalisedPath(subPath);
    if (child.compare(0, parent.size(), parent) != 0)
        return false;
    return child.size() <= parent.size() || child[parent.size()] == '\\';
}

std::string AuxiliaryFunctions::CalculateNextEvent(std::time_t start, long minutes, std::time_t& next)
{
    return CalculateNextEvent(start, minutes, std::time(nullptr), next);
}

std::string AuxiliaryFunctions::CalculateNextEvent(std::time_t start, long minutes, std::time_t now, std::time_t& next)
{
    next = start;
    if (minutes <= 0)
        return {};
    // Computed rather than stepped: a start years ago with a short interval stays cheap.
    const std::int64_t step = static_cast<std::int64_t>(minutes) * 60;
    if (start <= now) {
        const std::int64_t steps = (static_cast<std::int64_t>(now) - start) / step + 1;
        next = static_cast<std::time_t>(start + steps * step);
    }
    return FormatNextEvent(next);
}

void AuxiliaryFunctions::SaveNetworkSettings(int netWare, int windowsNetwork, SMBSearchScope scope,
                                             const std::vector<std::string>& domains)
{
    if (!IsProductKeyKnown()) {
        Logging::OutToLogFileAndWindow(
            "DialwiseApp::SaveNetworkSettings() - the branding library is not loaded: nothing is saved\n");
        return;
    }
    const std::string productKey = ProductKeyPath();
    const std::string windowsValue = CommonText(IDS_MS_WINDOWS_NETWORK_VALUE);
    const std::string netWareValue = CommonText(IDS_NETWARE_NETWORK_VALUE);
    try {
        RegKey::CURRENT_USER.CreateKey(productKey).SetDWORDValue(windowsValue, windowsNetwork);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::SaveNetworkSettings():General SMB - ", error);
    }
    try {
        RegKey::CURRENT_USER.CreateKey(productKey).SetDWORDValue(netWareValue, netWare);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::SaveNetworkSettings():General NetWare - ", error);
    }
    try {
        RegKey discSearch = RegKey::CURRENT_USER.CreateKey(ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH));
        discSearch.SetDWORDValue(windowsValue, windowsNetwork);
        discSearch.SetDWORDValue(netWareValue, netWare);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::SaveNetworkSettings(): Disc Search - ", error);
    }

    const std::string domainsKey = ProductSubKeyPath(IDS_SUBKEY_SMB_DOMAINS);
    try {
        RegKey smbDomains = RegKey::CURRENT_USER.CreateKey(domainsKey);
        std::vector<std::string> oldDomains;
        RegValueEnumerator values = smbDomains.GetValueEnumerator();
        while (values.Next()) {
            if (values.GetType() == StringValue)
                oldDomains.push_back(values.GetName());
        }
        for (const std::string& domain : oldDomains)
            smbDomains.DeleteValue(domain);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::SaveNetworkSettings():Remove old SMB domains - ", error);
    }
    try {
        RegKey smbDomains = RegKey::CURRENT_USER.CreateKey(domainsKey);
        for (const std::string& domain : domains) {
            if (!domain.empty())
                smbDomains.SetStringValue(domain, "");
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::SaveNetworkSettings():Add SMB domains - ", error);
    }
    try {
        RegKey::CURRENT_USER.CreateKey(domainsKey)
            .SetDWORDValue(CommonText(IDS_ENTIRE_NETWORK_VALUE), scope == AllDomains ? 1 : 0);
    } catch (const RegKeyException& error) {
        LogRegKeyException("DialwiseApp::SaveNetworkSettings(): SMB domains: Entire or not - ", error);
    }
}
