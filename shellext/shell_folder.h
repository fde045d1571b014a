#pragma once

#include "com/com_object.h"
#include "pidl/pidl_mgr.h"

#include <windows.h>
#include <shlobj.h>

#include <span>

// The namespace folder that Explorer binds to. It counts as a live object of the library for
// as long as it exists.
class ShellFolder final : public ComObject<ShellFolder, IShellFolder, IPersistFolder> {
public:
    ShellFolder() = default;

    static std::span<const ComInterfaceEntry> InterfaceTable();

    // IShellFolder
    STDMETHODIMP ParseDisplayName(HWND owner, LPBC context, LPOLESTR displayName, ULONG* eaten,
                                  LPITEMIDLIST* list, ULONG* attributes) override;
    STDMETHODIMP EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** enumerator) override;
    STDMETHODIMP BindToObject(LPCITEMIDLIST list, LPBC context, REFIID riid, void** object) override;
    STDMETHODIMP BindToStorage(LPCITEMIDLIST list, LPBC context, REFIID riid, void** object) override;
    STDMETHODIMP CompareIDs(LPARAM how, LPCITEMIDLIST first, LPCITEMIDLIST second) override;
    STDMETHODIMP CreateViewObject(HWND owner, REFIID riid, void** object) override;
    STDMETHODIMP GetAttributesOf(UINT count, LPCITEMIDLIST* lists, SFGAOF* attributes) override;
    STDMETHODIMP GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* lists, REFIID riid, UINT* reserved,
                               void** object) override;
    STDMETHODIMP GetDisplayNameOf(LPCITEMIDLIST list, SHGDNF flags, STRRET* name) override;
    STDMETHODIMP SetNameOf(HWND owner, LPCITEMIDLIST list, LPCOLESTR name, SHGDNF flags,
                           LPITEMIDLIST* newList) override;

    // IPersist, IPersistFolder
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP Initialize(LPCITEMIDLIST absoluteList) override;

private:
    ScopedPidl absoluteList_;
};
