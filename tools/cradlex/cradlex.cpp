// Writes the workgroup or domain of this computer to "Workgroup" under the suite's machine
// key, for programs that cannot ask the network API themselves. Exit code 0 on success.
#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/ansi_text.h"

#include <windows.h>
#include <lm.h>

#include <string>

namespace {

constexpr char kDefaultWorkgroup[] = "WORKGROUP";

std::string WorkgroupFromNetwork()
{
    WKSTA_INFO_100* info = nullptr;
    std::string workgroup;
    if (::NetWkstaGetInfo(nullptr, 100, reinterpret_cast<BYTE**>(&info)) == NERR_Success && info) {
        if (info->wki100_langroup)
            workgroup = AnsiFromWide(info->wki100_langroup);
        ::NetApiBufferFree(info);
    }
    return workgroup;
}

std::string DomainFromComputerName()
{
    char name[256];
    DWORD size = sizeof name;
    if (::GetComputerNameExA(ComputerNameDnsDomain, name, &size) && size > 0)
        return std::string(name, size);
    return {};
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    g_hBrandingInstance = ExternalResMgr::LoadExternalDLL(CommonText(IDS_BRANDING_DLL_NAME),
                                                          CommonText(IDS_WORKGROUP_HELPER_EXE_NAME));
    if (!g_hBrandingInstance)
        return 1;

    std::string workgroup = WorkgroupFromNetwork();
    if (workgroup.empty())
        workgroup = DomainFromComputerName();
    if (workgroup.empty())
        workgroup = kDefaultWorkgroup;

    try {
        RegKey::LOCAL_MACHINE.CreateKey(ProductKeyPath()).SetStringValue(CommonText(IDS_WORKGROUP_VALUE), workgroup);
    } catch (const RegKeyException& error) {
        LogRegKeyException("Cradlex - ", error);
        return 2;
    }
    return 0;
}
