#include "public/search_module_object.h"

#include "resources/branding_ids.h"
#include "resources/resources.h"

#include <objbase.h>

HRESULT CreateSearchModuleObject(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    CLSID searchModule{};
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_SEARCH_MODULE_CLSID, searchModule))
        return CO_E_CLASSSTRING;
    const HRESULT created = ::CoCreateInstance(searchModule, nullptr, CLSCTX_LOCAL_SERVER, iid, object);
    if (FAILED(created))
        *object = nullptr;
    return created;
}
