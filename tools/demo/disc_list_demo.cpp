// The demo's client: asks the search module for a full search of the network, waits until the
// module has finished and ended, and prints the all-discs folder as Explorer would list it.
// Usage: disc_list_demo.exe

#include "base/scoped_handle.h"
#include "cache/cache.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"

#include "nsinterfaces.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>

namespace {

constexpr ULONGLONG kSearchTimeoutMs = 120000;

// Starts a full search and lets go of the module, which ends by itself once the search is done.
bool RequestFullSearch()
{
    CLSID clsid{};
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_SEARCH_MODULE_CLSID, clsid))
        return false;
    IRegisterNSClient* registration = nullptr;
    HRESULT result = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IRegisterNSClient,
                                        reinterpret_cast<void**>(&registration));
    if (FAILED(result)) {
        std::fprintf(stderr, "the search module could not be created (0x%08lX)\n", static_cast<unsigned long>(result));
        return false;
    }
    LONG id = 0;
    INotifyNSServer* server = nullptr;
    result = registration->Add(nullptr, L"", &id);
    if (SUCCEEDED(result))
        result = registration->QueryInterface(IID_INotifyNSServer, reinterpret_cast<void**>(&server));
    if (SUCCEEDED(result)) {
        result = server->Rescan(id);
        server->Release();
    }
    registration->Remove(0);
    registration->Release();
    std::printf("full search requested (0x%08lX)\n", static_cast<unsigned long>(result));
    return SUCCEEDED(result);
}

bool WaitForModuleEnd()
{
    const std::string name = CommonText(IDS_MUTEX_SEARCH_MODULE);
    const ULONGLONG end = ::GetTickCount64() + kSearchTimeoutMs;
    while (::GetTickCount64() < end) {
        ScopedKernelHandle mutex(::OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()));
        if (!mutex)
            return true;
        ::Sleep(200);
    }
    return false;
}

// The number of discs listed.
int PrintAllDiscs()
{
    const std::string allDiscs = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);
    Cache folder(CacheReadFolder, allDiscs);
    std::printf("\n%-20s %-10s %-28s %s\n", "Name", "Type", "Comment", "Server");
    int count = 0;
    for (CacheIterator it = folder.Begin(); it != folder.End(); ++it, ++count) {
        const CacheItem& disc = **it;
        std::printf("%-20s %-10s %-28s %s\n", disc.Name.c_str(), disc.Type.c_str(), disc.Comment.c_str(),
                    disc.Location.c_str());
    }
    std::printf("%d discs in \"%s\"\n", count, allDiscs.c_str());
    return count;
}

} // namespace

int main()
{
    g_hBrandingInstance = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!g_hBrandingInstance || FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const bool requested = RequestFullSearch();
    ::CoUninitialize();
    if (!requested)
        return 1;
    if (!WaitForModuleEnd()) {
        std::fprintf(stderr, "the search did not end within two minutes\n");
        return 1;
    }
    // The demo's network has discs: finding none means the search failed.
    return PrintAllDiscs() > 0 ? 0 : 1;
}
