#include "shell_folder.h"

#include "com/com_boundary.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"

namespace {

template <class Out>
HRESULT NotImplemented(Out** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}

} // namespace

std::span<const ComInterfaceEntry> ShellFolder::InterfaceTable()
{
    static const ComInterfaceEntry table[] = {
        ComInterface<ShellFolder, IShellFolder>(),
        ComInterface<ShellFolder, IPersistFolder>(),
        ComInterface<ShellFolder, IPersist, IPersistFolder>(),
    };
    return table;
}

STDMETHODIMP ShellFolder::ParseDisplayName(HWND, LPBC, LPOLESTR, ULONG*, LPITEMIDLIST* list, ULONG*)
{
    return NotImplemented(list);
}

STDMETHODIMP ShellFolder::EnumObjects(HWND, SHCONTF, IEnumIDList** enumerator) { return NotImplemented(enumerator); }

STDMETHODIMP ShellFolder::BindToObject(LPCITEMIDLIST, LPBC, REFIID, void** object) { return NotImplemented(object); }

STDMETHODIMP ShellFolder::BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void** object) { return NotImplemented(object); }

STDMETHODIMP ShellFolder::CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) { return E_NOTIMPL; }

STDMETHODIMP ShellFolder::CreateViewObject(HWND, REFIID, void** object) { return NotImplemented(object); }

STDMETHODIMP ShellFolder::GetAttributesOf(UINT, LPCITEMIDLIST*, SFGAOF*) { return E_NOTIMPL; }

STDMETHODIMP ShellFolder::GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void** object)
{
    return NotImplemented(object);
}

STDMETHODIMP ShellFolder::GetDisplayNameOf(LPCITEMIDLIST, SHGDNF, STRRET*) { return E_NOTIMPL; }

STDMETHODIMP ShellFolder::SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST* newList)
{
    return NotImplemented(newList);
}

STDMETHODIMP ShellFolder::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    return ComBoundary("ShellFolder::GetClassID()", [&] {
        return ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, *clsid) ? S_OK : E_FAIL;
    });
}

STDMETHODIMP ShellFolder::Initialize(LPCITEMIDLIST absoluteList)
{
    if (!absoluteList)
        return E_INVALIDARG;
    return ComBoundary("ShellFolder::Initialize()", [&] {
        ScopedPidl copy(::ILClone(absoluteList));
        if (!copy)
            return E_OUTOFMEMORY;
        absoluteList_ = std::move(copy);
        return S_OK;
    });
}
