#include "support/shellvue_class_registration.h"

#include "resources/branding_ids.h"
#include "resources/resources.h"

#include <objbase.h>

namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

} // namespace

ShellvueClassRegistered::ShellvueClassRegistered()
{
    // Loaded once and kept: its objects may be released late in the process.
    static const HMODULE library = ::LoadLibraryA("Shellvue.dll");
    const auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library, "DllGetClassObject")));
    CLSID folderClass{};
    IUnknown* factory = nullptr;
    if (!getClassObject || !ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, folderClass) ||
        FAILED(getClassObject(folderClass, IID_IUnknown, reinterpret_cast<void**>(&factory))))
        return;
    ::CoRegisterClassObject(folderClass, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
    factory->Release();
}

ShellvueClassRegistered::~ShellvueClassRegistered()
{
    if (cookie_)
        ::CoRevokeClassObject(cookie_);
}
