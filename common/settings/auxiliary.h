#pragma once

#include "basalt_api.h"
#include "item/item.h"

#include <ctime>
#include <string>
#include <vector>

// 0 when the version cannot be read, 3 before Windows 2000 (95/98 and NT 4), 4 from then on.
enum PlatformType : int {
    PlatformUnknown = 0,
    PlatformBeforeWindows2000 = 3,
    PlatformWindows2000OrLater = 4,
};

// Networks the computer can search (bits of CheckSupportedNetworks).
enum SupportedNetworks : unsigned short {
    MicrosoftWindowsNetworkBit = 1,
    NetWareNetworkBit = 2,
};

// Which SMB domains a search covers. Stored as the DWORD "Entire Network" of the user's
// "Disc Search\SMB Domains" key: 1 for AllDomains (every domain of the network), 0 for the
// other two, whose domains are the string values of that key.
enum SMBSearchScope : int {
    OwnDomain = 0,
    AllDomains = 1,
    SelectedDomains = 2,
};

// Facts about the machine and the user, and the set-up of a user's registry data.
class BASALT_API AuxiliaryFunctions {
public:
    AuxiliaryFunctions() = default;
    virtual ~AuxiliaryFunctions() = default;

    static PlatformType GetPlatform();
    static unsigned short CheckSupportedNetworks();
    static std::string GetComputerDomain();
    static std::string GetWindowsDirectoryA();
    static ItemCreators GetUser();

    static bool GetClipboardCutFlag();
    static void SetClipboardCutFlag(bool cut);

    static void LaunchHelpFile(int topic);
    static bool IsSubpath(const std::string& path, const std::string& subPath);

    // The first time start + k * minutes (k >= 0) that is later than now, as
    // "year month day hour minute". An interval of zero or less is refused: next = start, "".
    static std::string CalculateNextEvent(std::time_t start, long minutes, std::time_t& next);
    static std::string CalculateNextEvent(std::time_t start, long minutes, std::time_t now, std::time_t& next);

    static void SaveNetworkSettings(int netWare, int windowsNetwork, SMBSearchScope scope,
                                    const std::vector<std::string>& domains);

    // Brings the user's registry data up to the installation (run when a program starts).
    static void InitNewCurrentUser();
    static bool IsFirstTimeClientUser();

private:
    static std::string InitRegistryNewUserVersion();
    static bool InitRegistryNewUserHalvoSettings(const std::string& userVersion);
    static void InitRegistryNewUserCache();
    static void UpdateUserTypeFolders();
};
