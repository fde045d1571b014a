// Setting up a user's registry data from the installation's defaults, and the first-run
// checks of a client user.
#include "settings/auxiliary.h"

#include "logging/logging.h"
#include "public/public_folders.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "settings/product_version.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

// The first version whose profile has the present layout ("Disc Search" instead of "Media Type").
constexpr char kFirstCurrentVersion[] = "2.00";
constexpr char kMissingVersion[] = "0.00";
// An old folder of all discs that earlier versions kept at the top of the cache.
constexpr char kOldAllDiscsFolder[] = "All Media";
constexpr char kItemTypeValue[] = "ItemType";

// Copies the string and number values of one key onto another; true when any was written.
bool CopyValues(const RegKeyRead& source, const RegKey& destination, bool keepExisting)
{
    bool copied = false;
    RegValueEnumerator values = source.GetValueEnumerator();
    while (values.Next()) {
        const std::string name = values.GetName();
        if (keepExisting && destination.ValueExists(name))
            continue;
        if (values.GetType() == StringValue) {
            destination.SetStringValue(name, values.GetStringData());
            copied = true;
        } else if (values.GetType() == DWORDValue) {
            destination.SetDWORDValue(name, values.GetDWORDData());
            copied = true;
        }
    }
    return copied;
}

// Deletes a folder of the cache root when it is the system folder (type 0).
void DeleteSystemFolder(const RegKey& cache, const std::string& name)
{
    if (name.empty() || !cache.KeyExists(name))
        return;
    RegKeyRead folder = cache.GetKeyRead(name);
    if (folder.ValueExists(kItemTypeValue) && folder.QueryDWORDValue(kItemTypeValue) == SystemFolder)
        cache.DeleteKey(name);
}

std::vector<std::string> ConfiguredDomains()
{
    std::vector<std::string> domains;
    try {
        const std::string path = ProductSubKeyPath(IDS_SUBKEY_SMB_DOMAINS);
        if (!RegKey::CURRENT_USER.KeyExists(path))
            return domains;
        RegValueEnumerator values = RegKey::CURRENT_USER.GetKeyRead(path).GetValueEnumerator();
        while (values.Next()) {
            if (values.GetType() == StringValue)
                domains.push_back(values.GetName());
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser() - ", error);
    }
    return domains;
}

// The installed version as the registration recorded it; the suite's own version when none is
// recorded or the record is no version: the user would otherwise stay an old profile whose
// settings every start renews.
std::string InstalledVersion(const std::string& versionValue)
{
    try {
        const std::string registered =
            RegKey::CLASSES_ROOT.GetKeyRead(ProductInfoKeyPath()).QueryStringValue(versionValue);
        if (VersionNumber(registered))
            return registered;
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Check if version exists - ", error);
    }
    return kProductVersion;
}

} // namespace

void AuxiliaryFunctions::InitNewCurrentUser()
{
    // Every step names the product key: without it the set-up would write at the root of the hive.
    if (!IsProductKeyKnown()) {
        Logging::OutToLogFileAndWindow(
            "AuxiliaryFunctions::InitNewCurrentUser() - the branding library is not loaded: nothing is set up\n");
        return;
    }
    const ItemCreators kind = GetUser();
    const std::string userVersion = InitRegistryNewUserVersion();
    const bool settingsCopied = InitRegistryNewUserHalvoSettings(userVersion);
    InitRegistryNewUserCache();

    if (settingsCopied && kind != ItemCreatorClient) {
        const unsigned short networks = CheckSupportedNetworks();
        std::vector<std::string> domains = ConfiguredDomains();
        if (domains.empty()) {
            const std::string workgroup = GetComputerDomain();
            if (!workgroup.empty())
                domains.push_back(workgroup);
        }
        SaveNetworkSettings((networks & NetWareNetworkBit) ? 1 : 0,
                            (networks & MicrosoftWindowsNetworkBit) ? 1 : 0, OwnDomain, domains);
    }
}

// Brings the user's "Version" up to the installed one, never down; returns the version the
// user had ("0.00" when none could be read).
std::string AuxiliaryFunctions::InitRegistryNewUserVersion()
{
    const std::string versionValue = CommonText(IDS_VERSION_VALUE);
    std::string user = kMissingVersion;
    try {
        const RegKey userKey = RegKey::CURRENT_USER.CreateKey(ProductKeyPath());
        userKey.TryQueryStringValue(versionValue, user);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Check if version exists - ", error);
    }
    const std::string installed = InstalledVersion(versionValue);
    // A user who ran a later version keeps it: lowered below "2.00", the version would make every
    // start copy the machine's defaults over the user's own settings.
    if (IsVersionBelow(installed, user)) {
        Logging::OutToLogFile("AuxiliaryFunctions::InitNewCurrentUser(): the user's version " + user +
                              " is later than the installed version " + installed + ": kept\n");
        return user;
    }
    if (installed != user) {
        try {
            RegKey::CURRENT_USER.CreateKey(ProductKeyPath()).SetStringValue(versionValue, installed);
        } catch (const RegKeyException& error) {
            LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Writing version - ", error);
        }
    }
    return user;
}

// Copies the machine's default settings to the user; true when anything was copied.
bool AuxiliaryFunctions::InitRegistryNewUserHalvoSettings(const std::string& userVersion)
{
    const bool oldProfile = IsVersionBelow(userVersion, kFirstCurrentVersion);
    const std::string productKey = ProductKeyPath();
    bool copied = false;
    try {
        RegKey user = RegKey::CURRENT_USER.CreateKey(productKey);
        const std::string defaults = productKey + "\\" + CommonText(IDS_USER_DEFAULTS_KEY);
        if (RegKey::LOCAL_MACHINE.KeyExists(defaults))
            copied = CopyValues(RegKey::LOCAL_MACHINE.GetKeyRead(defaults), user, !oldProfile);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Writing user settings - ", error);
    }

    if (oldProfile) {
        try {
            RegKey user = RegKey::CURRENT_USER.CreateKey(productKey);
            const std::string mediaType = CommonText(IDS_SUBKEY_MEDIA_TYPE).substr(1);
            const std::string discSearch = CommonText(IDS_SUBKEY_DISC_SEARCH).substr(1);
            if (user.KeyExists(mediaType))
                user.MoveKey(mediaType, user, discSearch);
        } catch (const RegKeyException& error) {
            LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Moving media type data - ", error);
        }
    }
    return copied;
}

void AuxiliaryFunctions::InitRegistryNewUserCache()
{
    const ItemCreators kind = GetUser();
    UpdateUserTypeFolders();

    const std::string productKey = ProductKeyPath();
    const std::string cacheName = CommonText(IDS_SUBKEY_CACHE).substr(1);
    const std::string templateParent = productKey + "\\" + CommonText(IDS_USER_DEFAULTS_KEY);
    const std::string allDiscs = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);

    bool hasCache = false;
    try {
        RegKey::CURRENT_USER.GetKey(productKey + "\\" + cacheName);
        hasCache = true;
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Check if cache exists - ", error);
    }
    if (!hasCache) {
        try {
            RegKey user = RegKey::CURRENT_USER.CreateKey(productKey);
            RegKey::LOCAL_MACHINE.GetKeyRead(templateParent).CopyKey(cacheName, user, cacheName.c_str());
            hasCache = true;
        } catch (const RegKeyException& error) {
            LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Copy new cache - ", error);
        }
    }
    if (!hasCache)
        return;

    // Clients see no folder of all discs; everyone else gets the installation's fresh one.
    try {
        RegKey cache = RegKey::CURRENT_USER.GetKey(productKey + "\\" + cacheName);
        if (kind == ItemCreatorClient) {
            DeleteSystemFolder(cache, allDiscs);
        } else if (!allDiscs.empty()) {
            RegKeyRead templateCache = RegKey::LOCAL_MACHINE.GetKeyRead(templateParent + "\\" + cacheName);
            if (templateCache.KeyExists(allDiscs))
                templateCache.CopyKey(allDiscs, cache);
        }
        DeleteSystemFolder(cache, kOldAllDiscsFolder);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser(): Copy new cache - ", error);
    }

    try {
        RegKey cache = RegKey::CURRENT_USER.GetKey(productKey + "\\" + cacheName);
        CopyValues(RegKey::LOCAL_MACHINE.GetKeyRead(templateParent + "\\" + cacheName), cache, false);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::InitNewCurrentUser():Writing cache root folder- ", error);
    }
}

void AuxiliaryFunctions::UpdateUserTypeFolders()
{
    const DWORD kind = GetUser();
    const std::string valueName = CommonText(IDS_INSTALLED_VERSION_VALUE);
    bool current = false;
    try {
        RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(ProductKeyPath());
        current = user.ValueExists(valueName) && user.QueryDWORDValue(valueName) == kind;
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::UpdateUserTypeFolders():Check for user type - ", error);
    }
    if (current)
        return;
    try {
        RegKey::CURRENT_USER.CreateKey(ProductKeyPath()).SetDWORDValue(valueName, kind);
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::UpdateUserTypeFolders(): Writing user type - ", error);
    }
}

bool AuxiliaryFunctions::IsFirstTimeClientUser()
{
    if (GetUser() != ItemCreatorClient)
        return false;
    try {
        RegKey user = RegKey::CURRENT_USER.CreateKey(ProductKeyPath());
        const std::string initialized = CommonText(IDS_INITIALIZED_CLIENT_USER_VALUE);
        if (!user.ValueExists(initialized) || user.QueryDWORDValue(initialized) == 0) {
            user.SetDWORDValue(initialized, 1);
            return true;
        }

        std::string serverVersion;
        std::string clientSetupLocation;
        PublicFolderMgr().GetDataFileInfo(serverVersion, clientSetupLocation);
        // Without public folder data there is no server version to compare with.
        if (serverVersion.empty())
            return false;

        const std::string versionValue = CommonText(IDS_VERSION_VALUE);
        const std::string latestValue = CommonText(IDS_LATEST_SERVER_VERSION_VALUE);
        const std::string userVersion = user.ValueExists(versionValue) ? user.QueryStringValue(versionValue) : "";
        const std::string latest = user.ValueExists(latestValue) ? user.QueryStringValue(latestValue) : "";
        if (serverVersion != userVersion && serverVersion != latest) {
            ShowPrompt(::GetActiveWindow(),
                       FormatText(CommonText(IDS_WARN_SERVER_VERSION_MISMATCH_FMT), ProductCaption(),
                                  serverVersion, userVersion),
                       ProductCaption(), MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
            user.SetStringValue(latestValue, serverVersion);
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("AuxiliaryFunctions::CheckForFirstTimeClientUser(): - ", error);
    }
    return false;
}
