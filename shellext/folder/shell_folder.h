#pragma once

#include "com/com_object.h"
#include "item/item.h"
#include "nsinterfaces.h"
#include "pidl/pidl_mgr.h"

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <optional>
#include <span>
#include <string>

// A folder of the namespace as Explorer binds to it: the root under My Computer, or a system,
// user, AutoMap or public folder below it. It answers for the folder's sub-folders (names,
// attributes, icons), makes the folder's view, and renames and deletes folders through the
// search module; it never writes the cache itself. The shell asks it where it stands
// (IPersistFolder2, IPersistIDList) to make shell items of its sub-folders, as the tree pane does.
class ShellFolder final : public ComObject<ShellFolder, IShellFolder, IPersistFolder2, IPersistIDList> {
public:
    // The namespace root.
    ShellFolder();
    // A folder bound from parent: its namespace path and the child identifier that leads there.
    ShellFolder(ShellFolder& parent, std::string folderPath, LPCITEMIDLIST child);

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

    // IPersist, IPersistFolder, IPersistFolder2, IPersistIDList
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP Initialize(LPCITEMIDLIST absoluteList) override;
    STDMETHODIMP GetCurFolder(LPITEMIDLIST* absoluteList) override;
    STDMETHODIMP SetIDList(LPCITEMIDLIST absoluteList) override;
    STDMETHODIMP GetIDList(LPITEMIDLIST* absoluteList) override;

    // The folder's path inside the namespace (empty for the root).
    const std::string& FolderPath() const { return folderPath_; }
    // From the namespace root to this folder (null for the root).
    LPCITEMIDLIST GetRelativePidl() const { return relative_.get(); }
    // The folder that holds this one, to act on this one as an item of it; null for the root.
    Microsoft::WRL::ComPtr<ShellFolder> Holder();
    // From the desktop to this folder; null when it cannot be had. The caller owns the copy.
    ScopedPidl GetAbsolutePidl();

    // Tells the shell of a change: of the child (null: this folder, or with useParent its
    // parent). Every identifier sent is a full one, from the desktop.
    void NotifyItemEvent(LONG event, LPCITEMIDLIST child, bool useParent);
    void NotifyItemRename(LONG event, const CacheItem& oldItem, const CacheItem& newItem);

    // Deletes a folder of this folder through the search module (server, or a new connection
    // when null), asking first unless noConfirm. True once the folder was deleted.
    bool DeleteFolder(const CacheItem& folder, LONG client, INotifyNSServer* server, bool noConfirm);
    // Gives an item of this folder a new name through the search module. The name the item
    // now has (the new one without surrounding blanks) once renamed; none when it was not.
    std::optional<std::string> RenameFolder(const CacheItem& item, const std::string& newName, HWND owner,
                                            LONG client, INotifyNSServer* server);

private:
    HRESULT ParseTypedPath(HWND owner, LPBC context, LPOLESTR path, ULONG* eaten, LPITEMIDLIST* list,
                           ULONG* attributes);
    ScopedPidl AbsoluteOf(LPCITEMIDLIST child);
    void ClearHasSubFoldersWhenEmpty(LONG client, INotifyNSServer& server);
    void BrowseTo(HWND owner, LPCITEMIDLIST child, const std::string& name);

    PidlMgr pidls_;
    Microsoft::WRL::ComPtr<ShellFolder> parent_;
    std::string folderPath_;
    ScopedPidl relative_;
    ScopedPidl absolute_;
};
