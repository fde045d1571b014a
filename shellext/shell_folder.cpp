#include "shell_folder.h"

#include "branding_ids.h"
#include "module_lifetime.h"
#include "resources.h"

ShellFolder::ShellFolder() { ModuleLifetime::ObjectCreated(); }

ShellFolder::~ShellFolder() { ModuleLifetime::ObjectDestroyed(); }

STDMETHODIMP ShellFolder::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellFolder)) {
        *object = static_cast<IShellFolder*>(this);
    } else if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistFolder)) {
        *object = static_cast<IPersistFolder*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ShellFolder::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) ShellFolder::Release()
{
    const ULONG remaining = --references_;
    if (remaining == 0)
        delete this;
    return remaining;
}

STDMETHODIMP ShellFolder::ParseDisplayName(HWND, LPBC, LPOLESTR, ULONG*, LPITEMIDLIST* list, ULONG*)
{
    if (list)
        *list = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::EnumObjects(HWND, SHCONTF, IEnumIDList** enumerator)
{
    if (enumerator)
        *enumerator = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::BindToObject(LPCITEMIDLIST, LPBC, REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) { return E_NOTIMPL; }

STDMETHODIMP ShellFolder::CreateViewObject(HWND, REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::GetAttributesOf(UINT, LPCITEMIDLIST*, SFGAOF*) { return E_NOTIMPL; }

STDMETHODIMP ShellFolder::GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::GetDisplayNameOf(LPCITEMIDLIST, SHGDNF, STRRET*) { return E_NOTIMPL; }

STDMETHODIMP ShellFolder::SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST* newList)
{
    if (newList)
        *newList = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ShellFolder::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    return ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, *clsid) ? S_OK : E_FAIL;
}

STDMETHODIMP ShellFolder::Initialize(LPCITEMIDLIST absoluteList)
{
    if (!absoluteList)
        return E_INVALIDARG;
    ScopedPidl copy(::ILClone(absoluteList));
    if (!copy)
        return E_OUTOFMEMORY;
    absoluteList_ = std::move(copy);
    return S_OK;
}
